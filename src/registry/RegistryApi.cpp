#include "registry/RegistryApi.h"

#include "registry/RegistryExceptions.h"

namespace Registry {
namespace api {

namespace {

const DWORD nameBufferChars = 260;

}  // namespace

UniqueKey create_key(HKEY root, const std::wstring& path, REGSAM access)
{
    UniqueKey key;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS) {
        key.release();
        throw reg_open_key_failure();
    }
    return key;
}

void for_each_value(HKEY key, DWORD type,
                    const std::function<void(const std::wstring& name, const value_bytes& data)>& found)
{
    for (DWORD index = 0;; ++index) {
        wchar_t name[nameBufferChars];
        DWORD nameChars = nameBufferChars;
        DWORD valueType = 0;
        DWORD size = 0;
        const LONG probe = RegEnumValueW(key, index, name, &nameChars, nullptr, &valueType, nullptr, &size);
        if (probe != ERROR_SUCCESS && probe != ERROR_MORE_DATA) {
            return;  // ERROR_NO_MORE_ITEMS, or a key that cannot be enumerated at all
        }
        if (probe != ERROR_SUCCESS || valueType != type) {
            continue;
        }
        value_bytes data(size > 0 ? size : 1, 0);
        nameChars = nameBufferChars;
        size = static_cast<DWORD>(data.size());
        if (RegEnumValueW(key, index, name, &nameChars, nullptr, &valueType, data.data(), &size) != ERROR_SUCCESS ||
            valueType != type) {
            continue;
        }
        data.resize(size);
        found(std::wstring(name, nameChars), data);
    }
}

void for_each_subkey(HKEY key, const std::function<void(const std::wstring& name)>& found)
{
    for (DWORD index = 0;; ++index) {
        wchar_t name[nameBufferChars];
        DWORD nameChars = nameBufferChars;
        const LONG result = RegEnumKeyExW(key, index, name, &nameChars, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) {
            return;
        }
        if (result == ERROR_SUCCESS) {
            found(std::wstring(name, nameChars));
        }
    }
}

LONG set_value(HKEY key, const std::wstring& name, DWORD type, const value_bytes& data)
{
    static const BYTE none = 0;
    return RegSetValueExW(key, name.c_str(), 0, type, data.empty() ? &none : data.data(),
                          static_cast<DWORD>(data.size()));
}

LONG delete_value(HKEY key, const std::wstring& name)
{
    return RegDeleteValueW(key, name.c_str());
}

LONG create_subkey(HKEY key, const std::wstring& name, REGSAM access)
{
    UniqueKey created;
    return RegCreateKeyExW(key, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, created.put(),
                           nullptr);
}

LONG delete_subkey(HKEY key, const std::wstring& name)
{
    return RegDeleteKeyW(key, name.c_str());
}

}  // namespace api
}  // namespace Registry
