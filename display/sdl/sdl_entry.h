#pragma once

// Program entry on the SDL2 desktop layer. The application's main() is
//     int main() { return platform::RunWithSdl(GameMain); }
// where GameMain(instance, showCommand) is the game (see platform::GameMain). RunWithSdl
// installs the SDL System as platform::Sys(), calls the game, and takes the System down
// again after the game has returned; its result is the game's.

#include "display/platform.h"

namespace platform {

// How the game screen starts, and who hears of Alt+Enter's switches (may be null).
struct ScreenStart {
    bool fullScreen = true;
    void (*switched)(bool fullScreen) = nullptr;
};

int RunWithSdl(GameMain gameMain, const ScreenStart& screen = {});

}  // namespace platform
