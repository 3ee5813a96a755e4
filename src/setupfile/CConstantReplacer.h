#pragma once
#include <windows.h>

#include <optional>
#include <string>

// Replaces the constants a value of the setup description file may hold, in this order:
// "%TEMP%\" (the user's temporary folder), "%SETUP_AUTOLANG%" ("/L" and the current language
// when a CD browser chose it, else nothing) and "%COMMONPROGRAMFILES%" (that environment
// variable). Constants match exactly, upper case. What the machine answers comes from the
// protected functions, so that a test can stand in for a failing system.
class CConstantReplacer {
public:
    virtual ~CConstantReplacer() = default;

    // Replaces every occurrence in place; returns how many kinds of constant were handled.
    int replace(std::wstring& value);

protected:
    // The temporary folder, ending with a backslash; nothing (and the error) when it is unknown.
    virtual std::optional<std::wstring> temporaryFolder(DWORD& error);
    virtual bool languageFromCdBrowser();
    virtual unsigned short currentLanguageId();
    // The variable COMMONPROGRAMFILES; nothing (and the error) when it cannot be read.
    virtual std::optional<std::wstring> commonProgramFiles(DWORD& error);

private:
    bool replaceTemporaryFolder(std::wstring& value);
    bool replaceLanguage(std::wstring& value);
    bool replaceCommonProgramFiles(std::wstring& value);
};
