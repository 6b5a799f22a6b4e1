#include "app/shell.h"

using namespace platform;

char typedKeys[256] = {};
int typedKeyCount = 0;
int leftButton = 0;
int appActive = 0;
unsigned char keyStates[256] = {};

intptr_t GameWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    System& sys = Sys();
    switch (message) {
        case WM_DESTROY:
            sys.PostQuitMessage(0);
            break;
        case WM_ACTIVATEAPP:
            appActive = wParam != 0 ? 1 : 0;
            break;
        case WM_SETCURSOR:
            // The screens draw their own pointer.
            sys.SetCursor(nullptr);
            return 1;
        case WM_KEYDOWN: {
            // A zero code would end the queue early; there is no such key.
            const char code = static_cast<char>(wParam & 0xFF);
            if (code != 0 && typedKeyCount < kMaxTypedKeys) {
                typedKeys[typedKeyCount++] = code;
                typedKeys[typedKeyCount] = '\0';
            }
            return 1;
        }
        case WM_LBUTTONDOWN:
            leftButton = 1;
            return 1;
        case WM_LBUTTONUP:
            leftButton = 0;
            return 1;
        default:
            break;
    }
    return sys.DefWindowProcA(window, message, wParam, lParam);
}
