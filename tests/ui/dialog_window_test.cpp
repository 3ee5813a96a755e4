// The dialog procedure shared by the dialogs: each window's messages reach its own object, an
// exception never leaves the procedure into the system, and WM_QUIT ends a run with -1.
#include "ui/UiTestEnvironment.h"

#include "ui/DialogWindow.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

constexpr UINT kThrow = WM_APP;
constexpr UINT kEnd = WM_APP + 1;

// A dialog on the finish dialog's template that acts on messages posted to it.
class ScriptedDialog : public DialogWindow {
public:
    explicit ScriptedDialog(int result) : result_(result) {}
    INT_PTR run(unsigned templateId = 104) { return runModal(templateId); }
    std::vector<UINT> posted;  // posted to the window once it exists
    int handledBy = 0;

protected:
    BOOL OnInitDialog() override
    {
        for (const UINT message : posted) {
            if (message == WM_QUIT) {
                PostQuitMessage(0);
            } else {
                PostMessageW(window(), message, 0, 0);
            }
        }
        return TRUE;
    }
    bool onMessage(UINT message, WPARAM, LPARAM, INT_PTR& answer) override
    {
        if (message == kThrow) {
            throw std::runtime_error("a failure inside a message handler");
        }
        if (message == kEnd) {
            handledBy = result_;
            endDialog(result_);
            answer = TRUE;
            return true;
        }
        return false;
    }

private:
    int result_;
};

class DialogRouting : public uitest::UiTest {};

TEST_F(DialogRouting, ExceptionsStayInsideTheDialogProcedure)
{
    ScriptedDialog dialog(42);
    dialog.posted = {kThrow, kEnd};
    const uitest::TestLog log;
    EXPECT_EQ(dialog.run(), 42) << "the dialog went on after the exception";
    EXPECT_EQ(log.messages(L"DialogWindow::DialogProc"), std::vector<std::wstring>{L"ERROR: Unknown exception caught!"});
    EXPECT_EQ(dialog.window(), nullptr) << "the window outlived the run";
}

// Two dialogs of the same template, one inside the other's run: each window's messages reach
// the object that created it.
TEST_F(DialogRouting, EachWindowReachesItsOwnObject)
{
    class Outer : public ScriptedDialog {
    public:
        using ScriptedDialog::ScriptedDialog;
        ScriptedDialog inner{7};
        INT_PTR innerResult = 0;

    protected:
        bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& answer) override
        {
            if (message == kThrow + 10) {
                inner.posted = {kEnd};
                innerResult = inner.run();
                PostMessageW(window(), kEnd, 0, 0);
                return true;
            }
            return ScriptedDialog::onMessage(message, wParam, lParam, answer);
        }
    };
    Outer outer(3);
    outer.posted = {kThrow + 10};
    EXPECT_EQ(outer.run(), 3);
    EXPECT_EQ(outer.innerResult, 7);
    EXPECT_EQ(outer.inner.handledBy, 7);
    EXPECT_EQ(outer.handledBy, 3);
}

TEST_F(DialogRouting, QuitOrAMissingTemplateEndsTheRunWithMinusOne)
{
    ScriptedDialog quitting(1);
    quitting.posted = {WM_QUIT};
    EXPECT_EQ(quitting.run(), -1);

    ScriptedDialog missing(1);
    EXPECT_EQ(missing.run(9999), -1);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

}  // namespace
