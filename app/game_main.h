#pragma once

// The program's entry on every platform, called by main() or WinMain through the platform
// layer's entry helper: runs the one application object. Kept apart from the shell so that
// the Windows entry, which sees windows.h, meets no other game header.

#include "display/platform.h"

// The exit code of a program whose display could not be opened.
inline constexpr int kGameCouldNotStart = 1;

int GameMain(platform::ModuleHandle instance, int showCommand);
