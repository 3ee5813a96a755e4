#include "exec/CVersion.h"

#include <cwchar>

namespace {

// The leading decimal number of a part (white space and a sign allowed), 0 when there is none.
int leadingNumber(const std::wstring& part)
{
    return static_cast<int>(std::wcstol(part.c_str(), nullptr, 10));
}

}  // namespace

CVersion::CVersion(const std::wstring& text)
{
    std::wstring rest = text;
    for (auto& c : rest) {
        if (c == L',') {
            c = L'.';
        }
    }
    while (!rest.empty()) {
        const size_t dot = rest.find(L'.');
        components.push_back(leadingNumber(rest.substr(0, dot)));
        rest = dot == std::wstring::npos ? std::wstring() : rest.substr(dot + 1);
    }
}

bool CVersion::isEqual(const CVersion& a, const CVersion& b)
{
    const std::vector<int>& x = a.components;
    const std::vector<int>& y = b.components;
    const size_t longest = x.size() > y.size() ? x.size() : y.size();
    for (size_t i = 0; i < longest; ++i) {
        const int left = i < x.size() ? x[i] : 0;
        const int right = i < y.size() ? y[i] : 0;
        if (left != right) {
            return false;
        }
    }
    return true;
}

bool CVersion::isGreater(const CVersion& a, const CVersion& b)
{
    const std::vector<int>& x = a.components;
    const std::vector<int>& y = b.components;
    for (size_t i = 0; i < x.size(); ++i) {
        if (i < y.size()) {
            if (x[i] != y[i]) {
                return x[i] > y[i];
            }
        } else if (x[i] > 0) {
            return true;
        }
    }
    return false;
}

std::wstring CVersion::toString() const
{
    std::wstring text;
    for (size_t i = 0; i < components.size(); ++i) {
        if (i > 0) {
            text += L'.';
        }
        text += std::to_wstring(components[i]);
    }
    return text;
}
