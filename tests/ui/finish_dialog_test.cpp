// The finish dialog shown by the dialog manager, answered through its buttons.
#include "ui/InstallLocation.h"
#include "ui/ModalAnswerer.h"
#include "ui/UiTestEnvironment.h"

#include "lang/CLangUtilities.h"
#include "support/ProcessRun.h"
#include "support/SetupRunner.h"
#include "support/TestFiles.h"
#include "ui/CDlgManager.h"
#include "ui/PointFont.h"

#include <gtest/gtest.h>

namespace {

using uitest::TestLog;

const wchar_t* const kFinishClick = L"CInstallFinishDialog::OnFinishClick";
const wchar_t* const kExecute = L"CInstallFinishDialog::ExecFileWithAssociatedProgram";
const wchar_t* const kShowFinished = L"CDlgManager::showInstallFinishedDialog";
const wchar_t* const kFinishedOk = L"<== showInstallFinishedDialog() finished with status IDOK (Finish button is pressed)";

std::wstring str(unsigned id)
{
    return CLangUtilities::getInstance().LoadStr(id);
}

void clickReadme(HWND dialog)
{
    Responder::press(dialog, 1001);
}

void clickFinish(HWND dialog)
{
    Responder::press(dialog, 1003);
}

void closeWindow(HWND dialog)
{
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

LOGFONTW fontOf(HWND control)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font;
}

// Text files open with Notepad, as on Windows (a fresh Wine prefix has no association for them).
class TextFileAssociation {
public:
    TextFileAssociation()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, kKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
            RegCloseKey(key);
            return;  // the prefix has one already
        }
        created_ = true;
        if (RegCreateKeyExW(HKEY_CLASSES_ROOT, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
            static const wchar_t kType[] = L"txtfile";
            RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kType), sizeof(kType));
            RegCloseKey(key);
        }
    }
    ~TextFileAssociation()
    {
        if (created_) {
            RegDeleteKeyW(HKEY_CLASSES_ROOT, kKey);
        }
    }
    TextFileAssociation(const TextFileAssociation&) = delete;
    TextFileAssociation& operator=(const TextFileAssociation&) = delete;

private:
    static constexpr const wchar_t* kKey = L".txt";
    bool created_ = false;
};

class FinishDialog : public uitest::UiTest {
protected:
    CDlgManager manager_;
    InstallLocation entry_;
    testfiles::ScratchDir suite_{L"suite"};

    void SetUp() override
    {
        uitest::UiTest::SetUp();
        testfiles::writeText(suite_ / uitest::kReadmeFile, L"Read me first.\r\n");
    }
    // The installed folder as the uninstall entry records it (without a trailing backslash).
    std::wstring folder() const { return suite_.path().substr(0, suite_.path().size() - 1); }
};

// What the user sees: caption, texts and check box from the string table, the Verdana fonts,
// the picture, the box unticked. Finish with the box unticked opens nothing.
TEST_F(FinishDialog, FinishWithTheBoxUntickedOpensNothing)
{
    entry_.set(folder());
    const TestLog log;
    bool readmeTicked = true;
    LOGFONTW headline{}, text{};
    bool hasPicture = false;
    const ModalAnswerer answerer(ModalAnswerer::steps({[&](HWND dialog) {
        readmeTicked = SendMessageW(GetDlgItem(dialog, 1001), BM_GETCHECK, 0, 0) == BST_CHECKED;
        headline = fontOf(GetDlgItem(dialog, 1013));
        text = fontOf(GetDlgItem(dialog, 1015));
        hasPicture = SendMessageW(GetDlgItem(dialog, 1008), STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
        clickFinish(dialog);
    }}));
    EXPECT_TRUE(manager_.showInstallFinishedDialog());

    ASSERT_TRUE(answerer.done()) << "no finish dialog came";
    const WindowSnapshot& shown = answerer.seen();
    EXPECT_EQ(shown.caption, uitest::kProductName);
    EXPECT_EQ(shown.text, L"Tolvane Suite has been successfully installed.\nNext Step:\n" + str(169) + L"\n" + str(170));
    EXPECT_EQ(shown.buttons, (std::vector<std::wstring>{L"Finish", L"Show the readme file"}));
    EXPECT_FALSE(readmeTicked);
    EXPECT_TRUE(hasPicture);
    EXPECT_STREQ(headline.lfFaceName, L"Verdana");
    EXPECT_STREQ(text.lfFaceName, L"Verdana");
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(headline.lfHeight, PointFontHeight(120, dpi));
    EXPECT_EQ(text.lfHeight, PointFontHeight(85, dpi));

    EXPECT_EQ(log.messages(kFinishClick), std::vector<std::wstring>{L"Install location is found: " + folder()});
    EXPECT_TRUE(log.messages(kExecute).empty());
    EXPECT_EQ(log.messages(kShowFinished), (std::vector<std::wstring>{L"==> showInstallFinishedDialog()", kFinishedOk}));
}

// Ticked, Finish opens the readme file beside the installed suite with its associated program
// (Notepad on Wine); a location that ends in a backslash doubles it, which the shell accepts.
TEST_F(FinishDialog, FinishWithTheBoxTickedOpensTheReadmeFile)
{
    const TextFileAssociation association;
    for (const std::wstring& location : {folder(), folder() + L"\\"}) {
        SCOPED_TRACE(location);
        entry_.set(location);
        const TestLog log;
        const ModalAnswerer answerer(ModalAnswerer::steps({clickReadme, clickFinish}));
        EXPECT_TRUE(manager_.showInstallFinishedDialog());
        ASSERT_TRUE(answerer.done());

        const std::wstring path = location + L"\\" + uitest::kReadmeFile;
        EXPECT_EQ(log.messages(kFinishClick),
                  (std::vector<std::wstring>{L"Install location is found: " + location, L"Readme file checkbox is set"}));
        EXPECT_EQ(log.messages(kExecute),
                  (std::vector<std::wstring>{L"Executing file: " + path, L"File executed successfully"}));
        EXPECT_EQ(log.messages(kShowFinished).back(), kFinishedOk);

        const WindowSnapshot editor = Responder::waitFor(L"readme", L"", 60000);
        ASSERT_NE(editor.window, nullptr) << "no program showed the readme file";
        PostMessageW(editor.window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(Responder::waitGone(editor.window, 30000));
    }
}

// The window's close button cancels, even with the box ticked: nothing is opened and the
// manager still reports success.
TEST_F(FinishDialog, CloseButtonCancelsWithoutOpeningAnything)
{
    entry_.set(folder());
    const TestLog log;
    const ModalAnswerer answerer(ModalAnswerer::steps({clickReadme, closeWindow}));
    EXPECT_TRUE(manager_.showInstallFinishedDialog());
    ASSERT_TRUE(answerer.done());
    EXPECT_TRUE(log.messages(kFinishClick).empty());
    EXPECT_TRUE(log.messages(kExecute).empty());
    EXPECT_EQ(log.messages(kShowFinished).back(),
              L"<== showInstallFinishedDialog() finished with status IDCANCEL (X window button is pressed)");
}

// Without an install location Finish only logs; the dialog closes as usual.
TEST_F(FinishDialog, MissingInstallLocationOpensNothing)
{
    const TestLog log;
    const ModalAnswerer answerer(ModalAnswerer::steps({clickReadme, clickFinish}));
    EXPECT_TRUE(manager_.showInstallFinishedDialog());
    ASSERT_TRUE(answerer.done());
    EXPECT_EQ(log.messages(kFinishClick), std::vector<std::wstring>{L"ERROR: Install location is not found!"});
    EXPECT_TRUE(log.messages(kExecute).empty());
    EXPECT_EQ(log.messages(kShowFinished).back(), kFinishedOk);
}

// A file the shell cannot find is only logged.
TEST_F(FinishDialog, ExecutingAMissingFileIsLogged)
{
    CInstallFinishDialog* dialog = manager_.getInstallFinishDialog();
    ASSERT_NE(dialog, nullptr);
    const std::wstring path = suite_ / L"missing.txt";
    const TestLog log;
    dialog->ExecFileWithAssociatedProgram(path);
    EXPECT_EQ(log.messages(kExecute), (std::vector<std::wstring>{L"Executing file: " + path,
                                                                  L"ERROR: The specified file was not found: " + path}));
}

// Without Pictavo.dll beside the program the dialog shows without icon and picture and works
// otherwise; without a readme file name, a ticked box opens nothing. The dialog runs in a program
// of its own, in a folder of its own.
TEST_F(FinishDialog, WorksWithoutPicturesAndWithoutAReadmeName)
{
    entry_.set(folder());
    const testfiles::ScratchDir alone(L"finish");
    ASSERT_TRUE(testfiles::copy(testfiles::binDir() + L"ui_finish_dialog.exe", alone / L"ui_finish_dialog.exe"));
    ASSERT_TRUE(testfiles::copy(testfiles::binDir() + L"Ombrisk.dll", alone / L"Ombrisk.dll"));
    testfiles::writeText(alone / L"ui_finish_dialog.ini",
                         L"[Settings]\r\nlog_enabled=TRUE\r\nlog_append=FALSE\r\nlog_filename=" + (alone / L"finish.log") +
                             L"\r\napp_name=Tolvane Pictureless\r\n");

    ProcessRun program(alone / L"ui_finish_dialog.exe", L"1033");
    ASSERT_TRUE(program.started());
    const WindowSnapshot shown = Responder::waitFor(L"Tolvane Pictureless", L"", 60000);
    ASSERT_NE(shown.window, nullptr) << "no finish dialog came";
    EXPECT_EQ(shown.text.rfind(L"Tolvane Pictureless has been successfully installed.", 0), 0u);
    EXPECT_EQ(SendMessageW(shown.window, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(SendDlgItemMessageW(shown.window, 1008, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    Responder::press(shown.window, 1001);
    Responder::press(shown.window, 1003);
    EXPECT_EQ(program.wait(60000), 0u);

    std::vector<std::wstring> logged;
    for (const std::wstring& line : testfiles::readLines(alone / L"finish.log")) {
        const std::wstring function = logFunctionOf(line);
        if (function.rfind(L"CInstallFinishDialog::", 0) == 0 || function == kShowFinished) {
            logged.push_back(logMessageOf(line));
        }
    }
    EXPECT_EQ(logged, (std::vector<std::wstring>{L"Created", L"==> showInstallFinishedDialog()",
                                                 L"ERROR: Failed to load Pictavo.dll, errCode: 126",
                                                 L"Install location is found: " + folder(),
                                                 L"Readme file checkbox is set", L"ERROR: Readme file name is empty!",
                                                 kFinishedOk}));
}

}  // namespace
