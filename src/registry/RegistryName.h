#pragma once
#include <string>

namespace Registry {

// Orders value and sub-key names as the registry matches them: without regard to letter case,
// so that "State" and "STATE" are one entry of a cache, as they are one value of a key.
struct name_less {
    bool operator()(const std::wstring& left, const std::wstring& right) const;
};

// The code unit as the registry compares it (upper case).
wchar_t fold_name_char(wchar_t c);

}  // namespace Registry
