#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

// The pixels of a bitmap as 32-bit values, top row first (empty when it cannot be read).
std::vector<uint32_t> bitmapPixels(HBITMAP bitmap);
