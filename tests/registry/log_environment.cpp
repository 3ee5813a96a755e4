// Every registry test may read the product's log: it is switched on before anything logs.
#include "support/RegTestLog.h"

#include <gtest/gtest.h>

namespace {

class LogEnvironment : public ::testing::Environment {
public:
    void SetUp() override { regtest::enableLog(); }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new LogEnvironment());

}  // namespace
