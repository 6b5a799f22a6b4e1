// Runs the game's platform operations on the real Win32 and DirectDraw (or Wine's) and checks
// each result the game relies on. Usage: kestrion-platform-check <folder of the sheet files>
// Exit code 0 when every check passed.

#include <cstdio>

#include "display/display_device.h"
#include "display/win32/win32_system.h"
#include "tests/windows/check.h"
#include "tests/windows/checks.h"
#include "tests/windows/native_helpers.h"

using namespace platform;

int checksRun = 0;
int checkFailures = 0;

namespace {

intptr_t DisplayWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam,
                           intptr_t lParam) {
    if (message == WM_DESTROY) Sys().PostQuitMessage(0);
    return Sys().DefWindowProcA(window, message, wParam, lParam);
}

// Hands waiting messages to their windows; answers false once WM_QUIT came.
bool PumpMessages() {
    Message message;
    while (Sys().PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) return false;
        Sys().TranslateMessage(&message);
        Sys().DispatchMessageA(&message);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder of the sheet files>\n", argv[0]);
        return 2;
    }
    static win32::Win32System system;
    InstallSystem(&system);
    if (!EnterScratchDirectory()) {
        std::fprintf(stderr, "cannot make a scratch directory\n");
        return 2;
    }

    RunSystemChecks();

    DisplayDevice::windowProcedure = DisplayWindowProc;
    const int opened = DisplayDevice::Open(Sys().GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    CHECK_EQ(opened, 1);
    if (opened == 1) {
        PumpMessages();
        RunDisplayChecks();
        RunBitmapChecks(argv[1]);
        RunRepairChecks();
        PumpMessages();
        DisplayDevice::Release();
        Sys().DestroyWindow(DisplayDevice::window);
        bool quitArrived = false;
        for (int pass = 0; pass < 100 && !quitArrived; ++pass) quitArrived = !PumpMessages();
        CHECK(quitArrived);
    }

    std::printf("platform check: %d checks, %d failed\n", checksRun, checkFailures);
    return checkFailures == 0 ? 0 : 1;
}
