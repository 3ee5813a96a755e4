#pragma once
#include <string>
#include <vector>

// A version number: its components in order ("1.2.3" -> 1, 2, 3; "1, 0, 0, 31" -> 1, 0, 0, 31).
// Missing trailing components count as 0.
class CVersion {
public:
    CVersion() = default;
    explicit CVersion(const std::wstring& text);

    // Pairwise equal where both have components, zero beyond the shorter one.
    static bool isEqual(const CVersion& a, const CVersion& b);
    // a is strictly greater than b.
    static bool isGreater(const CVersion& a, const CVersion& b);
    // a <= b and a >= b.
    static bool isLessOrEqual(const CVersion& a, const CVersion& b) { return isGreater(b, a) || isEqual(a, b); }
    static bool isGreaterOrEqual(const CVersion& a, const CVersion& b) { return isGreater(a, b) || isEqual(a, b); }

    // The components in decimal, joined with ".": empty for an empty version.
    std::wstring toString() const;

    std::vector<int> components;
};
