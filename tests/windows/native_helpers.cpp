#include "tests/windows/native_helpers.h"

#include <cstdio>

#include "display/win32/native_types.h"

void SendActivation(platform::WindowHandle window, bool active) {
    ::SendMessageA(win32::Native(window), platform::WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
}

void SleepMilliseconds(uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

bool EnterScratchDirectory() {
    char base[MAX_PATH];
    const DWORD length = ::GetTempPathA(sizeof base, base);
    if (length == 0 || length >= sizeof base) return false;
    char directory[MAX_PATH + 32];
    std::snprintf(directory, sizeof directory, "%skestrion-check-%lu-%lu", base,
                  static_cast<unsigned long>(::GetCurrentProcessId()),
                  static_cast<unsigned long>(::GetTickCount()));
    return ::CreateDirectoryA(directory, nullptr) && ::SetCurrentDirectoryA(directory);
}
