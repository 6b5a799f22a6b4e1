// The DirectDraw operations on the display that DisplayDevice::Open set up: mode and format,
// fills, locks, flips, keyed and refused blits, and the interfaces the version probe asks for.

#include "display/display_device.h"
#include "tests/windows/check.h"
#include "tests/windows/checks.h"
#include "tests/windows/native_helpers.h"

using namespace platform;

Result Fill(Surface* surface, const Rect* rect, uint32_t colour) {
    BltFx fx;
    fx.fillColor = colour;
    Result result;
    do {
        result = surface->Blt(rect, nullptr, nullptr, DDBLT_COLORFILL, &fx);
    } while (result == DDERR_WASSTILLDRAWING);
    return result;
}

uint32_t PixelAt(Surface* surface, int x, int y) {
    SurfaceDesc desc;
    if (surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) return 0xFFFFFFFF;
    const auto* row = static_cast<const uint8_t*>(desc.surface) + y * desc.pitch;
    const uint32_t value = reinterpret_cast<const uint16_t*>(row)[x];
    surface->Unlock(nullptr);
    return value;
}

Surface* CreateOffscreen(uint32_t width, uint32_t height) {
    SurfaceDesc desc;
    desc.flags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.width = width;
    desc.height = height;
    desc.caps.caps = DDSCAPS_OFFSCREENPLAIN;
    Surface* surface = nullptr;
    CHECK_EQ(DisplayDevice::directDraw->CreateSurface(&desc, &surface, nullptr), DD_OK);
    return surface;
}

namespace {

Result BltFastRetrying(Surface* dest, int x, int y, Surface* source, const Rect* rect,
                       uint32_t flags) {
    Result result;
    do {
        result = dest->BltFast(x, y, source, rect, flags);
    } while (result == DDERR_WASSTILLDRAWING);
    return result;
}

void CheckFormatFillAndLock(Surface* back) {
    PixelFormat format;
    CHECK_EQ(back->GetPixelFormat(&format), DD_OK);
    CHECK((format.flags & DDPF_RGB) != 0);
    CHECK_EQ(format.rgbBitCount, 16u);
    CHECK(format.gBitMask == 0x7E0 || format.gBitMask == 0x3E0);

    CHECK_EQ(Fill(back, nullptr, 0x1234), DD_OK);
    SurfaceDesc whole;
    CHECK_EQ(back->Lock(nullptr, &whole, DDLOCK_WAIT, nullptr), DD_OK);
    CHECK_EQ(whole.width, 640u);
    CHECK_EQ(whole.height, 480u);
    CHECK(whole.pitch >= 640 * 2);
    CHECK_EQ(whole.pixelFormat.gBitMask, format.gBitMask);
    CHECK_EQ(back->Unlock(nullptr), DD_OK);
    CHECK_EQ(PixelAt(back, 0, 0), 0x1234u);
    CHECK_EQ(PixelAt(back, 639, 479), 0x1234u);

    // A rectangle fill covers exactly the rectangle, right and bottom exclusive.
    const Rect rect{100, 50, 200, 60};
    CHECK_EQ(Fill(back, &rect, 0x0F0F), DD_OK);
    CHECK_EQ(PixelAt(back, 100, 50), 0x0F0Fu);
    CHECK_EQ(PixelAt(back, 199, 59), 0x0F0Fu);
    CHECK_EQ(PixelAt(back, 200, 59), 0x1234u);
    CHECK_EQ(PixelAt(back, 99, 50), 0x1234u);
    CHECK_EQ(PixelAt(back, 100, 60), 0x1234u);

    // A locked rectangle starts at its own top-left pixel.
    const Rect part{10, 20, 30, 40};
    SurfaceDesc partDesc;
    CHECK_EQ(back->Lock(&part, &partDesc, DDLOCK_WAIT | DDLOCK_NOSYSLOCK, nullptr), DD_OK);
    CHECK_EQ(back->Unlock(nullptr), DD_OK);
    CHECK_EQ(back->Lock(nullptr, &whole, DDLOCK_WAIT, nullptr), DD_OK);
    CHECK_EQ(back->Unlock(nullptr), DD_OK);
    const auto* expected = static_cast<uint8_t*>(whole.surface) + 20 * whole.pitch + 10 * 2;
    CHECK(partDesc.surface == expected);
    CHECK_EQ(partDesc.pitch, whole.pitch);

    SurfaceDesc wrongSize;
    wrongSize.size = 100;
    CHECK_EQ(back->Lock(nullptr, &wrongSize, DDLOCK_WAIT, nullptr), DDERR_INVALIDPARAMS);
}

void CheckFlip(Surface* primary, Surface* back) {
    CHECK_EQ(Fill(back, nullptr, 0x4321), DD_OK);
    Result result;
    do {
        result = primary->Flip(nullptr, 0);
    } while (result == DDERR_WASSTILLDRAWING);
    CHECK_EQ(result, DD_OK);
    CHECK_EQ(PixelAt(primary, 320, 240), 0x4321u);  // the back buffer became visible
}

void CheckBlits(Surface* back) {
    Surface* sheet = CreateOffscreen(64, 32);
    if (sheet == nullptr) return;
    const Rect left{0, 0, 32, 32};
    const Rect right{32, 0, 64, 32};
    CHECK_EQ(Fill(sheet, &left, 0x001F), DD_OK);
    CHECK_EQ(Fill(sheet, &right, 0xF800), DD_OK);
    const ColorKey key{0x001F, 0x001F};
    CHECK_EQ(sheet->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);

    const Rect all{0, 0, 64, 32};
    CHECK_EQ(Fill(back, nullptr, 0), DD_OK);
    CHECK_EQ(BltFastRetrying(back, 300, 200, sheet, &all, DDBLTFAST_SRCCOLORKEY), DD_OK);
    CHECK_EQ(PixelAt(back, 300, 200), 0u);  // key colour left out
    CHECK_EQ(PixelAt(back, 331, 231), 0u);
    CHECK_EQ(PixelAt(back, 332, 200), 0xF800u);
    CHECK_EQ(PixelAt(back, 363, 231), 0xF800u);
    CHECK_EQ(PixelAt(back, 364, 200), 0u);

    CHECK_EQ(BltFastRetrying(back, 10, 10, sheet, &left, DDBLTFAST_NOCOLORKEY), DD_OK);
    CHECK_EQ(PixelAt(back, 10, 10), 0x001Fu);
    CHECK_EQ(PixelAt(back, 42, 10), 0u);  // only the source rectangle was copied

    // Rectangles that leave the source or the destination are refused, and nothing is copied.
    const Rect tooWide{0, 0, 65, 32};
    CHECK_EQ(BltFastRetrying(back, 100, 300, sheet, &tooWide, 0), DDERR_INVALIDRECT);
    CHECK_EQ(PixelAt(back, 100, 300), 0u);
    CHECK_EQ(BltFastRetrying(back, 600, 300, sheet, &all, 0), DDERR_INVALIDRECT);
    CHECK_EQ(PixelAt(back, 600, 300), 0u);
    CHECK_EQ(BltFastRetrying(back, -1, 300, sheet, &all, 0), DDERR_INVALIDRECT);
    CHECK_EQ(PixelAt(back, 0, 300), 0u);

    CHECK_EQ(sheet->Release(), 0u);
}

void CheckInterfaces(DirectDraw* directDraw, Surface* back) {
    Unknown* found = nullptr;
    CHECK_EQ(directDraw->QueryInterface(IID_IDirectDraw2, &found), DD_OK);
    if (found != nullptr) found->Release();
    found = nullptr;
    CHECK_EQ(back->QueryInterface(IID_IDirectDrawSurface3, &found), DD_OK);
    if (found != nullptr) found->Release();

    const Guid unknown = {0x01234567, 0x89AB, 0xCDEF, {1, 2, 3, 4, 5, 6, 7, 8}};
    found = reinterpret_cast<Unknown*>(&found);
    CHECK_EQ(directDraw->QueryInterface(unknown, &found), DDERR_NOINTERFACE);
    CHECK(found == nullptr);
}

void CheckCursor() {
    System& sys = Sys();
    CHECK(sys.SetCursorPos(123, 45));
    // The pointer may reach its new place a moment later (under Wine it is the X server's).
    Point point{0, 0};
    for (int attempt = 0; attempt < 50 && (point.x != 123 || point.y != 45); ++attempt) {
        if (attempt > 0) SleepMilliseconds(20);
        CHECK(sys.GetCursorPos(&point));
    }
    CHECK_EQ(point.x, 123);
    CHECK_EQ(point.y, 45);
}

}  // namespace

void RunDisplayChecks() {
    CheckFormatFillAndLock(DisplayDevice::backBuffer);
    CheckFlip(DisplayDevice::primary, DisplayDevice::backBuffer);
    CheckBlits(DisplayDevice::backBuffer);
    CheckInterfaces(DisplayDevice::directDraw, DisplayDevice::backBuffer);
    CheckCursor();
}
