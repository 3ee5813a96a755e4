// The message boxes of the dialog manager, shown for real and answered through their buttons.
#include "ui/ModalAnswerer.h"
#include "ui/UiTestEnvironment.h"

#include "lang/CLangUtilities.h"
#include "ui/CDlgManager.h"
#include "ui/MessageBoxType.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

using uitest::TestLog;

const wchar_t* const kSuspend = L"CProgressDialog::suspendProgressBar";
const wchar_t* const kResume = L"CProgressDialog::resumeProgressBar";

std::wstring str(unsigned id)
{
    return CLangUtilities::getInstance().LoadStr(id);
}

// A dialog manager of its own whose boxes are real, with the type each box was given recorded.
struct WatchedManager {
    CDlgManager manager;
    std::vector<UINT> types;
    std::optional<int> forcedAnswer;  // a box that fails answers 0

    WatchedManager()
    {
        manager.setMessageBoxFunction([this](const std::wstring& text, const std::wstring& caption, UINT type) {
            types.push_back(type);
            return forcedAnswer ? *forcedAnswer : MessageBoxW(nullptr, text.c_str(), caption.c_str(), type);
        });
    }
};

struct Operation {
    const wchar_t* name;
    std::function<bool(CDlgManager&)> call;
    std::function<std::wstring()> text;
    UINT buttonsAndIcon;
    bool freezes;
    bool thawsOnAnswer;
    const wchar_t* okEnding;  // the OK line's ending; null for Yes/No questions
};

std::vector<Operation> operations()
{
    return {
        {L"showFinishedDialog", [](CDlgManager& m) { return m.showFinishedDialog(str(150)); }, [] { return str(150); },
         MB_OK | MB_ICONINFORMATION, true, true, L"."},
        {L"showUnInstallationDialog", [](CDlgManager& m) { return m.showUnInstallationDialog(); },
         [] { return str(143); }, MB_YESNO | MB_ICONQUESTION, true, true, nullptr},
        {L"showDisconnectDeviceDialog", [](CDlgManager& m) { return m.showDisconnectDeviceDialog(); },
         [] { return str(158); }, MB_OK | MB_ICONWARNING, false, false, L"."},
        {L"showOverInstallationDialog", [](CDlgManager& m) { return m.showOverInstallationDialog(); },
         [] { return str(142); }, MB_YESNO | MB_ICONQUESTION, true, true, nullptr},
        {L"showNotEnoughDiscSpaceDialog", [](CDlgManager& m) { return m.showNotEnoughDiscSpaceDialog(L""); },
         [] { return str(152); }, MB_OK | MB_ICONERROR, true, false, L"..."},
        {L"showMissingDependenciesDialog",
         [](CDlgManager& m) { return m.showMissingDependenciesDialog(L"Runtime 2.0\nDriver pack"); },
         [] { return str(153) + L"\n\nRuntime 2.0\nDriver pack\n" + str(154); }, MB_OK | MB_ICONERROR, true, false,
         L"..."},
        {L"showBRRepairDialog", [](CDlgManager& m) { return m.showBRRepairDialog(); }, [] { return str(155); },
         MB_YESNO | MB_ICONQUESTION, true, true, nullptr},
        {L"showInterruptedDialog", [](CDlgManager& m) { return m.showInterruptedDialog(); },
         [] { return str(156) + L"\n\n" + str(157); }, MB_OK | MB_ICONINFORMATION, true, true, L"."},
    };
}

bool isQuestion(const Operation& op)
{
    return op.okEnding == nullptr;
}

class MessageDialogs : public uitest::UiTest {};

std::wstring answerLine(const Operation& op, int press)
{
    const std::wstring answer = press == IDYES ? L"() Option YES selected."
                                : press == IDNO ? L"() Option NO selected."
                                                : std::wstring(L"() Option OK selected") + op.okEnding;
    return L"<== " + std::wstring(op.name) + answer;
}

// Every box shown for real, in a left-to-right and a right-to-left language: its localised text
// with the names filled in, the product name as caption, its buttons and icon, its type, and what
// the answer gives. Questions are answered Yes and No, messages OK.
TEST_F(MessageDialogs, EveryBoxShowsItsTextAndMapsItsAnswer)
{
    for (const LANGID language : {1033, 1025}) {
        uitest::setLanguage(language);
        const DWORD bidi = language == 1025 ? MB_RIGHT | MB_RTLREADING : 0;
        for (const Operation& op : operations()) {
            for (const int press : isQuestion(op) ? std::vector<int>{IDYES, IDNO} : std::vector<int>{IDOK}) {
                SCOPED_TRACE(testing::Message() << "language " << language << ", " << op.name << ", button " << press);
                WatchedManager watched;
                const TestLog log;
                const ModalAnswerer answerer(ModalAnswerer::press(press));
                const bool result = op.call(watched.manager);

                ASSERT_TRUE(answerer.done()) << "no box came";
                const WindowSnapshot& box = answerer.seen();
                EXPECT_EQ(box.caption, uitest::kProductName);
                EXPECT_EQ(box.text, op.text());
                EXPECT_EQ(box.text.find(L"ProductName"), std::wstring::npos);
                EXPECT_EQ(box.text.find(L"CompanyName"), std::wstring::npos);
                EXPECT_TRUE(box.hasIcon);
                const std::vector<std::wstring> buttons =
                    isQuestion(op) ? std::vector<std::wstring>{L"Yes", L"No"} : std::vector<std::wstring>{L"OK"};
                EXPECT_EQ(box.buttons, buttons);
                // Wine does not show MB_TOPMOST, MB_RIGHT and MB_RTLREADING in the box's styles:
                // the type given to the box tells them.
                ASSERT_EQ(watched.types.size(), 1u);
                EXPECT_EQ(watched.types[0], op.buttonsAndIcon | MB_TOPMOST | bidi);

                EXPECT_EQ(result, press != IDNO);
                EXPECT_EQ(log.messages(std::wstring(L"CDlgManager::") + op.name).back(), answerLine(op, press));
                EXPECT_EQ(log.count(L"About to suspend progress bar", kSuspend), op.freezes ? 1u : 0u);
                EXPECT_EQ(log.count(L"About to resume progress bar", kResume), op.thawsOnAnswer ? 1u : 0u);
            }
        }
    }
}

// In every language the box gets that language's text, the product name as caption, and
// right-aligned right-to-left reading for Arabic and Hebrew only.
TEST_F(MessageDialogs, TextAndReadingDirectionFollowTheLanguage)
{
    struct Given {
        std::wstring text;
        std::wstring caption;
        UINT type;
    };
    for (const LANGID language : {1031, 1041, 2052, 1037, 1025, 1033}) {
        uitest::setLanguage(language);
        const DWORD bidi = language == 1025 || language == 1037 ? MB_RIGHT | MB_RTLREADING : 0;
        for (const Operation& op : operations()) {
            SCOPED_TRACE(testing::Message() << "language " << language << ", " << op.name);
            CDlgManager manager;
            std::vector<Given> given;
            manager.setMessageBoxFunction([&](const std::wstring& text, const std::wstring& caption, UINT type) {
                given.push_back(Given{text, caption, type});
                return isQuestion(op) ? IDYES : IDOK;
            });
            EXPECT_TRUE(op.call(manager));
            ASSERT_EQ(given.size(), 1u);
            EXPECT_EQ(given[0].text, op.text());
            EXPECT_EQ(given[0].text.find(L"ProductName"), std::wstring::npos);
            EXPECT_EQ(given[0].caption, uitest::kProductName);
            EXPECT_EQ(given[0].type, op.buttonsAndIcon | MB_TOPMOST | bidi);
        }
    }
}

// A box that cannot be shown (MessageBoxW gives 0) counts as No: false, the invalid-option line,
// and the bar stays frozen.
TEST_F(MessageDialogs, FailedBoxGivesFalseAndLeavesTheBarFrozen)
{
    for (const Operation& op : operations()) {
        SCOPED_TRACE(op.name);
        WatchedManager watched;
        watched.forcedAnswer = 0;
        const TestLog log;
        EXPECT_FALSE(op.call(watched.manager));
        EXPECT_EQ(log.messages(std::wstring(L"CDlgManager::") + op.name).back(),
                  L"<== " + std::wstring(op.name) + L"() Invalid option selected.");
        EXPECT_EQ(log.count(L"About to resume progress bar", kResume), 0u);
    }
}

TEST_F(MessageDialogs, EntryLinesCarryTheirValues)
{
    WatchedManager watched;
    watched.forcedAnswer = IDOK;
    const TestLog log;
    watched.manager.showNotEnoughDiscSpaceDialog(L"");
    watched.manager.showNotEnoughDiscSpaceDialog(L"C:\\");
    watched.manager.showMissingDependenciesDialog(L"");
    EXPECT_EQ(log.messages(L"CDlgManager::showNotEnoughDiscSpaceDialog"),
              (std::vector<std::wstring>{L"==> showNotEnoughDiscSpaceDialog() CString strDisc=Not specified",
                                         L"<== showNotEnoughDiscSpaceDialog() Option OK selected...",
                                         L"==> showNotEnoughDiscSpaceDialog() CString strDisc=C:\\",
                                         L"<== showNotEnoughDiscSpaceDialog() Option OK selected..."}));
    EXPECT_EQ(log.messages(L"CDlgManager::showMissingDependenciesDialog").front(),
              L"==> showMissingDependenciesDialog() strDependencies=");
}

TEST_F(MessageDialogs, EnglishTextsReadAsWritten)
{
    WatchedManager watched;
    const ModalAnswerer answerer(ModalAnswerer::press(IDOK));
    watched.manager.showMissingDependenciesDialog(L"");
    ASSERT_TRUE(answerer.done());
    EXPECT_EQ(answerer.seen().text, L"The following components are required by this software:\n\n\n"
                                    L"Please install these components before installing Tolvane Suite.");

    // The finished message fills in a product placeholder of either form.
    for (const wchar_t* given : {L"[ProductName] has been successfully repaired.", L"(ProductName) has been successfully repaired."}) {
        const ModalAnswerer ok(ModalAnswerer::press(IDOK));
        EXPECT_TRUE(watched.manager.showFinishedDialog(given));
        EXPECT_EQ(ok.seen().text, L"Tolvane Suite has been successfully repaired.");
    }
}

// The over-installation question is put once per process; later calls give the first answer.
TEST_F(MessageDialogs, OverInstallationIsAskedOnce)
{
    struct Case {
        std::optional<int> press;  // nothing: the box fails
        bool result;
        const wchar_t* accepted;
    };
    for (const Case& c : {Case{IDYES, true, L"TRUE"}, Case{IDNO, false, L"FALSE"}, Case{std::nullopt, false, L"FALSE"}}) {
        WatchedManager watched;
        if (!c.press) {
            watched.forcedAnswer = 0;
        }
        {
            const ModalAnswerer answerer(ModalAnswerer::press(c.press.value_or(IDOK)));
            EXPECT_EQ(watched.manager.showOverInstallationDialog(), c.result);
        }
        const TestLog log;
        const ModalAnswerer none(ModalAnswerer::press(IDOK));
        EXPECT_EQ(watched.manager.showOverInstallationDialog(), c.result);
        EXPECT_FALSE(none.done()) << "a second box came";
        EXPECT_EQ(watched.types.size(), 1u);
        EXPECT_EQ(log.messages(L"CDlgManager::showOverInstallationDialog"),
                  (std::vector<std::wstring>{
                      L"==> showOverInstallationDialog() overinstallationDlgShown_=TRUE",
                      std::wstring(L"<== showOverInstallationDialog() Overinstallation dialog already shown. "
                                   L"overinstallationAccepted_=") + c.accepted}));
    }
}

// The uninstallation question is put once per process; a second call says No without a box.
TEST_F(MessageDialogs, UninstallationIsAskedOnce)
{
    for (const std::optional<int> press : {std::optional<int>(IDYES), std::optional<int>()}) {
        WatchedManager watched;
        if (!press) {
            watched.forcedAnswer = 0;
        }
        {
            const ModalAnswerer answerer(ModalAnswerer::press(press.value_or(IDOK)));
            EXPECT_EQ(watched.manager.showUnInstallationDialog(), press.has_value());
        }
        const TestLog log;
        EXPECT_FALSE(watched.manager.showUnInstallationDialog());
        EXPECT_EQ(watched.types.size(), 1u);
        EXPECT_EQ(log.messages(L"CDlgManager::showUnInstallationDialog"),
                  (std::vector<std::wstring>{L"==> showUnInstallationDialog()", L"Uninstall dialog already shown."}));
    }
}

// The flags of every box: its own, MB_TOPMOST, and the reading direction of the language.
TEST(MessageBoxTypeFlags, AddTopmostAndTheReadingDirection)
{
    struct Case {
        UINT own;
        DWORD bidi;
        UINT expected;
    };
    const Case cases[] = {
        {MB_OK | MB_ICONINFORMATION, 0, 0x40040},        {MB_YESNO | MB_ICONQUESTION, 0, 0x40024},
        {MB_OK | MB_ICONWARNING, 0, 0x40030},            {MB_OK | MB_ICONERROR, 0, 0x40010},
        {MB_YESNO | MB_ICONQUESTION, 0x180000, 0x1C0024}, {MB_OK | MB_ICONERROR, 0x180000, 0x1C0010},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MessageBoxType(c.own, c.bidi), c.expected);
    }
}

}  // namespace
