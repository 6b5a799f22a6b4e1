#pragma once

// Program entry on Win32 and DirectDraw. The application's WinMain is
//     int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
//         return platform::RunWithWin32(GameMain, instance, showCommand);
//     }
// RunWithWin32 installs the Win32 System as platform::Sys(), calls the game, and takes the
// System down again after the game has returned; its result is the game's.
//
// This header brings windows.h, tamed by windows_api.h so that it can stand next to the
// platform interface; the file with WinMain includes no other game header than the one that
// declares GameMain.

#include "display/platform.h"
#include "display/win32/windows_api.h"

namespace platform {

int RunWithWin32(GameMain gameMain, HINSTANCE instance, int showCommand);

}  // namespace platform
