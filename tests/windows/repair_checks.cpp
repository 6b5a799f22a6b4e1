// Switching away from the program and back: the real DirectDraw takes the surfaces' memory,
// and the game's own repair (DisplayDevice::Flip, Sprite::Draw) brings the frame back.

#include "display/display_device.h"
#include "display/sprite.h"
#include "tests/windows/check.h"
#include "tests/windows/checks.h"
#include "tests/windows/native_helpers.h"

using namespace platform;

namespace {

uint64_t Checksum(Surface* surface, int width, int height) {
    uint64_t sum = 0;
    for (int y = 0; y < height; y += 3) {
        for (int x = 0; x < width; x += 3) sum = sum * 31 + PixelAt(surface, x, y);
    }
    return sum;
}

}  // namespace

void RunRepairChecks() {
    Surface* back = DisplayDevice::backBuffer;
    Sprite sprite;
    sprite.directDraw = DisplayDevice::directDraw;
    sprite.defaultTarget = back;
    sprite.Load("font8.bmp");
    CHECK(sprite.surface != nullptr);
    if (sprite.surface == nullptr) return;
    Fill(back, nullptr, 0);
    sprite.Draw(0, 0, 0, 0, sprite.width, sprite.height);
    const uint64_t drawn = Checksum(back, sprite.width, sprite.height);
    CHECK(drawn != 0);

    SendActivation(DisplayDevice::window, false);
    CHECK_EQ(DisplayDevice::primary->IsLost(), DDERR_SURFACELOST);
    CHECK_EQ(sprite.surface->IsLost(), DDERR_SURFACELOST);

    SendActivation(DisplayDevice::window, true);
    // Windows gives a full-screen exclusive program its display mode back when it returns;
    // Wine brings back the desktop's mode instead, so the mode is set here as Windows would.
    CHECK_EQ(DisplayDevice::directDraw->SetDisplayMode(640, 480, 16), DD_OK);
    DisplayDevice::Flip();  // meets the lost primary and restores it; the frame is dropped
    CHECK_EQ(DisplayDevice::primary->IsLost(), DD_OK);
    CHECK_EQ(back->IsLost(), DD_OK);

    Fill(back, nullptr, 0);
    sprite.Draw(0, 0, 0, 0, sprite.width, sprite.height);  // reloads its lost sheet
    CHECK_EQ(sprite.surface->IsLost(), DD_OK);
    CHECK_EQ(Checksum(back, sprite.width, sprite.height), drawn);
}
