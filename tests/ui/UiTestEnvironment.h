// What the dialog tests share: the test program's setup file (log on, product name, readme file),
// the application key cleaned around each test, the current language, and the log read back.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace uitest {

inline constexpr const wchar_t* kProductName = L"Tolvane Suite";
inline constexpr const wchar_t* kCompanyName = L"Vellacor";
inline constexpr const wchar_t* kReadmeFile = L"readme.txt";

// Writes test_ui.ini beside the program (once; both prefixes share it), parses it, switches the
// log on and gives the localisation object the product and company names.
void prepareProcess();

// The stored current language of Setup (and this thread's locale), as start-up sets it.
void setLanguage(LANGID language);

// The log of this test program.
class TestLog {
public:
    TestLog();
    // The messages written since the object was made, by `function` (by any function when empty).
    std::vector<std::wstring> messages(const std::wstring& function = L"") const;
    bool contains(const std::wstring& message, const std::wstring& function = L"") const;
    // How many messages since the mark start with `prefix`.
    size_t count(const std::wstring& prefix, const std::wstring& function = L"") const;

private:
    size_t mark_ = 0;
};

// The application key (state and language values) removed before and after each test, and the
// language set back to English (United States).
class UiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

private:
    LCID locale_ = GetThreadLocale();
};

// Where tests leave pictures of the dialogs: <build>/screenshots/.
std::wstring screenshotDir();

}  // namespace uitest
