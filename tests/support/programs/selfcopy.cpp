// Runs Setup's self-copy operations as a program of its own, so that they see a real program
// path: selfcopy.exe copy | delete. Exits with 0 when the operation returned true, 1 otherwise.
#include "sys/CWinUtils.h"

#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        return 2;
    }
    CWinUtils utils;
    bool result = false;
    if (std::wcscmp(argv[1], L"copy") == 0) {
        result = utils.CopyApplication();
    } else if (std::wcscmp(argv[1], L"delete") == 0) {
        result = utils.DeleteApplication();
    } else if (std::wcscmp(argv[1], L"destpath") == 0) {
        result = !utils.GetApplicationDestinationPath().empty();
    }
    return result ? 0 : 1;
}
