#include "lang/ProgramFolder.h"

#include <vector>

namespace ProgramFolder {

std::wstring path()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return std::wstring();
        }
        if (length < buffer.size()) {
            std::wstring program(buffer.data(), length);
            return program.substr(0, program.find_last_of(L"\\/") + 1);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring fileBeside(const std::wstring& fileName)
{
    const std::wstring folder = path();
    return folder.empty() ? std::wstring() : folder + fileName;
}

UniqueLibrary loadLibrary(const std::wstring& fileName, DWORD flags)
{
    const std::wstring file = fileBeside(fileName);
    return UniqueLibrary(file.empty() ? nullptr : LoadLibraryExW(file.c_str(), nullptr, flags));
}

}  // namespace ProgramFolder
