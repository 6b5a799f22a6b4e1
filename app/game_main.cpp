#include "app/game_main.h"

#include "app/chess_app_instance.h"
#include "app/program_clock.h"
#include "app/shell.h"

int GameMain(platform::ModuleHandle instance, int showCommand) {
    programStartTick = platform::Sys().GetTickCount();
    const int exitCode = RunShell(chessApp, instance, showCommand);
    // The shell answers 0 also when the display could not be opened. The player has been
    // told why by then; the program itself must still end as one that failed, so that a
    // script or launcher starting it can tell. Only a started game gets its window.
    return chessApp.window == nullptr ? kGameCouldNotStart : exitCode;
}
