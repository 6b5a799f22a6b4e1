#include "display/display_device.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "display/soft/soft_direct_draw.h"
#include "display/testing/fake_system.h"

using namespace platform;

namespace {

constexpr int kShowCommand = 5;

class DisplayDeviceTest : public ::testing::Test {
  protected:
    void SetUp() override { fake.Install(); }
    void TearDown() override {
        DisplayDevice::Release();
        DisplayDevice::window = nullptr;
    }

    int Open() { return DisplayDevice::Open(nullptr, kShowCommand); }

    // Each call was made, in the order given (other calls may come between).
    ::testing::AssertionResult CalledInOrder(const std::vector<std::string>& wanted) const {
        int previous = -1;
        for (const std::string& call : wanted) {
            int at = -1;
            for (size_t i = static_cast<size_t>(previous + 1); i < fake.calls.size(); ++i) {
                if (fake.calls[i] == call) {
                    at = static_cast<int>(i);
                    break;
                }
            }
            if (at < 0) return ::testing::AssertionFailure() << "no " << call << " in its place";
            previous = at;
        }
        return ::testing::AssertionSuccess();
    }

    void ExpectClosedAfterOneBox(const std::string& text) {
        ASSERT_EQ(fake.messageBoxes.size(), 1u);
        EXPECT_EQ(fake.messageBoxes[0].text, text);
        EXPECT_EQ(fake.messageBoxes[0].caption, "Kestrion");
        EXPECT_EQ(fake.messageBoxes[0].owner, DisplayDevice::window);
        EXPECT_LT(fake.IndexOf("MessageBoxA", true), fake.IndexOf("DestroyWindow"));
        EXPECT_FALSE(fake.Queue().IsWindow(DisplayDevice::window));
        EXPECT_EQ(fake.LiveDirectDraws(), 0u);
        EXPECT_EQ(DisplayDevice::directDraw, nullptr);
        EXPECT_EQ(DisplayDevice::primary, nullptr);
        EXPECT_EQ(DisplayDevice::backBuffer, nullptr);
    }

    FakeSystem fake;
};

TEST_F(DisplayDeviceTest, OpensTheWindowAndAFullScreenDisplay) {
    ASSERT_EQ(Open(), 1);
    EXPECT_TRUE(CalledInOrder({"LoadIconA(101)", "LoadCursorA(32512)", "GetStockObject(4)",
                               "RegisterClassA(KESTRIONGAME)",
                               "CreateWindowExA(KESTRIONGAME,Kestrion,0x80080000)", "ShowWindow(5)",
                               "UpdateWindow", "GetVersionExA", "DirectDrawCreate",
                               "SetCooperativeLevel(0x11)", "SetDisplayMode(640,480,16)",
                               "CreateSurface(primary)", "GetAttachedSurface(primary)"}));
    const WindowClass* windowClass = fake.Queue().FindClass("KESTRIONGAME");
    ASSERT_NE(windowClass, nullptr);
    EXPECT_EQ(windowClass->style, CS_HREDRAW | CS_VREDRAW);
    EXPECT_EQ(windowClass->procedure, DisplayDevice::windowProcedure);
    EXPECT_NE(windowClass->icon, nullptr);
    EXPECT_NE(windowClass->cursor, nullptr);
    EXPECT_NE(windowClass->background, nullptr);

    EXPECT_TRUE(fake.messageBoxes.empty());
    EXPECT_EQ(DisplayDevice::window, fake.Window());
    auto* directDraw = dynamic_cast<soft::SoftDirectDraw*>(DisplayDevice::directDraw);
    ASSERT_NE(directDraw, nullptr);
    EXPECT_EQ(directDraw->CooperativeWindow(), DisplayDevice::window);
    EXPECT_EQ(DisplayDevice::primary, fake.Primary());
    EXPECT_EQ(DisplayDevice::backBuffer, fake.BackBuffer());
}

TEST_F(DisplayDeviceTest, WindowThatCannotBeMadeEndsSilently) {
    fake.Fail("CreateWindowExA");
    EXPECT_EQ(Open(), 0);
    EXPECT_TRUE(fake.messageBoxes.empty());
    EXPECT_FALSE(fake.Called("GetVersionExA"));
    EXPECT_FALSE(fake.Called("DirectDrawCreate"));
}

struct OpeningFailure {
    const char* operation;
    const char* subject;
    const char* text;
    bool primaryExisted;
    bool directDrawExisted;
};

void PrintTo(const OpeningFailure& failure, std::ostream* out) {
    *out << failure.operation;
}

class OpeningFailureTest : public DisplayDeviceTest,
                           public ::testing::WithParamInterface<OpeningFailure> {};

TEST_P(OpeningFailureTest, ShowsItsTextAfterReleasingWhatWasMade) {
    const OpeningFailure& failure = GetParam();
    fake.Fail(failure.operation, DDERR_GENERIC, FakeSystem::kAlways, failure.subject);
    EXPECT_EQ(Open(), 0);
    ExpectClosedAfterOneBox(failure.text);
    const int box = fake.IndexOf("MessageBoxA", true);
    const int directDrawGone = fake.IndexOf("Release(DirectDraw)");
    const int primaryGone = fake.IndexOf("Release(primary)");
    if (failure.directDrawExisted) {
        EXPECT_GE(directDrawGone, 0);
        EXPECT_LT(directDrawGone, box);
    } else {
        EXPECT_FALSE(fake.Called("Release", true));
    }
    if (failure.primaryExisted) {
        EXPECT_GE(primaryGone, 0);
        EXPECT_LT(primaryGone, directDrawGone);
    } else {
        EXPECT_EQ(primaryGone, -1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, OpeningFailureTest,
    ::testing::Values(
        OpeningFailure{"DirectDrawCreate", "",
                       "Couldn't create DirectDraw object (install DirectX 3)", false, false},
        OpeningFailure{"SetCooperativeLevel", "",
                       "Couldn't set the cooperative level (try closing other games or "
                       "rebooting)",
                       false, true},
        OpeningFailure{"SetDisplayMode", "",
                       "Couldn't set the display mode (try a reboot or getting new video drivers "
                       "from 'https://docs.mesa3d.org/download.html')",
                       false, true},
        OpeningFailure{"CreateSurface", "primary",
                       "Cannot create the primary surface (try a reboot)", false, true},
        OpeningFailure{"GetAttachedSurface", "", "Cannot get the back buffer (try a reboot)", true,
                       true}),
    [](const ::testing::TestParamInfo<OpeningFailure>& info) { return info.param.operation; });

TEST_F(DisplayDeviceTest, RefusesVersionsBelowThree) {
    fake.os.majorVersion = 3;  // an NT system older than 4 has no DirectX
    EXPECT_EQ(Open(), 0);
    ExpectClosedAfterOneBox("You need to install DirectX 3\nYou have no version installed");
    EXPECT_FALSE(fake.Called("DirectDrawCreate"));
}

TEST_F(DisplayDeviceTest, NamesAnOldVersionInHexadecimal) {
    fake.os.majorVersion = 4;
    fake.RemoveLibrary("DINPUT.DLL");
    EXPECT_EQ(Open(), 0);
    ExpectClosedAfterOneBox(
        "You need to install DirectX 3\nYour version of DirectX is too old (0x200)");

    fake.messageBoxes.clear();
    fake.ClearCalls();
    fake.os.platformId = VER_PLATFORM_WIN32_WINDOWS;
    fake.os.buildNumber = 950;
    fake.Fail("QueryInterface", DDERR_NOINTERFACE, FakeSystem::kAlways, "DirectDraw");
    EXPECT_EQ(Open(), 0);
    ExpectClosedAfterOneBox(
        "You need to install DirectX 3\nYour version of DirectX is too old (0x100)");
}

TEST_F(DisplayDeviceTest, AcceptsVersionThreeExactly) {
    fake.os.platformId = VER_PLATFORM_WIN32_NT;
    fake.os.majorVersion = 4;
    EXPECT_EQ(Open(), 1);
    EXPECT_TRUE(fake.messageBoxes.empty());
}

TEST_F(DisplayDeviceTest, ShiftShowsTheVersionAndOpeningGoesOn) {
    fake.SetKey(VK_SHIFT, true);
    EXPECT_EQ(Open(), 1);
    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.messageBoxes[0].text,
              "Your version of DirectX is 5.1\nKestrion requires at least version 3.0");
    EXPECT_EQ(fake.messageBoxes[0].caption, "Kestrion r2");
    EXPECT_LT(fake.IndexOf("MessageBoxA", true), fake.IndexOf("DirectDrawCreate"));
}

TEST_F(DisplayDeviceTest, ShiftWithAnOldVersionShowsOnlyTheFailure) {
    fake.SetKey(VK_SHIFT, true);
    fake.os.majorVersion = 3;
    EXPECT_EQ(Open(), 0);
    ExpectClosedAfterOneBox("You need to install DirectX 3\nYou have no version installed");
}

TEST_F(DisplayDeviceTest, ReleaseFreesPrimaryThenDirectDrawOnce) {
    ASSERT_EQ(Open(), 1);
    fake.ClearCalls();
    DisplayDevice::Release();
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"Release(primary)", "Release(DirectDraw)"}));
    EXPECT_EQ(fake.LiveDirectDraws(), 0u);
    EXPECT_EQ(DisplayDevice::backBuffer, nullptr);
    fake.ClearCalls();
    DisplayDevice::Release();
    DisplayDevice::Flip();
    DisplayDevice::ClearBackBuffer();
    DisplayDevice::RestorePrimary();
    EXPECT_TRUE(fake.calls.empty());
}

class FlipTest : public DisplayDeviceTest {
  protected:
    void SetUp() override {
        DisplayDeviceTest::SetUp();
        ASSERT_EQ(Open(), 1);
        fake.SetPixelAt(DisplayDevice::backBuffer, 7, 3, 0xBEEF);
        fake.ClearCalls();
    }
    static constexpr const char* kClear = "Blt(backbuffer,0,0,640,480,fill=0x0)";
};

TEST_F(FlipTest, ShowsTheFrameAndClearsTheBackBuffer) {
    DisplayDevice::Flip();
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"Flip(primary)", kClear}));
    EXPECT_EQ(fake.presentedFrames, 1);
    EXPECT_EQ(fake.lastFrame[3 * 640 + 7], 0xBEEF);
    EXPECT_EQ(fake.PixelAt(DisplayDevice::backBuffer, 7, 3), 0);
}

TEST_F(FlipTest, BusyFlipIsRetriedAtOnce) {
    fake.Fail("Flip", DDERR_WASSTILLDRAWING, 3);
    DisplayDevice::Flip();
    EXPECT_EQ(fake.Count("Flip(primary)"), 4u);
    EXPECT_EQ(fake.presentedFrames, 1);
    EXPECT_EQ(fake.calls.back(), kClear);
}

TEST_F(FlipTest, LostFlipRestoresDropsTheFrameAndStillClears) {
    fake.LoseSurfaces();
    DisplayDevice::Flip();
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"Flip(primary)", "Restore(primary)", kClear}));
    EXPECT_EQ(fake.presentedFrames, 0);
    EXPECT_FALSE(fake.IsLostSurface(DisplayDevice::backBuffer));
    EXPECT_EQ(fake.PixelAt(DisplayDevice::backBuffer, 7, 3), 0);
}

TEST_F(FlipTest, OtherFlipErrorsAreIgnored) {
    fake.FailNext("Flip", DDERR_GENERIC);
    DisplayDevice::Flip();
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"Flip(primary)", kClear}));
    EXPECT_EQ(fake.presentedFrames, 0);
}

TEST_F(FlipTest, ClearRetriesWhileBusyAndRestoresWhenLost) {
    fake.Fail("Blt", DDERR_WASSTILLDRAWING, 2);
    DisplayDevice::ClearBackBuffer();
    EXPECT_EQ(fake.Count(kClear), 3u);
    EXPECT_EQ(fake.PixelAt(DisplayDevice::backBuffer, 7, 3), 0);

    fake.ClearCalls();
    fake.FailNext("Blt", DDERR_SURFACELOST);
    DisplayDevice::ClearBackBuffer();
    EXPECT_EQ(fake.calls, (std::vector<std::string>{kClear, "Restore(primary)"}));
}

TEST(DisplayDeviceClosedTest, FlipWithoutAPrimaryDoesNothing) {
    FakeSystem fake;
    fake.Install();
    DisplayDevice::Flip();
    DisplayDevice::ClearBackBuffer();
    EXPECT_TRUE(fake.calls.empty());
}

}  // namespace
