// Runs one run-once operation of CRegistryUtils in a process of its own, so that a test can choose
// the Windows version Wine reports to it. Usage:
//   RegProbe <result file> set <text> | setdefault | get | delete
// writes "<result>\n<text read>" (UTF-16) to the result file; the exit code is 0 when it ran.
#include "registry/CRegistryUtils.h"

#include <windows.h>

#include <string>

namespace {

void writeResult(const std::wstring& file, bool result, const std::wstring& text)
{
    const std::wstring content = std::wstring(result ? L"1" : L"0") + L"\n" + text;
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    WriteFile(handle, content.data(), static_cast<DWORD>(content.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(handle);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        return 2;
    }
    const std::wstring operation = argv[2];
    CRegistryUtils& utils = CRegistryUtils::getInstance();
    std::wstring text;
    bool result = false;
    if (operation == L"set" && argc > 3) {
        result = utils.SetRunValue(argv[3]);
    } else if (operation == L"setdefault") {
        result = utils.SetRunValue();
    } else if (operation == L"get") {
        result = utils.GetRunValue(text);
    } else if (operation == L"delete") {
        result = utils.DeleteRunValue();
    } else {
        return 2;
    }
    writeResult(argv[1], result, text);
    return 0;
}
