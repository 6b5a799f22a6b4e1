#include "app/game_main.h"
#include "display/win32/win32_entry.h"

// The program's entry on Windows: only the instance and the show command are used.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    return platform::RunWithWin32(GameMain, instance, showCommand);
}
