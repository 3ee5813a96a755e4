// Linked into every test executable. GoogleTest copies each failure to OutputDebugStringA; on
// 32-bit Wine running under qemu-i386, the debug exception that call raises kills the process, so
// a failing test would crash instead of reporting. The import is answered here with a no-op:
// the failure is printed to the console all the same.
#include <windows.h>

#if defined(__i386__)

namespace {
void WINAPI quietDebugString(LPCSTR) {}
void WINAPI quietDebugStringW(LPCWSTR) {}
}  // namespace

extern "C" {
extern void(WINAPI* const quietImportA)(LPCSTR) __asm__("__imp__OutputDebugStringA@4");
void(WINAPI* const quietImportA)(LPCSTR) = quietDebugString;
extern void(WINAPI* const quietImportW)(LPCWSTR) __asm__("__imp__OutputDebugStringW@4");
void(WINAPI* const quietImportW)(LPCWSTR) = quietDebugStringW;
}
#endif
