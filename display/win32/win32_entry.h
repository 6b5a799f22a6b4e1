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

#include <string>
#include <vector>

#include "display/platform.h"
#include "display/win32/windows_api.h"

namespace platform {

int RunWithWin32(GameMain gameMain, HINSTANCE instance, int showCommand);

// The program's arguments, the program's own name first, as UTF-8 read from the wide command
// line. The narrow argv holds only what the code page can spell: a file named in other
// letters ("Partie-Ölçü.pgn" on a Western system is fine, a Polish or Japanese name is not)
// reaches it with those letters replaced, and could not be opened.
std::vector<std::string> Utf8Arguments();

// A program made for the Windows desktop starts without console streams, so what it prints
// for --help or --version from a Command Prompt would go nowhere. While a ParentConsole
// lives, stdout and stderr that have no stream of their own write to the console of the
// program that started this one, if it has one; streams redirected to a file or a pipe are
// kept. The console is let go again at the end of its life, so that Ctrl+C typed there
// later cannot end the game.
class ParentConsole {
  public:
    ParentConsole();
    ~ParentConsole();
    ParentConsole(const ParentConsole&) = delete;
    ParentConsole& operator=(const ParentConsole&) = delete;

  private:
    bool attached_ = false;
};

}  // namespace platform
