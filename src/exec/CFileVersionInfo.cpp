#include "exec/CFileVersionInfo.h"

#include <windows.h>

CFileVersionInfo::CFileVersionInfo(const std::wstring& fileName) : fileName_(fileName)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(fileName_.c_str(), &handle);
    if (size == 0) {
        return;
    }
    buffer_.resize(size);
    if (!GetFileVersionInfoW(fileName_.c_str(), 0, size, buffer_.data())) {
        buffer_.clear();
    }
}

std::wstring CFileVersionInfo::getProductVersion() const
{
    if (buffer_.empty()) {
        return std::wstring();
    }
    void* value = nullptr;
    UINT length = 0;
    wchar_t path[] = L"\\StringFileInfo\\040904B0\\ProductVersion";
    if (!VerQueryValueW(buffer_.data(), path, &value, &length) || value == nullptr || length == 0) {
        return std::wstring();
    }
    // The length counts characters, the terminator included when the resource has one.
    std::wstring text(static_cast<const wchar_t*>(value), length);
    const size_t end = text.find(L'\0');
    return end == std::wstring::npos ? text : text.substr(0, end);
}
