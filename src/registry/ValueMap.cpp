#include "registry/ValueMap.h"

#include "registry/RegistryApi.h"
#include "registry/RegistryExceptions.h"

namespace Registry {

template <typename Kind>
value_map<Kind>::value_map(HKEY root, const std::wstring& path, REGSAM access) : access(access)
{
    hkey = api::create_key(root, path, access);
    api::for_each_value(hkey.get(), Kind::reg_type, [this](const std::wstring& name, const value_bytes& data) {
        cache.emplace(name, Kind::decode(data.data(), data.size()));
    });
}

template <typename Kind>
typename value_map<Kind>::value_type value_map<Kind>::read(const std::wstring& name)
{
    auto found = cache.find(name);
    if (found != cache.end()) {
        return found->second;
    }
    const value_type fallback = Kind::default_value();
    if (api::set_value(hkey.get(), name, Kind::reg_type, Kind::encode(fallback)) != ERROR_SUCCESS) {
        throw reg_set_value_failure();
    }
    cache.emplace(name, fallback);
    return fallback;
}

template <typename Kind>
void value_map<Kind>::write(const std::wstring& name, const value_type& value)
{
    if (api::set_value(hkey.get(), name, Kind::reg_type, Kind::encode(value)) != ERROR_SUCCESS) {
        throw reg_set_value_failure();
    }
    cache[name] = value;
}

template <typename Kind>
void value_map<Kind>::erase(const std::wstring& name)
{
    auto found = cache.find(name);
    if (found == cache.end()) {
        return;
    }
    const auto kept = *found;
    cache.erase(found);
    if (api::delete_value(hkey.get(), name) != ERROR_SUCCESS) {
        cache.insert(kept);
        throw reg_delete_val_failure();
    }
}

template class value_map<number_kind>;
template class value_map<string_kind>;
template class value_map<expand_string_kind>;

}  // namespace Registry
