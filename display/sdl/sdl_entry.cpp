#include "display/sdl/sdl_entry.h"

#include "display/sdl/sdl_system.h"

namespace platform {

int RunWithSdl(GameMain gameMain, const ScreenStart& screen) {
    sdl::SdlSystem system;
    system.StartScreen(screen.fullScreen, screen.switched);
    InstallSystem(&system);
    int exitCode = gameMain(system.GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    InstallSystem(nullptr);
    return exitCode;
}

}  // namespace platform
