#include "setupfile/CIniReader.h"

int CIniReader::replaceConstants(std::wstring&)
{
    return 0;
}
