#pragma once

// The rules a game is played under, and the level of a side the computer plays. Classic is
// the game's own: its rules, and its one-move player; the other levels are the engine's.
enum GameRules : int {
    RulesClassic = 0,
    RulesStandard = 1,
};

enum PlayLevel : int {
    LevelClassic = 0,
    LevelBeginner = 1,
    LevelCasual = 2,
    LevelClub = 3,
    LevelMaster = 4,
};
inline constexpr int kPlayLevelCount = 5;
