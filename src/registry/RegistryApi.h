#pragma once
#include "registry/RegistryValueKinds.h"
#include "sys/ScopedHandle.h"

#include <functional>
#include <string>

// The registry calls of the key classes, one function each; everything above them is plain logic.
namespace Registry {
namespace api {

// Opens `path` below `root`, creating it and its missing parents; raises reg_open_key_failure.
UniqueKey create_key(HKEY root, const std::wstring& path, REGSAM access);

// Calls `found` for every value of type `type` whose name fits 259 characters, in index order.
// Values that cannot be read are skipped; the walk ends at the first error other than a long name.
void for_each_value(HKEY key, DWORD type,
                    const std::function<void(const std::wstring& name, const value_bytes& data)>& found);

// Calls `found` for every sub-key name that fits 259 characters, in index order.
void for_each_subkey(HKEY key, const std::function<void(const std::wstring& name)>& found);

// Win32 error codes (ERROR_SUCCESS on success).
LONG set_value(HKEY key, const std::wstring& name, DWORD type, const value_bytes& data);
LONG delete_value(HKEY key, const std::wstring& name);
LONG create_subkey(HKEY key, const std::wstring& name, REGSAM access);
LONG delete_subkey(HKEY key, const std::wstring& name);

}  // namespace api
}  // namespace Registry
