#include "setupfile/CConstantReplacer.h"

#include "lang/CLangUtilities.h"
#include "lang/Placeholders.h"
#include "log/CLog.h"
#include "log/Format.h"

#include <vector>

namespace {

// The entries belong to the parser's operation that asks for the substitution.
const wchar_t* const kFunction = L"CIniReader::replaceConstants";
const wchar_t* const kTemp = L"%TEMP%";
const wchar_t* const kAutoLang = L"%SETUP_AUTOLANG%";
const wchar_t* const kCommonFiles = L"%COMMONPROGRAMFILES%";
const wchar_t* const kCommonFilesVariable = L"COMMONPROGRAMFILES";

bool contains(const std::wstring& value, const wchar_t* constant)
{
    return value.find(constant) != std::wstring::npos;
}

}  // namespace

int CConstantReplacer::replace(std::wstring& value)
{
    int nrOfReplacements = 0;
    if (contains(value, kTemp) && replaceTemporaryFolder(value)) {
        nrOfReplacements = 1;
    }
    if (contains(value, kAutoLang) && replaceLanguage(value)) {
        ++nrOfReplacements;
    }
    if (contains(value, kCommonFiles) && replaceCommonProgramFiles(value)) {
        ++nrOfReplacements;
    }
    if (nrOfReplacements > 0) {
        SETUP_LOG(kFunction, Format(L"strData=\"%s\", nrOfReplacements=%d", value.c_str(), nrOfReplacements));
    }
    return nrOfReplacements;
}

bool CConstantReplacer::replaceTemporaryFolder(std::wstring& value)
{
    SETUP_LOG(kFunction, L"Found %");
    DWORD error = ERROR_SUCCESS;
    const std::optional<std::wstring> folder = temporaryFolder(error);
    if (!folder) {
        SETUP_LOG(kFunction, Format(L"ERROR: GetTempPathW() failed, error code %d returned. Value left unchanged.",
                                    static_cast<int>(error)));
        return false;
    }
    SETUP_LOG(kFunction, L"Temp Path: ");
    SETUP_LOG(kFunction, *folder);
    ReplaceAll(value, std::wstring(kTemp) + L"\\", *folder);
    SETUP_LOG(kFunction, L"New String: ");
    SETUP_LOG(kFunction, value);
    return true;
}

bool CConstantReplacer::replaceLanguage(std::wstring& value)
{
    SETUP_LOG(kFunction, L"Found %SETUP_AUTOLANG%");
    if (!languageFromCdBrowser()) {
        SETUP_LOG(kFunction,
                  L"No language code was retrieved from CD Browser, removing %SETUP_AUTOLANG% from value.");
        ReplaceAll(value, kAutoLang, L"");
        return false;
    }
    SETUP_LOG(kFunction, L"Language code was retrieved from CD Browser, replacing with current language code.");
    ReplaceAll(value, kAutoLang, Format(L"/L%d", static_cast<int>(currentLanguageId())));
    return true;
}

bool CConstantReplacer::replaceCommonProgramFiles(std::wstring& value)
{
    SETUP_LOG(kFunction, L"Found %");
    DWORD error = ERROR_SUCCESS;
    const std::optional<std::wstring> folder = commonProgramFiles(error);
    if (!folder) {
        SETUP_LOG(kFunction, error == ERROR_ENVVAR_NOT_FOUND
                                 ? L"ERROR: COMMONPROGRAMFILES environment variable was not found..."
                                 : L"ERROR: Getting COMMONPROGRAMFILES environment variable value operation failed...");
        return false;
    }
    SETUP_LOG(kFunction, L"CommonProgramFiles path: ");
    SETUP_LOG(kFunction, *folder);
    ReplaceAll(value, kCommonFiles, *folder);
    SETUP_LOG(kFunction, L"New String: ");
    SETUP_LOG(kFunction, value);
    return true;
}

std::optional<std::wstring> CConstantReplacer::temporaryFolder(DWORD& error)
{
    DWORD size = GetTempPathW(0, nullptr);
    while (size != 0) {
        std::vector<wchar_t> buffer(size + 1);
        const DWORD length = GetTempPathW(size, buffer.data());
        if (length == 0) {
            break;
        }
        if (length < size) {
            return std::wstring(buffer.data(), length);
        }
        size = length + 1;  // the folder grew between the two calls
    }
    error = GetLastError();
    return std::nullopt;
}

bool CConstantReplacer::languageFromCdBrowser()
{
    return CLangUtilities::getInstance().langRetrievedFromCDBrowser();
}

unsigned short CConstantReplacer::currentLanguageId()
{
    return CLangUtilities::getInstance().getCurrentLanguageId();
}

std::optional<std::wstring> CConstantReplacer::commonProgramFiles(DWORD& error)
{
    SetLastError(ERROR_SUCCESS);
    DWORD size = GetEnvironmentVariableW(kCommonFilesVariable, nullptr, 0);
    while (size != 0) {
        std::vector<wchar_t> buffer(size + 1);
        const DWORD length = GetEnvironmentVariableW(kCommonFilesVariable, buffer.data(), size);
        if (length == 0) {
            break;
        }
        if (length < size) {
            return std::wstring(buffer.data());
        }
        size = length;  // the variable grew between the two calls
    }
    error = GetLastError();
    return std::nullopt;
}
