#include "app/game_main.h"

#include "app/chess_app_instance.h"
#include "app/program_clock.h"
#include "app/shell.h"

int GameMain(platform::ModuleHandle instance, int showCommand) {
    programStartTick = platform::Sys().GetTickCount();
    return RunShell(chessApp, instance, showCommand);
}
