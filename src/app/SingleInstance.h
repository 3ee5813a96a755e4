#pragma once
#include <windows.h>

// The mutex that keeps a second Setup from running, created before the application starts.
class SingleInstance {
public:
    static constexpr const wchar_t* kMutexName = L"{4F1D8A20-73C6-4B59-A2E7-91C0D35B6E84}";

    // The error GetLastError() gave right after the mutex was created.
    static DWORD creationError();
    static bool anotherInstanceRuns() { return creationError() == ERROR_ALREADY_EXISTS; }
};
