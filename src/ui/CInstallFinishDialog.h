#pragma once
#include "ui/DialogWindow.h"
#include "ui/GdiHandles.h"

#include <windows.h>

#include <string>

class CLangUtilities;

// The last window of a successful installation (dialog template 104): a picture, a headline, a
// "Next Step:" paragraph, a check box that offers the readme file, and a Finish button. Finish
// opens the readme file when the box is ticked; the window's close button cancels.
class CInstallFinishDialog : public DialogWindow {
public:
    static constexpr unsigned kTemplateId = 104;
    static constexpr int kFinishButtonId = 1003;
    static constexpr int kReadmeCheckBoxId = 1001;
    static constexpr int kSeparatorId = 1009;
    static constexpr int kPictureId = 1008;
    static constexpr int kHeadlineId = 1013;
    static constexpr int kNextStepId = 1014;
    static constexpr int kHelpId = 1015;
    static constexpr int kClosingId = 1016;

    explicit CInstallFinishDialog(HWND parent = nullptr);
    ~CInstallFinishDialog() override;

    // Shows the dialog on this thread until it ends: IDOK (Finish), IDCANCEL (closed), -1 when it
    // cannot be created.
    INT_PTR DoModal();

    void OnFinishClick();
    void ExecFileWithAssociatedProgram(const std::wstring& path);

protected:
    BOOL OnInitDialog() override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& answer) override;

private:
    void bindControls();
    void loadPictures();
    void setTexts();
    void prepareCheckBox(HWND checkBox, unsigned textId, bool ticked);
    bool ticked(HWND checkBox) const;
    void openBeside(const std::wstring& location, const wchar_t* settingName, const wchar_t* emptyLine);
    // Painting: the picture stretched over the area above the separator, the texts on it.
    bool OnEraseBkgnd(HDC dc);
    HBRUSH OnCtlColorStatic(HDC dc, HWND control);
    int pictureHeight();
    void drawPicture(HDC dc, const RECT& target, const RECT& source) const;

    CLangUtilities* langUtils;
    UniqueFont textFont;
    UniqueFont headlineFont;
    HWND pictureStatic = nullptr;
    HWND readmeCheckBox = nullptr;
    // "Launch the program": prepared, but template 104 has no control for it, so it stays unbound.
    HWND runProgramCheckBox = nullptr;
    HWND finishButton = nullptr;
    HWND headlineStatic = nullptr;
    HWND nextStepStatic = nullptr;
    HWND helpStatic = nullptr;
    HWND closingStatic = nullptr;
    UniqueBitmap backgroundBitmap;

    UniqueIcon icon_;
    bool mirrored_ = false;
    int pictureHeight_ = -1;
};
