#include "lang/ResourceLookup.h"

namespace ResourceLookup {

namespace {

Data load(HMODULE module, HRSRC info)
{
    if (info == nullptr) {
        return Data();
    }
    HGLOBAL loaded = LoadResource(module, info);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return Data();
    }
    return Data{bytes, SizeofResource(module, info)};
}

}  // namespace

Data find(HMODULE module, LPCWSTR type, LPCWSTR name, LANGID language)
{
    if (module == nullptr) {
        return Data();
    }
    HRSRC info = FindResourceExW(module, type, name, language);
    const LANGID neutral = MAKELANGID(PRIMARYLANGID(language), SUBLANG_NEUTRAL);
    if (info == nullptr && neutral != language) {
        info = FindResourceExW(module, type, name, neutral);
    }
    return load(module, info);
}

Data findAnyLanguage(HMODULE module, LPCWSTR type, LPCWSTR name)
{
    return module != nullptr ? load(module, FindResourceW(module, name, type)) : Data();
}

}  // namespace ResourceLookup
