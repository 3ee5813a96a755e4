#include "support/RegTestKeys.h"

#include "sys/ScopedHandle.h"

#include <sddl.h>


namespace regtest {

namespace {

UniqueKey openKey(HKEY root, const std::wstring& path, REGSAM access, REGSAM view)
{
    UniqueKey key;
    if (RegOpenKeyExW(root, path.c_str(), 0, access | view, key.put()) != ERROR_SUCCESS) {
        key.release();
    }
    return key;
}

}  // namespace

bool runsUnderWow64()
{
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

RawValue readValue(HKEY root, const std::wstring& path, const std::wstring& name, REGSAM view)
{
    RawValue value;
    UniqueKey key = openKey(root, path, KEY_QUERY_VALUE, view);
    DWORD size = 0;
    if (!key || RegQueryValueExW(key.get(), name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) {
        return value;
    }
    value.data.resize(size);
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &value.type, size > 0 ? value.data.data() : nullptr,
                         &size) == ERROR_SUCCESS) {
        value.data.resize(size);
        value.exists = true;
    }
    return value;
}

bool valueExists(HKEY root, const std::wstring& path, const std::wstring& name, REGSAM view)
{
    return readValue(root, path, name, view).exists;
}

std::wstring readString(HKEY root, const std::wstring& path, const std::wstring& name, REGSAM view)
{
    const RawValue value = readValue(root, path, name, view);
    std::wstring text(reinterpret_cast<const wchar_t*>(value.data.data()), value.data.size() / sizeof(wchar_t));
    return text.substr(0, text.find(L'\0'));
}

DWORD readNumber(HKEY root, const std::wstring& path, const std::wstring& name, REGSAM view)
{
    const RawValue value = readValue(root, path, name, view);
    DWORD number = 0;
    for (size_t i = 0; i < value.data.size() && i < 4; ++i) {
        number |= static_cast<DWORD>(value.data[i]) << (8 * i);
    }
    return number;
}

LONG writeValue(HKEY root, const std::wstring& path, const std::wstring& name, DWORD type,
                const std::vector<BYTE>& data, REGSAM view)
{
    UniqueKey key;
    LONG result = RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, key.put(),
                                  nullptr);
    if (result != ERROR_SUCCESS) {
        key.release();
        return result;
    }
    static const BYTE none = 0;
    return RegSetValueExW(key.get(), name.c_str(), 0, type, data.empty() ? &none : data.data(),
                          static_cast<DWORD>(data.size()));
}

LONG writeString(HKEY root, const std::wstring& path, const std::wstring& name, const std::wstring& text, DWORD type,
                 REGSAM view)
{
    const BYTE* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return writeValue(root, path, name, type, std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t)),
                      view);
}

LONG writeNumber(HKEY root, const std::wstring& path, const std::wstring& name, DWORD number, REGSAM view)
{
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&number);
    return writeValue(root, path, name, REG_DWORD, std::vector<BYTE>(bytes, bytes + 4), view);
}

void deleteValue(HKEY root, const std::wstring& path, const std::wstring& name, REGSAM view)
{
    UniqueKey key = openKey(root, path, KEY_SET_VALUE, view);
    if (key) {
        RegDeleteValueW(key.get(), name.c_str());
    }
}

bool keyExists(HKEY root, const std::wstring& path, REGSAM view)
{
    return openKey(root, path, KEY_QUERY_VALUE, view).valid();
}

void deleteTree(HKEY root, const std::wstring& path, REGSAM view)
{
    for (const auto& child : subkeyNames(root, path, view)) {
        deleteTree(root, path + L"\\" + child, view);
    }
    RegDeleteKeyExW(root, path.c_str(), view, 0);
}

void createKey(HKEY root, const std::wstring& path, REGSAM view)
{
    UniqueKey key;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_READ | view, nullptr, key.put(), nullptr) !=
        ERROR_SUCCESS) {
        key.release();
    }
}

std::vector<std::wstring> valueNames(HKEY root, const std::wstring& path, REGSAM view)
{
    std::vector<std::wstring> names;
    UniqueKey key = openKey(root, path, KEY_QUERY_VALUE, view);
    for (DWORD index = 0; key; ++index) {
        wchar_t name[16384];
        DWORD chars = 16384;
        if (RegEnumValueW(key.get(), index, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name, chars);
    }
    return names;
}

std::vector<std::wstring> subkeyNames(HKEY root, const std::wstring& path, REGSAM view)
{
    std::vector<std::wstring> names;
    UniqueKey key = openKey(root, path, KEY_ENUMERATE_SUB_KEYS, view);
    for (DWORD index = 0; key; ++index) {
        wchar_t name[256];
        DWORD chars = 256;
        if (RegEnumKeyExW(key.get(), index, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name, chars);
    }
    return names;
}

ReadOnlyKey::ReadOnlyKey(HKEY root, const std::wstring& path, REGSAM view) : root_(root), path_(path), view_(view)
{
    createKey(root, path, view);
    UniqueKey key = openKey(root, path, READ_CONTROL | WRITE_DAC, view);
    DWORD size = 0;
    if (!key || RegGetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, nullptr, &size) != ERROR_INSUFFICIENT_BUFFER) {
        return;
    }
    saved_.resize(size);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (RegGetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, saved_.data(), &size) != ERROR_SUCCESS ||
        !ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;KR;;;WD)", SDDL_REVISION_1, &descriptor,
                                                              nullptr)) {
        return;
    }
    locked_ = RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    LocalFree(descriptor);
}

ReadOnlyKey::~ReadOnlyKey()
{
    UniqueKey key = openKey(root_, path_, WRITE_DAC, view_);
    if (locked_ && key) {
        RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, saved_.data());
    }
}

KeyLink::KeyLink(const std::wstring& path, const std::wstring& target) : path_(path)
{
    if (keyExists(HKEY_LOCAL_MACHINE, path)) {
        return;
    }
    UniqueKey link;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_CREATE_LINK | REG_OPTION_VOLATILE,
                        KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, link.put(), nullptr) != ERROR_SUCCESS) {
        link.release();
        return;
    }
    created_ = true;
    // A link's target is stored without a terminating NUL.
    RegSetValueExW(link.get(), L"SymbolicLinkValue", 0, REG_LINK, reinterpret_cast<const BYTE*>(target.data()),
                   static_cast<DWORD>(target.size() * sizeof(wchar_t)));
}

KeyLink::~KeyLink()
{
    if (!created_) {
        return;
    }
    using DeleteKey = LONG(NTAPI*)(HANDLE);
    const auto deleteKey = reinterpret_cast<DeleteKey>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtDeleteKey")));
    UniqueKey link;
    if (deleteKey != nullptr &&
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), REG_OPTION_OPEN_LINK, DELETE, link.put()) == ERROR_SUCCESS) {
        deleteKey(link.get());
    } else {
        link.release();
    }
}

SavedValue::SavedValue(HKEY root, const std::wstring& path, const std::wstring& name, REGSAM view)
    : root_(root), path_(path), name_(name), view_(view), saved_(readValue(root, path, name, view))
{
}

SavedValue::~SavedValue()
{
    if (saved_.exists) {
        writeValue(root_, path_, name_, saved_.type, saved_.data, view_);
    } else {
        deleteValue(root_, path_, name_, view_);
    }
}

}  // namespace regtest
