#include "app/remembered_play.h"

namespace {

int ClampedLevel(int level) {
    return level >= 0 && level < kPlayLevelCount ? level : LevelClassic;
}

}  // namespace

PlayChoices ChoicesOf(const launch::RememberedPlay& play) {
    PlayChoices choices;
    choices.computerBits = (play.whiteComputer ? 1 : 0) | (play.blackComputer ? 2 : 0);
    choices.whiteLevel = ClampedLevel(play.whiteLevel);
    choices.blackLevel = ClampedLevel(play.blackLevel);
    choices.rules = play.standardRules ? RulesStandard : RulesClassic;
    return choices;
}

launch::RememberedPlay RememberedOf(const PlayChoices& choices) {
    launch::RememberedPlay play;
    play.whiteComputer = (choices.computerBits & 1) != 0;
    play.blackComputer = (choices.computerBits & 2) != 0;
    play.whiteLevel = choices.whiteLevel;
    play.blackLevel = choices.blackLevel;
    play.standardRules = choices.rules == RulesStandard;
    return play;
}
