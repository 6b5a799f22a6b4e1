#include "app/start_options.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/chess_app_instance.h"
#include "app/launch/play_memory.h"

namespace {

std::string playMemory;

int ClampedLevel(int level) {
    return level >= 0 && level < kPlayLevelCount ? level : LevelClassic;
}

PlayChoices ChoicesOf(const launch::RememberedPlay& play) {
    PlayChoices choices;
    choices.computerBits = (play.whiteComputer ? 1 : 0) | (play.blackComputer ? 2 : 0);
    choices.whiteLevel = ClampedLevel(play.whiteLevel);
    choices.blackLevel = ClampedLevel(play.blackLevel);
    choices.rules = play.standardRules ? RulesStandard : RulesClassic;
    return choices;
}

// Failing to keep the choices costs only the next start's defaults.
void KeepChoices(const PlayChoices& choices) {
    launch::RememberedPlay play;
    play.whiteComputer = (choices.computerBits & 1) != 0;
    play.blackComputer = (choices.computerBits & 2) != 0;
    play.whiteLevel = choices.whiteLevel;
    play.blackLevel = choices.blackLevel;
    play.standardRules = choices.rules == RulesStandard;
    if (!launch::RememberPlay(playMemory, play) && !playMemory.empty()) {
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
