#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The plain decisions of the pending-file-rename check.
namespace PendingRenameRules {

// Whether the whole subject matches the whole pattern: '*' any run of characters (also none),
// '?' exactly one, every other character itself, letter case included.
bool WildcardMatch(const std::wstring& subject, const std::wstring& pattern);

// The patterns of an ignore list, split at every '|'; an empty piece is an empty pattern,
// an empty list has none.
std::vector<std::wstring> SplitExceptionList(const std::wstring& list);

// The non-empty strings of REG_MULTI_SZ data, walked by the data size (an odd last byte is
// ignored, a last string without its NUL ends at the end of the data).
std::vector<std::wstring> SplitMultiString(const BYTE* data, size_t size);

// Replaces every "CurrentControlSet" in `path` by `controlSet`; whether anything was replaced.
bool ReplaceControlSet(std::wstring& path, const std::wstring& controlSet);

}  // namespace PendingRenameRules
