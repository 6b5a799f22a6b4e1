#include "display/tint.h"

#include <cstring>

using namespace platform;

int32_t tintFallbackDepth = 0;
DirectDraw* tintDirectDraw = nullptr;

namespace {

constexpr int64_t kScreenWidth = 640;
constexpr int64_t kScreenHeight = 480;
constexpr uint32_t kGreenMask555 = 0x3E0;
constexpr uint32_t kGreenMask565 = 0x7E0;

inline int Clamp(int value, int maximum) {
    return value < 0 ? 0 : (value > maximum ? maximum : value);
}

// 5-5-5: bit 15 carries no colour and is always written as 0.
inline uint16_t Tint555(uint16_t p, int dr, int dg, int db) {
    const int r = Clamp(((p >> 10) & 31) + dr, 31);
    const int g = Clamp(((p >> 5) & 31) + dg, 31);
    const int b = Clamp((p & 31) + db, 31);
    return static_cast<uint16_t>(r << 10 | g << 5 | b);
}

// 5-6-5: the green delta is doubled so one step of the six-bit channel matches one step of
// the five-bit channels.
inline uint16_t Tint565(uint16_t p, int dr, int dg, int db) {
    const int r = Clamp(((p >> 11) & 31) + dr, 31);
    const int g = Clamp(((p >> 5) & 63) + 2 * dg, 63);
    const int b = Clamp((p & 31) + db, 31);
    return static_cast<uint16_t>(r << 11 | g << 5 | b);
}

template <uint16_t (*Rule)(uint16_t, int, int, int)>
void TintRows(uint8_t* first, int32_t pitch, int64_t w, int64_t h, int dr, int dg, int db) {
    for (int64_t row = 0; row < h; ++row) {
        uint8_t* pixels = first + row * pitch;
        for (int64_t column = 0; column < w; ++column) {
            uint16_t p;
            std::memcpy(&p, pixels + column * 2, sizeof p);
            p = Rule(p, dr, dg, db);
            std::memcpy(pixels + column * 2, &p, sizeof p);
        }
    }
}

}  // namespace

void Tint(Surface* surface, uint32_t x, uint32_t y, uint32_t w, uint32_t h, int red, int green,
          int blue) {
    if (surface == nullptr) return;
    int64_t width = w, height = h;
    if (int64_t{x} + width > kScreenWidth) width = kScreenWidth - x;
    if (int64_t{y} + height > kScreenHeight) height = kScreenHeight - y;
    if (width <= 0 || height <= 0) return;

    PixelFormat format;
    if (surface->GetPixelFormat(&format) != DD_OK) return;
    if ((format.flags & DDPF_RGB) == 0 || format.rgbBitCount != 16) return;

    const Rect rect{static_cast<int32_t>(x), static_cast<int32_t>(y),
                    static_cast<int32_t>(x + width), static_cast<int32_t>(y + height)};
    SurfaceDesc desc;
    if (surface->Lock(&rect, &desc, DDLOCK_WAIT | DDLOCK_NOSYSLOCK, nullptr) != DD_OK) {
        // Only one level deep: a refused lock of TintByCopy's own copy ends the attempt.
        ++tintFallbackDepth;
        if (tintFallbackDepth == 1) {
            TintByCopy(surface, x, y, static_cast<uint32_t>(width), static_cast<uint32_t>(height),
                       red, green, blue);
        }
        --tintFallbackDepth;
        return;
    }
    uint8_t* first = static_cast<uint8_t*>(desc.surface);
    if (first != nullptr) {
        if (format.gBitMask == kGreenMask555) {
            TintRows<Tint555>(first, desc.pitch, width, height, red, green, blue);
        } else if (format.gBitMask == kGreenMask565) {
            TintRows<Tint565>(first, desc.pitch, width, height, red, green, blue);
        }
    }
    surface->Unlock(nullptr);
}

void TintByCopy(Surface* surface, uint32_t x, uint32_t y, uint32_t w, uint32_t h, int red,
                int green, int blue) {
    if (surface == nullptr || tintDirectDraw == nullptr) return;
    SurfaceDesc desc;
    desc.flags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.height = h;
    desc.width = w;
    desc.caps.caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    Surface* copy = nullptr;
    if (tintDirectDraw->CreateSurface(&desc, &copy, nullptr) != DD_OK) {
        if (copy != nullptr) copy->Release();
        return;
    }
    const Rect region{static_cast<int32_t>(x), static_cast<int32_t>(y), static_cast<int32_t>(x + w),
                      static_cast<int32_t>(y + h)};
    if (copy->BltFast(0, 0, surface, &region, DDBLTFAST_WAIT) != DD_OK) {
        copy->Release();
        return;
    }
    Tint(copy, 0, 0, w, h, red, green, blue);
    const Rect whole{0, 0, static_cast<int32_t>(w), static_cast<int32_t>(h)};
    surface->BltFast(static_cast<int32_t>(x), static_cast<int32_t>(y), copy, &whole,
                     DDBLTFAST_WAIT);
    copy->Release();
}
