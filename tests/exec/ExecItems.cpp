#include "ExecItems.h"

namespace execitems {

std::wstring itemProgram()
{
    return testfiles::binDir() + L"itemprog.exe";
}

ItemRecord::ItemRecord() : dir_(L"items"), path_(dir_ / L"items.record")
{
    SetEnvironmentVariableW(L"ITEM_RECORD", path_.c_str());
}

ItemRecord::~ItemRecord()
{
    SetEnvironmentVariableW(L"ITEM_RECORD", nullptr);
}

std::vector<std::wstring> ItemRecord::commandLines() const
{
    const std::string bytes = testfiles::readBytes(path_);
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        const std::string line = bytes.substr(start, end - start);
        const int n = MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0);
        std::wstring wide(static_cast<size_t>(n), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), &wide[0], n);
        lines.push_back(wide.substr(0, wide.rfind(L'|')));
        start = end + 1;
    }
    return lines;
}

bool ItemRecord::waitFor(size_t count, DWORD timeoutMs) const
{
    const DWORD begin = GetTickCount();
    while (commandLines().size() < count) {
        if (GetTickCount() - begin > timeoutMs) {
            return false;
        }
        Sleep(100);
    }
    return true;
}

}  // namespace execitems
