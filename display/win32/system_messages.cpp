#include "display/win32/native_types.h"
#include "display/win32/win32_system.h"

namespace win32 {

namespace {

// The platform's message record has no time or cursor position. The message last taken
// from the queue is kept whole, so that translating and dispatching it hand the system the
// very record it gave out.
MSG lastTaken{};

MSG Restored(const platform::Message& message) {
    const MSG rebuilt = Native(message);
    const bool same = rebuilt.hwnd == lastTaken.hwnd && rebuilt.message == lastTaken.message &&
                      rebuilt.wParam == lastTaken.wParam && rebuilt.lParam == lastTaken.lParam;
    return same ? lastTaken : rebuilt;
}

}  // namespace

bool Win32System::PeekMessageA(platform::Message* message, platform::WindowHandle window,
                               uint32_t filterMin, uint32_t filterMax, uint32_t removeFlags) {
    MSG native{};
    if (!::PeekMessageA(&native, Native(window), filterMin, filterMax, removeFlags)) return false;
    if (removeFlags & platform::PM_REMOVE) lastTaken = native;
    if (message != nullptr) *message = FromNative(native);
    return true;
}

int Win32System::GetMessageA(platform::Message* message, platform::WindowHandle window,
                             uint32_t filterMin, uint32_t filterMax) {
    MSG native{};
    const BOOL result = ::GetMessageA(&native, Native(window), filterMin, filterMax);
    if (result != -1) {
        lastTaken = native;
        if (message != nullptr) *message = FromNative(native);
    }
    return result;
}

bool Win32System::TranslateMessage(const platform::Message* message) {
    const MSG native = Restored(*message);
    return ::TranslateMessage(&native) != FALSE;
}

intptr_t Win32System::DispatchMessageA(const platform::Message* message) {
    const MSG native = Restored(*message);
    return ::DispatchMessageA(&native);
}

intptr_t Win32System::DefWindowProcA(platform::WindowHandle window, uint32_t message,
                                     uintptr_t wParam, intptr_t lParam) {
    return ::DefWindowProcA(Native(window), message, wParam, lParam);
}

bool Win32System::PostMessageA(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                               intptr_t lParam) {
    return ::PostMessageA(Native(window), message, wParam, lParam) != FALSE;
}

void Win32System::PostQuitMessage(int exitCode) {
    ::PostQuitMessage(exitCode);
}

bool Win32System::WaitMessage() {
    return ::WaitMessage() != FALSE;
}

// MWMO_INPUTAVAILABLE: input already in the queue ends the wait too, not only input that
// arrives after the last look at it.
bool Win32System::WaitMessageTimeout(uint32_t milliseconds) {
    const DWORD woken =
        ::MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return woken == WAIT_OBJECT_0;
}

}  // namespace win32
