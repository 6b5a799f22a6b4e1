#pragma once

// What the Play dialog chooses besides Human or Computer for each side: the level of a
// computer side and the rules. Classic is the game's own one-move player and its own rules;
// the other levels are the engine's.
enum PlayLevel : int {
    LevelClassic = 0,
    LevelBeginner = 1,
    LevelCasual = 2,
    LevelClub = 3,
    LevelMaster = 4,
};
inline constexpr int kPlayLevelCount = 5;

enum GameRules : int {
    RulesClassic = 0,
    RulesStandard = 1,
};

// The choices a game was last started with, which the Play dialog opens with. The defaults
// are White human against the Classic player, under Classic rules.
struct PlayChoices {
    int computerBits = 2;  // 1: White played by the computer, 2: Black
    int whiteLevel = LevelClassic;
    int blackLevel = LevelClassic;
    int rules = RulesClassic;

    bool operator==(const PlayChoices&) const = default;
};
