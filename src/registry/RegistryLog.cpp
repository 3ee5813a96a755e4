#include "registry/RegistryLog.h"

#include "log/CLog.h"

void RegistryLog(const wchar_t* function, int line, const std::wstring& message)
{
    CLog::getInstance().write(function, line, message);
}

void RegistryLog(const wchar_t* function, int line, const wchar_t* message)
{
    CLog::getInstance().write(function, line, message);
}
