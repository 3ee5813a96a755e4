// Stands in for a component of a suite. Recognises, anywhere on its command line:
//   exit=N     the exit code (default 0)
//   delay=MS   sleep before exiting
// and appends one line "<command line>|<current directory>" (UTF-8) to the record file named by
// the environment variable ITEM_RECORD, or to items.record beside the program.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

std::wstring recordFile()
{
    wchar_t value[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"ITEM_RECORD", value, MAX_PATH) > 0) {
        return value;
    }
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"items.record";
}

long numberAfter(const std::wstring& line, const wchar_t* key, long fallback)
{
    const size_t pos = line.find(key);
    return pos == std::wstring::npos ? fallback : std::wcstol(line.c_str() + pos + wcslen(key), nullptr, 10);
}

void record(const std::wstring& line)
{
    wchar_t dir[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, dir);
    const std::wstring text = line + L"|" + dir + L"\n";
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0], n, nullptr, nullptr);
    FILE* file = _wfopen(recordFile().c_str(), L"ab");
    if (file != nullptr) {
        fwrite(bytes.data(), 1, bytes.size(), file);
        fclose(file);
    }
}

}  // namespace

int wmain()
{
    const std::wstring line = GetCommandLineW();
    record(line);
    const long delay = numberAfter(line, L"delay=", 0);
    if (delay > 0) {
        Sleep(static_cast<DWORD>(delay));
    }
    return static_cast<int>(numberAfter(line, L"exit=", 0));
}
