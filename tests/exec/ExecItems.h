#pragma once
#include "support/TestFiles.h"

#include <windows.h>

#include <string>
#include <vector>

namespace execitems {

// The item program of the build (records its command line, exits with exit=N after delay=MS).
std::wstring itemProgram();

// The command lines item programs started during its life record (ITEM_RECORD points here).
class ItemRecord {
public:
    ItemRecord();
    ~ItemRecord();
    ItemRecord(const ItemRecord&) = delete;
    ItemRecord& operator=(const ItemRecord&) = delete;

    std::vector<std::wstring> commandLines() const;
    // Waits until at least `count` programs have recorded (for programs that were not waited for).
    bool waitFor(size_t count, DWORD timeoutMs = 60000) const;
    const testfiles::ScratchDir& dir() const { return dir_; }

private:
    testfiles::ScratchDir dir_;
    std::wstring path_;
};

}  // namespace execitems
