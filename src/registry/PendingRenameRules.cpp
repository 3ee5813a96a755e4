#include "registry/PendingRenameRules.h"

namespace PendingRenameRules {

bool WildcardMatch(const std::wstring& subject, const std::wstring& pattern)
{
    size_t s = 0;
    size_t p = 0;
    // Up to the first '*' the two go in step.
    while (s < subject.size() && p < pattern.size() && pattern[p] != L'*') {
        if (pattern[p] != L'?' && pattern[p] != subject[s]) {
            return false;
        }
        ++s;
        ++p;
    }
    size_t afterStar = std::wstring::npos;
    size_t triedAt = 0;
    while (s < subject.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            afterStar = ++p;
            triedAt = s;
        } else if (p < pattern.size() && (pattern[p] == L'?' || pattern[p] == subject[s])) {
            ++p;
            ++s;
        } else if (afterStar != std::wstring::npos) {
            p = afterStar;
            s = ++triedAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') {
        ++p;
    }
    return p == pattern.size();
}

std::vector<std::wstring> SplitExceptionList(const std::wstring& list)
{
    std::vector<std::wstring> patterns;
    if (list.empty()) {
        return patterns;
    }
    size_t start = 0;
    for (;;) {
        const size_t bar = list.find(L'|', start);
        patterns.push_back(list.substr(start, bar == std::wstring::npos ? std::wstring::npos : bar - start));
        if (bar == std::wstring::npos) {
            return patterns;
        }
        start = bar + 1;
    }
}

std::vector<std::wstring> SplitMultiString(const BYTE* data, size_t size)
{
    std::vector<std::wstring> strings;
    const size_t chars = size / 2;
    size_t position = 0;
    while (position < chars) {
        std::wstring text;
        for (; position < chars; ++position) {
            const auto unit = static_cast<wchar_t>(data[2 * position] | (data[2 * position + 1] << 8));
            if (unit == L'\0') {
                break;
            }
            text.push_back(unit);
        }
        ++position;  // past the NUL (or past the end)
        if (!text.empty()) {
            strings.push_back(text);
        }
    }
    return strings;
}

bool ReplaceControlSet(std::wstring& path, const std::wstring& controlSet)
{
    static const std::wstring current = L"CurrentControlSet";
    bool replaced = false;
    for (size_t at = path.find(current); at != std::wstring::npos; at = path.find(current, at + controlSet.size())) {
        path.replace(at, current.size(), controlSet);
        replaced = true;
    }
    return replaced;
}

}  // namespace PendingRenameRules
