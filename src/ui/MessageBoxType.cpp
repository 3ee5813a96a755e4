#include "ui/MessageBoxType.h"

UINT MessageBoxType(UINT buttonsAndIcon, DWORD bidiState)
{
    return buttonsAndIcon | MB_TOPMOST | bidiState;
}
