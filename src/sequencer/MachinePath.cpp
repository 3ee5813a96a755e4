#include "sequencer/MachinePath.h"

#include "log/CLog.h"
#include "registry/CRegistryUtils.h"
#include "sequencer/SequencerDecisions.h"
#include "sys/ScopedHandle.h"

#include <vector>

namespace sequencer {

bool readMachinePath(std::wstring& value)
{
    UniqueKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment", 0,
                      KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) {
        return false;
    }
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key.get(), L"Path", nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return false;
    }
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key.get(), L"Path", nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS) {
        return false;
    }
    buffer.back() = L'\0';
    value = buffer.data();
    return true;
}

void addToMachinePath(CRegistryUtils& registry, const std::wstring& sharedFolder, const wchar_t* functionName)
{
    std::wstring machine;
    if (!readMachinePath(machine)) {
        SETUP_LOG(functionName, L"ERROR: Reading the machine-wide Path value failed, leaving it unchanged...");
        return;
    }
    const auto merged = appendSharedFolder(machine, sharedFolder);
    if (!merged) {
        return;
    }
    SETUP_LOG(functionName, L"Adding Brennik Shared path to the Path environment variable...");
    if (!registry.SetEnvironmentVariableForAll(L"Path", *merged)) {
        SETUP_LOG(functionName, L"ERROR: Adding Brennik Shared path to the Path environment variable has failed...");
    }
}

}  // namespace sequencer
