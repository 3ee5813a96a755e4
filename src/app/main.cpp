#include "app/CSetupApp.h"

#include <windows.h>

#include <cstdlib>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    CSetupApp app;
    app.InitInstance();
    // No main window: the program ends as soon as start-up returns.
    return app.ExitInstance();
}

// The default terminate handler prints demangled type names and drags the whole demangler
// into the program; a bootstrapper that users download has no console to print to anyway.
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
}  // namespace __gnu_cxx
