#include "display/tint.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "tests/display/test_screen.h"

using namespace platform;

namespace {

constexpr uint16_t Pixel555(int r, int g, int b) {
    return static_cast<uint16_t>(r << 10 | g << 5 | b);
}
constexpr uint16_t Pixel565(int r, int g, int b) {
    return static_cast<uint16_t>(r << 11 | g << 5 | b);
}

}  // namespace

namespace soft {
void PrintTo(PixelLayout layout, std::ostream* out) {
    *out << (layout == PixelLayout::Rgb565 ? "5-6-5" : "5-5-5");
}
}  // namespace soft

namespace {

class TintTest : public ::testing::TestWithParam<soft::PixelLayout> {
  protected:
    TintTest() : screen(GetParam()) {}
    void SetUp() override { tintDirectDraw = screen.directDraw; }
    void TearDown() override {
        tintDirectDraw = nullptr;
        EXPECT_EQ(tintFallbackDepth, 0);
    }

    bool Is565() const { return GetParam() == soft::PixelLayout::Rgb565; }
    uint16_t At(int x, int y) const { return screen.fake.PixelAt(screen.backBuffer, x, y); }
    void Put(int x, int y, uint16_t value) {
        screen.fake.SetPixelAt(screen.backBuffer, x, y, value);
    }

    // The value pixel comes out as after a one-pixel tint at (5, 7).
    uint16_t Tinted(uint16_t pixel, int dr, int dg, int db) {
        Put(5, 7, pixel);
        Tint(screen.backBuffer, 5, 7, 1, 1, dr, dg, db);
        return At(5, 7);
    }

    // A screen of varied mid-range colours, so every tint used here changes every pixel.
    uint16_t Painted(int x, int y) const {
        const int r = 8 + x % 16, g = 8 + y % 16, b = 8 + (x + y) % 16;
        return Is565() ? Pixel565(r, g, b) : Pixel555(r, g, b);
    }
    void Paint() {
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) Put(x, y, Painted(x, y));
        }
    }

    // Pixels that differ from the painted screen lie exactly inside (x, y, w, h).
    ::testing::AssertionResult OnlyChanged(int x, int y, int w, int h) const {
        for (int py = 0; py < 480; ++py) {
            for (int px = 0; px < 640; ++px) {
                const bool inside = px >= x && px < x + w && py >= y && py < y + h;
                const bool changed = At(px, py) != Painted(px, py);
                if (inside != changed) {
                    return ::testing::AssertionFailure()
                           << "pixel (" << px << "," << py << ") "
                           << (changed ? "changed" : "did not change");
                }
            }
        }
        return ::testing::AssertionSuccess();
    }

    TestScreen screen;
};

TEST_P(TintTest, DarkensLightensAndClampsEachChannel) {
    if (Is565()) {
        EXPECT_EQ(Tinted(0xFFFF, -15, -15, -15), 0x8430);
        EXPECT_EQ(Tinted(0, 20, 20, 20), Pixel565(20, 40, 20));
        EXPECT_EQ(Tinted(0xFFFF, 10, 10, 10), 0xFFFF);
        EXPECT_EQ(Tinted(Pixel565(30, 62, 1), 5, 1, -3), Pixel565(31, 63, 0));
        EXPECT_EQ(Tinted(Pixel565(3, 5, 7), 0, -1, 0), Pixel565(3, 3, 7));
    } else {
        EXPECT_EQ(Tinted(0x7FFF, -15, -15, -15), 0x4210);
        EXPECT_EQ(Tinted(0, 20, 20, 20), Pixel555(20, 20, 20));
        EXPECT_EQ(Tinted(0x7FFF, 10, 10, 10), 0x7FFF);
        EXPECT_EQ(Tinted(0x8000 | Pixel555(9, 17, 25), 0, 0, 0), Pixel555(9, 17, 25));
        EXPECT_EQ(Tinted(Pixel555(30, 1, 2), 5, -3, 0), Pixel555(31, 0, 2));
    }
    EXPECT_EQ(Tinted(0, -10, -10, -10), 0);
}

TEST_P(TintTest, LocksOnlyTheRectangleAndWritesOnlyInsideIt) {
    Paint();
    Tint(screen.backBuffer, 100, 50, 30, 20, 10, 10, 10);
    EXPECT_TRUE(OnlyChanged(100, 50, 30, 20));
    EXPECT_TRUE(screen.fake.Called("Lock(backbuffer,100,50,130,70)"));
    EXPECT_TRUE(screen.fake.Called("Unlock(backbuffer)"));
}

TEST_P(TintTest, CutsAtTheRightAndBottomEdges) {
    Paint();
    Tint(screen.backBuffer, 600, 10, 50, 10, -10, -10, -10);
    EXPECT_TRUE(OnlyChanged(600, 10, 40, 10));
    EXPECT_TRUE(screen.fake.Called("Lock(backbuffer,600,10,640,20)"));

    Paint();
    Tint(screen.backBuffer, 0, 470, 10, 20, -10, -10, -10);
    EXPECT_TRUE(OnlyChanged(0, 470, 10, 10));
}

TEST_P(TintTest, EmptyOrOffScreenRectanglesChangeNothing) {
    Paint();
    Tint(screen.backBuffer, 640, 0, 10, 10, 20, 20, 20);
    Tint(screen.backBuffer, 0, 480, 10, 10, 20, 20, 20);
    Tint(screen.backBuffer, 700, 500, 10, 10, 20, 20, 20);
    Tint(screen.backBuffer, 10, 10, 0, 10, 20, 20, 20);
    Tint(screen.backBuffer, 10, 10, 10, 0, 20, 20, 20);
    Tint(screen.backBuffer, 10, 10, 0xFFFFFFF0u, 10, -10, -10, -10);  // cut to 630 wide
    EXPECT_TRUE(OnlyChanged(10, 10, 630, 10));
    EXPECT_EQ(screen.fake.Count("Lock", true), 1u);
}

TEST_P(TintTest, UnreadableFormatChangesNothing) {
    Paint();
    screen.fake.FailNext("GetPixelFormat");
    Tint(screen.backBuffer, 10, 10, 10, 10, 20, 20, 20);
    EXPECT_TRUE(OnlyChanged(0, 0, 0, 0));
    EXPECT_FALSE(screen.fake.Called("Lock", true));
}

TEST_P(TintTest, RefusedLockGivesTheSameResultThroughACopy) {
    Paint();
    Tint(screen.backBuffer, 600, 30, 50, 25, 20, -15, 10);
    const std::vector<uint16_t> direct = screen.Pixels(screen.backBuffer, 640, 480);

    Paint();
    screen.fake.ClearCalls();
    screen.fake.FailNext("Lock", DDERR_GENERIC, "backbuffer");
    Tint(screen.backBuffer, 600, 30, 50, 25, 20, -15, 10);
    EXPECT_EQ(screen.Pixels(screen.backBuffer, 640, 480), direct);
    EXPECT_TRUE(screen.fake.Called("CreateSurface(sysmem 40x25)"));
    EXPECT_TRUE(screen.fake.Called("BltFast(sysmem 40x25,0,0,backbuffer,600,30,640,55)"));
    EXPECT_TRUE(screen.fake.Called("BltFast(backbuffer,600,30,sysmem 40x25,0,0,40,25)"));
    EXPECT_TRUE(screen.fake.Called("Release(sysmem 40x25)"));
    EXPECT_EQ(screen.fake.LiveSurfaces(), 2u);
}

TEST_P(TintTest, FallbackGoesOnlyOneLevelDeep) {
    Paint();
    screen.fake.Fail("Lock");  // the copy cannot be locked either
    Tint(screen.backBuffer, 10, 10, 20, 20, 20, 20, 20);
    EXPECT_TRUE(OnlyChanged(0, 0, 0, 0));
    EXPECT_EQ(screen.fake.Count("CreateSurface", true), 1u);
    EXPECT_EQ(screen.fake.Count("Lock", true), 2u);
    EXPECT_EQ(screen.fake.LiveSurfaces(), 2u);
}

TEST_P(TintTest, FailedCopyLeavesTheRectangleAlone) {
    Paint();
    screen.fake.Fail("Lock", DDERR_GENERIC, FakeSystem::kAlways, "backbuffer");
    screen.fake.FailNext("CreateSurface", DDERR_OUTOFMEMORY, "sysmem");
    Tint(screen.backBuffer, 10, 10, 20, 20, 20, 20, 20);
    screen.fake.FailNext("BltFast");
    Tint(screen.backBuffer, 10, 10, 20, 20, 20, 20, 20);
    tintDirectDraw = nullptr;
    Tint(screen.backBuffer, 10, 10, 20, 20, 20, 20, 20);
    EXPECT_TRUE(OnlyChanged(0, 0, 0, 0));
    EXPECT_EQ(screen.fake.LiveSurfaces(), 2u);
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, TintTest,
                         ::testing::Values(soft::PixelLayout::Rgb565, soft::PixelLayout::Rgb555),
                         [](const ::testing::TestParamInfo<soft::PixelLayout>& info) {
                             return info.param == soft::PixelLayout::Rgb565 ? "Rgb565" : "Rgb555";
                         });

}  // namespace
