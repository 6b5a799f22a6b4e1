#pragma once

#include <cstdint>

#include "display/platform.h"

using DirectXVersion = uint32_t;

// The game's window and its full-screen 640x480x16 display with one back buffer.
// One per process.
class DisplayDevice {
  public:
    static platform::WindowHandle window;
    static platform::DirectDraw* directDraw;
    static platform::Surface* primary;
    static platform::Surface* backBuffer;

    // The window procedure the game window is registered with; set by the shell before Open.
    static platform::WindowProc windowProcedure;

    static int Open(platform::ModuleHandle instance, int showCommand);
    static void Release();
    static int FatalError(platform::WindowHandle window, const char* message, const char* caption);
    static void RestorePrimary();
    static void ClearBackBuffer();
    // false: the frame was lost with the display's surfaces and never reached the screen.
    static bool Flip();
};

DirectXVersion ProbeDirectXVersion();
