#include "app/start_options.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/chess_app_instance.h"
#include "app/launch/play_memory.h"
#include "app/remembered_play.h"

namespace {

std::string playMemory;

// Failing to keep the choices costs only the next start's defaults.
void KeepChoices(const PlayChoices& choices) {
    if (!launch::RememberPlay(playMemory, RememberedOf(choices)) && !playMemory.empty()) {
        std::fprintf(stderr, "Kestrion: could not keep the Play choices in %s\n",
                     playMemory.c_str());
    }
}

}  // namespace

void ApplyLaunchPlan(const launch::LaunchPlan& plan) {
    playMemory = plan.playMemory;
    chessApp.playChoices = ChoicesOf(launch::ReadRememberedPlay(playMemory));
    chessApp.keepPlayChoices = KeepChoices;
    if (plan.gameFile.size() < sizeof chessApp.startupGame) {
        std::memcpy(chessApp.startupGame, plan.gameFile.c_str(), plan.gameFile.size() + 1);
    }
}
