#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "display/soft/soft_direct_draw.h"

namespace {

using platform::DD_OK;
using platform::Rect;
using platform::Surface;
using platform::SurfaceDesc;
using soft::PixelLayout;
using soft::SoftDirectDraw;

struct RecordingPresenter : soft::Presenter {
    std::vector<uint16_t> frame;
    int width = 0;
    void Present(const void* pixels, int pitch, int w, int h, platform::PixelFormat) override {
        width = w;
        frame.assign(static_cast<size_t>(w) * h, 0);
        for (int y = 0; y < h; ++y) {
            std::memcpy(&frame[static_cast<size_t>(y) * w],
                        static_cast<const uint8_t*>(pixels) + y * pitch, w * 2u);
        }
    }
};

Surface* MakeOffscreen(SoftDirectDraw& dd, uint32_t w, uint32_t h,
                       uint32_t caps = platform::DDSCAPS_OFFSCREENPLAIN) {
    SurfaceDesc desc;
    desc.flags = platform::DDSD_CAPS | platform::DDSD_WIDTH | platform::DDSD_HEIGHT;
    desc.width = w;
    desc.height = h;
    desc.caps.caps = caps;
    Surface* surface = nullptr;
    EXPECT_EQ(dd.CreateSurface(&desc, &surface, nullptr), DD_OK);
    return surface;
}

Surface* MakePrimary(SoftDirectDraw& dd) {
    SurfaceDesc desc;
    desc.flags = platform::DDSD_CAPS | platform::DDSD_BACKBUFFERCOUNT;
    desc.backBufferCount = 1;
    desc.caps.caps =
        platform::DDSCAPS_PRIMARYSURFACE | platform::DDSCAPS_FLIP | platform::DDSCAPS_COMPLEX;
    Surface* surface = nullptr;
    EXPECT_EQ(dd.CreateSurface(&desc, &surface, nullptr), DD_OK);
    return surface;
}

uint16_t Read(Surface* s, int x, int y) {
    SurfaceDesc desc;
    Rect one{x, y, x + 1, y + 1};
    EXPECT_EQ(s->Lock(&one, &desc, platform::DDLOCK_WAIT, nullptr), DD_OK);
    uint16_t value;
    std::memcpy(&value, desc.surface, 2);
    s->Unlock(nullptr);
    return value;
}

// Writes value + x + 100 * y into every pixel, so each position is told apart.
void Pattern(Surface* s, int w, int h, uint16_t value) {
    SurfaceDesc desc;
    ASSERT_EQ(s->Lock(nullptr, &desc, 0, nullptr), DD_OK);
    for (int y = 0; y < h; ++y) {
        auto* row =
            reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(desc.surface) + y * desc.pitch);
        for (int x = 0; x < w; ++x) row[x] = static_cast<uint16_t>(value + x + 100 * y);
    }
    s->Unlock(nullptr);
}

void Fill(Surface* s, uint32_t colour, const Rect* area = nullptr) {
    platform::BltFx fx;
    fx.fillColor = colour;
    ASSERT_EQ(s->Blt(area, nullptr, nullptr, platform::DDBLT_COLORFILL, &fx), DD_OK);
}

class SoftSurfaceLayouts : public ::testing::TestWithParam<PixelLayout> {};

TEST_P(SoftSurfaceLayouts, LockGivesPitchFormatAndTheRectanglesFirstPixel) {
    auto* dd = new SoftDirectDraw(GetParam());
    Surface* s = MakeOffscreen(*dd, 30, 20);
    SurfaceDesc whole;
    ASSERT_EQ(s->Lock(nullptr, &whole, platform::DDLOCK_WAIT | platform::DDLOCK_NOSYSLOCK, nullptr),
              DD_OK);
    EXPECT_GE(whole.pitch, 60);
    EXPECT_EQ(whole.pixelFormat.flags, platform::DDPF_RGB);
    EXPECT_EQ(whole.pixelFormat.rgbBitCount, 16u);
    bool is565 = GetParam() == PixelLayout::Rgb565;
    EXPECT_EQ(whole.pixelFormat.rBitMask, is565 ? 0xF800u : 0x7C00u);
    EXPECT_EQ(whole.pixelFormat.gBitMask, is565 ? 0x7E0u : 0x3E0u);
    EXPECT_EQ(whole.pixelFormat.bBitMask, 0x1Fu);
    // A second lock while locked is refused; Unlock frees it.
    SurfaceDesc again;
    EXPECT_EQ(s->Lock(nullptr, &again, 0, nullptr), platform::DDERR_SURFACEBUSY);
    EXPECT_EQ(s->Unlock(nullptr), DD_OK);
    EXPECT_EQ(s->Unlock(nullptr), platform::DDERR_NOTLOCKED);

    Rect part{5, 7, 9, 10};
    SurfaceDesc desc;
    ASSERT_EQ(s->Lock(&part, &desc, 0, nullptr), DD_OK);
    EXPECT_EQ(desc.pitch, whole.pitch);
    EXPECT_EQ(static_cast<uint8_t*>(desc.surface),
              static_cast<uint8_t*>(whole.surface) + 7 * whole.pitch + 5 * 2);
    s->Unlock(nullptr);

    platform::PixelFormat format;
    ASSERT_EQ(s->GetPixelFormat(&format), DD_OK);
    EXPECT_EQ(format.gBitMask, whole.pixelFormat.gBitMask);
    Rect outside{25, 15, 31, 20};
    EXPECT_EQ(s->Lock(&outside, &desc, 0, nullptr), platform::DDERR_INVALIDRECT);
    s->Release();
    dd->Release();
}

TEST_P(SoftSurfaceLayouts, ColourKeyLeavesOutKeyedPixelsOnlyWhenAsked) {
    auto* dd = new SoftDirectDraw(GetParam());
    Surface* sheet = MakeOffscreen(*dd, 4, 1);
    Surface* target = MakeOffscreen(*dd, 4, 1);
    Pattern(sheet, 4, 1, 0x10);  // 0x10 0x11 0x12 0x13
    platform::ColorKey key{0x11, 0x11};
    ASSERT_EQ(sheet->SetColorKey(platform::DDCKEY_SRCBLT, &key), DD_OK);

    Fill(target, 0x7777);
    ASSERT_EQ(target->BltFast(0, 0, sheet, nullptr, platform::DDBLTFAST_SRCCOLORKEY), DD_OK);
    EXPECT_EQ(Read(target, 0, 0), 0x10);
    EXPECT_EQ(Read(target, 1, 0), 0x7777);  // keyed out
    EXPECT_EQ(Read(target, 2, 0), 0x12);

    Fill(target, 0x7777);
    ASSERT_EQ(target->BltFast(0, 0, sheet, nullptr, platform::DDBLTFAST_NOCOLORKEY), DD_OK);
    EXPECT_EQ(Read(target, 1, 0), 0x11);

    // With the key removed, the keyed flag copies everything.
    ASSERT_EQ(sheet->SetColorKey(platform::DDCKEY_SRCBLT, nullptr), DD_OK);
    Fill(target, 0x7777);
    ASSERT_EQ(target->BltFast(0, 0, sheet, nullptr, platform::DDBLTFAST_SRCCOLORKEY), DD_OK);
    EXPECT_EQ(Read(target, 1, 0), 0x11);
    sheet->Release();
    target->Release();
    dd->Release();
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, SoftSurfaceLayouts,
                         ::testing::Values(PixelLayout::Rgb565, PixelLayout::Rgb555));

TEST(SoftSurface, BltFastCopiesTheSourceRectangleToThePosition) {
    auto* dd = new SoftDirectDraw(PixelLayout::Rgb565);
    Surface* sheet = MakeOffscreen(*dd, 10, 10);
    Surface* target = MakeOffscreen(*dd, 20, 20);
    Pattern(sheet, 10, 10, 0x1000);
    Fill(target, 0);
    Rect from{2, 3, 6, 5};
    ASSERT_EQ(target->BltFast(11, 12, sheet, &from, platform::DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(Read(target, 11, 12), 0x1000 + 2 + 300);
    EXPECT_EQ(Read(target, 14, 13), 0x1000 + 5 + 400);
    EXPECT_EQ(Read(target, 15, 13), 0);  // right edge exclusive
    EXPECT_EQ(Read(target, 11, 14), 0);  // bottom edge exclusive
    EXPECT_EQ(Read(target, 10, 12), 0);
    sheet->Release();
    target->Release();
    dd->Release();
}

TEST(SoftSurface, BltFastRefusesRectanglesLeavingEitherSurfaceAndCopiesNothing) {
    auto* dd = new SoftDirectDraw(PixelLayout::Rgb565);
    Surface* sheet = MakeOffscreen(*dd, 8, 8);
    Surface* target = MakeOffscreen(*dd, 16, 16);
    Pattern(sheet, 8, 8, 0x2000);
    Fill(target, 0x0055);
    const Rect badSources[] = {{-1, 0, 4, 4}, {0, -1, 4, 4}, {4, 4, 9, 8},
                               {4, 4, 8, 9},  {3, 3, 3, 5},  {5, 2, 4, 6}};
    for (const Rect& r : badSources) {
        EXPECT_EQ(target->BltFast(0, 0, sheet, &r, 0), platform::DDERR_INVALIDRECT)
            << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
    const int badPositions[][2] = {{-1, 0}, {0, -1}, {9, 0}, {0, 9}, {16, 16}};
    for (const auto& p : badPositions) {
        EXPECT_EQ(target->BltFast(p[0], p[1], sheet, nullptr, 0), platform::DDERR_INVALIDRECT)
            << p[0] << "," << p[1];
    }
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) ASSERT_EQ(Read(target, x, y), 0x0055) << x << "," << y;
    }
    // The last position that fits is accepted.
    EXPECT_EQ(target->BltFast(8, 8, sheet, nullptr, 0), DD_OK);
    EXPECT_EQ(Read(target, 15, 15), 0x2000 + 7 + 700);
    sheet->Release();
    target->Release();
    dd->Release();
}

TEST(SoftSurface, BltFastOntoItselfHandlesOverlap) {
    auto* dd = new SoftDirectDraw(PixelLayout::Rgb565);
    Surface* s = MakeOffscreen(*dd, 8, 1);
    Pattern(s, 8, 1, 0x100);
    Rect from{0, 0, 6, 1};
    ASSERT_EQ(s->BltFast(2, 0, s, &from, 0), DD_OK);
    for (int x = 2; x < 8; ++x) EXPECT_EQ(Read(s, x, 0), 0x100 + x - 2);
    s->Release();
    dd->Release();
}

TEST(SoftSurface, ColourFillCoversTheRectangleOrTheWholeSurface) {
    auto* dd = new SoftDirectDraw(PixelLayout::Rgb555);
    Surface* s = MakeOffscreen(*dd, 6, 6);
    Fill(s, 0x1234);
    EXPECT_EQ(Read(s, 5, 5), 0x1234);
    Rect part{1, 1, 3, 2};
    Fill(s, 0, &part);
    EXPECT_EQ(Read(s, 1, 1), 0);
    EXPECT_EQ(Read(s, 2, 1), 0);
    EXPECT_EQ(Read(s, 3, 1), 0x1234);
    EXPECT_EQ(Read(s, 1, 2), 0x1234);
    platform::BltFx fx;
    Rect outside{4, 4, 7, 6};
    EXPECT_EQ(s->Blt(&outside, nullptr, nullptr, platform::DDBLT_COLORFILL, &fx),
              platform::DDERR_INVALIDRECT);
    EXPECT_EQ(Read(s, 5, 5), 0x1234);
    s->Release();
    dd->Release();
}

TEST(SoftSurface, FlipShowsTheBackBufferAndSwapsThePictures) {
    auto* dd = new SoftDirectDraw(PixelLayout::Rgb565);
    RecordingPresenter presenter;
    dd->SetPresenter(&presenter);
    ASSERT_EQ(dd->SetDisplayMode(640, 480, 16), DD_OK);
    Surface* primary = MakePrimary(*dd);
    platform::SurfaceCaps caps{platform::DDSCAPS_BACKBUFFER};
    Surface* back = nullptr;
    ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
    Fill(primary, 0x1111);
    Fill(back, 0x2222);
    ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
    ASSERT_EQ(presenter.width, 640);
    EXPECT_EQ(presenter.frame[0], 0x2222);
    EXPECT_EQ(presenter.frame[640 * 480 - 1], 0x2222);
    EXPECT_EQ(Read(primary, 0, 0), 0x2222);
    EXPECT_EQ(Read(back, 0, 0), 0x1111);
    EXPECT_NE(back->Flip(nullptr, 0), DD_OK);  // only the primary flips
    primary->Release();
    dd->Release();
}

TEST(SoftSurface, LostSurfacesRefuseWorkUntilRestored) {
    auto* dd = new SoftDirectDraw(PixelLayout::Rgb565);
    Surface* primary = MakePrimary(*dd);
    Surface* sheet = MakeOffscreen(*dd, 4, 4);
    platform::SurfaceCaps caps{platform::DDSCAPS_BACKBUFFER};
    Surface* back = nullptr;
    ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
    dd->MarkAllLost();
    const platform::Result lost = platform::DDERR_SURFACELOST;
    EXPECT_EQ(sheet->IsLost(), lost);
    EXPECT_EQ(back->IsLost(), lost);
    platform::BltFx fx;
    EXPECT_EQ(back->Blt(nullptr, nullptr, nullptr, platform::DDBLT_COLORFILL, &fx), lost);
    EXPECT_EQ(back->BltFast(0, 0, sheet, nullptr, 0), lost);
    EXPECT_EQ(primary->Flip(nullptr, 0), lost);
    SurfaceDesc desc;
    EXPECT_EQ(sheet->Lock(nullptr, &desc, 0, nullptr), lost);
    platform::DeviceContextHandle dc = nullptr;
    EXPECT_EQ(sheet->GetDC(&dc), lost);

    // Restoring the primary gives the back buffer back too; the sheet stays lost, and a
    // copy from it into a healthy surface is refused as lost.
    ASSERT_EQ(primary->Restore(), DD_OK);
    EXPECT_EQ(back->IsLost(), DD_OK);
    EXPECT_EQ(primary->Flip(nullptr, 0), DD_OK);
    EXPECT_EQ(back->BltFast(0, 0, sheet, nullptr, 0), lost);
    ASSERT_EQ(sheet->Restore(), DD_OK);
    EXPECT_EQ(back->BltFast(0, 0, sheet, nullptr, 0), DD_OK);
    sheet->Release();
    primary->Release();
    dd->Release();
}

TEST(SoftSurface, ReferencesCountAndTheObjectTakesItsSurfacesAlong) {
    auto* dd = new SoftDirectDraw(PixelLayout::Rgb565);
    platform::Unknown* second = nullptr;
    ASSERT_EQ(dd->QueryInterface(platform::IID_IDirectDraw2, &second), DD_OK);
    EXPECT_EQ(second, dd);
    EXPECT_EQ(second->Release(), 1u);
    platform::Unknown* none = reinterpret_cast<platform::Unknown*>(1);
    EXPECT_EQ(dd->QueryInterface(platform::IID_IDirectDrawSurface3, &none),
              platform::DDERR_NOINTERFACE);
    EXPECT_EQ(none, nullptr);

    Surface* s = MakeOffscreen(*dd, 2, 2);
    platform::Unknown* s3 = nullptr;
    ASSERT_EQ(s->QueryInterface(platform::IID_IDirectDrawSurface3, &s3), DD_OK);
    EXPECT_EQ(s3->Release(), 1u);
    EXPECT_EQ(dd->Surfaces().size(), 1u);

    // The object goes with its surface still held: the surface turns into an orphan that
    // answers "lost" and is freed by its own last release.
    size_t orphansBefore = SoftDirectDraw::OrphanCount();
    EXPECT_EQ(dd->Release(), 0u);
    EXPECT_EQ(SoftDirectDraw::OrphanCount(), orphansBefore + 1);
    EXPECT_EQ(s->IsLost(), platform::DDERR_SURFACELOST);
    EXPECT_NE(s->Restore(), DD_OK);
    EXPECT_EQ(s->Release(), 0u);
    EXPECT_EQ(SoftDirectDraw::OrphanCount(), orphansBefore);
}

TEST(SoftSurface, CreateSurfaceRejectsIncompleteRequests) {
    auto* dd = new SoftDirectDraw(PixelLayout::Rgb565);
    SurfaceDesc desc;
    desc.flags = platform::DDSD_CAPS;  // no size for an off-screen surface
    desc.caps.caps = platform::DDSCAPS_OFFSCREENPLAIN;
    Surface* out = reinterpret_cast<Surface*>(1);
    EXPECT_EQ(dd->CreateSurface(&desc, &out, nullptr), platform::DDERR_INVALIDPARAMS);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(dd->SetDisplayMode(640, 480, 32), platform::DDERR_INVALIDPARAMS);
    Surface* primary = MakePrimary(*dd);
    Surface* secondPrimary = nullptr;
    SurfaceDesc primaryDesc;
    primaryDesc.flags = platform::DDSD_CAPS;
    primaryDesc.caps.caps = platform::DDSCAPS_PRIMARYSURFACE;
    EXPECT_NE(dd->CreateSurface(&primaryDesc, &secondPrimary, nullptr), DD_OK);
    primary->Release();
    EXPECT_EQ(dd->CreateSurface(&primaryDesc, &secondPrimary, nullptr), DD_OK);
    platform::SurfaceCaps caps{platform::DDSCAPS_BACKBUFFER};
    Surface* back = nullptr;
    EXPECT_NE(secondPrimary->GetAttachedSurface(&caps, &back), DD_OK);  // no back buffer
    secondPrimary->Release();
    dd->Release();
}

}  // namespace
