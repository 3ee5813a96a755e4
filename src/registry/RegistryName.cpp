#include "registry/RegistryName.h"

#include <windows.h>

#include <algorithm>

namespace Registry {

wchar_t fold_name_char(wchar_t c)
{
    // CharUpperW converts a single character passed in the low word of the pointer.
    return static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(
        static_cast<ULONG_PTR>(static_cast<unsigned short>(c))))));
}

bool name_less::operator()(const std::wstring& left, const std::wstring& right) const
{
    return std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end(),
                                        [](wchar_t a, wchar_t b) { return fold_name_char(a) < fold_name_char(b); });
}

}  // namespace Registry
