#include "display/sdl/sdl_entry.h"

#include "display/sdl/sdl_system.h"

namespace platform {

int RunWithSdl(GameMain gameMain) {
    sdl::SdlSystem system;
    InstallSystem(&system);
    int exitCode = gameMain(system.GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    InstallSystem(nullptr);
    return exitCode;
}

}  // namespace platform
