#pragma once
#include <windows.h>

#include <string>

// Finds the product that Windows Installer knows under an upgrade code.
class CTranslator {
public:
    static CTranslator& getInstance();

    CTranslator() = default;
    virtual ~CTranslator() = default;
    CTranslator(const CTranslator&) = delete;
    CTranslator& operator=(const CTranslator&) = delete;

    // ERROR_SUCCESS with the first related product's code in `productCode`, or the Windows Installer
    // status (87 for an empty upgrade code); `productCode` is left alone on failure.
    UINT TranslateUpgrade2ProductCode(const std::wstring& upgradeCode, std::wstring& productCode);
};
