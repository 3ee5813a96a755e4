#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Direct registry access for tests, past the product's key classes. `view` is 0 (the test
// program's own view) or KEY_WOW64_64KEY / KEY_WOW64_32KEY to look at one view of a 64-bit
// Windows (a 32-bit Windows ignores them).
namespace regtest {

// Whether this test program is a 32-bit program on a 64-bit Windows: its HKEY_LOCAL_MACHINE\SOFTWARE
// is then the 32-bit view, SOFTWARE\WOW6432Node of the 64-bit one.
bool runsUnderWow64();

struct RawValue {
    bool exists = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

RawValue readValue(HKEY root, const std::wstring& path, const std::wstring& name, REGSAM view = 0);
bool valueExists(HKEY root, const std::wstring& path, const std::wstring& name, REGSAM view = 0);
// REG_SZ / REG_EXPAND_SZ text up to its first NUL.
std::wstring readString(HKEY root, const std::wstring& path, const std::wstring& name, REGSAM view = 0);
DWORD readNumber(HKEY root, const std::wstring& path, const std::wstring& name, REGSAM view = 0);

// Creates the key when missing; returns the Win32 result.
LONG writeValue(HKEY root, const std::wstring& path, const std::wstring& name, DWORD type,
                const std::vector<BYTE>& data, REGSAM view = 0);
// With its terminating NUL, as most programs write strings.
LONG writeString(HKEY root, const std::wstring& path, const std::wstring& name, const std::wstring& text,
                 DWORD type = REG_SZ, REGSAM view = 0);
LONG writeNumber(HKEY root, const std::wstring& path, const std::wstring& name, DWORD number, REGSAM view = 0);
void deleteValue(HKEY root, const std::wstring& path, const std::wstring& name, REGSAM view = 0);

bool keyExists(HKEY root, const std::wstring& path, REGSAM view = 0);
// Removes the key with everything below it; nothing happens when it is missing.
void deleteTree(HKEY root, const std::wstring& path, REGSAM view = 0);
void createKey(HKEY root, const std::wstring& path, REGSAM view = 0);
std::vector<std::wstring> valueNames(HKEY root, const std::wstring& path, REGSAM view = 0);
std::vector<std::wstring> subkeyNames(HKEY root, const std::wstring& path, REGSAM view = 0);

// A key whose access list lets everyone read it and nobody write to it, so that opening it for
// writing fails; its own access list is put back at the end of its life.
class ReadOnlyKey {
public:
    ReadOnlyKey(HKEY root, const std::wstring& path, REGSAM view = 0);
    ~ReadOnlyKey();
    ReadOnlyKey(const ReadOnlyKey&) = delete;
    ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

    bool locked() const { return locked_; }

private:
    HKEY root_;
    std::wstring path_;
    REGSAM view_;
    bool locked_ = false;
    std::vector<BYTE> saved_;  // the key's own security descriptor (its access list)
};

// A registry link: the key `path` below HKEY_LOCAL_MACHINE leads to `target` (a native name such
// as "\Registry\Machine\System\CurrentControlSet"). Created only when `path` does not exist;
// removed at the end of its life.
class KeyLink {
public:
    KeyLink(const std::wstring& path, const std::wstring& target);
    ~KeyLink();
    KeyLink(const KeyLink&) = delete;
    KeyLink& operator=(const KeyLink&) = delete;

    bool created() const { return created_; }

private:
    std::wstring path_;
    bool created_ = false;
};

// One value of a system key, kept and put back (or removed again) at the end of its life.
class SavedValue {
public:
    SavedValue(HKEY root, const std::wstring& path, const std::wstring& name, REGSAM view = 0);
    ~SavedValue();
    SavedValue(const SavedValue&) = delete;
    SavedValue& operator=(const SavedValue&) = delete;

private:
    HKEY root_;
    std::wstring path_;
    std::wstring name_;
    REGSAM view_;
    RawValue saved_;
};

}  // namespace regtest
