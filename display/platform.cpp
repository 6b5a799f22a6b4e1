#include "display/platform.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
System* installedSystem = nullptr;
}

System& Sys() {
    if (installedSystem == nullptr) {
        // Every entry point installs a system first; reaching here is a wiring fault.
        std::fputs("Kestrion: no platform system installed\n", stderr);
        std::abort();
    }
    return *installedSystem;
}

void InstallSystem(System* system) {
    installedSystem = system;
}

}  // namespace platform
