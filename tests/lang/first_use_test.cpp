// The language object used before anything else in the process, while the setup file holds the
// language constant: creating the log parses that file, and the parse asks for the object that
// is being created.
#include "lang/LogCapture.h"

#include "lang/CLangUtilities.h"

#include <gtest/gtest.h>

namespace {

class FirstUseBeforeTheLog : public ::testing::Environment {
public:
    void SetUp() override
    {
        LogCapture::writeSetupFile();
        resourceHandle_ = CLangUtilities::getInstance().getResourceHandle();
    }

    static HMODULE resourceHandle_;
};

HMODULE FirstUseBeforeTheLog::resourceHandle_ = nullptr;

// Runs before every test, so nothing has logged yet. gtest owns the environment.
::testing::Environment* const firstUse = ::testing::AddGlobalTestEnvironment(new FirstUseBeforeTheLog);

TEST(FirstUse, TheObjectAndTheLogAreBothCreated)
{
    EXPECT_NE(FirstUseBeforeTheLog::resourceHandle_, nullptr);
    EXPECT_EQ(&CLangUtilities::getInstance(), &CLangUtilities::getInstance());
    EXPECT_TRUE(LogCapture::get().enabled());
}

}  // namespace
