#include "sequencer/SequencerDecisions.h"

#include <cwchar>
#include <cwctype>

namespace sequencer {

namespace {

std::wstring upper(std::wstring s)
{
    for (auto& c : s) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    return s;
}

bool isTrue(const std::wstring& value) { return upper(value) == L"TRUE"; }

}  // namespace

std::size_t positionFromInternalState(int internalState, std::size_t count)
{
    if (internalState <= 1) {
        return 0;
    }
    const std::size_t steps = static_cast<std::size_t>(internalState) - 1;
    return steps < count ? steps : count;
}

bool rebootOptionClearsSuppression(const std::wstring& strReboot)
{
    return strReboot == L"True" || strReboot == L"Auto";
}

bool rebootOptionAsksRestart(const std::wstring& strReboot)
{
    const std::wstring u = upper(strReboot);
    return u == L"TRUE" || u == L"AUTO";
}

Validation decideValidation(DWORD dwResult, const std::wstring& strReboot, bool bFinished, bool suppressed)
{
    switch (dwResult) {
    case ERROR_SUCCESS:
        if (bFinished) {
            return Validation::Finish;
        }
        return suppressed ? Validation::StopSuppressed : Validation::RebootOrExit;
    case 5:
        return Validation::Cancelled;
    case 0xFFFFFFFFu:
        return Validation::RollBack;
    case ERROR_SUCCESS_REBOOT_INITIATED:
        return Validation::RebootInitiated;
    case ERROR_SUCCESS_REBOOT_REQUIRED:
        if (bFinished) {
            return Validation::FinishRebootRequired;
        }
        return strReboot == L"False" ? Validation::PendingRebootLater : Validation::PendingRebootAsk;
    default:
        if (bFinished) {
            return Validation::FinishAfterFailure;
        }
        return suppressed ? Validation::StopSuppressed : Validation::RebootIgnoringResult;
    }
}

std::optional<std::wstring> appendSharedFolder(const std::wstring& path, const std::wstring& sharedFolder)
{
    if (sharedFolder.empty() || upper(path).find(upper(sharedFolder)) != std::wstring::npos) {
        return std::nullopt;
    }
    std::wstring result = path;
    if (!result.empty() && result.back() != L';') {
        result += L';';
    }
    return result + sharedFolder;
}

BitnessSkip bitnessSkip(const std::wstring& s64Bit, const std::wstring& s32Bit, bool is64)
{
    if (isTrue(s64Bit) && !is64) {
        return BitnessSkip::Skip64OnX86;
    }
    if (isTrue(s32Bit) && is64) {
        return BitnessSkip::Skip32OnX64;
    }
    return BitnessSkip::None;
}

std::optional<int> languageFromArgument(const std::wstring& argument)
{
    if (argument.size() < 5 || (argument[0] != L'-' && argument[0] != L'/') ||
        (argument[1] != L'l' && argument[1] != L'L')) {
        return std::nullopt;
    }
    const std::wstring code = argument.substr(2, 4);
    return static_cast<int>(std::wcstol(code.c_str(), nullptr, 10));
}

}  // namespace sequencer
