// Writes pictures as PNG files (uncompressed deflate blocks: large, but any viewer reads them).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// `rgb` holds height rows of width pixels, 3 bytes each (red, green, blue), top row first.
bool writePng(const std::wstring& path, int width, int height, const std::vector<uint8_t>& rgb);
