#include <gtest/gtest.h>

#include <limits>

#include "display/testing/bmp_writer.h"
#include "display/testing/fake_system.h"
#include "display/testing/temp_directory.h"

namespace {

using platform::BmpEncoding;
using platform::BmpPicture;
using platform::DD_OK;
using platform::FakeSystem;

constexpr uint32_t kLoadFromFile = platform::LR_LOADFROMFILE | platform::LR_CREATEDIBSECTION;

// Nine pixels of different colours over three rows, with a run of equal ones so the
// run-length encodings use both their run and their literal forms.
BmpPicture Sample() {
    return BmpPicture{5,
                      3,
                      {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF,  //
                       0x808080, 0x808080, 0x808080, 0x808080, 0x102030,  //
                       0xFFFF00, 0x00FFFF, 0xFF00FF, 0xC0C0C0, 0x000000}};
}

uint16_t To565(uint32_t rgb) {
    return static_cast<uint16_t>(((rgb >> 19) & 0x1F) << 11 | ((rgb >> 10) & 0x3F) << 5 |
                                 ((rgb >> 3) & 0x1F));
}

uint16_t To555(uint32_t rgb) {
    return static_cast<uint16_t>(((rgb >> 19) & 0x1F) << 10 | ((rgb >> 11) & 0x1F) << 5 |
                                 ((rgb >> 3) & 0x1F));
}

platform::Surface* MakeSurface(FakeSystem& fake, int w, int h) {
    platform::DirectDraw* dd = fake.LastDirectDraw();
    if (dd == nullptr) {
        EXPECT_EQ(fake.DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
    }
    platform::SurfaceDesc desc;
    desc.flags = platform::DDSD_CAPS | platform::DDSD_WIDTH | platform::DDSD_HEIGHT;
    desc.width = static_cast<uint32_t>(w);
    desc.height = static_cast<uint32_t>(h);
    desc.caps.caps = platform::DDSCAPS_OFFSCREENPLAIN;
    platform::Surface* surface = nullptr;
    EXPECT_EQ(dd->CreateSurface(&desc, &surface, nullptr), DD_OK);
    return surface;
}

// The way the sprite sheets are copied: a memory DC holding the bitmap, StretchBlt into the
// surface's DC.
void CopyInto(FakeSystem& fake, platform::BitmapHandle bitmap, platform::Surface* surface, int w,
              int h) {
    platform::DeviceContextHandle memory = fake.CreateCompatibleDC(nullptr);
    ASSERT_NE(memory, nullptr);
    fake.SelectObject(memory, bitmap);
    platform::DeviceContextHandle target = nullptr;
    ASSERT_EQ(surface->GetDC(&target), DD_OK);
    EXPECT_TRUE(fake.StretchBlt(target, 0, 0, w, h, memory, 0, 0, w, h, platform::SRCCOPY));
    EXPECT_EQ(surface->ReleaseDC(target), DD_OK);
    EXPECT_TRUE(fake.DeleteDC(memory));
}

struct DecodeCase {
    BmpEncoding encoding;
    soft::PixelLayout layout;
};

class BitmapDecoding : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(BitmapDecoding, EveryEncodingArrivesInTheSurfacesFormat) {
    FakeSystem fake;
    fake.pixelLayout = GetParam().layout;
    BmpPicture picture = Sample();
    fake.AddEmbeddedBitmap("SAMPLE.BMP", platform::EncodeBmp(picture, GetParam().encoding));
    platform::ModuleHandle module = fake.GetModuleHandleA(nullptr);
    platform::BitmapHandle bitmap =
        fake.LoadImageA(module, "sample.bmp", platform::IMAGE_BITMAP, 0, 0, 0x2000);
    ASSERT_NE(bitmap, nullptr);
    platform::BitmapInfo info;
    ASSERT_GT(fake.GetObjectA(bitmap, 24, &info), 0);
    EXPECT_EQ(info.width, 5);
    EXPECT_EQ(info.height, 3);

    platform::Surface* surface = MakeSurface(fake, 5, 3);
    CopyInto(fake, bitmap, surface, 5, 3);
    bool is565 = GetParam().layout == soft::PixelLayout::Rgb565;
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            uint32_t rgb = picture.At(x, y);
            EXPECT_EQ(fake.PixelAt(surface, x, y), is565 ? To565(rgb) : To555(rgb))
                << "pixel " << x << "," << y;
        }
    }
    EXPECT_TRUE(fake.DeleteObject(bitmap));
    surface->Release();
}

INSTANTIATE_TEST_SUITE_P(
    AllEncodings, BitmapDecoding,
    ::testing::Values(DecodeCase{BmpEncoding::Bits24, soft::PixelLayout::Rgb565},
                      DecodeCase{BmpEncoding::Bits8, soft::PixelLayout::Rgb565},
                      DecodeCase{BmpEncoding::Bits4, soft::PixelLayout::Rgb565},
                      DecodeCase{BmpEncoding::Rle8, soft::PixelLayout::Rgb565},
                      DecodeCase{BmpEncoding::Rle4, soft::PixelLayout::Rgb565},
                      DecodeCase{BmpEncoding::Bits24, soft::PixelLayout::Rgb555},
                      DecodeCase{BmpEncoding::Rle8, soft::PixelLayout::Rgb555},
                      DecodeCase{BmpEncoding::Rle4, soft::PixelLayout::Rgb555}));

TEST(BitmapLoading, ALooseFileWinsOverTheEmbeddedSheetOfTheSameName) {
    FakeSystem fake;
    platform::TempDirectory dir;
    fake.directory = dir.Path();
    fake.AddEmbeddedBitmap(
        "font8.bmp",
        platform::EncodeBmp(platform::SolidPicture(16, 16, 0xFF0000), BmpEncoding::Bits24));
    ASSERT_TRUE(dir.Write("font8.bmp", platform::EncodeBmp(platform::SolidPicture(8, 4, 0x00FF00),
                                                           BmpEncoding::Bits8)));
    platform::BitmapHandle loose =
        fake.LoadImageA(nullptr, "font8.bmp", platform::IMAGE_BITMAP, 0, 0, kLoadFromFile);
    ASSERT_NE(loose, nullptr);
    platform::BitmapInfo info;
    fake.GetObjectA(loose, 24, &info);
    EXPECT_EQ(info.width, 8);
    EXPECT_TRUE(fake.DeleteObject(loose));

    // The embedded sheet is what the program's module holds, found without regard to case.
    platform::BitmapHandle embedded = fake.LoadImageA(fake.GetModuleHandleA(nullptr), "FONT8.BMP",
                                                      platform::IMAGE_BITMAP, 0, 0, 0x2000);
    ASSERT_NE(embedded, nullptr);
    fake.GetObjectA(embedded, 24, &info);
    EXPECT_EQ(info.width, 16);
    EXPECT_TRUE(fake.DeleteObject(embedded));
    EXPECT_EQ(fake.LiveBitmaps(), 0u);
}

TEST(BitmapLoading, UnreadableOrOversizedLooseFilesCountAsNotFound) {
    FakeSystem fake;
    platform::TempDirectory dir;
    fake.directory = dir.Path();
    std::vector<uint8_t> good =
        platform::EncodeBmp(platform::SolidPicture(640, 480, 0x123456), BmpEncoding::Bits8);
    std::vector<uint8_t> truncated(good.begin(), good.begin() + 200);
    std::vector<uint8_t> headerOnly(good.begin(), good.begin() + 20);
    ASSERT_TRUE(dir.Write("full.bmp", good));
    ASSERT_TRUE(dir.Write("garbage.bmp", std::string("this is not a bitmap at all, not at all")));
    ASSERT_TRUE(dir.Write("empty.bmp", std::string()));
    ASSERT_TRUE(dir.Write("truncated.bmp", truncated));
    ASSERT_TRUE(dir.Write("header.bmp", headerOnly));
    ASSERT_TRUE(dir.Write(
        "wide.bmp", platform::EncodeBmp(platform::SolidPicture(641, 1, 0), BmpEncoding::Bits24)));
    ASSERT_TRUE(dir.Write(
        "tall.bmp", platform::EncodeBmp(platform::SolidPicture(1, 481, 0), BmpEncoding::Rle8)));
    for (const char* name : {"garbage.bmp", "empty.bmp", "truncated.bmp", "header.bmp", "wide.bmp",
                             "tall.bmp", "missing.bmp"}) {
        EXPECT_EQ(fake.LoadImageA(nullptr, name, platform::IMAGE_BITMAP, 0, 0, kLoadFromFile),
                  nullptr)
            << name;
    }
    platform::BitmapHandle full =
        fake.LoadImageA(nullptr, "full.bmp", platform::IMAGE_BITMAP, 0, 0, kLoadFromFile);
    ASSERT_NE(full, nullptr);  // the largest accepted size
    fake.DeleteObject(full);
}

TEST(BitmapLoading, PixelsOfADeviceContextAreReadAndWrittenAsRgbColours) {
    FakeSystem fake;
    platform::Surface* surface = MakeSurface(fake, 4, 4);
    platform::DeviceContextHandle dc = nullptr;
    ASSERT_EQ(surface->GetDC(&dc), DD_OK);
    EXPECT_EQ(fake.SetPixel(dc, 1, 2, 0x0000FF), 0x0000FFu);  // pure red as 0x00BBGGRR
    EXPECT_EQ(fake.GetPixel(dc, 1, 2), 0x0000FFu);
    EXPECT_EQ(fake.GetPixel(dc, 4, 0), platform::CLR_INVALID);
    // While the DC is out the surface cannot be locked.
    platform::SurfaceDesc desc;
    EXPECT_NE(surface->Lock(nullptr, &desc, 0, nullptr), DD_OK);
    ASSERT_EQ(surface->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(fake.PixelAt(surface, 1, 2), 0xF800);
    surface->Release();
}

TEST(BitmapLoading, ABitmapSelectedIntoADeviceContextIsNotDeleted) {
    FakeSystem fake;
    fake.AddEmbeddedBitmap(
        "a.bmp", platform::EncodeBmp(platform::SolidPicture(2, 2, 0x00FF00), BmpEncoding::Bits24));
    platform::BitmapHandle bitmap =
        fake.LoadImageA(fake.GetModuleHandleA(nullptr), "a.bmp", platform::IMAGE_BITMAP, 0, 0, 0);
    ASSERT_NE(bitmap, nullptr);
    platform::DeviceContextHandle memory = fake.CreateCompatibleDC(nullptr);
    EXPECT_EQ(fake.SelectObject(memory, bitmap), nullptr);
    EXPECT_EQ(fake.GetPixel(memory, 0, 0), 0x00FF00u);
    EXPECT_FALSE(fake.DeleteObject(bitmap));
    EXPECT_TRUE(fake.DeleteDC(memory));
    EXPECT_TRUE(fake.DeleteObject(bitmap));
    EXPECT_EQ(fake.LiveMemoryDCs(), 0u);
}

// Corners far off either picture are cut away whole: with 32-bit arithmetic the cuts
// overflowed and wrapped round to reads and writes outside both pictures.
TEST(BitmapLoading, CopiesFromCornersFarOffThePicturesTouchNothing) {
    FakeSystem fake;
    fake.AddEmbeddedBitmap("sample.bmp", platform::EncodeBmp(Sample(), BmpEncoding::Bits24));
    platform::BitmapHandle bitmap = fake.LoadImageA(fake.GetModuleHandleA(nullptr), "sample.bmp",
                                                    platform::IMAGE_BITMAP, 0, 0, 0);
    ASSERT_NE(bitmap, nullptr);
    platform::DeviceContextHandle memory = fake.CreateCompatibleDC(nullptr);
    fake.SelectObject(memory, bitmap);
    platform::Surface* surface = MakeSurface(fake, 4, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) fake.SetPixelAt(surface, x, y, 0x1234);
    }
    platform::DeviceContextHandle target = nullptr;
    ASSERT_EQ(surface->GetDC(&target), DD_OK);
    constexpr int kLow = std::numeric_limits<int>::min();
    constexpr int kHigh = std::numeric_limits<int>::max();
    // Unscaled: the block lies wholly left of the bitmap, or wholly right of the surface.
    fake.StretchBlt(target, 0, 0, 2, 2, memory, kLow, 0, 2, 2, platform::SRCCOPY);
    fake.StretchBlt(target, kLow, 0, 2, 2, memory, 0, 0, 2, 2, platform::SRCCOPY);
    fake.StretchBlt(target, kHigh, 0, 2, 2, memory, -10, 0, 2, 2, platform::SRCCOPY);
    // Scaled: a rectangle reaching past a picture is refused.
    EXPECT_FALSE(
        fake.StretchBlt(target, 0, 0, 4, 4, memory, kHigh - 1, 0, 2, 2, platform::SRCCOPY));
    EXPECT_FALSE(
        fake.StretchBlt(target, kHigh - 1, 0, 4, 4, memory, 0, 0, 2, 2, platform::SRCCOPY));
    ASSERT_EQ(surface->ReleaseDC(target), DD_OK);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(fake.PixelAt(surface, x, y), 0x1234) << "pixel " << x << "," << y;
        }
    }
    EXPECT_TRUE(fake.DeleteDC(memory));
    EXPECT_TRUE(fake.DeleteObject(bitmap));
    surface->Release();
}

}  // namespace
