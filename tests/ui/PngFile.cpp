#include "ui/PngFile.h"

#include "support/TestFiles.h"

#include <algorithm>

namespace {

uint32_t crc32(const std::string& bytes, size_t from)
{
    static uint32_t table[256];
    static const bool ready = [] {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            table[n] = c;
        }
        return true;
    }();
    (void)ready;
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = from; i < bytes.size(); ++i) {
        c = table[(c ^ static_cast<uint8_t>(bytes[i])) & 0xFF] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

uint32_t adler32(const std::string& bytes)
{
    uint32_t a = 1, b = 0;
    for (const char byte : bytes) {
        a = (a + static_cast<uint8_t>(byte)) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void putBigEndian(std::string& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}

void putChunk(std::string& out, const char* type, const std::string& data)
{
    putBigEndian(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out += type;
    out += data;
    putBigEndian(out, crc32(out, start));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::string storedZlib(const std::string& raw)
{
    std::string out("\x78\x01", 2);
    size_t at = 0;
    do {
        const size_t size = std::min<size_t>(65535, raw.size() - at);
        const bool last = at + size == raw.size();
        out += static_cast<char>(last ? 1 : 0);
        out += static_cast<char>(size & 0xFF);
        out += static_cast<char>(size >> 8);
        out += static_cast<char>(~size & 0xFF);
        out += static_cast<char>((~size >> 8) & 0xFF);
        out.append(raw, at, size);
        at += size;
    } while (at < raw.size());
    putBigEndian(out, adler32(raw));
    return out;
}

}  // namespace

bool writePng(const std::wstring& path, int width, int height, const std::vector<uint8_t>& rgb)
{
    if (width <= 0 || height <= 0 || rgb.size() != static_cast<size_t>(width) * height * 3) {
        return false;
    }
    std::string raw;
    raw.reserve(static_cast<size_t>(height) * (width * 3 + 1));
    for (int y = 0; y < height; ++y) {
        raw += '\0';  // filter type None
        raw.append(reinterpret_cast<const char*>(&rgb[static_cast<size_t>(y) * width * 3]), static_cast<size_t>(width) * 3);
    }
    std::string header;
    putBigEndian(header, static_cast<uint32_t>(width));
    putBigEndian(header, static_cast<uint32_t>(height));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace

    std::string png("\x89PNG\r\n\x1A\n", 8);
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", storedZlib(raw));
    putChunk(png, "IEND", std::string());
    testfiles::writeBytes(path, png);
    return testfiles::exists(path);
}
