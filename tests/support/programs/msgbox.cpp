// Shows one message box and exits with its result: msgbox.exe <type as decimal> <caption> <text>
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) {
        return -2;
    }
    const UINT type = static_cast<UINT>(std::wcstoul(argv[1], nullptr, 10));
    return MessageBoxW(nullptr, argv[3], argv[2], type);
}
