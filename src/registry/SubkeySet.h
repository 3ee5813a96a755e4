#pragma once
#include "registry/RegistryName.h"
#include "sys/ScopedHandle.h"

#include <set>
#include <string>
#include <utility>

namespace Registry {

// One open key and the names of its sub-keys. The key is created when missing.
class subkey_set {
public:
    using names_type = std::set<std::wstring, name_less>;

    // Raises reg_open_key_failure when the key can be neither opened nor created.
    subkey_set(HKEY root, const std::wstring& path, REGSAM access);
    ~subkey_set() = default;
    subkey_set(const subkey_set&) = delete;
    subkey_set& operator=(const subkey_set&) = delete;

    // Creates the sub-key when its name is new; raises reg_set_value_failure when that fails.
    std::pair<names_type::const_iterator, bool> insert(const std::wstring& name);
    // Deletes the sub-key (never recursively); nothing happens for a name the set does not hold.
    // Raises reg_delete_val_failure when the registry refuses (the sub-key has sub-keys, say).
    void erase(const std::wstring& name);

    bool find(const std::wstring& name) const { return names.find(name) != names.end(); }
    const names_type& all() const { return names; }

private:
    UniqueKey hkey;
    names_type names;
    REGSAM access;
};

}  // namespace Registry
