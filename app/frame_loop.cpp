#include <climits>
#include <cstring>

#include "app/shell.h"
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

}  // namespace

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
            app.Render();
            DisplayDevice::Flip();
        } else {
            sys.WaitMessage();
        }
        if (wasActive == 1 && appActive == 0) app.OnDeactivate(1);
        previousTick = now;
        wasActive = appActive;
    }
}
