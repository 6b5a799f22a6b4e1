#pragma once

#include "game/game_options.h"

// The choices a game was last started with, which the Play dialog opens with. The defaults
// are White human against the Classic player, under Classic rules.
struct PlayChoices {
    int computerBits = 2;  // 1: White played by the computer, 2: Black
    int whiteLevel = LevelClassic;
    int blackLevel = LevelClassic;
    int rules = RulesClassic;

    bool operator==(const PlayChoices&) const = default;
};
