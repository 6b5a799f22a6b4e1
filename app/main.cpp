#include <cstdio>
#include <string>

#include "app/game_main.h"
#include "app/launch/launch.h"
#include "app/launch/screen_memory.h"
#include "app/start_options.h"
#include "display/sdl/sdl_entry.h"

namespace {

std::string screenMemory;

// Alt+Enter's choice is kept for the next start; failing to keep it costs only that.
void RememberScreen(bool fullScreen) {
    if (!launch::RememberFullScreen(screenMemory, fullScreen) && !screenMemory.empty()) {
        std::fprintf(stderr, "Kestrion: could not keep the screen choice in %s\n",
                     screenMemory.c_str());
    }
}

}  // namespace

// The program's entry on the SDL2 desktop: the options first, then the game.
int main(int argc, char** argv) {
    launch::LaunchPlan plan = launch::PrepareLaunch(argc, argv, stdout, stderr);
    if (!plan.play) return plan.exitCode;
    screenMemory = plan.screenMemory;
    ApplyLaunchPlan(plan);
    return platform::RunWithSdl(GameMain, {plan.fullScreen, RememberScreen});
}
