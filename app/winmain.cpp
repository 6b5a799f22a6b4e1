#include <cstdio>
#include <cstdlib>

#include "app/game_main.h"
#include "app/launch/launch.h"
#include "app/start_options.h"
#include "display/win32/win32_entry.h"

// The program's entry on Windows: the instance, the show command and the options. The
// Start-menu shortcut passes --user-data; the display mode is always taken here, so
// --window and --fullscreen change nothing.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    launch::LaunchPlan plan;
    {
        const platform::ParentConsole console;
        plan = launch::PrepareLaunch(__argc, __argv, stdout, stderr);
    }
    if (!plan.play) return plan.exitCode;
    ApplyLaunchPlan(plan);
    return platform::RunWithWin32(GameMain, instance, showCommand);
}
