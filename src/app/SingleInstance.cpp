#include "app/SingleInstance.h"

namespace {

// Held open, not owned, for the life of the process.
struct InstanceMutex {
    HANDLE handle;
    DWORD error;
    InstanceMutex()
        : handle(CreateMutexW(nullptr, FALSE, SingleInstance::kMutexName)), error(GetLastError())
    {
    }
    ~InstanceMutex()
    {
        if (handle != nullptr) {
            CloseHandle(handle);
        }
    }
    InstanceMutex(const InstanceMutex&) = delete;
    InstanceMutex& operator=(const InstanceMutex&) = delete;
};

InstanceMutex theMutex;

}  // namespace

DWORD SingleInstance::creationError()
{
    return theMutex.error;
}
