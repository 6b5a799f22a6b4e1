#pragma once

#include "display/platform.h"

// Installs the Win32 system and runs the game; answers the program's exit code. Kept apart
// from WinMain so that the game's headers never meet windows.h.
int RunGameOnWin32(platform::ModuleHandle instance, int showCommand);
