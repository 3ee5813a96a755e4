#pragma once
#include "registry/RegistryName.h"
#include "registry/RegistryValueKinds.h"
#include "sys/ScopedHandle.h"

#include <map>
#include <string>

namespace Registry {

template <typename Kind>
class value_map;

// One value of a value map, by name: reading it reads the value, assigning to it writes it.
template <typename Kind>
class value_ref {
public:
    using value_type = typename Kind::value_type;

    value_ref(value_map<Kind>& map, const std::wstring& name) : map_(map), name_(name) {}

    operator value_type() const { return map_.read(name_); }
    value_type get() const { return map_.read(name_); }
    value_type operator=(const value_type& value)
    {
        map_.write(name_, value);
        return value;
    }
    value_type operator=(const value_ref& other) { return *this = other.get(); }

private:
    value_map<Kind>& map_;
    std::wstring name_;
};

// One open key and a cache of its values of one kind. The key is created when missing.
// A value of another type is invisible to the map. Names match without regard to letter case,
// as in the registry itself.
template <typename Kind>
class value_map {
public:
    using value_type = typename Kind::value_type;

    // Raises reg_open_key_failure when the key can be neither opened nor created.
    value_map(HKEY root, const std::wstring& path, REGSAM access);
    ~value_map() = default;
    value_map(const value_map&) = delete;
    value_map& operator=(const value_map&) = delete;

    value_ref<Kind> at(const std::wstring& name) { return value_ref<Kind>(*this, name); }
    value_ref<Kind> operator[](const std::wstring& name) { return at(name); }

    // Whether a value of this kind has the name; touches nothing.
    bool find(const std::wstring& name) const { return cache.find(name) != cache.end(); }

    // A missing value is written with the kind's default first; raises reg_set_value_failure
    // when the registry refuses that write.
    value_type read(const std::wstring& name);
    // Raises reg_set_value_failure when the registry refuses the write; the cache keeps the old value.
    void write(const std::wstring& name, const value_type& value);
    // Nothing happens for a name the map does not hold. Raises reg_delete_val_failure when the
    // registry refuses; the value stays in the cache.
    void erase(const std::wstring& name);

private:
    UniqueKey hkey;
    std::map<std::wstring, value_type, name_less> cache;
    REGSAM access;
};

extern template class value_map<number_kind>;
extern template class value_map<string_kind>;
extern template class value_map<expand_string_kind>;

using number_map = value_map<number_kind>;                // REG_DWORD values, default 0
using string_map = value_map<string_kind>;                // REG_SZ values, default ""
using expand_string_map = value_map<expand_string_kind>;  // REG_EXPAND_SZ values, default ""

// Every key object of Setup is opened with these rights.
const REGSAM default_access = KEY_READ | KEY_WRITE;

}  // namespace Registry
