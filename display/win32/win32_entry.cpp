#include "display/win32/win32_entry.h"

#include "display/win32/native_types.h"
#include "display/win32/win32_system.h"

namespace platform {

int RunWithWin32(GameMain gameMain, HINSTANCE instance, int showCommand) {
    win32::Win32System system;
    InstallSystem(&system);
    const int exitCode = gameMain(win32::Wrap<ModuleHandle>(instance), showCommand);
    InstallSystem(nullptr);
    return exitCode;
}

}  // namespace platform
