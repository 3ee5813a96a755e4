// Helpers for the tests of the resource libraries Ombrisk.dll and Pictavo.dll:
// they open the built libraries from the test program's folder as data files and
// read their resources through the Win32 resource functions.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace resource_library {

// The 36 language entries of Ombrisk.dll.
struct Language {
    LANGID id;
    const char* name;
    bool rightToLeft;    // dialogs mirrored
    bool parenthesised;  // "(ProductName)" in place of "[ProductName]"
};

inline constexpr Language kLanguages[] = {
    {0x0001, "Arabic", true, true},
    {0x0005, "Czech", false, false},
    {0x0006, "Danish", false, false},
    {0x0007, "German", false, false},
    {0x0008, "Greek", false, false},
    {0x000A, "Spanish", false, false},
    {0x000B, "Finnish", false, false},
    {0x000C, "French", false, false},
    {0x000D, "Hebrew", true, false},
    {0x000E, "Hungarian", false, false},
    {0x0010, "Italian", false, false},
    {0x0011, "Japanese", false, false},
    {0x0013, "Dutch", false, false},
    {0x0014, "Norwegian", false, false},
    {0x0015, "Polish", false, false},
    {0x0016, "Portuguese", false, false},
    {0x0018, "Romanian", false, false},
    {0x0019, "Russian", false, false},
    {0x001B, "Slovak", false, false},
    {0x001D, "Swedish", false, false},
    {0x001E, "Thai", false, false},
    {0x001F, "Turkish", false, false},
    {0x0021, "Indonesian", false, false},
    {0x0024, "Slovenian", false, false},
    {0x0025, "Estonian", false, false},
    {0x0026, "Latvian", false, false},
    {0x0027, "Lithuanian", false, false},
    {0x003E, "Malay", false, false},
    {0x0404, "ChineseTaiwan", false, false},
    {0x0409, "EnglishUS", false, false},
    {0x0416, "PortugueseBrazil", false, false},
    {0x0804, "ChinesePRC", false, false},
    {0x0809, "EnglishUK", false, false},
    {0x080A, "SpanishMexico", false, false},
    {0x0C04, "ChineseHongKong", false, false},
    {0x0C0C, "FrenchCanada", false, false},
};

inline constexpr LANGID kEnglishUS = 0x0409;
inline constexpr LANGID kEnglishUK = 0x0809;

// Test parameters print as the language name.
inline void PrintTo(const Language& language, std::ostream* out) { *out << language.name; }

inline std::set<LANGID> allLanguageIds()
{
    std::set<LANGID> ids;
    for (const Language& language : kLanguages) ids.insert(language.id);
    return ids;
}

// Full path of a file in the folder of the running test program.
inline std::wstring besideExecutable(const wchar_t* fileName)
{
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    folder.erase(folder.find_last_of(L"\\/") + 1);
    return folder + fileName;
}

// A library from the test program's folder, mapped as a data file (which also
// works when the test program's bitness differs from the library's).
class DataModule {
public:
    explicit DataModule(const wchar_t* fileName)
        : handle_(LoadLibraryExW(besideExecutable(fileName).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)),
          error_(handle_ ? 0 : GetLastError())
    {
    }
    ~DataModule()
    {
        if (handle_) FreeLibrary(handle_);
    }
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;

    HMODULE get() const { return handle_; }
    DWORD error() const { return error_; }

private:
    HMODULE handle_;
    DWORD error_;
};

// Bytes of a resource as FindResourceExW finds it for the language asked for
// (including the platform's fall-back), or nothing when it is not found.
inline std::optional<std::vector<BYTE>> resourceBytes(HMODULE module, LPCWSTR type, LPCWSTR name, LANGID language)
{
    HRSRC info = FindResourceExW(module, type, name, language);
    if (!info) return std::nullopt;
    HGLOBAL loaded = LoadResource(module, info);
    const BYTE* data = static_cast<const BYTE*>(LockResource(loaded));
    if (!data) return std::nullopt;
    return std::vector<BYTE>(data, data + SizeofResource(module, info));
}

// Text of a string identifier read from its string block (block id / 16 + 1,
// entry id mod 16, each entry a length followed by that many UTF-16 units).
// Nothing when the block is not found; empty when the block lacks the entry.
inline std::optional<std::wstring> loadString(HMODULE module, UINT id, LANGID language)
{
    std::optional<std::vector<BYTE>> block =
        resourceBytes(module, MAKEINTRESOURCEW(6) /* RT_STRING */, MAKEINTRESOURCEW(id / 16 + 1), language);
    if (!block) return std::nullopt;
    size_t units = block->size() / sizeof(WCHAR);
    std::vector<WCHAR> text(units);
    std::memcpy(text.data(), block->data(), units * sizeof(WCHAR));
    size_t position = 0;
    for (UINT index = 0; index < 16 && position < units; ++index) {
        size_t length = text[position++];
        if (position + length > units) return std::nullopt;  // malformed block
        if (index == id % 16) return std::wstring(text.data() + position, length);
        position += length;
    }
    return std::nullopt;
}

// Identifiers and languages present in a module, through the enumeration
// functions. Named resources (none in these libraries) are collected as ~0.
inline ULONG_PTR resourceId(LPCWSTR name)
{
    return IS_INTRESOURCE(name) ? reinterpret_cast<ULONG_PTR>(name) : ~ULONG_PTR{0};
}

inline BOOL CALLBACK collectType(HMODULE, LPWSTR type, LONG_PTR found)
{
    reinterpret_cast<std::set<ULONG_PTR>*>(found)->insert(resourceId(type));
    return TRUE;
}

inline BOOL CALLBACK collectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found)
{
    reinterpret_cast<std::set<ULONG_PTR>*>(found)->insert(resourceId(name));
    return TRUE;
}

inline BOOL CALLBACK collectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found)
{
    reinterpret_cast<std::set<LANGID>*>(found)->insert(language);
    return TRUE;
}

inline std::set<ULONG_PTR> resourceTypes(HMODULE module)
{
    std::set<ULONG_PTR> types;
    EnumResourceTypesW(module, collectType, reinterpret_cast<LONG_PTR>(&types));
    return types;
}

inline std::set<ULONG_PTR> resourceNames(HMODULE module, LPCWSTR type)
{
    std::set<ULONG_PTR> names;
    EnumResourceNamesW(module, type, collectName, reinterpret_cast<LONG_PTR>(&names));
    return names;
}

inline std::set<LANGID> resourceLanguages(HMODULE module, LPCWSTR type, LPCWSTR name)
{
    std::set<LANGID> languages;
    EnumResourceLanguagesW(module, type, name, collectLanguage, reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

// ----------------------------------------------------------- dialog templates

// A name-or-ordinal field of a dialog template: ordinals are written "#n",
// except the predefined control classes, which get their class names.
struct DialogItem {
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    std::wstring windowClass;
    std::wstring title;
    WORD extraCount = 0;
};

struct Dialog {
    WORD version = 0;
    WORD signature = 0;
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring menu;
    std::wstring windowClass;
    std::wstring title;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::wstring typeface;
    std::vector<DialogItem> items;
};

class TemplateReader {
public:
    explicit TemplateReader(const std::vector<BYTE>& bytes) : bytes_(bytes) {}

    template <typename T>
    T read()
    {
        T value{};
        if (position_ + sizeof(T) > bytes_.size()) {
            failed_ = true;
            return value;
        }
        std::memcpy(&value, bytes_.data() + position_, sizeof(T));
        position_ += sizeof(T);
        return value;
    }

    std::wstring readString()
    {
        std::wstring text;
        for (WCHAR c = read<WCHAR>(); c != 0 && !failed_; c = read<WCHAR>()) text += c;
        return text;
    }

    std::wstring readNameOrOrdinal(bool isClass)
    {
        WORD first = read<WORD>();
        if (first == 0) return L"";
        if (first != 0xFFFF) {
            position_ -= sizeof(WORD);
            return readString();
        }
        WORD ordinal = read<WORD>();
        if (isClass) {
            static const wchar_t* const predefined[] = {L"button", L"edit", L"static", L"listbox", L"scrollbar", L"combobox"};
            if (ordinal >= 0x80 && ordinal <= 0x85) return predefined[ordinal - 0x80];
        }
        return L"#" + std::to_wstring(ordinal);
    }

    void alignTo(size_t boundary) { position_ = (position_ + boundary - 1) / boundary * boundary; }
    void skip(size_t count) { position_ += count; }
    bool failed() const { return failed_ || position_ > bytes_.size(); }

private:
    const std::vector<BYTE>& bytes_;
    size_t position_ = 0;
    bool failed_ = false;
};

// Reads an extended dialog template (DLGTEMPLATEEX with DLGITEMTEMPLATEEX items).
inline std::optional<Dialog> parseDialogEx(const std::vector<BYTE>& bytes)
{
    TemplateReader reader(bytes);
    Dialog dialog;
    dialog.version = reader.read<WORD>();
    dialog.signature = reader.read<WORD>();
    if (dialog.version != 1 || dialog.signature != 0xFFFF) return std::nullopt;
    dialog.helpId = reader.read<DWORD>();
    dialog.exStyle = reader.read<DWORD>();
    dialog.style = reader.read<DWORD>();
    WORD count = reader.read<WORD>();
    dialog.x = reader.read<short>();
    dialog.y = reader.read<short>();
    dialog.cx = reader.read<short>();
    dialog.cy = reader.read<short>();
    dialog.menu = reader.readNameOrOrdinal(false);
    dialog.windowClass = reader.readNameOrOrdinal(false);
    dialog.title = reader.readString();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = reader.read<WORD>();
        dialog.weight = reader.read<WORD>();
        dialog.italic = reader.read<BYTE>();
        dialog.charset = reader.read<BYTE>();
        dialog.typeface = reader.readString();
    }
    for (WORD i = 0; i < count && !reader.failed(); ++i) {
        reader.alignTo(4);
        DialogItem item;
        item.helpId = reader.read<DWORD>();
        item.exStyle = reader.read<DWORD>();
        item.style = reader.read<DWORD>();
        item.x = reader.read<short>();
        item.y = reader.read<short>();
        item.cx = reader.read<short>();
        item.cy = reader.read<short>();
        item.id = reader.read<DWORD>();
        item.windowClass = reader.readNameOrOrdinal(true);
        item.title = reader.readNameOrOrdinal(false);
        item.extraCount = reader.read<WORD>();
        reader.skip(item.extraCount);
        dialog.items.push_back(item);
    }
    if (reader.failed()) return std::nullopt;
    return dialog;
}

inline std::optional<Dialog> loadDialog(HMODULE module, WORD id, LANGID language)
{
    std::optional<std::vector<BYTE>> bytes = resourceBytes(module, MAKEINTRESOURCEW(5) /* RT_DIALOG */, MAKEINTRESOURCEW(id), language);
    if (!bytes) return std::nullopt;
    return parseDialogEx(*bytes);
}

// Pixel size of a dialog-unit rectangle in dialog 104, whose 8-point MS Sans
// Serif font has base units of 6 x 13 pixels at 96 DPI.
inline RECT finishDialogPixels(const DialogItem& item)
{
    return RECT{MulDiv(item.x, 6, 4), MulDiv(item.y, 13, 8), MulDiv(item.x + item.cx, 6, 4),
                MulDiv(item.y + item.cy, 13, 8)};
}

// Text for test messages: UTF-8 of a wide string.
inline std::string utf8(const std::wstring& text)
{
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

}  // namespace resource_library
