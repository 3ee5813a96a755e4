// Ombrisk.dll and Pictavo.dll as modules: 32-bit resource-only DLLs without
// exports whose entry point accepts the load.
#include "resource_library.h"

#include <gtest/gtest.h>

namespace {

using namespace resource_library;

std::vector<BYTE> readFile(const std::wstring& path)
{
    std::vector<BYTE> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size)) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
        bytes.resize(read);
    }
    CloseHandle(file);
    return bytes;
}

struct LibraryCase {
    const wchar_t* fileName;
    std::set<ULONG_PTR> resourceTypes;
};

const LibraryCase kLibraries[] = {
    // texts and dialogs only: the progress dialog's icon 128 is deliberately absent
    {L"Ombrisk.dll", {5 /* RT_DIALOG */, 6 /* RT_STRING */, 16 /* RT_VERSION */}},
    {L"Pictavo.dll", {2 /* RT_BITMAP */, 3 /* RT_ICON */, 14 /* RT_GROUP_ICON */}},
};

void PrintTo(const LibraryCase& library, std::ostream* out) { *out << utf8(library.fileName); }

class ResourceLibraryFile : public ::testing::TestWithParam<LibraryCase> {};

TEST_P(ResourceLibraryFile, IsA32BitDllWithoutExports)
{
    if (sizeof(void*) == 8) {
        GTEST_SKIP() << "the 64-bit test build carries 64-bit libraries; the shipped ones are checked by the 32-bit build";
    }
    const std::vector<BYTE> image = readFile(besideExecutable(GetParam().fileName));
    ASSERT_GT(image.size(), sizeof(IMAGE_DOS_HEADER)) << "file missing";

    IMAGE_DOS_HEADER dos;
    std::memcpy(&dos, image.data(), sizeof dos);
    ASSERT_EQ(dos.e_magic, IMAGE_DOS_SIGNATURE);
    const size_t ntOffset = static_cast<size_t>(dos.e_lfanew);
    ASSERT_LE(ntOffset + sizeof(IMAGE_NT_HEADERS32), image.size());
    IMAGE_NT_HEADERS32 nt;
    std::memcpy(&nt, image.data() + ntOffset, sizeof nt);
    ASSERT_EQ(nt.Signature, IMAGE_NT_SIGNATURE);
    EXPECT_EQ(nt.FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_TRUE(nt.FileHeader.Characteristics & IMAGE_FILE_DLL);
    ASSERT_EQ(nt.OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
    EXPECT_NE(nt.OptionalHeader.AddressOfEntryPoint, 0u) << "has an entry point";

    // The linker may write an export directory; it must list no function.
    const IMAGE_DATA_DIRECTORY exports = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (exports.Size == 0) return;
    const size_t sections = ntOffset + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) + nt.FileHeader.SizeOfOptionalHeader;
    for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
        IMAGE_SECTION_HEADER section;
        ASSERT_LE(sections + (i + 1) * sizeof section, image.size());
        std::memcpy(&section, image.data() + sections + i * sizeof section, sizeof section);
        if (exports.VirtualAddress < section.VirtualAddress ||
            exports.VirtualAddress >= section.VirtualAddress + section.SizeOfRawData)
            continue;
        const size_t at = exports.VirtualAddress - section.VirtualAddress + section.PointerToRawData;
        ASSERT_LE(at + sizeof(IMAGE_EXPORT_DIRECTORY), image.size());
        IMAGE_EXPORT_DIRECTORY directory;
        std::memcpy(&directory, image.data() + at, sizeof directory);
        EXPECT_EQ(directory.NumberOfFunctions, 0u);
        EXPECT_EQ(directory.NumberOfNames, 0u);
        return;
    }
    ADD_FAILURE() << "export directory outside every section";
}

TEST_P(ResourceLibraryFile, HoldsOnlyItsOwnKindsOfResources)
{
    DataModule library(GetParam().fileName);
    ASSERT_NE(library.get(), nullptr) << "not loaded, error " << library.error();
    EXPECT_EQ(resourceTypes(library.get()), GetParam().resourceTypes);
}

#if !defined(_WIN64)  // only a 32-bit program can run the libraries' code
// Loading the library for execution runs its entry point, which must accept the
// process attach (a refusal fails the load) and the detach.
TEST_P(ResourceLibraryFile, EntryPointAcceptsLoadAndUnload)
{
    HMODULE library = LoadLibraryW(besideExecutable(GetParam().fileName).c_str());
    ASSERT_NE(library, nullptr) << "error " << GetLastError();
    EXPECT_TRUE(FreeLibrary(library));
}
#endif

INSTANTIATE_TEST_SUITE_P(BothLibraries, ResourceLibraryFile, ::testing::ValuesIn(kLibraries),
                         [](const ::testing::TestParamInfo<LibraryCase>& info) {
                             std::wstring name = info.param.fileName;
                             return utf8(name.substr(0, name.find(L'.')));
                         });

}  // namespace
