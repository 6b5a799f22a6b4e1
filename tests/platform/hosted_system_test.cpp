// What every hosted System does the same way, on a scripted host: messages wait for the
// host only when none are there, a frame lets the next button change through, the display
// objects reach the host's screen and let go of it, sheets come through the host's decoder,
// and the facts the start-up probe needs.

#include "display/soft/hosted_system.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "display/testing/temp_directory.h"
#include "tests/platform/flipping_display.h"

namespace {

using platform::DD_OK;

const unsigned char kSheetBytes[] = {'s', 'h', 'e', 'e', 't'};
int decodes = 0;

// Any bytes make a 2x1 bitmap of their first value, so the test sees what was decoded.
platform::BitmapHandle DecodeFirstByte(const void* data, size_t size) {
    ++decodes;
    if (size == 0) return nullptr;
    uint32_t value = *static_cast<const unsigned char*>(data);
    return soft::MakeBitmap(2, 1, 24, {value, value});
}

bool FindSheet(const char* name, soft::EmbeddedBytes* out) {
    if (std::string(name) != "PIECES") return false;
    out->data = kSheetBytes;
    out->size = sizeof kSheetBytes;
    return true;
}

// Input arrives as messages for its window; a button change is held back as the hosts do.
class ScriptedHost final : public soft::HostedSystem {
  public:
    ScriptedHost() : HostedSystem(DecodeFirstByte, FindSheet) {}

    platform::WindowHandle CreateWindowExA(uint32_t, const char* className, const char* title,
                                           uint32_t style, int, int, int, int,
                                           platform::WindowHandle,
                                           platform::ModuleHandle) override {
        window = queue_.CreateWindow(className, title, style);
        return window;
    }
    bool DestroyWindow(platform::WindowHandle target) override {
        destroyed.push_back(target);
        return queue_.DestroyWindow(target);
    }
    platform::IconHandle LoadIconA(platform::ModuleHandle, int) override { return nullptr; }
    bool ShowWindow(platform::WindowHandle, int) override { return false; }
    bool UpdateWindow(platform::WindowHandle) override { return true; }
    int MessageBoxA(platform::WindowHandle, const char*, const char*, uint32_t) override {
        return 1;
    }
    int16_t GetKeyState(int) override { return 0; }
    bool GetCursorPos(platform::Point*) override { return false; }
    bool SetCursorPos(int, int) override { return false; }
    platform::CursorHandle SetCursor(platform::CursorHandle) override { return nullptr; }
    uint32_t GetTickCount() override { return 0; }

    void LoseDisplay() { LoseSurfaces(); }

    platform::WindowHandle window = nullptr;
    std::vector<platform::WindowHandle> destroyed;
    std::deque<uint32_t> arrived;  // messages the host has, not yet pumped
    std::vector<uint32_t> arriveOnWait;
    bool canWait = true;
    int eventWaits = 0;
    int timedWaits = 0;
    uint32_t lastTimeout = 0;
    int messageWaits = 0;
    int framesShown = 0;

  private:
    void PumpEvents() override {
        while (!arrived.empty()) {
            uint32_t message = arrived.front();
            bool button = message == platform::WM_LBUTTONDOWN || message == platform::WM_LBUTTONUP;
            if (button && !AdmitButtonChange()) break;
            arrived.pop_front();
            queue_.Post(window, message, 0, 0);
        }
    }
    bool WaitForEvents() override {
        ++eventWaits;
        arrived.insert(arrived.end(), arriveOnWait.begin(), arriveOnWait.end());
        return canWait;
    }
    bool WaitForEventsTimeout(uint32_t milliseconds) override {
        ++timedWaits;
        lastTimeout = milliseconds;
        arrived.insert(arrived.end(), arriveOnWait.begin(), arriveOnWait.end());
        return !arriveOnWait.empty();
    }
    bool WaitForMessages() override {
        ++messageWaits;
        if (messageWaits == 3) PostQuitMessage(7);
        return canWait;
    }
    void ShowFrame(const platform::FrameView& frame) override {
        ++framesShown;
        frames_.Present(frame);
    }
    bool UploadRows(const platform::FrameView&, platform::RowBand) override { return true; }
    void Show() override {}
    uint32_t Milliseconds() override { return 0; }
    void Wait(uint32_t) override {}
};

std::vector<uint32_t> received;
ScriptedHost* receiver = nullptr;

intptr_t RecordingProcedure(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                            intptr_t lParam) {
    received.push_back(message);
    return receiver->DefWindowProcA(window, message, wParam, lParam);
}

class HostedSystemTest : public ::testing::Test {
  protected:
    void SetUp() override {
        received.clear();
        decodes = 0;
        receiver = &host;
        platform::WindowClass windowClass;
        windowClass.procedure = RecordingProcedure;
        windowClass.className = "KESTRIONGAME";
        ASSERT_NE(host.RegisterClassA(windowClass), 0);
        ASSERT_NE(
            host.CreateWindowExA(0, "KESTRIONGAME", "Kestrion", 0, 0, 0, 0, 0, nullptr, nullptr),
            nullptr);
    }
    std::vector<uint32_t> Pump() {
        received.clear();
        platform::Message message;
        while (host.PeekMessageA(&message, nullptr, 0, 0, platform::PM_REMOVE)) {
            host.TranslateMessage(&message);
            host.DispatchMessageA(&message);
        }
        return received;
    }

    // A primary surface with its back buffer on a new display object.
    platform::Surface* OpenDisplay(platform::DirectDraw** directDraw) {
        EXPECT_EQ(host.DirectDrawCreate(nullptr, directDraw, nullptr), DD_OK);
        return platform_testing::CreateFlippingPrimary(*directDraw);
    }

    ScriptedHost host;
};

TEST_F(HostedSystemTest, OneButtonChangeAFrameAndWaitingLetsTheRestThrough) {
    host.arrived = {platform::WM_LBUTTONDOWN, platform::WM_LBUTTONUP, platform::WM_KEYDOWN};
    EXPECT_EQ(Pump(), std::vector<uint32_t>{platform::WM_LBUTTONDOWN});
    // The release waits for the next frame, and what came after it waits behind it.
    EXPECT_TRUE(Pump().empty());
    platform::DirectDraw* directDraw = nullptr;
    platform::Surface* primary = OpenDisplay(&directDraw);
    ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
    EXPECT_EQ(host.framesShown, 1);
    EXPECT_EQ(Pump(), (std::vector<uint32_t>{platform::WM_LBUTTONUP, platform::WM_KEYDOWN}));
    // No frame comes while the game waits for messages, so waiting lets a change through.
    host.arrived = {platform::WM_LBUTTONDOWN, platform::WM_LBUTTONUP};
    EXPECT_TRUE(Pump().empty());  // the release above was this frame's change
    EXPECT_TRUE(host.WaitMessage());
    EXPECT_EQ(host.eventWaits, 0);
    EXPECT_EQ(Pump(), std::vector<uint32_t>{platform::WM_LBUTTONDOWN});
    primary->Release();
    directDraw->Release();
}

TEST_F(HostedSystemTest, WaitMessageAsksTheHostOnlyWhenNothingIsThere) {
    host.arriveOnWait = {platform::WM_KEYDOWN};
    EXPECT_TRUE(host.WaitMessage());
    EXPECT_EQ(host.eventWaits, 1);
    EXPECT_EQ(Pump(), std::vector<uint32_t>{platform::WM_KEYDOWN});
    host.PostMessageA(host.window, platform::WM_SETCURSOR, 0, 0);
    EXPECT_TRUE(host.WaitMessage());
    EXPECT_EQ(host.eventWaits, 1);
    Pump();
    host.canWait = false;
    EXPECT_FALSE(host.WaitMessage());
}

TEST_F(HostedSystemTest, ATimedWaitGivesTheHostItsLimitAndTellsWhetherInputCame) {
    host.PostMessageA(host.window, platform::WM_SETCURSOR, 0, 0);
    EXPECT_TRUE(host.WaitMessageTimeout(100));
    EXPECT_EQ(host.timedWaits, 0);  // a message was there already
    Pump();
    EXPECT_FALSE(host.WaitMessageTimeout(100));
    EXPECT_EQ(host.timedWaits, 1);
    EXPECT_EQ(host.lastTimeout, 100u);
    // Waiting shows no frame, so a held button change goes through, and the input that
    // ended the wait is pumped after it.
    host.arrived = {platform::WM_LBUTTONDOWN, platform::WM_LBUTTONUP};
    EXPECT_EQ(Pump(), std::vector<uint32_t>{platform::WM_LBUTTONDOWN});
    host.arriveOnWait = {platform::WM_KEYDOWN};
    EXPECT_TRUE(host.WaitMessageTimeout(platform::INFINITE));
    EXPECT_EQ(host.timedWaits, 1);  // the release was let through and ended the wait
    EXPECT_EQ(Pump(), std::vector<uint32_t>{platform::WM_LBUTTONUP});
    EXPECT_TRUE(host.WaitMessageTimeout(platform::INFINITE));
    EXPECT_EQ(host.lastTimeout, platform::INFINITE);
    EXPECT_EQ(Pump(), std::vector<uint32_t>{platform::WM_KEYDOWN});
}

TEST_F(HostedSystemTest, GetMessageWaitsOnTheHostUntilAMessageOrItsEnd) {
    platform::Message message;
    EXPECT_EQ(host.GetMessageA(&message, nullptr, 0, 0), 0);
    EXPECT_EQ(message.wParam, 7u);
    EXPECT_EQ(host.messageWaits, 3);
    host.canWait = false;
    EXPECT_EQ(host.GetMessageA(&message, nullptr, 0, 0), -1);
}

TEST_F(HostedSystemTest, ClosingTheWindowByDefaultDestroysItThroughTheHost) {
    host.PostMessageA(host.window, platform::WM_CLOSE, 0, 0);
    platform::WindowHandle window = host.window;
    std::vector<uint32_t> seen = Pump();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), platform::WM_CLOSE);
    EXPECT_EQ(host.destroyed, std::vector<platform::WindowHandle>{window});
}

TEST_F(HostedSystemTest, TheDisplayCanBeLostAndOutlivesTheSystemHarmlessly) {
    platform::DirectDraw* directDraw = nullptr;
    platform::Surface* primary = OpenDisplay(&directDraw);
    EXPECT_EQ(primary->IsLost(), DD_OK);
    host.LoseDisplay();
    EXPECT_EQ(primary->IsLost(), platform::DDERR_SURFACELOST);
    primary->Release();
    {
        // A display object the game keeps past its System no longer reaches it.
        ScriptedHost shortLived;
        platform::DirectDraw* kept = nullptr;
        ASSERT_EQ(shortLived.DirectDrawCreate(nullptr, &kept, nullptr), DD_OK);
        directDraw->Release();
        directDraw = kept;
    }
    directDraw->Release();
    platform::DirectDraw* refused = nullptr;
    EXPECT_EQ(host.DirectDrawCreate(nullptr, &refused, directDraw), platform::DDERR_INVALIDPARAMS);
    EXPECT_EQ(refused, nullptr);
    EXPECT_EQ(host.DirectDrawCreate(nullptr, nullptr, nullptr), platform::DDERR_INVALIDPARAMS);
}

TEST_F(HostedSystemTest, SheetsComeThroughTheHostsDecoderAndDrawThroughDeviceContexts) {
    platform::ModuleHandle module = host.GetModuleHandleA(nullptr);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(host.LoadImageA(module, "KNIGHTS", platform::IMAGE_BITMAP, 0, 0, 0), nullptr);
    EXPECT_EQ(decodes, 0);
    platform::BitmapHandle sheet = host.LoadImageA(module, "PIECES", platform::IMAGE_BITMAP, 0, 0,
                                                   platform::LR_CREATEDIBSECTION);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(decodes, 1);
    platform::BitmapInfo info;
    ASSERT_EQ(host.GetObjectA(sheet, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.width, 2);
    platform::DeviceContextHandle dc = host.CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(host.SelectObject(dc, sheet), nullptr);
    EXPECT_EQ(host.GetPixel(dc, 1, 0), static_cast<uint32_t>('s') << 16);
    host.SetPixel(dc, 1, 0, 0x0000FF);
    EXPECT_EQ(host.GetPixel(dc, 1, 0), 0x0000FFu);
    EXPECT_FALSE(host.DeleteObject(sheet));  // still selected
    EXPECT_TRUE(host.DeleteDC(dc));
    EXPECT_TRUE(host.DeleteObject(sheet));
}

// The start-up probe's questions, answered as by a current NT-family system.
TEST(HostedSystem, ReportsTheFactsTheVersionProbeNeeds) {
    ScriptedHost system;
    platform::OsVersionInfo info;
    ASSERT_TRUE(system.GetVersionExA(&info));
    EXPECT_EQ(info.platformId, platform::VER_PLATFORM_WIN32_NT);
    EXPECT_GT(info.majorVersion, 4u);
    platform::LibraryHandle dinput = system.LoadLibraryA("dinput.dll");
    ASSERT_NE(dinput, nullptr);
    EXPECT_NE(system.GetProcAddress(dinput, "DirectInputCreateA"), nullptr);
    EXPECT_EQ(system.GetProcAddress(dinput, "DirectDrawCreate"), nullptr);
    EXPECT_TRUE(system.FreeLibrary(dinput));
    EXPECT_EQ(system.LoadLibraryA("D3D9.DLL"), nullptr);
    platform::DirectDraw* dd = nullptr;
    ASSERT_EQ(system.DirectDrawCreate(nullptr, &dd, nullptr), DD_OK);
    platform::Unknown* second = nullptr;
    ASSERT_EQ(dd->QueryInterface(platform::IID_IDirectDraw2, &second), DD_OK);
    second->Release();
    dd->Release();
}

TEST(HostedSystem, ListsSavedGamesOfTheCurrentDirectory) {
    platform::TempDirectory dir;
    dir.EnterAsCurrent();
    ASSERT_TRUE(dir.Write("b.chs", std::string("x")));
    ASSERT_TRUE(dir.Write("A.chs", std::string("x")));
    ASSERT_TRUE(dir.Write("c.txt", std::string("x")));
    ScriptedHost system;
    platform::FindData data;
    platform::FindHandle find = system.FindFirstFileA("*.chs", &data);
    ASSERT_NE(find, platform::kInvalidFindHandle);
    EXPECT_STREQ(data.fileName, "A.chs");
    ASSERT_TRUE(system.FindNextFileA(find, &data));
    EXPECT_STREQ(data.fileName, "b.chs");
    EXPECT_FALSE(system.FindNextFileA(find, &data));
    EXPECT_TRUE(system.FindClose(find));
}

}  // namespace
