// The application key of Setup in HKEY_CURRENT_USER, read and written around the product's
// registry layer, and a fixture that removes it before and after each test.
#pragma once
#include <windows.h>

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

// The application key made impossible to create: its parent "Software\Brennik" is replaced by
// a volatile key, under which the registry refuses the lasting key that Setup asks for.
// The parent is put back (empty, lasting) at the end of the object's life. Nothing is changed
// when the parent holds anything but the application key.
class UnopenableKey {
public:
    UnopenableKey()
    {
        remove();
        HKEY parent = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kParent, 0, KEY_READ, &parent) == ERROR_SUCCESS) {
            DWORD subkeys = 0;
            DWORD values = 0;
            RegQueryInfoKeyW(parent, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                             nullptr, nullptr, nullptr);
            RegCloseKey(parent);
            hadParent_ = true;
            if (subkeys != 0 || values != 0 || RegDeleteKeyW(HKEY_CURRENT_USER, kParent) != ERROR_SUCCESS) {
                return;
            }
        }
        HKEY volatileParent = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kParent, 0, nullptr, REG_OPTION_VOLATILE, KEY_READ, nullptr,
                            &volatileParent, nullptr) == ERROR_SUCCESS) {
            RegCloseKey(volatileParent);
            replaced_ = true;
        }
    }
    ~UnopenableKey()
    {
        if (!replaced_) {
            return;
        }
        RegDeleteTreeW(HKEY_CURRENT_USER, kParent);
        RegDeleteKeyW(HKEY_CURRENT_USER, kParent);
        if (hadParent_) {
            HKEY parent = nullptr;
            RegCreateKeyExW(HKEY_CURRENT_USER, kParent, 0, nullptr, 0, KEY_READ, nullptr, &parent, nullptr);
            RegCloseKey(parent);
        }
    }
    UnopenableKey(const UnopenableKey&) = delete;
    UnopenableKey& operator=(const UnopenableKey&) = delete;

    // Whether the system really refuses to create the key.
    bool refused() const
    {
        HKEY key = nullptr;
        const LONG result = RegCreateKeyExW(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                                            &key, nullptr);
        if (result == ERROR_SUCCESS) {
            RegCloseKey(key);
        }
        return replaced_ && result != ERROR_SUCCESS;
    }

private:
    static constexpr const wchar_t* kParent = L"Software\\Brennik";
    bool hadParent_ = false;
    bool replaced_ = false;
};

}  // namespace appkey
