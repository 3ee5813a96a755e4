// The application key of Setup in HKEY_CURRENT_USER, read and written around the product's
// registry layer, and a fixture that removes it before and after each test.
#pragma once
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <optional>

namespace appkey {

inline constexpr const wchar_t* kPath = L"Software\\Brennik\\{4F1D8A20-73C6-4B59-A2E7-91C0D35B6E84}";

inline void remove()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, kPath);
    RegDeleteKeyW(HKEY_CURRENT_USER, kPath);
}

inline bool exists()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

// A REG_DWORD value of the key; nothing when it (or the key) does not exist.
inline std::optional<DWORD> number(const wchar_t* name)
{
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, kPath, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

inline void setNumber(const wchar_t* name, DWORD value)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(key);
}

// A fresh application key for each test, and the thread's locale as it was.
class FreshKey : public ::testing::Test {
protected:
    void SetUp() override
    {
        remove();
        ASSERT_FALSE(exists());
    }
    void TearDown() override
    {
        SetThreadLocale(locale_);
        remove();
    }

private:
    LCID locale_ = GetThreadLocale();
};

// The application key made readable only: opening it for reading and writing, as Setup does,
// is refused. The key is removed again at the end of the object's life.
class LockedKey {
public:
    LockedKey()
    {
        SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor(L"D:P(A;;KR;;;WD)"), FALSE};
        RegCreateKeyExW(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, KEY_READ | WRITE_DAC, &attributes, &key_, nullptr);
        LocalFree(attributes.lpSecurityDescriptor);
    }
    ~LockedKey()
    {
        if (key_ != nullptr) {
            PSECURITY_DESCRIPTOR open = descriptor(L"D:(A;;KA;;;WD)");
            RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, open);
            LocalFree(open);
            RegCloseKey(key_);
        }
        remove();
    }
    LockedKey(const LockedKey&) = delete;
    LockedKey& operator=(const LockedKey&) = delete;

    // Whether the system really refuses to open the key for writing.
    bool locked() const
    {
        HKEY key = nullptr;
        const LONG result = RegOpenKeyExW(HKEY_CURRENT_USER, kPath, 0, KEY_READ | KEY_WRITE, &key);
        if (result == ERROR_SUCCESS) {
            RegCloseKey(key);
        }
        return key_ != nullptr && result != ERROR_SUCCESS;
    }

private:
    static PSECURITY_DESCRIPTOR descriptor(const wchar_t* sddl)
    {
        PSECURITY_DESCRIPTOR result = nullptr;
        ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &result, nullptr);
        return result;
    }

    HKEY key_ = nullptr;
};

}  // namespace appkey
