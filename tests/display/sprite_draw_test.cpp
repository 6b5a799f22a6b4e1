#include <gtest/gtest.h>

#include "display/sprite.h"
#include "tests/display/test_screen.h"

using namespace platform;

namespace {

// Never produced by the distinct picture in 5-6-5 (its green values are all even).
constexpr uint16_t kMarker = 0x1234;
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

class SpriteDrawTest : public ::testing::Test {
  protected:
    void SetUp() override {
        screen.fake.AddEmbeddedBitmap("sheet.bmp", Bitmap24(DistinctPicture(64, 64)));
        Prepare(sprite, "sheet.bmp");
        ASSERT_NE(sprite.surface, nullptr);
        ResetScreen();
    }

    void Prepare(Sprite& target, const char* name) {
        target.directDraw = screen.directDraw;
        target.defaultTarget = screen.backBuffer;
        target.Load(name);
    }

    void ResetScreen() {
        screen.Fill(screen.backBuffer, kScreenWidth, kScreenHeight, kMarker);
        screen.fake.ClearCalls();
    }

    // The screen rectangle (x, y, w, h) holds the sheet's pixels from (srcX, srcY) on, and
    // every other pixel of the back buffer still holds the marker.
    ::testing::AssertionResult ScreenShows(const Sprite& source, int x, int y, int w, int h,
                                           int srcX, int srcY) {
        for (int py = 0; py < kScreenHeight; ++py) {
            for (int px = 0; px < kScreenWidth; ++px) {
                const bool inside = px >= x && px < x + w && py >= y && py < y + h;
                const uint16_t expected =
                    inside ? screen.fake.PixelAt(source.surface, srcX + px - x, srcY + py - y)
                           : kMarker;
                const uint16_t actual = screen.fake.PixelAt(screen.backBuffer, px, py);
                if (actual != expected) {
                    return ::testing::AssertionFailure()
                           << "pixel (" << px << "," << py << ") is 0x" << std::hex << actual
                           << ", expected 0x" << expected
                           << (inside ? " (copied)" : " (untouched)");
                }
            }
        }
        return ::testing::AssertionSuccess();
    }

    TestScreen screen;
    Sprite sprite;
};

TEST_F(SpriteDrawTest, CutsAtTheLeftAndRightEdges) {
    sprite.Draw(-10, 100, 8, 4, 40, 20);
    EXPECT_TRUE(ScreenShows(sprite, 0, 100, 30, 20, 18, 4));

    ResetScreen();
    sprite.Draw(620, 100, 8, 4, 40, 20);
    EXPECT_TRUE(ScreenShows(sprite, 620, 100, 20, 20, 8, 4));
}

TEST_F(SpriteDrawTest, CutsAtTheTopAndBottomEdges) {
    sprite.Draw(200, -5, 8, 4, 40, 20);
    EXPECT_TRUE(ScreenShows(sprite, 200, 0, 40, 15, 8, 9));

    ResetScreen();
    sprite.Draw(200, 470, 8, 4, 40, 20);
    EXPECT_TRUE(ScreenShows(sprite, 200, 470, 40, 10, 8, 4));
}

TEST_F(SpriteDrawTest, CutsAtTwoEdgesAtOnce) {
    sprite.Draw(-10, -5, 8, 4, 40, 20);
    EXPECT_TRUE(ScreenShows(sprite, 0, 0, 30, 15, 18, 9));

    ResetScreen();
    sprite.Draw(630, 475, 0, 0, 40, 20);
    EXPECT_TRUE(ScreenShows(sprite, 630, 475, 10, 5, 0, 0));
}

TEST_F(SpriteDrawTest, DrawsNothingWhollyOffTheScreen) {
    struct Placement {
        int x, y;
    };
    for (Placement at : {Placement{640, 0}, Placement{-40, 0}, Placement{0, 480}, Placement{0, -20},
                         Placement{700, 600}}) {
        sprite.Draw(at.x, at.y, 0, 0, 40, 20);
        EXPECT_EQ(screen.fake.Count("BltFast", true), 0u) << at.x << "," << at.y;
    }
    EXPECT_TRUE(ScreenShows(sprite, 0, 0, 0, 0, 0, 0));
}

TEST_F(SpriteDrawTest, FullScreenSheetIsNotCut) {
    screen.fake.AddEmbeddedBitmap("full.bmp", Bitmap24(DistinctPicture(640, 480)));
    Sprite full;
    Prepare(full, "full.bmp");
    ResetScreen();
    full.Draw(0, 0, 0, 0, 640, 480);
    EXPECT_TRUE(screen.fake.Called("BltFast(backbuffer,0,0,offscreen 640x480,0,0,640,480)"));
    EXPECT_TRUE(ScreenShows(full, 0, 0, 640, 480, 0, 0));
}

TEST_F(SpriteDrawTest, GoesToTheNamedTargetOrNowhere) {
    SurfaceDesc desc;
    desc.flags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.width = 32;
    desc.height = 32;
    desc.caps.caps = DDSCAPS_OFFSCREENPLAIN;
    Surface* other = nullptr;
    ASSERT_EQ(screen.directDraw->CreateSurface(&desc, &other, nullptr), DD_OK);
    sprite.Draw(0, 0, 5, 6, 32, 32, other);
    EXPECT_EQ(screen.fake.PixelAt(other, 3, 4), screen.fake.PixelAt(sprite.surface, 8, 10));
    other->Release();

    sprite.defaultTarget = nullptr;
    sprite.Draw(0, 0, 0, 0, 16, 16);
    EXPECT_TRUE(ScreenShows(sprite, 0, 0, 0, 0, 0, 0));
}

class SpriteColorKeyTest : public SpriteDrawTest {
  protected:
    static constexpr uint32_t kGrey = 0xC0C0C0;
    static bool IsBlack(int x, int y) { return (x + y) % 3 == 0; }

    void SetUp() override {
        screen.fake.AddEmbeddedBitmap(
            "keyed.bmp",
            Bitmap24(MakePicture(16, 16, [](int x, int y) { return IsBlack(x, y) ? 0u : kGrey; })));
        Prepare(sprite, "keyed.bmp");
        ASSERT_NE(sprite.surface, nullptr);
        grey = screen.fake.PixelAt(sprite.surface, 1, 0);
        ResetScreen();
    }

    // Black cells of the sheet drawn at (100, 100) show blackShows, grey ones the grey.
    void ExpectDrawn(uint16_t blackShows) {
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const uint16_t expected = IsBlack(x, y) ? blackShows : grey;
                ASSERT_EQ(screen.fake.PixelAt(screen.backBuffer, 100 + x, 100 + y), expected)
                    << x << "," << y;
            }
        }
    }

    uint16_t grey = 0;
};

TEST_F(SpriteColorKeyTest, TopLeftColourIsTransparentWhileKeyed) {
    sprite.SetColorKey(1);
    EXPECT_EQ(sprite.colorKeyed, 1);
    EXPECT_TRUE(screen.fake.Called("SetColorKey(offscreen 16x16,0x0)"));
    sprite.Draw(100, 100, 0, 0, 16, 16);
    EXPECT_TRUE(screen.fake.Called("BltFast(backbuffer,100,100,offscreen 16x16,0,0,16,16,key)"));
    ExpectDrawn(kMarker);

    sprite.SetColorKey(0);
    EXPECT_EQ(sprite.colorKeyed, 0);
    ResetScreen();
    sprite.Draw(100, 100, 0, 0, 16, 16);
    EXPECT_TRUE(screen.fake.Called("BltFast(backbuffer,100,100,offscreen 16x16,0,0,16,16)"));
    ExpectDrawn(0);
}

TEST_F(SpriteColorKeyTest, KeyFollowsTheTopLeftPixelOfTheSheet) {
    screen.fake.AddEmbeddedBitmap(
        "inverse.bmp",
        Bitmap24(MakePicture(16, 16, [](int x, int y) { return IsBlack(x, y) ? kGrey : 0u; })));
    sprite.Load("inverse.bmp");
    sprite.SetColorKey(1);
    char call[64];
    std::snprintf(call, sizeof call, "SetColorKey(offscreen 16x16,0x%X)", grey);
    EXPECT_TRUE(screen.fake.Called(call));
    sprite.Draw(100, 100, 0, 0, 16, 16);
    // Now the grey cells are transparent and the black ones are copied.
    for (int x = 0; x < 16; ++x) {
        EXPECT_EQ(screen.fake.PixelAt(screen.backBuffer, 100 + x, 100),
                  IsBlack(x, 0) ? kMarker : 0);
    }
}

TEST_F(SpriteColorKeyTest, UnreadableTopLeftGivesAllBitsSet) {
    screen.fake.Fail("Lock", DDERR_WASSTILLDRAWING, 2, "offscreen");
    sprite.SetColorKey(1);
    EXPECT_EQ(screen.fake.Count("Lock(offscreen 16x16,0,0,16,16)"), 3u);
    EXPECT_TRUE(screen.fake.Called("SetColorKey(offscreen 16x16,0x0)"));

    screen.fake.ClearCalls();
    screen.fake.Fail("Lock", DDERR_GENERIC, 1, "offscreen");
    sprite.SetColorKey(1);
    EXPECT_TRUE(screen.fake.Called("SetColorKey(offscreen 16x16,0xFFFFFFFF)"));
    EXPECT_FALSE(screen.fake.Called("Unlock", true));
    EXPECT_EQ(sprite.colorKeyed, 1);
}

TEST_F(SpriteColorKeyTest, EmptySpriteIgnoresTheKey) {
    Sprite empty;
    empty.SetColorKey(1);
    EXPECT_EQ(empty.colorKeyed, 0);
    EXPECT_EQ(empty.PixelValue(CLR_INVALID), 0xFFFFFFFFu);
}

TEST_F(SpriteColorKeyTest, WrittenColourIsReadAndTheOldPixelPutBack) {
    const uint32_t value = sprite.PixelValue(0x0000FF);  // pure red as a GDI colour
    EXPECT_EQ(value, 0xF800u);
    EXPECT_EQ(screen.fake.PixelAt(sprite.surface, 0, 0), 0);
}

}  // namespace
