#include "registry/RegistryValueKinds.h"

namespace Registry {

value_bytes number_kind::encode(const value_type& value)
{
    value_bytes bytes(4);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<BYTE>((value >> (8 * i)) & 0xFF);
    }
    return bytes;
}

number_kind::value_type number_kind::decode(const BYTE* data, size_t size)
{
    value_type value = 0;
    for (size_t i = 0; i < size && i < 4; ++i) {
        value |= static_cast<value_type>(data[i]) << (8 * i);
    }
    return value;
}

value_bytes string_kind::encode(const value_type& value)
{
    value_bytes bytes((value.size() + 1) * sizeof(wchar_t), 0);  // the last two stay 0: the NUL
    for (size_t i = 0; i < value.size(); ++i) {
        const auto unit = static_cast<unsigned short>(value[i]);
        bytes[2 * i] = static_cast<BYTE>(unit & 0xFF);
        bytes[2 * i + 1] = static_cast<BYTE>(unit >> 8);
    }
    return bytes;
}

string_kind::value_type string_kind::decode(const BYTE* data, size_t size)
{
    value_type value;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const auto unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (unit == L'\0') {
            break;
        }
        value.push_back(unit);
    }
    return value;
}

}  // namespace Registry
