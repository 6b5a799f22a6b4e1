#include "display/win32/program_entry.h"

#include "app/shell.h"
#include "display/win32/win32_system.h"

int RunGameOnWin32(platform::ModuleHandle instance, int showCommand) {
    static win32::Win32System system;
    platform::InstallSystem(&system);
    return GameMain(instance, showCommand);
}
