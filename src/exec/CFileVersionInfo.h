#pragma once
#include <string>
#include <vector>

// The version resource of one file.
class CFileVersionInfo {
public:
    explicit CFileVersionInfo(const std::wstring& fileName);
    virtual ~CFileVersionInfo() = default;

    // The file has a version resource.
    bool hasVersionInfo() const { return !buffer_.empty(); }
    // ProductVersion of the English (Unicode) string table "040904B0"; empty when there is none.
    std::wstring getProductVersion() const;

private:
    std::wstring fileName_;
    std::vector<unsigned char> buffer_;
};
