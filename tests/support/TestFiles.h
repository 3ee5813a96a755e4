#pragma once
#include <string>
#include <vector>

// Files and folders for tests.
namespace testfiles {

// The folder of the running test executable (build/bin), with a trailing backslash.
std::wstring binDir();
std::string readBytes(const std::wstring& path);
// The file's lines as the log writes them (ANSI, CR LF), widened; a missing file gives none.
std::vector<std::wstring> readLines(const std::wstring& path);
void writeText(const std::wstring& path, const std::wstring& text);  // UTF-16 with BOM
void writeBytes(const std::wstring& path, const std::string& bytes);
bool exists(const std::wstring& path);
bool copy(const std::wstring& from, const std::wstring& to);

// A fresh folder under the temp folder, removed with everything in it at the end of its life.
class ScratchDir {
public:
    explicit ScratchDir(const std::wstring& hint = L"t");
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // The folder, with a trailing backslash.
    const std::wstring& path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + name; }

private:
    std::wstring path_;
};

void removeTree(const std::wstring& path);

}  // namespace testfiles
