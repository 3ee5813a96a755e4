#include "lang/ReadingDirection.h"

#include <cstring>

namespace ReadingDirection {

LCID localeFor(unsigned languageId)
{
    const unsigned language = languageId < 0x7F ? (languageId | 0x400) : languageId;
    return MAKELCID(static_cast<LANGID>(language), SORT_DEFAULT);
}

bool isRightToLeft(const LOCALESIGNATURE& signature)
{
    return (signature.lsUsb[3] & 0x08000000) != 0;
}

std::optional<bool> languageIsRightToLeft(unsigned languageId)
{
    wchar_t buffer[16] = {};
    if (GetLocaleInfoW(localeFor(languageId), LOCALE_FONTSIGNATURE, buffer, 16) == 0) {
        return std::nullopt;
    }
    LOCALESIGNATURE signature;
    static_assert(sizeof(signature) <= sizeof(buffer), "the signature fits the buffer");
    std::memcpy(&signature, buffer, sizeof(signature));
    return isRightToLeft(signature);
}

DWORD bidiStateFor(unsigned languageId, DWORD previous)
{
    const std::optional<bool> rightToLeft = languageIsRightToLeft(languageId);
    return rightToLeft ? bidiFlags(*rightToLeft) : previous;
}

}  // namespace ReadingDirection
