#include "display/win32/program_entry.h"

#include <cstdio>
#include <cstdlib>

#include "app/launch/launch.h"
#include "app/shell.h"
#include "display/win32/win32_system.h"

int RunGameOnWin32(platform::ModuleHandle instance, int showCommand) {
    // The same options as on the desktop; the Start-menu shortcut passes --user-data. The
    // display mode is always taken here, so --window and --fullscreen change nothing.
    const launch::LaunchPlan plan = launch::PrepareLaunch(__argc, __argv, stdout, stderr);
    if (!plan.play) return plan.exitCode;
    static win32::Win32System system;
    platform::InstallSystem(&system);
    return GameMain(instance, showCommand);
}
