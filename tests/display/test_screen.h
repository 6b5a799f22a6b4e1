#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "display/platform.h"
#include "display/testing/bmp_writer.h"
#include "display/testing/fake_system.h"

// The test double installed, with a DirectDraw object and a 640x480 primary surface with its
// back buffer made directly through the platform, so sprite and tint tests do not depend on
// the display device's opening.
class TestScreen {
  public:
    explicit TestScreen(soft::PixelLayout layout = soft::PixelLayout::Rgb565);
    ~TestScreen();
    TestScreen(const TestScreen&) = delete;
    TestScreen& operator=(const TestScreen&) = delete;

    // Every pixel of a width x height surface set to value, past the platform (not logged).
    void Fill(platform::Surface* surface, int width, int height, uint16_t value);
    // The surface's pixels, row by row.
    std::vector<uint16_t> Pixels(platform::Surface* surface, int width, int height) const;

    platform::FakeSystem fake;
    platform::DirectDraw* directDraw = nullptr;
    platform::Surface* primary = nullptr;
    platform::Surface* backBuffer = nullptr;
};

// A picture whose colour is given per pixel as 0xRRGGBB.
platform::BmpPicture MakePicture(int width, int height,
                                 const std::function<uint32_t(int x, int y)>& colourAt);
std::vector<uint8_t> Bitmap24(const platform::BmpPicture& picture);

// A picture in which every pixel of a 64x64 block has its own 16-bit value in both layouts,
// so a copy shifted by one row or column cannot pass for the right one.
platform::BmpPicture DistinctPicture(int width, int height);
