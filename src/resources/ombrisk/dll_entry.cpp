// Entry point of Ombrisk.dll. The library holds resources only: there is
// nothing to set up or tear down, and it never refuses an attach or detach.
#include <windows.h>

// The function carries the name of the entry symbol that the mingw driver hands
// to the linker for every DLL, so the library links without any C run-time
// start-up code and imports nothing.
extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
