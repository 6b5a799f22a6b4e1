#include "display/frame_presenter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "display/soft/soft_direct_draw.h"
#include "display/testing/fake_system.h"

namespace {

using platform::DD_OK;
using platform::FrameView;
using platform::RowBand;

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// A screen that keeps what it was sent, on a clock the test moves.
class RecordingScreen final : public platform::FrameScreen {
  public:
    std::vector<uint16_t> picture = std::vector<uint16_t>(kWidth * kHeight, 0x1234);
    std::vector<RowBand> uploads;
    int shows = 0;
    int refuseUploads = 0;
    uint32_t now = 1000;
    std::vector<uint32_t> waits;

    bool UploadRows(const FrameView& frame, RowBand rows) override {
        uploads.push_back(rows);
        if (refuseUploads > 0) {
            --refuseUploads;
            return false;
        }
        for (int y = rows.first; y < rows.first + rows.count; ++y) {
            std::memcpy(&picture[static_cast<size_t>(y) * kWidth], frame.Row(y), kWidth * 2);
        }
        return true;
    }
    void Show() override { ++shows; }
    uint32_t Milliseconds() override { return now; }
    void Wait(uint32_t milliseconds) override {
        waits.push_back(milliseconds);
        now += milliseconds;
    }
};

class Forwarder final : public soft::Presenter {
  public:
    explicit Forwarder(platform::FramePresenter& presenter) : presenter_(presenter) {}
    void Present(const void* pixels, int pitch, int width, int height,
                 platform::PixelFormat format) override {
        presenter_.Present(FrameView{pixels, pitch, width, height, format});
    }

  private:
    platform::FramePresenter& presenter_;
};

// The game's display on soft surfaces, its flips going to a presenter with a recording
// screen. Each frame is drawn whole onto the back buffer, as the game draws it.
class FramePresenterTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(fake.DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
        static_cast<soft::SoftDirectDraw*>(dd)->SetPresenter(&forwarder);
        ASSERT_EQ(dd->SetDisplayMode(kWidth, kHeight, 16), DD_OK);
        platform::SurfaceDesc desc;
        desc.flags = platform::DDSD_CAPS | platform::DDSD_BACKBUFFERCOUNT;
        desc.backBufferCount = 1;
        desc.caps.caps =
            platform::DDSCAPS_PRIMARYSURFACE | platform::DDSCAPS_FLIP | platform::DDSCAPS_COMPLEX;
        ASSERT_EQ(dd->CreateSurface(&desc, &primary, nullptr), DD_OK);
        platform::SurfaceCaps caps{platform::DDSCAPS_BACKBUFFER};
        ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
        presenter.SetFramePeriod(16);
    }
    void TearDown() override {
        if (primary != nullptr) primary->Release();
        if (dd != nullptr) dd->Release();
    }

    void Fill(int left, int top, int right, int bottom, uint16_t colour) {
        platform::BltFx fx;
        fx.fillColor = colour;
        platform::Rect area{left, top, right, bottom};
        ASSERT_EQ(back->Blt(&area, nullptr, nullptr, platform::DDBLT_COLORFILL, &fx), DD_OK);
    }
    // A grey picture with a coloured square at each (x, y) given.
    void Flip(std::vector<platform::Point> squares = {}) {
        Fill(0, 0, kWidth, kHeight, 0x4208);
        for (platform::Point at : squares) Fill(at.x, at.y, at.x + 10, at.y + 10, 0xF800);
        ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
    }
    // The screen holds exactly the frame the last flip showed.
    void ExpectScreenShowsTheLastFrame() {
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                ASSERT_EQ(screen.picture[static_cast<size_t>(y) * kWidth + x],
                          fake.PixelAt(primary, x, y))
                    << "at " << x << "," << y;
            }
        }
    }

    platform::FakeSystem fake;
    RecordingScreen screen;
    platform::FramePresenter presenter{screen};
    Forwarder forwarder{presenter};
    platform::DirectDraw* dd = nullptr;
    platform::Surface* primary = nullptr;
    platform::Surface* back = nullptr;
};

TEST_F(FramePresenterTest, TheFirstFrameIsSentWholeAndAnUnchangedOneNotAtAll) {
    Flip({{100, 100}});
    ASSERT_EQ(screen.uploads.size(), 1u);
    EXPECT_EQ(screen.uploads[0].first, 0);
    EXPECT_EQ(screen.uploads[0].count, kHeight);
    EXPECT_EQ(screen.shows, 1);
    ExpectScreenShowsTheLastFrame();

    Flip({{100, 100}});
    Flip({{100, 100}});
    EXPECT_EQ(screen.uploads.size(), 1u);
    EXPECT_EQ(screen.shows, 1);
    EXPECT_EQ(presenter.ShownFrames(), 1u);
    EXPECT_EQ(presenter.SkippedFrames(), 2u);
}

TEST_F(FramePresenterTest, AChangedFrameSendsOnlyTheRowsThatChanged) {
    Flip({{100, 100}});
    screen.uploads.clear();
    Flip({{100, 104}});  // rows 100-113 differ
    ASSERT_EQ(screen.uploads.size(), 1u);
    EXPECT_EQ(screen.uploads[0].first, 100);
    EXPECT_EQ(screen.uploads[0].count, 14);
    EXPECT_EQ(screen.shows, 2);
    ExpectScreenShowsTheLastFrame();

    // Far apart, two bands; a few rows apart, one.
    screen.uploads.clear();
    Flip({{100, 104}, {300, 20}, {300, 400}, {400, 415}});
    ASSERT_EQ(screen.uploads.size(), 2u);
    EXPECT_EQ(screen.uploads[0].first, 20);
    EXPECT_EQ(screen.uploads[0].count, 10);
    EXPECT_EQ(screen.uploads[1].first, 400);
    EXPECT_EQ(screen.uploads[1].count, 25);
    ExpectScreenShowsTheLastFrame();
}

TEST_F(FramePresenterTest, ManyScatteredChangesAllReachTheScreen) {
    Flip();
    std::vector<platform::Point> squares;
    for (int y = 5; y < kHeight - 10; y += 25) squares.push_back({(y * 7) % 600, y});
    Flip(squares);
    EXPECT_LE(screen.uploads.size(), 1u + platform::FrameChanges::kMaxBands);
    ExpectScreenShowsTheLastFrame();
    // Back to plain grey: every square's rows go again.
    Flip();
    ExpectScreenShowsTheLastFrame();
}

TEST_F(FramePresenterTest, APictureThatMayBeGoneIsShownAgain) {
    Flip({{100, 100}});
    screen.uploads.clear();

    // Exposed or resized: shown again, with nothing to send.
    presenter.ShowNext();
    Flip({{100, 100}});
    EXPECT_EQ(screen.shows, 2);
    EXPECT_TRUE(screen.uploads.empty());
    Flip({{100, 100}});
    EXPECT_EQ(screen.shows, 2);

    // The screen's own copy lost: sent whole.
    presenter.Forget();
    std::fill(screen.picture.begin(), screen.picture.end(), 0);
    Flip({{100, 100}});
    EXPECT_EQ(screen.shows, 3);
    ASSERT_EQ(screen.uploads.size(), 1u);
    EXPECT_EQ(screen.uploads[0].count, kHeight);
    ExpectScreenShowsTheLastFrame();

    // Painted again from the kept frame with no flip at all.
    std::fill(screen.picture.begin(), screen.picture.end(), 0);
    EXPECT_TRUE(presenter.Repaint());
    EXPECT_EQ(screen.shows, 4);
    ExpectScreenShowsTheLastFrame();
}

TEST_F(FramePresenterTest, NothingToRepaintBeforeTheFirstFrame) {
    EXPECT_FALSE(presenter.Repaint());
    EXPECT_EQ(screen.shows, 0);
    EXPECT_TRUE(screen.uploads.empty());
}

TEST_F(FramePresenterTest, RowsTheScreenRefusedAreSentWholeWithTheNextFrame) {
    Flip({{100, 100}});
    screen.uploads.clear();
    screen.refuseUploads = 1;
    Flip({{100, 200}});
    Flip({{100, 200}});  // unchanged, yet the screen may not hold it
    ASSERT_EQ(screen.uploads.size(), 2u);
    EXPECT_EQ(screen.uploads[1].first, 0);
    EXPECT_EQ(screen.uploads[1].count, kHeight);
    ExpectScreenShowsTheLastFrame();
}

// The game's timing rests on the frame rate: a frame that is not shown waits out its
// period just as a shown one does.
TEST_F(FramePresenterTest, EveryFrameKeepsThePaceWhetherShownOrNot) {
    auto frameEnds = [&](bool changing) {
        std::vector<uint32_t> ends;
        for (int frame = 0; frame < 6; ++frame) {
            screen.now += 5;  // the game's own work
            Flip({{changing ? frame * 20 : 0, 100}});
            ends.push_back(screen.now);
        }
        return ends;
    };
    std::vector<uint32_t> shown = frameEnds(true);
    uint32_t shownSoFar = presenter.ShownFrames();
    std::vector<uint32_t> skipped = frameEnds(false);
    EXPECT_EQ(presenter.ShownFrames(), shownSoFar + 1);  // only the first of the still ones
    for (size_t i = 1; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i] - shown[i - 1], 16u);
        EXPECT_EQ(skipped[i] - skipped[i - 1], 16u);
    }
    EXPECT_EQ(skipped.front() - shown.back(), 16u);
}

TEST_F(FramePresenterTest, WithoutAPeriodFramesDoNotWait) {
    presenter.SetFramePeriod(0);
    Flip();
    Flip();
    EXPECT_TRUE(screen.waits.empty());
}

TEST(FrameChanges, AFrameOfAnotherSizeOrFormatIsTakenWhole) {
    std::vector<uint16_t> pixels(64 * 48, 0x1111);
    platform::FrameChanges changes;
    FrameView frame{pixels.data(), 64 * 2, 64, 48, {}};
    frame.format.rgbBitCount = 16;
    frame.format.gBitMask = 0x07E0;
    EXPECT_EQ(changes.Take(frame).count, 1);
    EXPECT_EQ(changes.Take(frame).count, 0);

    frame.height = 40;
    platform::FrameChanges::Bands bands = changes.Take(frame);
    ASSERT_EQ(bands.count, 1);
    EXPECT_EQ(bands.band[0].count, 40);

    frame.format.gBitMask = 0x03E0;
    bands = changes.Take(frame);
    ASSERT_EQ(bands.count, 1);
    EXPECT_EQ(bands.band[0].count, 40);
    EXPECT_EQ(changes.Take(frame).count, 0);
}

TEST(FrameChanges, ChangesOverMostOfThePictureGoAsOneBand) {
    std::vector<uint16_t> pixels(16 * 100, 0);
    platform::FrameChanges changes;
    FrameView frame{pixels.data(), 16 * 2, 16, 100, {}};
    frame.format.rgbBitCount = 16;
    changes.Take(frame);
    // Ten changed rows, then nine unchanged, over and over: six bands' worth, 55 rows.
    for (int y = 0; y < 100; ++y) {
        if (y % 19 < 10) pixels[static_cast<size_t>(y) * 16 + 5] = 7;
    }
    platform::FrameChanges::Bands bands = changes.Take(frame);
    ASSERT_EQ(bands.count, 1);
    EXPECT_EQ(bands.band[0].first, 0);
    EXPECT_EQ(bands.band[0].count, 100);

    // Under half: the bands stay apart.
    for (int y = 0; y < 30; ++y) {
        if (y % 19 < 10) pixels[static_cast<size_t>(y) * 16 + 5] = 9;
    }
    bands = changes.Take(frame);
    ASSERT_EQ(bands.count, 2);
    EXPECT_EQ(bands.band[1].first, 19);
    EXPECT_EQ(bands.band[1].count, 10);
}

}  // namespace
