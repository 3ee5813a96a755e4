#pragma once
#include <windows.h>

// A resource of a loaded library, found for one language.
namespace ResourceLookup {

struct Data {
    const void* bytes = nullptr;
    DWORD size = 0;
    explicit operator bool() const { return bytes != nullptr; }
};

// The resource in the given language: its own entry, or else the language-neutral entry of its
// primary language (German (Switzerland) finds neutral German). Every Windows version answers
// the same, whatever the thread or user interface language. Empty when neither exists.
Data find(HMODULE module, LPCWSTR type, LPCWSTR name, LANGID language);

// The resource in whichever language the system prefers (FindResourceW); empty when none exists.
Data findAnyLanguage(HMODULE module, LPCWSTR type, LPCWSTR name);

}  // namespace ResourceLookup
