#include "lang/StringBlock.h"

#include <cstring>

namespace StringBlock {

std::optional<std::wstring> entry(const void* block, size_t bytes, unsigned index)
{
    const unsigned char* data = static_cast<const unsigned char*>(block);
    const size_t units = bytes / sizeof(wchar_t);
    size_t position = 0;
    for (unsigned i = 0; i < 16 && position < units; ++i) {
        unsigned short length = 0;
        std::memcpy(&length, data + position * sizeof(wchar_t), sizeof(length));
        ++position;
        if (length > units - position) {
            return std::nullopt;
        }
        if (i == index && length != 0) {
            std::wstring text(length, L'\0');
            std::memcpy(&text[0], data + position * sizeof(wchar_t), length * sizeof(wchar_t));
            return text;
        }
        position += length;
    }
    return std::nullopt;
}

}  // namespace StringBlock
