#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Everything Setup keeps in the registry. Each operation opens the keys it needs, does one job,
// logs it and turns every registry failure into its result; no failure leaves this class.
class CRegistryUtils {
public:
    static CRegistryUtils& getInstance();
    // Ends the process-wide object; the sequencer does this when it is destroyed.
    static void destroyInstance();

    virtual ~CRegistryUtils();
    CRegistryUtils(const CRegistryUtils&) = delete;
    CRegistryUtils& operator=(const CRegistryUtils&) = delete;

    // State values of the application key (HKEY_CURRENT_USER).
    bool SetStateValue(int state);
    int GetStateValue();
    bool SetInternalStateValue(int state);
    int GetInternalStateValue();
    bool SetPendingRebootValue(int state);
    int GetPendingRebootValue();
    bool SetPendingRebootSuppressedValue(int state);
    int GetPendingRebootSuppressedValue();
    bool setProgressDlgState(int state);
    int getProgressDlgState();
    bool SetCurrDirValue(const std::wstring& dir);
    std::wstring GetCurrDirValue();
    bool DeleteApplicationKey();

    // The run-once entry.
    bool SetRunValue();
    bool SetRunValue(const std::wstring& commandLine);
    bool GetRunValue(std::wstring& commandLine);
    bool DeleteRunValue();

    // The suite's entry in the list of installed programs, and other programs' entries.
    bool WriteUnInstallValue(const std::wstring& strName, const std::wstring& strVersion,
                             const std::wstring& strUpgrade, const std::wstring& strArgs, DWORD dwSize);
    bool DeleteUnInstallValue();
    bool GetUnInstallValue(std::wstring& uninstallString);
    std::wstring GetInstallLocationValue();
    std::wstring GetDisplayVersionValue(const std::wstring& productKey);
    std::wstring GetSZValue(const std::wstring& keyPath, const std::wstring& valueName);
    bool SZValueExists(const std::wstring& valueName, const std::wstring& keyPath);

    // Pending file renames and the machine-wide environment.
    int GetCurrentControlSetNr();
    std::wstring AssembleCurrentControlSetString(DWORD controlSet);
    int ReadRegMultiKey(const std::wstring& valueName, HKEY root, const std::wstring& subKey,
                        std::vector<std::wstring>& strings);
    bool GetPendingFileRenames(const std::wstring& exceptionList);
    bool SetEnvironmentVariableForAll(const std::wstring& name, const std::wstring& value);

    // The suite key.
    bool SetREG_SZ(const std::wstring& name, const std::wstring& value);
    WORD GetCurrTolvaneLanguageId();

    // The final clean-up.
    int QuerySubKeyCnt(const std::wstring& subKey, HKEY root);
    bool DeleteTolvaneVersion();
    bool DeleteProgressDlgState();
    bool DeletePendingRebootKeys();
    bool DeleteVELCTolvaneRoot();
    bool DeleteVELCRoot();
    bool DeleteBrennikRoot();
    bool DeleteRegKeys();

private:
    CRegistryUtils();
};
