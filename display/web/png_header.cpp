#include "display/web/png_header.h"

#include <cstdint>
#include <cstring>

namespace web {

namespace {

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Signature, the header chunk's length and type, then its 13 bytes.
constexpr size_t kHeaderEnd = 8 + 8 + 13;

uint32_t BigEndian(const unsigned char* bytes) {
    return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

// Samples per pixel of each colour type, 0 for types PNG does not define.
int Samples(int colourType) {
    switch (colourType) {
        case 0:
            return 1;  // grey
        case 2:
            return 3;  // RGB
        case 3:
            return 1;  // palette
        case 4:
            return 2;  // grey and alpha
        case 6:
            return 4;  // RGB and alpha
        default:
            return 0;
    }
}

}  // namespace

bool IsPng(const void* data, size_t size) {
    return data != nullptr && size >= sizeof kSignature &&
           std::memcmp(data, kSignature, sizeof kSignature) == 0;
}

bool ReadPngHeader(const void* data, size_t size, int* width, int* height, int* bits) {
    if (!IsPng(data, size) || size < kHeaderEnd) return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (BigEndian(bytes + 8) != 13 || std::memcmp(bytes + 12, "IHDR", 4) != 0) return false;
    const uint32_t w = BigEndian(bytes + 16);
    const uint32_t h = BigEndian(bytes + 20);
    const int depth = bytes[24];
    const int samples = Samples(bytes[25]);
    // PNG allows sides up to 2^31 - 1; anything larger is no PNG.
    if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF || samples == 0) return false;
    if (depth != 1 && depth != 2 && depth != 4 && depth != 8 && depth != 16) return false;
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    *bits = depth * samples;
    return true;
}

}  // namespace web
