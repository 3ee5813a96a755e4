#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The three kinds of value a value map handles: how each is stored and read back.
namespace Registry {

using value_bytes = std::vector<BYTE>;

// REG_DWORD: 4 bytes, little-endian. Data shorter than 4 bytes reads zero-extended;
// longer data reads its first 4 bytes.
struct number_kind {
    using value_type = DWORD;
    static constexpr DWORD reg_type = REG_DWORD;
    static value_type default_value() { return 0; }
    static value_bytes encode(const value_type& value);
    static value_type decode(const BYTE* data, size_t size);
};

// REG_SZ: UTF-16 code units and a terminating NUL, as RegSetValueExW requires: readers of the
// system (the run-once processing, the list of installed programs) take the data as it is and
// would run or show whatever follows an unterminated string. An empty string is the NUL alone.
// Reading stops at the first NUL or at the end of the data; an odd last byte is ignored.
struct string_kind {
    using value_type = std::wstring;
    static constexpr DWORD reg_type = REG_SZ;
    static value_type default_value() { return std::wstring(); }
    static value_bytes encode(const value_type& value);
    static value_type decode(const BYTE* data, size_t size);
};

// REG_EXPAND_SZ: stored and read like a string.
struct expand_string_kind : string_kind {
    static constexpr DWORD reg_type = REG_EXPAND_SZ;
};

}  // namespace Registry
