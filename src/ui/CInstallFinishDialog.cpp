#include "ui/CInstallFinishDialog.h"

#include "lang/CLangUtilities.h"
#include "log/CLog.h"
#include "log/Format.h"
#include "registry/CRegistryUtils.h"
#include "setupfile/CFileParser.h"
#include "ui/PictureLibrary.h"
#include "ui/PointFont.h"
#include "ui/ProductName.h"
#include "ui/WindowLayout.h"

#include <shellapi.h>

namespace {

enum TextId : unsigned {
    kFinish = 162,
    kShowReadme = 164,
    kLaunchProgram = 165,
    kHeadline = 167,
    kNextStep = 168,
    kHelp = 169,
    kClosing = 170,
};

void setFont(HWND control, const UniqueFont& font)
{
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
}

}  // namespace

CInstallFinishDialog::CInstallFinishDialog(HWND /*parent*/)
    : langUtils(&CLangUtilities::getInstance()),
      textFont(CreatePointFont(85, L"Verdana")),
      headlineFont(CreatePointFont(120, L"Verdana"))
{
    SETUP_LOG(L"CInstallFinishDialog::CInstallFinishDialog", L"Created");
}

CInstallFinishDialog::~CInstallFinishDialog()
{
    SETUP_LOG(L"CInstallFinishDialog::~CInstallFinishDialog", L"Destroyed");
}

INT_PTR CInstallFinishDialog::DoModal()
{
    return runModal(kTemplateId);
}

BOOL CInstallFinishDialog::OnInitDialog()
{
    bindControls();
    loadPictures();
    setTexts();
    WindowLayout::showTopmostCentred(window());
    return TRUE;
}

void CInstallFinishDialog::bindControls()
{
    pictureStatic = item(kPictureId);
    readmeCheckBox = item(kReadmeCheckBoxId);
    finishButton = item(kFinishButtonId);
    headlineStatic = item(kHeadlineId);
    nextStepStatic = item(kNextStepId);
    helpStatic = item(kHelpId);
    closingStatic = item(kClosingId);
    mirrored_ = (GetWindowLongW(window(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    pictureHeight_ = -1;
    if (mirrored_) {
        for (HWND control : {headlineStatic, nextStepStatic, helpStatic, closingStatic, readmeCheckBox, finishButton}) {
            WindowLayout::readRightToLeft(control);
        }
    }
}

void CInstallFinishDialog::loadPictures()
{
    const wchar_t* const fn = L"CInstallFinishDialog::OnInitDialog";
    const PictureLibrary pictures;
    if (!pictures.loaded()) {
        SETUP_LOG(fn, Format(L"ERROR: Failed to load Pictavo.dll, errCode: %d", static_cast<int>(pictures.loadError())));
        return;
    }
    icon_ = pictures.icon(PictureLibrary::kDialogIcon);
    SendMessageW(window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
    const unsigned pictureId =
        langUtils->isRTL() ? PictureLibrary::kFinishPictureRightToLeft : PictureLibrary::kFinishPicture;
    backgroundBitmap = pictures.bitmap(pictureId);
    if (!backgroundBitmap) {
        SETUP_LOG(fn, L"ERROR: Failed to load installation finish dialog background picture ...");
        return;
    }
    SendMessageW(pictureStatic, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(backgroundBitmap.get()));
    // The control holds the picture; the dialog paints it, stretched over the area above the
    // separator and unmirrored. Painted by the control itself it would lie in its natural size
    // over the texts and the check box, and mirrored once more in a right-to-left dialog.
    ShowWindow(pictureStatic, SW_HIDE);
}

void CInstallFinishDialog::setTexts()
{
    SetWindowTextW(window(), ProductName().c_str());
    setFont(headlineStatic, headlineFont);
    SetWindowTextW(headlineStatic, FillProductName(langUtils->LoadStr(kHeadline)).c_str());
    const std::pair<HWND, unsigned> paragraphs[] = {{nextStepStatic, kNextStep}, {helpStatic, kHelp}, {closingStatic, kClosing}};
    for (const auto& paragraph : paragraphs) {
        setFont(paragraph.first, textFont);
        SetWindowTextW(paragraph.first, langUtils->LoadStr(paragraph.second).c_str());
    }
    prepareCheckBox(readmeCheckBox, kShowReadme, false);
    prepareCheckBox(runProgramCheckBox, kLaunchProgram, true);
    setFont(finishButton, textFont);
    SetWindowTextW(finishButton, langUtils->LoadStr(kFinish).c_str());
}

void CInstallFinishDialog::prepareCheckBox(HWND checkBox, unsigned textId, bool tick)
{
    setFont(checkBox, textFont);
    SendMessageW(checkBox, BM_SETSTYLE, BS_AUTOCHECKBOX, TRUE);
    SendMessageW(checkBox, BM_SETCHECK, tick ? BST_CHECKED : BST_UNCHECKED, 0);
    SetWindowTextW(checkBox, langUtils->LoadStr(textId).c_str());
}

bool CInstallFinishDialog::ticked(HWND checkBox) const
{
    return checkBox != nullptr && SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool CInstallFinishDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& answer)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kFinishButtonId && HIWORD(wParam) == BN_CLICKED) {
            OnFinishClick();
            answer = TRUE;
            return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            endDialog(IDCANCEL);
            answer = TRUE;
            return true;
        }
        return false;
    case WM_CLOSE:
        endDialog(IDCANCEL);
        answer = TRUE;
        return true;
    case WM_ERASEBKGND:
        answer = OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
        return true;
    case WM_CTLCOLORSTATIC:
        answer = reinterpret_cast<INT_PTR>(OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
        return true;
    default:
        return false;
    }
}

void CInstallFinishDialog::OnFinishClick()
{
    const wchar_t* const fn = L"CInstallFinishDialog::OnFinishClick";
    const std::wstring location = CRegistryUtils::getInstance().GetInstallLocationValue();
    if (location.empty()) {
        SETUP_LOG(fn, L"ERROR: Install location is not found!");
    } else {
        SETUP_LOG(fn, L"Install location is found: " + location);
        if (ticked(runProgramCheckBox)) {
            SETUP_LOG(fn, L"Run program checkbox is set");
            openBeside(location, L"application_file", L"ERROR: Application file name is empty!");
        }
        if (ticked(readmeCheckBox)) {
            SETUP_LOG(fn, L"Readme file checkbox is set");
            openBeside(location, L"readme_file", L"ERROR: Readme file name is empty!");
        }
    }
    endDialog(IDOK);
}

void CInstallFinishDialog::openBeside(const std::wstring& location, const wchar_t* settingName, const wchar_t* emptyLine)
{
    const std::wstring fileName = CFileParser::getInstance().GetSetting(settingName);
    if (fileName.empty()) {
        SETUP_LOG(L"CInstallFinishDialog::OnFinishClick", emptyLine);
        return;
    }
    ExecFileWithAssociatedProgram(location + L"\\" + fileName);
}

void CInstallFinishDialog::ExecFileWithAssociatedProgram(const std::wstring& path)
{
    const wchar_t* const fn = L"CInstallFinishDialog::ExecFileWithAssociatedProgram";
    SETUP_LOG(fn, L"Executing file: " + path);
    const INT_PTR result =
        reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result == ERROR_FILE_NOT_FOUND) {
        SETUP_LOG(fn, L"ERROR: The specified file was not found: " + path);
    } else if (result <= 32) {
        SETUP_LOG(fn, Format(L"ERROR: Error code (%d)", static_cast<int>(result)));
    } else {
        SETUP_LOG(fn, L"File executed successfully");
    }
}
