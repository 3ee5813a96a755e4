#pragma once
#include <windows.h>

#include <string>

// The language of Setup: loads the resource library Ombrisk.dll, keeps the current language in
// the application key, sets the thread locale, tells the reading direction, and loads localised
// strings and dialog templates with the product and company names filled in.
class CLangUtilities {
public:
    // The process-wide object, created on the first call; it lives until the process ends.
    static CLangUtilities& getInstance();

    // An object whose resource library is the given file (the process-wide one loads
    // "Ombrisk.dll" from the program's own folder). The library is never freed.
    explicit CLangUtilities(const std::wstring& libraryPath);
    CLangUtilities(const CLangUtilities&) = delete;
    CLangUtilities& operator=(const CLangUtilities&) = delete;

    // The operating system's language (the user's default).
    bool setCurrentLanguage();
    // With sublang 1, lang is taken as a full language identifier; 0 means the system's language.
    bool setCurrentLanguage(unsigned lang, unsigned sublang);
    // The stored current language; 0xFFFF when the application key cannot be opened.
    unsigned short getCurrentLanguageId();

    bool setThrdLocale(LCID lcid);
    bool setThrdLocale(unsigned lang, unsigned sublang);
    // True (and logged) when lcid differs from the locale last set.
    bool checkLCID(LCID lcid);

    // The string in the current language with the names filled in, or "FAILED TO LOAD RESOURCE".
    std::wstring LoadStr(unsigned id);
    // The dialog template in the current language, for CreateDialogIndirectParamW and
    // DialogBoxIndirectParamW; it stays valid for the life of the process. Null when not found.
    const DLGTEMPLATE* LoadDialogTemplate(unsigned id);
    // The loaded resource library, or null when it could not be loaded.
    HMODULE getResourceHandle() const { return resourceHandle_; }

    // MB_RIGHT | MB_RTLREADING for a right-to-left language, otherwise 0.
    DWORD getBidiState();
    bool isRTL();

    bool langRetrievedFromCDBrowser();
    bool setLangRetrievedFromCDBrowser(bool fromCdBrowser);

    void setProductName(const std::wstring& name) { productName_ = name; }
    void setCompanyName(const std::wstring& name) { companyName_ = name; }

    static const wchar_t* const kFailedToLoad;

private:
    // SetThreadLocale with a locale other than 0; logs a refusal.
    bool setLocale(LCID lcid);

    DWORD bidiState_ = 0;
    DWORD lastLocale_ = 0;
    std::wstring productName_ = L"UNDEFINED";
    std::wstring companyName_ = L"UNDEFINED";
    HMODULE resourceHandle_ = nullptr;
};
