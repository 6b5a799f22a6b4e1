#include "display/web/webp_header.h"

#include <cstdint>
#include <cstring>

namespace web {

namespace {

// "RIFF", the file's size, "WEBP", the chunk's type and size, the lossless signature byte
// and the 32 bits of the picture's header.
constexpr size_t kHeaderEnd = 12 + 8 + 1 + 4;
constexpr unsigned char kLosslessSignature = 0x2F;

uint32_t LittleEndian(const unsigned char* bytes) {
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
           uint32_t{bytes[3]} << 24;
}

}  // namespace

bool IsWebp(const void* data, size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    return data != nullptr && size >= 12 && std::memcmp(bytes, "RIFF", 4) == 0 &&
           std::memcmp(bytes + 8, "WEBP", 4) == 0;
}

bool ReadWebpHeader(const void* data, size_t size, int* width, int* height, int* bits) {
    if (!IsWebp(data, size) || size < kHeaderEnd) return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    // The sizes must agree with the bytes at hand: a cut file is no picture.
    if (LittleEndian(bytes + 4) + 8 > size) return false;
    if (std::memcmp(bytes + 12, "VP8L", 4) != 0 || LittleEndian(bytes + 16) + 20 > size) {
        return false;
    }
    if (bytes[20] != kLosslessSignature) return false;
    const uint32_t fields = LittleEndian(bytes + 21);
    // 14 bits each for width and height less one, the alpha hint, then a version of 0.
    if ((fields >> 29) != 0) return false;
    *width = static_cast<int>((fields & 0x3FFF) + 1);
    *height = static_cast<int>(((fields >> 14) & 0x3FFF) + 1);
    *bits = (fields >> 28 & 1) != 0 ? 32 : 24;
    return true;
}

}  // namespace web
