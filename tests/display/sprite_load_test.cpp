#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "display/sprite.h"
#include "display/testing/temp_directory.h"
#include "tests/display/test_screen.h"

using namespace platform;

namespace {

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint16_t kRed565 = 0xF800;
constexpr uint16_t kGreen565 = 0x07E0;
constexpr uint16_t kBlue565 = 0x001F;

std::vector<uint8_t> Solid(int width, int height, uint32_t rgb) {
    return Bitmap24(SolidPicture(width, height, rgb));
}

class SpriteLoadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sprite.directDraw = screen.directDraw;
        sprite.defaultTarget = screen.backBuffer;
    }

    TestScreen screen;
    Sprite sprite;
};

TEST_F(SpriteLoadTest, OpensMeasuresCreatesAndCopiesInThatOrder) {
    screen.fake.AddEmbeddedBitmap("SHEET.BMP", Solid(32, 48, kRed));
    sprite.Load("sheet.bmp");
    const std::vector<std::string> expected = {"LoadImageA(sheet.bmp,file)",
                                               "LoadImageA(sheet.bmp,resource)",
                                               "GetObjectA",
                                               "DeleteObject",
                                               "CreateSurface(offscreen 32x48)",
                                               "Restore(offscreen 32x48)",
                                               "LoadImageA(sheet.bmp,file)",
                                               "LoadImageA(sheet.bmp,resource)",
                                               "CreateCompatibleDC",
                                               "SelectObject",
                                               "GetDC(offscreen 32x48)",
                                               "StretchBlt(0,0,32,48)",
                                               "ReleaseDC(offscreen 32x48)",
                                               "DeleteDC",
                                               "DeleteObject"};
    EXPECT_EQ(screen.fake.calls, expected);
    EXPECT_STREQ(sprite.name, "sheet.bmp");
    EXPECT_EQ(sprite.width, 32);
    EXPECT_EQ(sprite.height, 48);
    EXPECT_EQ(sprite.cellWidth, 2);
    EXPECT_EQ(sprite.cellHeight, 3);
    EXPECT_EQ(sprite.surfaceCreated, 1);
    EXPECT_EQ(screen.fake.PixelAt(sprite.surface, 31, 47), kRed565);
    EXPECT_EQ(screen.fake.LiveBitmaps(), 0u);
    EXPECT_EQ(screen.fake.LiveMemoryDCs(), 0u);
}

TEST_F(SpriteLoadTest, LooseFileWinsOverTheEmbeddedSheet) {
    TempDirectory directory;
    ASSERT_TRUE(directory.Write("tile.bmp", Solid(8, 8, kBlue)));
    screen.fake.directory = directory.Path();
    screen.fake.AddEmbeddedBitmap("TILE.BMP", Solid(8, 8, kRed));
    screen.fake.AddEmbeddedBitmap("OTHER.BMP", Solid(8, 8, kRed));

    sprite.Load("tile.bmp");
    EXPECT_EQ(screen.fake.PixelAt(sprite.surface, 4, 4), kBlue565);
    EXPECT_FALSE(screen.fake.Called("LoadImageA(tile.bmp,resource)"));

    Sprite builtIn;
    builtIn.directDraw = screen.directDraw;
    builtIn.Load("other.bmp");
    EXPECT_EQ(screen.fake.PixelAt(builtIn.surface, 4, 4), kRed565);
}

// A sprite told the size of its sheet takes a loose file only of that size; another size is
// passed over for the program's own sheet, and standard error says so once.
TEST_F(SpriteLoadTest, ALooseFileOfAnotherSizeGivesWayToTheProgramsSheet) {
    TempDirectory directory;
    ASSERT_TRUE(directory.Write("wide.bmp", Solid(10, 8, kBlue)));
    ASSERT_TRUE(directory.Write("fits.bmp", Solid(8, 8, kBlue)));
    screen.fake.directory = directory.Path();
    screen.fake.AddEmbeddedBitmap("WIDE.BMP", Solid(8, 8, kRed));
    screen.fake.AddEmbeddedBitmap("FITS.BMP", Solid(8, 8, kRed));

    sprite.sheetWidth = 8;
    sprite.sheetHeight = 8;
    testing::internal::CaptureStderr();
    sprite.Load("wide.bmp");
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(sprite.width, 8);
    EXPECT_EQ(screen.fake.PixelAt(sprite.surface, 4, 4), kRed565);
    EXPECT_NE(told.find("wide.bmp is 10x8, not 8x8"), std::string::npos) << told;
    EXPECT_EQ(screen.fake.LiveBitmaps(), 0u);

    testing::internal::CaptureStderr();
    sprite.Load("wide.bmp");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(screen.fake.PixelAt(sprite.surface, 4, 4), kRed565);

    Sprite fits;
    fits.directDraw = screen.directDraw;
    fits.sheetWidth = 8;
    fits.sheetHeight = 8;
    testing::internal::CaptureStderr();
    fits.Load("fits.bmp");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(screen.fake.PixelAt(fits.surface, 4, 4), kBlue565);
}

TEST_F(SpriteLoadTest, MissingBitmapKeepsWhatTheSpriteHad) {
    Sprite empty;
    empty.directDraw = screen.directDraw;
    empty.defaultTarget = screen.backBuffer;
    empty.Load("nowhere.bmp");
    EXPECT_EQ(empty.surface, nullptr);
    EXPECT_FALSE(screen.fake.Called("CreateSurface", true));
    empty.Draw(0, 0, 0, 0, 8, 8);
    EXPECT_FALSE(screen.fake.Called("BltFast", true));

    screen.fake.AddEmbeddedBitmap("red.bmp", Solid(16, 16, kRed));
    sprite.Load("red.bmp");
    Surface* surface = sprite.surface;
    sprite.Load("nowhere.bmp");
    EXPECT_STREQ(sprite.name, "nowhere.bmp");
    EXPECT_EQ(sprite.surface, surface);
    EXPECT_EQ(sprite.width, 16);
    EXPECT_EQ(screen.fake.PixelAt(sprite.surface, 0, 0), kRed565);
}

TEST_F(SpriteLoadTest, LaterLoadsReuseTheSurface) {
    screen.fake.AddEmbeddedBitmap("red.bmp", Solid(16, 16, kRed));
    screen.fake.AddEmbeddedBitmap("green.bmp", Solid(16, 16, kGreen));
    sprite.Load("red.bmp");
    Surface* surface = sprite.surface;
    sprite.Load("green.bmp");
    EXPECT_EQ(sprite.surface, surface);
    EXPECT_EQ(screen.fake.Count("CreateSurface", true), 1u);
    EXPECT_EQ(screen.fake.PixelAt(sprite.surface, 15, 15), kGreen565);
    EXPECT_STREQ(sprite.name, "green.bmp");
}

TEST_F(SpriteLoadTest, FailedSurfaceCreationIsTriedAgainByTheNextLoad) {
    screen.fake.AddEmbeddedBitmap("red.bmp", Solid(16, 16, kRed));
    screen.fake.FailNext("CreateSurface", DDERR_OUTOFMEMORY, "offscreen");
    sprite.Load("red.bmp");
    EXPECT_EQ(sprite.surface, nullptr);
    EXPECT_EQ(sprite.surfaceCreated, 0);
    EXPECT_FALSE(screen.fake.Called("GetDC", true));
    EXPECT_EQ(screen.fake.LiveBitmaps(), 0u);

    sprite.Load("red.bmp");
    ASSERT_NE(sprite.surface, nullptr);
    EXPECT_EQ(screen.fake.PixelAt(sprite.surface, 0, 0), kRed565);
}

TEST_F(SpriteLoadTest, RefusedSurfaceContextKeepsTheOldPicture) {
    screen.fake.AddEmbeddedBitmap("red.bmp", Solid(16, 16, kRed));
    screen.fake.AddEmbeddedBitmap("green.bmp", Solid(16, 16, kGreen));
    sprite.Load("red.bmp");
    screen.fake.FailNext("GetDC", DDERR_CANTCREATEDC, "offscreen");
    sprite.Load("green.bmp");
    EXPECT_EQ(screen.fake.PixelAt(sprite.surface, 0, 0), kRed565);
    EXPECT_EQ(screen.fake.LiveBitmaps(), 0u);
    EXPECT_EQ(screen.fake.LiveMemoryDCs(), 0u);

    screen.fake.FailNext("CreateCompatibleDC");
    sprite.Load("green.bmp");
    EXPECT_EQ(screen.fake.PixelAt(sprite.surface, 0, 0), kRed565);
    EXPECT_EQ(screen.fake.LiveBitmaps(), 0u);
}

TEST_F(SpriteLoadTest, OverlongNameIsCutToTheBuffer) {
    const std::string longName(2000, 'x');
    sprite.Load(longName.c_str());
    EXPECT_EQ(std::strlen(sprite.name), sizeof sprite.name - 1);
    EXPECT_EQ(std::string(sprite.name), longName.substr(0, sizeof sprite.name - 1));
}

TEST_F(SpriteLoadTest, LostSurfaceIsReloadedByTheNextDraw) {
    screen.fake.AddEmbeddedBitmap(
        "red.bmp",
        Bitmap24(MakePicture(16, 16, [](int x, int y) { return x == 0 && y == 0 ? 0u : kRed; })));
    sprite.Load("red.bmp");
    sprite.SetColorKey(1);  // black, the top-left pixel
    screen.fake.LoseSurfaces();
    screen.primary->Restore();  // the display device does this on its next flip
    screen.Fill(screen.backBuffer, 640, 480, 0x1234);
    screen.fake.ClearCalls();

    sprite.Draw(50, 60, 0, 0, 16, 16);
    const int lostCheck = screen.fake.IndexOf("IsLost(offscreen 16x16)");
    const int restore = screen.fake.IndexOf("Restore(offscreen 16x16)");
    const int copy = screen.fake.IndexOf("StretchBlt(0,0,16,16)");
    const int blit = screen.fake.IndexOf("BltFast", true);
    EXPECT_GE(lostCheck, 0);
    EXPECT_LT(lostCheck, restore);
    EXPECT_LT(restore, copy);
    EXPECT_LT(copy, blit);
    EXPECT_FALSE(screen.fake.Called("CreateSurface", true));
    // The sheet as loaded, still keyed: not the restored surface's leftover bytes.
    EXPECT_EQ(screen.fake.PixelAt(screen.backBuffer, 50, 60), 0x1234);
    EXPECT_EQ(screen.fake.PixelAt(screen.backBuffer, 51, 60), kRed565);
    EXPECT_EQ(screen.fake.PixelAt(screen.backBuffer, 65, 75), kRed565);

    screen.fake.ClearCalls();
    sprite.Draw(50, 60, 0, 0, 16, 16);
    EXPECT_FALSE(screen.fake.Called("Restore", true));
}

TEST_F(SpriteLoadTest, ReleaseTwiceReleasesOnce) {
    screen.fake.AddEmbeddedBitmap("red.bmp", Solid(16, 16, kRed));
    sprite.Load("red.bmp");
    sprite.Release();
    sprite.Release();
    EXPECT_EQ(screen.fake.Count("Release(offscreen 16x16)"), 1u);
    EXPECT_EQ(sprite.surface, nullptr);
    sprite.Draw(0, 0, 0, 0, 16, 16);
    EXPECT_FALSE(screen.fake.Called("BltFast", true));

    // A released sprite that is loaded again gets a surface of its own.
    sprite.Load("red.bmp");
    ASSERT_NE(sprite.surface, nullptr);
    EXPECT_EQ(screen.fake.Count("CreateSurface(offscreen 16x16)"), 2u);
}

}  // namespace
