#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/game_main.h"
#include "app/launch/launch.h"
#include "app/start_options.h"
#include "display/win32/win32_entry.h"

// The program's entry on Windows: the instance, the show command and the options. The
// Start-menu shortcut passes --user-data; the display mode is always taken here, so
// --window and --fullscreen change nothing. Paths are UTF-8 text from here on, as the
// player's folders are.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    const std::vector<std::string> arguments = platform::Utf8Arguments();
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    argv.push_back(nullptr);
    launch::LaunchPlan plan;
    {
        const platform::ParentConsole console;
        plan =
            launch::PrepareLaunch(static_cast<int>(arguments.size()), argv.data(), stdout, stderr);
    }
    if (!plan.play) return plan.exitCode;
    ApplyLaunchPlan(plan);
    return platform::RunWithWin32(GameMain, instance, showCommand);
}
