#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/program_clock.h"
#include "app/shell.h"
#include "app/still_frames.h"
#include "display/display_device.h"

using namespace platform;

namespace {

int ElapsedSince(uint32_t previousTick, uint32_t now) {
    // Unsigned subtraction survives the tick count's wrap at 2^32.
    const uint32_t elapsed = now - previousTick;
    return elapsed > static_cast<uint32_t>(INT_MAX) ? INT_MAX : static_cast<int>(elapsed);
}

void TakeSnapshot(System& sys, int elapsedMs, InputSnapshot& input) {
    for (int code = 0; code < 256; ++code) {
        keyStates[code] = static_cast<unsigned char>(sys.GetKeyState(code) & 0x80);
    }
    Point cursor{0, 0};
    sys.GetCursorPos(&cursor);
    std::memcpy(input.typedKeys, typedKeys, sizeof input.typedKeys);
    std::memcpy(input.keyStates, keyStates, sizeof input.keyStates);
    input.cursorX = cursor.x;
    input.cursorY = cursor.y;
    input.buttonDown = leftButton;
    input.elapsedMs = elapsedMs;
}

// How long a pass that drew nothing may wait for input: until the next timed change on the
// screen, or for ever.
uint32_t StillWait(const ChessApp& app) {
    uint32_t changeAt = 0;
    if (!app.NextTimedChange(&changeAt)) return INFINITE;
    // Signed, so that a change already due (or a clock that wrapped) waits no time.
    const int32_t left = static_cast<int32_t>(changeAt - MillisecondsSinceStart());
    return left > 0 ? static_cast<uint32_t>(left) : 0;
}

bool DisplayLost() {
    Surface* primary = DisplayDevice::primary;
    return primary != nullptr && primary->IsLost() == DDERR_SURFACELOST;
}

// The check mode of the environment: KESTRION_STILL_CHECK names a file that gets one line of
// counts when the loop ends; differences are described on stderr as they happen.
class EnvironmentCheck {
  public:
    EnvironmentCheck() {
        const char* path = std::getenv("KESTRION_STILL_CHECK");
        if (path != nullptr && *path != '\0') path_ = path;
    }
    ~EnvironmentCheck() {
        if (path_ == nullptr) return;
        if (FILE* file = std::fopen(path_, "a")) {
            std::fprintf(file, "still frames compared %llu differing %llu\n",
                         static_cast<unsigned long long>(check_.compared),
                         static_cast<unsigned long long>(check_.differing));
            std::fclose(file);
        }
    }
    EnvironmentCheck(const EnvironmentCheck&) = delete;
    EnvironmentCheck& operator=(const EnvironmentCheck&) = delete;

    StillFrameCheck* Check() { return path_ != nullptr ? &check_ : nullptr; }

  private:
    const char* path_ = nullptr;
    StillFrameCheck check_;
};

}  // namespace

StillFrameCheck* stillFrameCheck = nullptr;

int RunShell(ChessApp& app, ModuleHandle instance, int showCommand) {
    System& sys = Sys();
    DisplayDevice::windowProcedure = GameWindowProc;
    if (DisplayDevice::Open(instance, showCommand) == 0) return 0;

    app.directDraw = DisplayDevice::directDraw;
    app.primary = DisplayDevice::primary;
    app.backBuffer = DisplayDevice::backBuffer;
    app.Init(DisplayDevice::window);

    uint32_t previousTick = sys.GetTickCount();
    typedKeyCount = 0;
    typedKeys[0] = '\0';
    leftButton = 0;
    sys.SetCursorPos(320, 240);
    int wasActive = 1;
    InputSnapshot input;
    StillFrames stillFrames;
    EnvironmentCheck environmentCheck;
    StillFrameCheck* check =
        stillFrameCheck != nullptr ? stillFrameCheck : environmentCheck.Check();

    for (;;) {
        const uint32_t now = sys.GetTickCount();
        const int elapsedMs = ElapsedSince(previousTick, now);

        // A quit asked for in the last pass closes the window; its WM_QUIT arrives below.
        if (app.WantsQuit() != 0) sys.PostMessageA(app.window, WM_CLOSE, 0, 0);

        // Keys typed while inactive are dropped here, never reaching Update.
        typedKeyCount = 0;
        typedKeys[0] = '\0';
        Message message;
        while (sys.PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            if (sys.GetMessageA(&message, nullptr, 0, 0) == 0) {
                app.Shutdown();
                DisplayDevice::Release();
                return static_cast<int>(message.wParam);
            }
            sys.TranslateMessage(&message);
            sys.DispatchMessageA(&message);
        }

        if (appActive != 0) {
            TakeSnapshot(sys, elapsedMs, input);
            app.Update(input);
            // Back from inactivity, the screen may show anything; a lost display shows nothing.
            if (wasActive == 0 || DisplayLost()) stillFrames.DrawNext();
            const RenderInputs inputs = app.TakeRenderInputs();
            if (stillFrames.Draws(inputs, app.KeepsChanging())) {
                app.Render();
                stillFrames.Drawn(app.TakeRenderInputs());
                if (!DisplayDevice::Flip()) stillFrames.DrawNext();
            } else {
                if (check != nullptr) {
                    CheckStillFrame(app, inputs, *check);
                    DisplayDevice::ClearBackBuffer();
                }
                // Nothing on the screen can change before the next message or timed change;
                // a quit asked for meanwhile is carried out by the next pass at once.
                if (app.WantsQuit() == 0) sys.WaitMessageTimeout(StillWait(app));
            }
        } else {
            sys.WaitMessage();
        }
        if (wasActive == 1 && appActive == 0) app.OnDeactivate(1);
        previousTick = now;
        wasActive = appActive;
    }
}
