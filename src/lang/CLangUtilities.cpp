#include "lang/CLangUtilities.h"

#include "lang/ProgramFolder.h"
#include "lang/ReadingDirection.h"
#include "log/CLog.h"
#include "log/Format.h"
#include "registry/Registry.h"
#include "registry/RegistryPaths.h"

namespace {

const wchar_t* const kCurrentLanguage = L"CurrentLanguage";
const wchar_t* const kCurrentSubLanguage = L"CurrentSubLanguage";
const wchar_t* const kFromCdBrowser = L"LanguageFetchedFromCDBrowser";

// The language values of the application key; raises Registry::reg_open_key_failure.
Registry::number_map openLanguageValues()
{
    return Registry::number_map(HKEY_CURRENT_USER, RegistryPaths::kApplicationKey, Registry::default_access);
}

}  // namespace

const wchar_t* const CLangUtilities::kFailedToLoad = L"FAILED TO LOAD RESOURCE";

CLangUtilities& CLangUtilities::getInstance()
{
    // The log parses the setup file when it is created, and a value holding the language
    // constant asks for this object: the log must exist before this object starts to.
    CLog::getInstance();
    static CLangUtilities instance(ProgramFolder::fileBeside(L"Ombrisk.dll"));
    return instance;
}

CLangUtilities::CLangUtilities(const std::wstring& libraryPath)
    : resourceHandle_(libraryPath.empty() ? nullptr : LoadLibraryW(libraryPath.c_str()))
{
    const wchar_t* const function = L"CLangUtilities::CLangUtilities";
    if (resourceHandle_ != nullptr) {
        SETUP_LOG(function, L"Successfully loaded Ombrisk.dll ...");
    } else {
        SETUP_LOG(function, L"ERROR: Failed to load Ombrisk.dll ...");
    }
}

bool CLangUtilities::setCurrentLanguage()
{
    const wchar_t* const function = L"CLangUtilities::setCurrentLanguage";
    SETUP_LOG(function, L"Setting thread locales language to the same current selected locale "
                        L"(Start->Control Panel->Regional and Langauge Options)");
    try {
        Registry::number_map values = openLanguageValues();
        const LANGID language = GetUserDefaultLangID();
        if (!setThrdLocale(MAKELCID(language, SORT_DEFAULT))) {
            SETUP_LOG(function, L"Failed to change ThreadLocale");
            return false;
        }
        values[kCurrentLanguage] = language;
        bidiState_ = ReadingDirection::bidiStateFor(language, bidiState_);
        SETUP_LOG(function, Format(L"Successfully changed ThreadLocale %d", language));
        return true;
    } catch (...) {
        SETUP_LOG(function, L"ERROR: Unknown exception caught.");
        return false;
    }
}

bool CLangUtilities::setCurrentLanguage(unsigned lang, unsigned sublang)
{
    const wchar_t* const function = L"CLangUtilities::setCurrentLanguage";
    SETUP_LOG(function, Format(L"Setting thread locales language to Lang:%d SubLang:%d", lang, sublang));
    try {
        Registry::number_map values = openLanguageValues();
        if (lang == 0) {
            SETUP_LOG(function, L"LanguageId == 0 (setting to default language)...");
            return setCurrentLanguage();
        }
        const bool localeSet = sublang == 1 ? setThrdLocale(static_cast<LCID>(lang)) : setThrdLocale(lang, sublang);
        if (!localeSet) {
            SETUP_LOG(function, L"Failed to change ThreadLocale");
            return false;
        }
        values[kCurrentLanguage] = lang;
        if (sublang != 1) {
            values[kCurrentSubLanguage] = sublang;
        }
        bidiState_ = ReadingDirection::bidiStateFor(lang, bidiState_);
        SETUP_LOG(function, Format(L"Successfully changed ThreadLocale %d", lang));
        return true;
    } catch (...) {
        SETUP_LOG(function, L"ERROR: Unknown exception caught.");
        return false;
    }
}

unsigned short CLangUtilities::getCurrentLanguageId()
{
    const wchar_t* const function = L"CLangUtilities::getCurrentLanguageId";
    try {
        Registry::number_map values = openLanguageValues();
        return LOWORD(values.read(kCurrentLanguage));
    } catch (const Registry::reg_open_key_failure& failure) {
        SETUP_LOG(function, Widen(failure.what(), CP_ACP));
    } catch (...) {
        SETUP_LOG(function, L"ERROR: Unknown exception caught!");
    }
    return 0xFFFF;
}

bool CLangUtilities::setThrdLocale(LCID lcid)
{
    if (lcid != 0) {
        return setLocale(lcid);
    }
    if (!SetThreadLocale(MAKELCID(GetUserDefaultLangID(), SORT_DEFAULT))) {
        const DWORD error = GetLastError();
        SETUP_LOG(L"CLangUtilities::setThrdLocale",
                  Format(L"ERROR: SetThreadLocale() failed, error code %d returned.", error));
        return false;
    }
    lastLocale_ = 0;
    return true;
}

bool CLangUtilities::setThrdLocale(unsigned lang, unsigned sublang)
{
    const LANGID language = static_cast<LANGID>((sublang << 10) | lang);
    return setLocale(MAKELCID(language, SORT_DEFAULT));
}

bool CLangUtilities::setLocale(LCID lcid)
{
    if (!SetThreadLocale(MAKELCID(LOWORD(lcid), SORT_DEFAULT))) {
        const DWORD error = GetLastError();
        SETUP_LOG(L"CLangUtilities::setThrdLocale",
                  Format(L"ERROR: SetThreadLocale() failed, error code %d returned.", error));
        return false;
    }
    checkLCID(lcid);
    lastLocale_ = lcid;
    return true;
}

bool CLangUtilities::checkLCID(LCID lcid)
{
    if (lcid == lastLocale_) {
        return false;
    }
    SETUP_LOG(L"CLangUtilities::checkLCID",
              L"LCID differs from lastLocale_ (last set locale), i.e. language is set or changed.");
    return true;
}

DWORD CLangUtilities::getBidiState()
{
    const bool rightToLeft = bidiState_ == ReadingDirection::kRightToLeftFlags;
    SETUP_LOG(L"CLangUtilities::getBidiState",
              Format(L"Returning BiDi state: %s (%d).", rightToLeft ? L"MB_RIGHT | MB_RTLREADING" : L"LTR",
                     bidiState_));
    return bidiState_;
}

bool CLangUtilities::isRTL()
{
    const bool rightToLeft = getBidiState() == ReadingDirection::kRightToLeftFlags;
    SETUP_LOG(L"CLangUtilities::isRTL", rightToLeft ? L"Is RTL" : L"Is LTR");
    return rightToLeft;
}

bool CLangUtilities::langRetrievedFromCDBrowser()
{
    try {
        Registry::number_map values = openLanguageValues();
        const DWORD value = values.read(kFromCdBrowser);
        SETUP_LOG(L"CLangUtilities::langRetrievedFromCDBrowser",
                  Format(L"langRetrievedFromCDBrowser returns %d i.e. %s", value, value == 1 ? L"TRUE" : L"FALSE"));
        return value == 1;
    } catch (...) {
        return false;
    }
}

bool CLangUtilities::setLangRetrievedFromCDBrowser(bool fromCdBrowser)
{
    SETUP_LOG(L"CLangUtilities::setLangRetrievedFromCDBrowser",
              Format(L"setLangRetrievedFromCDBrowser to %s", fromCdBrowser ? L"TRUE (1)" : L"FALSE (0)"));
    try {
        Registry::number_map values = openLanguageValues();
        values[kFromCdBrowser] = fromCdBrowser ? 1 : 0;
        return true;
    } catch (...) {
        return false;
    }
}
