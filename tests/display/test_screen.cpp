#include "tests/display/test_screen.h"

#include <cstdlib>

using namespace platform;

TestScreen::TestScreen(soft::PixelLayout layout) {
    fake.pixelLayout = layout;
    fake.Install();
    if (Sys().DirectDrawCreate(nullptr, &directDraw, nullptr) != DD_OK) std::abort();
    SurfaceDesc desc;
    desc.flags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.backBufferCount = 1;
    desc.caps.caps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    if (directDraw->CreateSurface(&desc, &primary, nullptr) != DD_OK) std::abort();
    SurfaceCaps caps;
    caps.caps = DDSCAPS_BACKBUFFER;
    if (primary->GetAttachedSurface(&caps, &backBuffer) != DD_OK) std::abort();
    fake.ClearCalls();
}

TestScreen::~TestScreen() {
    primary->Release();
    directDraw->Release();
}

void TestScreen::Fill(Surface* surface, int width, int height, uint16_t value) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) fake.SetPixelAt(surface, x, y, value);
    }
}

std::vector<uint16_t> TestScreen::Pixels(Surface* surface, int width, int height) const {
    std::vector<uint16_t> pixels;
    pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixels.push_back(fake.PixelAt(surface, x, y));
    }
    return pixels;
}

BmpPicture MakePicture(int width, int height,
                       const std::function<uint32_t(int x, int y)>& colourAt) {
    BmpPicture picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) picture.rgb.push_back(colourAt(x, y) & 0xFFFFFF);
    }
    return picture;
}

std::vector<uint8_t> Bitmap24(const BmpPicture& picture) {
    return EncodeBmp(picture, BmpEncoding::Bits24);
}

BmpPicture DistinctPicture(int width, int height) {
    // Red holds x mod 32, green y mod 32, blue the 32s of x and y, each in the five high bits
    // of its channel, so the cut to five (or six) bits per channel keeps them apart.
    return MakePicture(width, height, [](int x, int y) {
        const uint32_t red = static_cast<uint32_t>(x & 31) << 3;
        const uint32_t green = static_cast<uint32_t>(y & 31) << 3;
        const uint32_t blue = static_cast<uint32_t>(((x >> 5) & 1) | ((y >> 5) & 1) << 1) << 3;
        return red << 16 | green << 8 | blue;
    });
}
