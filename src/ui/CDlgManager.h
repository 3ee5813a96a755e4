#pragma once
#include "ui/CInstallFinishDialog.h"
#include "ui/CProgressDialog.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

// The owner of Setup's dialogs: the three progress dialogs and the finish dialog. It asks every
// question and tells every outcome of a sequence through localised message boxes, logs the answer
// and turns it into a bool. While a box is up, the bar of the main progress dialog is frozen.
class CDlgManager {
public:
    // Shows one message box: text, caption, type -> the button pressed (0 when it failed).
    using MessageBoxFunction = std::function<int(const std::wstring& text, const std::wstring& caption, UINT type)>;

    // The process-wide manager, created on the first call and never destroyed.
    static CDlgManager& getInstance();

    // A manager of its own (the process-wide one comes from getInstance).
    CDlgManager();
    CDlgManager(const CDlgManager&) = delete;
    CDlgManager& operator=(const CDlgManager&) = delete;

    bool showInstallFinishedDialog();
    bool showFinishedDialog(const std::wstring& text);
    bool showUnInstallationDialog();
    bool showDisconnectDeviceDialog();
    bool showOverInstallationDialog();
    bool showNotEnoughDiscSpaceDialog(const std::wstring& strDisc);
    bool showMissingDependenciesDialog(const std::wstring& strDependencies);
    bool showBRRepairDialog();
    bool showInterruptedDialog();

    // The dialogs it owns; null when one could not be created.
    CProgressDialog* getProgressDialog() { return progressDialog_.get(); }
    CProgressDialog* getItemProgressDialog() { return itemProgressDialog_.get(); }
    CProgressDialog* getRollBackProgressDialog() { return rollBackProgressDialog_.get(); }
    CInstallFinishDialog* getInstallFinishDialog() { return installFinishDialog_.get(); }

    // Replaces MessageBoxW (with no owner window), so that tests can watch every box.
    void setMessageBoxFunction(MessageBoxFunction function) { messageBox_ = std::move(function); }

private:
    enum class Thaw { OnAnswer, Never };

    int showBox(const std::wstring& text, UINT buttonsAndIcon);
    // An OK message: logs the answer, thaws the bar when asked to, true on OK.
    bool answeredOk(const wchar_t* fn, const std::wstring& operation, int answer, const wchar_t* okEnding, Thaw thaw);
    // A Yes/No question: logs the answer, thaws the bar on Yes or No; nothing when the box failed.
    std::optional<bool> answeredYesNo(const wchar_t* fn, const std::wstring& operation, int answer);
    void freeze();
    void unfreeze();

    bool overinstallationDlgShown_ = false;
    bool overinstallationAccepted_ = false;
    bool uninstallDlgShown_ = false;
    std::unique_ptr<CProgressDialog> progressDialog_;
    std::unique_ptr<CProgressDialog> itemProgressDialog_;
    std::unique_ptr<CProgressDialog> rollBackProgressDialog_;
    std::unique_ptr<CInstallFinishDialog> installFinishDialog_;
    MessageBoxFunction messageBox_;
};
