#include "tools/sheetview/frame_file.h"

#include <cstdio>
#include <cstring>
#include <vector>

using namespace platform;

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value);
    Put16(out, value >> 16);
}

// Widens a 5- or 6-bit channel to 8 bits, repeating its high bits in the low ones.
uint8_t Widen(uint32_t value, int bits) {
    return static_cast<uint8_t>(bits == 5 ? (value << 3 | value >> 2) : (value << 2 | value >> 4));
}

}  // namespace

bool WriteSurfaceBitmap(Surface* surface, int width, int height, const std::string& path) {
    SurfaceDesc desc;
    if (surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) return false;
    const bool is565 = desc.pixelFormat.gBitMask == 0x7E0;
    const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    std::vector<uint8_t> out;
    out.reserve(54 + rowBytes * static_cast<uint32_t>(height));
    out.push_back('B');
    out.push_back('M');
    for (uint32_t value : {54 + rowBytes * static_cast<uint32_t>(height), 0u, 54u, 40u}) {
        Put32(out, value);
    }
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, 24);
    for (uint32_t value : {0u, rowBytes * static_cast<uint32_t>(height), 2835u, 2835u, 0u, 0u}) {
        Put32(out, value);
    }
    const auto* pixels = static_cast<const uint8_t*>(desc.surface);
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* row = pixels + static_cast<ptrdiff_t>(y) * desc.pitch;
        for (int x = 0; x < width; ++x) {
            uint16_t p;
            std::memcpy(&p, row + x * 2, sizeof p);
            const uint32_t red = is565 ? p >> 11 : (p >> 10) & 31;
            const uint32_t green = is565 ? (p >> 5) & 63 : (p >> 5) & 31;
            out.push_back(Widen(p & 31, 5));
            out.push_back(Widen(green, is565 ? 6 : 5));
            out.push_back(Widen(red, 5));
        }
        for (uint32_t pad = static_cast<uint32_t>(width) * 3; pad < rowBytes; ++pad) {
            out.push_back(0);
        }
    }
    surface->Unlock(nullptr);

    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && written;
}
