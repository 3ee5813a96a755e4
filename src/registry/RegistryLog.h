#pragma once
#include <string>

// One log entry of a registry operation, written out of line so that the many log calls of the
// operations stay small (CLog takes its function name as a string object).
void RegistryLog(const wchar_t* function, int line, const std::wstring& message);
void RegistryLog(const wchar_t* function, int line, const wchar_t* message);

#define REG_LOG(function, message) RegistryLog((function), __LINE__, (message))
