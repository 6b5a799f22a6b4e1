#include <gtest/gtest.h>

#include <string>

#include "display/sprite.h"
#include "tests/display/test_screen.h"

using namespace platform;

namespace {

constexpr uint16_t kMarker = 0x1234;

// A 128x128 glyph sheet whose every 8x8 cell is one solid colour of its own.
class SpriteTextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        screen.fake.AddEmbeddedBitmap("font8.bmp", Bitmap24(MakePicture(128, 128, [](int x, int y) {
                                          const uint32_t column = static_cast<uint32_t>(x / 8);
                                          const uint32_t row = static_cast<uint32_t>(y / 8);
                                          return column << 20 | row << 12 | 0x80;
                                      })));
        font.directDraw = screen.directDraw;
        font.defaultTarget = screen.backBuffer;
        font.Load("font8.bmp");
        ASSERT_EQ(font.cellWidth, 8);
        ASSERT_EQ(font.cellHeight, 8);
        screen.Fill(screen.backBuffer, 640, 480, kMarker);
        screen.fake.ClearCalls();
    }

    uint16_t CellColour(int code) const {
        return screen.fake.PixelAt(font.surface, code % 16 * 8, code / 16 * 8);
    }

    // The 8x8 cell at (x, y) of the screen is filled with the given value.
    ::testing::AssertionResult CellShows(int x, int y, uint16_t value) const {
        for (int dy = 0; dy < 8; ++dy) {
            for (int dx = 0; dx < 8; ++dx) {
                const uint16_t actual = screen.fake.PixelAt(screen.backBuffer, x + dx, y + dy);
                if (actual != value) {
                    return ::testing::AssertionFailure()
                           << "(" << x + dx << "," << y + dy << ") is 0x" << std::hex << actual
                           << ", expected 0x" << value;
                }
            }
        }
        return ::testing::AssertionSuccess();
    }

    TestScreen screen;
    Sprite font;
};

TEST_F(SpriteTextTest, LineFeedReturnsThePenToTheStartOfTheNextRow) {
    font.DrawText("ab\ncd", 10, 20);
    EXPECT_TRUE(CellShows(10, 20, CellColour('a')));
    EXPECT_TRUE(CellShows(18, 20, CellColour('b')));
    EXPECT_TRUE(CellShows(10, 28, CellColour('c')));
    EXPECT_TRUE(CellShows(18, 28, CellColour('d')));
    EXPECT_TRUE(CellShows(26, 20, kMarker));
    EXPECT_EQ(screen.fake.Count("BltFast", true), 4u);
    // 'A' is code 65: column 1, row 4.
    font.DrawText("A", 100, 100);
    EXPECT_TRUE(screen.fake.Called("BltFast(backbuffer,100,100,offscreen 128x128,8,32,16,40)"));
}

TEST_F(SpriteTextTest, OffsetSelectsAnotherFace) {
    font.DrawText("A", 0, 0, 128);
    EXPECT_TRUE(CellShows(0, 0, CellColour(65 + 128)));
}

TEST_F(SpriteTextTest, OnlyTheFirstTenThousandCharactersAreLookedAt) {
    // 9998 line feeds bring the pen from far above the screen down to row 0; characters
    // 9999 and 10000 land there, the 10001st would follow them.
    std::string text(9998, '\n');
    text += "abc";
    font.DrawText(text.c_str(), 40, -9998 * 8);
    EXPECT_TRUE(CellShows(40, 0, CellColour('a')));
    EXPECT_TRUE(CellShows(48, 0, CellColour('b')));
    EXPECT_TRUE(CellShows(56, 0, kMarker));
    EXPECT_EQ(screen.fake.Count("BltFast", true), 2u);
}

TEST_F(SpriteTextTest, HighCharactersAreRefusedButMoveThePen) {
    // 200 is -56 as a signed 8-bit value: column -8 and row -3 when dividing toward zero.
    font.DrawText(
        "a\xC8"
        "b",
        10, 20);
    EXPECT_TRUE(screen.fake.Called("BltFast(backbuffer,18,20,offscreen 128x128,-64,-24,-56,-16)"));
    EXPECT_TRUE(CellShows(10, 20, CellColour('a')));
    EXPECT_TRUE(CellShows(18, 20, kMarker));
    EXPECT_TRUE(CellShows(26, 20, CellColour('b')));
}

TEST_F(SpriteTextTest, OtherControlCodesDrawTheirCells) {
    font.DrawText("\r\t", 0, 0);
    EXPECT_TRUE(CellShows(0, 0, CellColour('\r')));
    EXPECT_TRUE(CellShows(8, 0, CellColour('\t')));
}

}  // namespace
