// The progress dialog on its own two threads, seen from the main thread as a user sees it.
#include "ui/ModalAnswerer.h"
#include "ui/ProgressWindow.h"
#include "ui/UiTestEnvironment.h"

#include "registry/CRegistryUtils.h"
#include "support/TestPlatform.h"
#include "ui/CDlgManager.h"
#include "ui/CProgressDialog.h"

#include <gtest/gtest.h>

namespace {

using uitest::TestLog;
namespace pw = progresswindow;

const wchar_t* const kShow = L"CProgressDialog::ShowDialog";
const wchar_t* const kClose = L"CProgressDialog::CloseDialog";

int storedState()
{
    return CRegistryUtils::getInstance().getProgressDlgState();
}

// A window rectangle given in dialog units, in pixels of that dialog.
RECT dialogUnits(HWND dialog, RECT rect)
{
    MapDialogRect(dialog, &rect);
    return rect;
}

int widthOf(const RECT& rect)
{
    return rect.right - rect.left;
}

class ProgressDialog : public uitest::UiTest {};

// Shown: caption, text, picture, topmost, centred, and the dialog, the text line and the bar 100
// pixels wider than the template; "ProgressDlgState" holds the state. Closed: the threads end in
// the logged order, the window goes and the state is 0.
TEST_F(ProgressDialog, ShowsAndClosesOnItsOwnThreads)
{
    SKIP_UNLESS_CONCURRENT_THREADS_RELIABLE();
    CProgressDialog dialog;
    const TestLog log;
    dialog.ShowDialog(L"Progress probe", L"Installing Tolvane Suite", 1001, 0, 0);
    const HWND window = pw::waitFor(L"Progress probe");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(storedState(), 1001);
    EXPECT_EQ(pw::text(window), L"Installing Tolvane Suite");
    EXPECT_NE(GetWindowThreadProcessId(window, nullptr), GetCurrentThreadId());
    EXPECT_NE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0);
    EXPECT_NE(SendDlgItemMessageW(window, 1001, STM_GETICON, 0, 0), 0) << "no picture";

    RECT client, bar, line;
    GetClientRect(window, &client);
    GetWindowRect(GetDlgItem(window, 1000), &bar);
    GetWindowRect(GetDlgItem(window, 1006), &line);
    EXPECT_EQ(widthOf(client), widthOf(dialogUnits(window, RECT{0, 0, 250, 54})) + 100);
    EXPECT_EQ(widthOf(bar), widthOf(dialogUnits(window, RECT{7, 33, 243, 47})) + 100);
    EXPECT_EQ(widthOf(line), widthOf(dialogUnits(window, RECT{32, 19, 243, 31})) + 100);

    RECT frame, area;
    GetWindowRect(window, &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_NEAR((frame.left + frame.right) / 2, (area.left + area.right) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, (area.top + area.bottom) / 2, 1);

    dialog.CloseDialog();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(dialog.isDisplayed());
    EXPECT_EQ(storedState(), 0);
    EXPECT_EQ(log.messages(kShow),
              (std::vector<std::wstring>{L"strTitle=\"Progress probe\", strText=\"Installing Tolvane Suite\", state=1001, "
                                         L"bDisplayed=FALSE",
                                         L"setProgressDlgState returned true", L"Before Showdialog call",
                                         L"Starting threads", L"Starting dialog thread....",
                                         L"Starting progress thread...", L"done..."}));
    EXPECT_EQ(log.messages(kClose),
              (std::vector<std::wstring>{L"Closing threads", L"Waiting for progress thread to quit",
                                         L"Progress thread is dead", L"Stopping dialog thread, sending WM_CLOSE",
                                         L"Stopping dialog thread, sending WM_QUIT",
                                         L"Waiting for dialog thread to quit (you have 5 seconds...)",
                                         L"Dialog thread is dead (or 5 seconds elapsed... we can't wait forever, can "
                                         L"we? :))",
                                         L"Threads closed"}));
    const std::vector<std::wstring> dialogThread = log.messages(L"DialogThread");
    ASSERT_EQ(dialogThread.size(), 3u);
    EXPECT_EQ(dialogThread[0], L"Dialog thread started");
    EXPECT_EQ(dialogThread[1].rfind(L"ERROR: DoModal returned -1, errCode: ", 0), 0u) << "WM_QUIT ends the dialog";
    EXPECT_EQ(dialogThread[2], L"Dialog thread stopped");
    EXPECT_EQ(log.messages(L"ProgressThread"),
              (std::vector<std::wstring>{L"Progress bar thread started", L"Progress bar thread stopped"}));
    EXPECT_EQ(log.messages(L"CProgressDialog::LoopProgress"), std::vector<std::wstring>{L"rollBackMode=FALSE"});
}

// Showing a shown dialog changes its texts and the stored state, and starts no further threads.
TEST_F(ProgressDialog, ShowingAgainOnlyChangesTextsAndState)
{
    SKIP_UNLESS_CONCURRENT_THREADS_RELIABLE();
    CProgressDialog dialog;
    const TestLog log;
    dialog.ShowDialog(L"Progress probe A", L"Installing", 1001);
    const HWND window = pw::waitFor(L"Progress probe A");
    ASSERT_NE(window, nullptr);
    dialog.ShowDialog(L"Progress probe B", L"Repairing", 1003);
    EXPECT_EQ(pw::waitFor(L"Progress probe B"), window);
    EXPECT_EQ(pw::text(window), L"Repairing");
    EXPECT_EQ(storedState(), 1003);
    dialog.CloseDialog();
    EXPECT_EQ(log.count(L"Starting threads", kShow), 1u);
    EXPECT_EQ(log.count(L"Progress bar thread started", L"ProgressThread"), 1u);
    EXPECT_EQ(log.count(L"Dialog thread started", L"DialogThread"), 1u);

    // Closed, the same object shows again on new threads.
    dialog.ShowDialog(L"Progress probe C", L"Installing", 1001);
    EXPECT_NE(pw::waitFor(L"Progress probe C"), nullptr);
    dialog.CloseDialog();
    EXPECT_EQ(log.count(L"Starting threads", kShow), 2u);
}

// Closing a hidden dialog does nothing: no log line, "ProgressDlgState" untouched.
TEST_F(ProgressDialog, ClosingAHiddenDialogDoesNothing)
{
    ASSERT_TRUE(CRegistryUtils::getInstance().setProgressDlgState(1002));
    CProgressDialog dialog;
    const TestLog log;
    dialog.CloseDialog();
    EXPECT_TRUE(log.messages(kClose).empty());
    EXPECT_EQ(storedState(), 1002);
}

// Suspensions count: two freezes need two thaws before the bar moves again.
TEST_F(ProgressDialog, TwoSuspendsNeedTwoResumes)
{
    SKIP_UNLESS_CONCURRENT_THREADS_RELIABLE();
    CProgressDialog dialog;
    dialog.ShowDialog(L"Progress probe", L"Installing", 1001);
    const HWND window = pw::waitFor(L"Progress probe");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(pw::waitUntil([&] { return pw::barPosition(window) >= 1; }, 5000)) << "the bar does not move";

    const TestLog log;
    dialog.suspendProgressBar();
    dialog.suspendProgressBar();
    EXPECT_TRUE(pw::barStaysFor(window, 2500));
    dialog.resumeProgressBar();
    EXPECT_TRUE(pw::barStaysFor(window, 2500)) << "one resume thawed two suspends";
    dialog.resumeProgressBar();
    EXPECT_TRUE(pw::barMovesFrom(window, pw::barPosition(window)));
    dialog.CloseDialog();
    EXPECT_EQ(log.messages(L"CProgressDialog::suspendProgressBar"),
              (std::vector<std::wstring>{L"About to suspend progress bar, state=1001", L"Suspend successful, suspRes=0",
                                         L"About to suspend progress bar, state=1001", L"Suspend successful, suspRes=1"}));
    EXPECT_EQ(log.messages(L"CProgressDialog::resumeProgressBar"),
              (std::vector<std::wstring>{L"About to resume progress bar, state=1001", L"resumeRes=2",
                                         L"About to resume progress bar, state=1001", L"resumeRes=1"}));
}

// A dialog shown with state 0 (a verbose item's, a roll-back's) cannot be frozen.
TEST_F(ProgressDialog, NothingToSuspendWithoutAModeState)
{
    SKIP_UNLESS_CONCURRENT_THREADS_RELIABLE();
    CProgressDialog dialog;
    dialog.ShowDialog(L"Progress probe", L"Item", 0);
    const HWND window = pw::waitFor(L"Progress probe");
    ASSERT_NE(window, nullptr);
    const TestLog log;
    dialog.suspendProgressBar();
    EXPECT_TRUE(pw::barMovesFrom(window, pw::barPosition(window)));
    dialog.resumeProgressBar();
    dialog.CloseDialog();
    EXPECT_EQ(log.messages(L"CProgressDialog::suspendProgressBar"),
              (std::vector<std::wstring>{L"About to suspend progress bar, state=0",
                                         L"Invalid state... i.e. there was nothing to suspend..."}));
    EXPECT_EQ(log.messages(L"CProgressDialog::resumeProgressBar"),
              (std::vector<std::wstring>{L"About to resume progress bar, state=0",
                                         L"Invalid state... i.e. there was nothing to resume..."}));
}

// A roll-back dialog starts full and runs its bar backwards.
TEST_F(ProgressDialog, RollBackRunsBackwards)
{
    SKIP_UNLESS_CONCURRENT_THREADS_RELIABLE();
    CProgressDialog dialog;
    dialog.setRollBackMode(true);
    const TestLog log;
    dialog.ShowDialog(L"Progress probe", L"Rolling back", 0);
    const HWND window = pw::waitFor(L"Progress probe");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(pw::waitUntil([&] { return pw::barPosition(window) == 100; }, 5000));
    EXPECT_TRUE(pw::waitUntil([&] { return pw::barPosition(window) == 99; }, 5000));
    EXPECT_TRUE(pw::waitUntil([&] { return pw::barPosition(window) == 98; }, 5000));
    dialog.CloseDialog();
    EXPECT_EQ(log.messages(L"CProgressDialog::LoopProgress"), std::vector<std::wstring>{L"rollBackMode=TRUE"});
}

// Right-to-left languages get the mirrored template.
TEST_F(ProgressDialog, ArabicAndHebrewAreMirrored)
{
    SKIP_UNLESS_CONCURRENT_THREADS_RELIABLE();
    for (const LANGID language : {1025, 1037, 1031}) {
        uitest::setLanguage(language);
        CProgressDialog dialog;
        dialog.ShowDialog(L"Progress probe", L"Installing", 1001);
        const HWND window = pw::waitFor(L"Progress probe");
        ASSERT_NE(window, nullptr);
        const bool mirrored = (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
        EXPECT_EQ(mirrored, language != 1031) << "language " << language;
        dialog.CloseDialog();
    }
}

// While a message box is up the main progress bar stands still, and it moves again after the
// answer; after the two error messages it stays frozen until the dialog is closed.
TEST_F(ProgressDialog, BarIsFrozenWhileAMessageBoxIsUp)
{
    SKIP_UNLESS_CONCURRENT_THREADS_RELIABLE();
    CDlgManager manager;
    CProgressDialog& progress = *manager.getProgressDialog();
    progress.ShowDialog(L"Progress probe", L"Installing", 1001);
    const HWND window = pw::waitFor(L"Progress probe");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(pw::waitUntil([&] { return pw::barPosition(window) >= 1; }, 5000)) << "the bar does not move";

    bool stoodStill = false;
    const ModalAnswerer answerer([&](HWND box) {
        stoodStill = pw::barStaysFor(window, 2500);
        return Responder::press(box, IDYES);
    });
    EXPECT_TRUE(manager.showBRRepairDialog());
    ASSERT_TRUE(answerer.done());
    EXPECT_TRUE(stoodStill) << "the bar moved while the question was up";
    EXPECT_TRUE(pw::barMovesFrom(window, pw::barPosition(window))) << "the bar stayed frozen after the answer";

    const ModalAnswerer ok(ModalAnswerer::press(IDOK));
    EXPECT_TRUE(manager.showNotEnoughDiscSpaceDialog(L""));
    ASSERT_TRUE(ok.done());
    EXPECT_TRUE(pw::barStaysFor(window, 2500)) << "the bar moved after the error message";

    const TestLog log;
    progress.CloseDialog();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(log.contains(L"Progress bar is frozen (suspend count 1), thawing it before closing", kClose));
}

}  // namespace
