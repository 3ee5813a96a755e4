#pragma once
#include <cstddef>
#include <optional>
#include <string>

// A string-table block holds 16 entries, each a 16-bit length followed by that many UTF-16 units.
namespace StringBlock {

// The block that holds a string identifier, and the entry's position in it.
inline unsigned blockOf(unsigned id) { return id / 16 + 1; }
inline unsigned indexOf(unsigned id) { return id % 16; }

// The text of entry `index` of the block, or nothing when the entry is empty or absent.
// The walk never reads past `bytes`: a block cut short ends it like an absent entry.
std::optional<std::wstring> entry(const void* block, size_t bytes, unsigned index);

}  // namespace StringBlock
