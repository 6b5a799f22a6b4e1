// The shell: the window procedure's table and the frame loop driven by scripted messages
// on the test double, with the real application object underneath.

#include "app/shell.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/game_main.h"
#include "display/display_device.h"
#include "display/testing/fake_system.h"
#include "tests/app/test_sheets.h"

namespace apptest {
namespace {

using platform::FakeSystem;

// The application with every frame operation recorded on the way through.
class RecordingApp final : public ChessApp {
  public:
    std::vector<std::string> events;
    std::vector<InputSnapshot> inputs;
    int quitAfterRenders = -1;

    void OnDeactivate(int flag) override {
        events.push_back("OnDeactivate");
        ChessApp::OnDeactivate(flag);
    }
    void Render() override {
        events.push_back("Render");
        ChessApp::Render();
        if (Count("Render") == quitAfterRenders) quitRequested = 1;
    }
    void Update(const InputSnapshot& input) override {
        events.push_back("Update");
        inputs.push_back(input);
        ChessApp::Update(input);
    }
    void Shutdown() override {
        events.push_back("Shutdown");
        ChessApp::Shutdown();
    }
    int Init(platform::WindowHandle appWindow) override {
        events.push_back("Init");
        return ChessApp::Init(appWindow);
    }
    int Count(const std::string& event) const {
        return static_cast<int>(std::count(events.begin(), events.end(), event));
    }
};

class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake.Install();
        RegisterTestSheets(fake);
        appActive = 0;
        fake.tickStep = 16;
        fake.idleWaitLimit = 50;
    }

    // Runs the shell, calling `script` at every pump with the number of updates so far.
    int Run(std::function<void(FakeSystem&, int updates)> script) {
        fake.onPump = [this, script](FakeSystem& system) { script(system, app->Count("Update")); };
        return RunShell(*app, nullptr, platform::SW_SHOWNORMAL);
    }
    void Post(uint32_t message, uintptr_t wParam) {
        fake.Queue().Post(fake.Window(), message, wParam, 0);
    }

    FakeSystem fake;
    std::unique_ptr<RecordingApp> app = std::make_unique<RecordingApp>();
};

TEST_F(ShellTest, AFailedDisplayEndsWithZeroBeforeTheApplicationStarts) {
    for (const char* step : {"CreateWindowExA", "SetDisplayMode"}) {
        fake.Fail(step);
        EXPECT_EQ(Run([](FakeSystem&, int) {}), 0) << step;
        EXPECT_TRUE(app->events.empty()) << step;
        fake.ClearFailures();
    }
    EXPECT_EQ(fake.messageBoxes.size(), 1u);
}

// The program as its entry runs it: a display that cannot be opened (no window, or a window
// without its screen mode) ends the program as one that failed, after the player was told.
TEST_F(ShellTest, TheProgramFailsWhenItsDisplayCannotBeOpened) {
    for (const char* step : {"CreateWindowExA", "SetDisplayMode"}) {
        fake.Fail(step);
        const int exitCode = GameMain(nullptr, platform::SW_SHOWNORMAL);
        EXPECT_NE(exitCode, 0) << step;
        EXPECT_EQ(exitCode, kGameCouldNotStart) << step;
        fake.ClearFailures();
    }
}

TEST_F(ShellTest, F12ClosesTheWindowAtTheNextPassAndEndsWithZero) {
    bool sent = false;
    const int result = Run([&](FakeSystem&, int updates) {
        if (updates == 3 && !sent) {
            sent = true;
            Post(platform::WM_KEYDOWN, platform::VK_F12);
        }
    });
    EXPECT_EQ(result, 0);
    // The pass after the key posts the close and runs no frame.
    EXPECT_EQ(app->Count("Update"), 4);
    EXPECT_EQ(app->Count("Render"), 4);
    const std::vector<std::string> start = {"Init", "Update", "Render"};
    EXPECT_TRUE(std::equal(start.begin(), start.end(), app->events.begin()));
    EXPECT_EQ(app->events.back(), "Shutdown");
    EXPECT_EQ(app->Count("Shutdown"), 1);
    EXPECT_STREQ(app->inputs[3].typedKeys, "\x7B");

    EXPECT_TRUE(fake.Called("SetCursorPos(320,240)"));
    const int close = fake.IndexOf("PostMessageA(0x10,0,0)");
    const int quit = fake.IndexOf("PostQuitMessage(0)");
    const int sheets = fake.IndexOf("Release(offscreen", true);
    const int display = fake.IndexOf("Release(primary)");
    ASSERT_GE(close, 0);
    EXPECT_LT(close, quit);
    EXPECT_LT(quit, sheets);
    EXPECT_LT(sheets, display);
    EXPECT_EQ(fake.LiveDirectDraws(), 0u);
    EXPECT_EQ(DisplayDevice::directDraw, nullptr);
}

TEST_F(ShellTest, AQuitAskedForWhileDrawingEndsTheProgramBeforeAnotherFrame) {
    app->quitAfterRenders = 2;
    EXPECT_EQ(Run([](FakeSystem&, int) {}), 0);
    EXPECT_EQ(app->Count("Update"), 2);
    EXPECT_EQ(app->Count("Render"), 2);
}

TEST_F(ShellTest, EachPassGetsItsKeysMouseAndTimeInOneSnapshot) {
    fake.tickCount = 0xFFFFFFF8u;  // the tick count wraps during the run
    fake.SetKey(platform::VK_SHIFT, true);
    bool sent = false;
    Run([&](FakeSystem& system, int updates) {
        system.cursor = {123, 45};  // after the shell has centred the pointer
        if (updates == 1 && !sent) {
            sent = true;
            for (int i = 0; i < 300; ++i) Post(platform::WM_KEYDOWN, 0x100 + 'A' + i % 26);
            Post(platform::WM_LBUTTONDOWN, 0);
        }
        if (updates == 4 && sent) {
            sent = false;
            Post(platform::WM_KEYDOWN, platform::VK_F12);
        }
    });
    ASSERT_EQ(app->inputs.size(), 5u);
    const InputSnapshot& burst = app->inputs[1];
    EXPECT_EQ(std::strlen(burst.typedKeys), 255u);
    EXPECT_EQ(burst.typedKeys[0], 'A');
    EXPECT_EQ(burst.typedKeys[254], 'A' + 254 % 26);
    EXPECT_EQ(burst.buttonDown, 1);
    EXPECT_EQ(app->inputs[2].typedKeys[0], '\0');  // the surplus was dropped, not delayed
    EXPECT_EQ(app->inputs[2].buttonDown, 1);
    for (const InputSnapshot& input : app->inputs) {
        EXPECT_EQ(input.elapsedMs, 16);
        EXPECT_EQ(input.cursorX, 123);
        EXPECT_EQ(input.cursorY, 45);
        EXPECT_EQ(input.keyStates[platform::VK_SHIFT], 0x80);
        EXPECT_EQ(input.keyStates[0x41], 0);
    }
}

TEST_F(ShellTest, WhileInactiveNothingRunsAndTypedKeysAreDropped) {
    int step = 0;
    size_t waitsSeen = 0;
    Run([&](FakeSystem& system, int updates) {
        const size_t waits = system.Count("WaitMessage");
        if (step == 0 && updates == 2) {
            step = 1;
            Post(platform::WM_ACTIVATEAPP, 0);
            Post(platform::WM_KEYDOWN, 'X');
        } else if (step == 1 && waits > waitsSeen) {
            // Each wait lasts a while; the last one ends with the activation.
            waitsSeen = waits;
            system.tickCount += waits < 3 ? 1000 : 5000;
            if (waits == 3) {
                step = 2;
                Post(platform::WM_ACTIVATEAPP, 1);
            }
        } else if (step == 2 && updates == 4) {
            step = 3;
            Post(platform::WM_KEYDOWN, platform::VK_F12);
        }
    });
    EXPECT_EQ(app->Count("OnDeactivate"), 1);
    EXPECT_EQ(fake.Count("WaitMessage"), 3u);
    ASSERT_EQ(app->inputs.size(), 5u);
    for (const InputSnapshot& input : app->inputs) {
        EXPECT_EQ(std::strchr(input.typedKeys, 'X'), nullptr);
    }
    // The first pass after the pause is told how long the last wait lasted.
    EXPECT_EQ(app->inputs[2].elapsedMs, 5016);
}

TEST_F(ShellTest, TheWindowProcedureKeepsTheInputAndHidesThePointer) {
    using namespace platform;
    EXPECT_EQ(GameWindowProc(nullptr, WM_SETCURSOR, 0, 0), 1);
    EXPECT_TRUE(fake.cursorHidden);
    EXPECT_EQ(GameWindowProc(nullptr, WM_LBUTTONDOWN, 0, 0), 1);
    EXPECT_EQ(leftButton, 1);
    EXPECT_EQ(GameWindowProc(nullptr, WM_LBUTTONUP, 0, 0), 1);
    EXPECT_EQ(leftButton, 0);
    GameWindowProc(nullptr, WM_ACTIVATEAPP, 1, 0);
    EXPECT_EQ(appActive, 1);
    GameWindowProc(nullptr, WM_ACTIVATEAPP, 0, 0);
    EXPECT_EQ(appActive, 0);

    typedKeyCount = 0;
    typedKeys[0] = '\0';
    EXPECT_EQ(GameWindowProc(nullptr, WM_KEYDOWN, 0x1247, 0), 1);
    GameWindowProc(nullptr, WM_KEYDOWN, 0x100, 0);  // no key has code 0
    GameWindowProc(nullptr, 0x0102 /* WM_CHAR */, 'z', 0);
    GameWindowProc(nullptr, WM_SYSKEYDOWN, 'Y', 0);
    EXPECT_STREQ(typedKeys, "G");

    GameWindowProc(nullptr, WM_DESTROY, 0, 0);
    EXPECT_TRUE(fake.Called("PostQuitMessage(0)"));
}

}  // namespace
}  // namespace apptest
