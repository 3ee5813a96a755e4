#include "setupfile/CIniReader.h"

#include "setupfile/CConstantReplacer.h"

int CIniReader::replaceConstants(std::wstring& value)
{
    CConstantReplacer replacer;
    return replacer.replace(value);
}
