// Pending file renames, the machine-wide environment and the suite key's values.
#include "registry/CRegistryUtils.h"

#include "registry/RegistryLog.h"
#include "log/Format.h"
#include "registry/OperationGuard.h"
#include "registry/PendingRenameRules.h"
#include "registry/Registry.h"
#include "registry/RegistryPaths.h"
#include "sys/ScopedHandle.h"

using namespace RegistryGuard;

namespace {

const wchar_t* const kHklm = L"HKEY_LOCAL_MACHINE\\";

// The value's data, read in two steps as ReadRegMultiKey logs them; false when it cannot be read.
bool readMultiStringData(const wchar_t* fn, HKEY key, const std::wstring& valueName, std::vector<BYTE>& data)
{
    DWORD size = 0;
    if (RegQueryValueExW(key, valueName.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS || size < 2) {
        REG_LOG(fn, Format(L"Can't get size of the %s key value", valueName.c_str()));
        REG_LOG(fn, L"The key is absent in the registry, not REG_MULTI_SZ type or an error has occured.");
        return false;
    }
    REG_LOG(fn, Format(L"Got the %s key value size: %d", valueName.c_str(), static_cast<int>(size)));
    data.assign(size, 0);
    DWORD type = 0;
    if (RegQueryValueExW(key, valueName.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS || size < 2 ||
        type != REG_MULTI_SZ) {
        REG_LOG(fn, L"ERROR: Failed to get the key value");
        return false;
    }
    data.resize(size);
    return true;
}

}  // namespace

int CRegistryUtils::GetCurrentControlSetNr()
{
    const wchar_t* const fn = L"CRegistryUtils::GetCurrentControlSetNr";
    REG_LOG(fn, L"Getting current control set number");
    FailurePlan<int> plan = Standard(0, L"ERROR: Unknown exception caught! Using default value 001...");
    plan.other.result = 1;
    return Run(fn, __LINE__, plan, [&] {
        Registry::number_map select(HKEY_LOCAL_MACHINE, RegistryPaths::kSelectKey, Registry::default_access);
        const int number = static_cast<int>(select.at(L"Current").get());
        REG_LOG(fn, Format(L"Getting current control set number %d from registry key %s%sCurrent", number, kHklm,
                           RegistryPaths::kSelectKey));
        return number;
    });
}

std::wstring CRegistryUtils::AssembleCurrentControlSetString(DWORD controlSet)
{
    const wchar_t* const fn = L"CRegistryUtils::AssembleCurrentControlSetString";
    return Run(fn, __LINE__, UnknownOnly(std::wstring()), [&] {
        if (controlSet == 0) {
            REG_LOG(fn, L"Failed to assemble current control set string, returning an empty string.");
            return std::wstring();
        }
        const std::wstring assembled = Format(L"ControlSet%.3u", static_cast<unsigned>(controlSet));
        REG_LOG(fn, L"Assembled string: " + assembled);
        return assembled;
    });
}

int CRegistryUtils::ReadRegMultiKey(const std::wstring& valueName, HKEY root, const std::wstring& subKey,
                                    std::vector<std::wstring>& strings)
{
    const wchar_t* const fn = L"CRegistryUtils::ReadRegMultiKey";
    return Run(fn, __LINE__, UnknownOnly(-1), [&] {
        REG_LOG(fn, Format(L"Openning the following key: %s", subKey.c_str()));
        UniqueKey key;
        if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) {
            key.release();
            REG_LOG(fn, Format(L"ERROR: Openning the following key: %s", subKey.c_str()));
            return -1;
        }
        std::vector<BYTE> data;
        if (!readMultiStringData(fn, key.get(), valueName, data)) {
            return -1;
        }
        REG_LOG(fn, Format(L"Got the %s key value", valueName.c_str()));
        for (const auto& text : PendingRenameRules::SplitMultiString(data.data(), data.size())) {
            strings.push_back(text);
            REG_LOG(fn, Format(L"PendingFileRenameOperations found: %s", text.c_str()));
        }
        return 0;
    });
}

bool CRegistryUtils::GetPendingFileRenames(const std::wstring& exceptionList)
{
    const wchar_t* const fn = L"CRegistryUtils::GetPendingFileRenames";
    const wchar_t* const warning = L"WARNING: Failed to get PendingFileRenameOperations status.";
    REG_LOG(fn, L"Getting PendingFileRenames status (PendingFileRenameOperations)...");
    return Run(fn, __LINE__, UnknownOnly(false, warning), [&] {
        std::wstring path = RegistryPaths::kSessionManagerKey;
        const std::wstring controlSet =
            AssembleCurrentControlSetString(static_cast<DWORD>(GetCurrentControlSetNr()));
        if (controlSet.empty() || !PendingRenameRules::ReplaceControlSet(path, controlSet)) {
            REG_LOG(fn, warning);
            return false;
        }
        REG_LOG(fn, L"Path after replacement: " + path);
        const auto patterns = PendingRenameRules::SplitExceptionList(exceptionList);
        std::vector<std::wstring> operations;
        if (ReadRegMultiKey(L"PendingFileRenameOperations", HKEY_LOCAL_MACHINE, path, operations) != 0) {
            REG_LOG(fn, warning);
            return false;
        }
        for (const auto& operation : operations) {
            bool matched = false;
            for (size_t i = 0; i < patterns.size() && !matched; ++i) {
                REG_LOG(fn, Format(L"Comparing Exception = Operation: %s = %s", patterns[i].c_str(),
                                     operation.c_str()));
                matched = PendingRenameRules::WildcardMatch(operation, patterns[i]);
            }
            if (!matched) {
                REG_LOG(fn, L"PendingFileRenameOperations found (not in exception list): " + operation);
                return true;
            }
        }
        REG_LOG(fn, L"No PendingFileRenameOperations (not in exception list) found.");
        return false;
    });
}

bool CRegistryUtils::SetEnvironmentVariableForAll(const std::wstring& name, const std::wstring& value)
{
    const wchar_t* const fn = L"CRegistryUtils::SetEnvironmentVariableForAll";
    REG_LOG(fn, Format(L"Setting environment variable: %s=%s", name.c_str(), value.c_str()));
    return Run(fn, __LINE__, UnknownOnly(false), [&] {
        Registry::expand_string_map environment(HKEY_LOCAL_MACHINE, RegistryPaths::kEnvironmentKey,
                                                Registry::default_access);
        environment.at(name) = value;
        REG_LOG(fn, Format(L"Successfully set environment variable: %s to registry key %s%s\\%s", value.c_str(),
                           kHklm, RegistryPaths::kEnvironmentKey, name.c_str()));
        return true;
    });
}

bool CRegistryUtils::SetREG_SZ(const std::wstring& name, const std::wstring& value)
{
    const wchar_t* const fn = L"CRegistryUtils::SetREG_SZ";
    return Run(fn, __LINE__, Standard(false), [&] {
        Registry::string_map suite(HKEY_LOCAL_MACHINE, RegistryPaths::kSuiteKey, Registry::default_access);
        suite.at(name) = value;
        REG_LOG(fn, Format(L"Successfully set to registry key %s%s%s, value: %s", kHklm, RegistryPaths::kSuiteKey,
                           name.c_str(), value.c_str()));
        return true;
    });
}

WORD CRegistryUtils::GetCurrTolvaneLanguageId()
{
    const wchar_t* const fn = L"CRegistryUtils::GetCurrTolvaneLanguageId";
    FailurePlan<WORD> plan = UnknownOnly(static_cast<WORD>(0xFFFF));
    plan.open = Handler<WORD>{L"Couldn't open key", 0xFFFF};
    return Run(fn, __LINE__, plan, [&] {
        Registry::number_map suite(HKEY_LOCAL_MACHINE, RegistryPaths::kSuiteKey, Registry::default_access);
        const DWORD language = suite.at(L"TolvaneLanguage");
        REG_LOG(fn, Format(L"Successfully get value %d from registry key %s%sTolvaneLanguage",
                           static_cast<int>(language), kHklm, RegistryPaths::kSuiteKey));
        return static_cast<WORD>(language & 0xFFFF);
    });
}
