#include "registry/SubkeySet.h"

#include "registry/RegistryApi.h"
#include "registry/RegistryExceptions.h"

namespace Registry {

subkey_set::subkey_set(HKEY root, const std::wstring& path, REGSAM access) : access(access)
{
    hkey = api::create_key(root, path, access);
    api::for_each_subkey(hkey.get(), [this](const std::wstring& name) { names.insert(name); });
}

std::pair<subkey_set::names_type::const_iterator, bool> subkey_set::insert(const std::wstring& name)
{
    auto inserted = names.insert(name);
    if (inserted.second && api::create_subkey(hkey.get(), name, access) != ERROR_SUCCESS) {
        names.erase(inserted.first);
        throw reg_set_value_failure();
    }
    return inserted;
}

void subkey_set::erase(const std::wstring& name)
{
    auto found = names.find(name);
    if (found == names.end()) {
        return;
    }
    const std::wstring kept = *found;
    names.erase(found);
    if (api::delete_subkey(hkey.get(), name) != ERROR_SUCCESS) {
        names.insert(kept);
        throw reg_delete_val_failure();
    }
}

}  // namespace Registry
