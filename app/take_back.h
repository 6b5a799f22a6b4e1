#pragma once

// The board screen's Undo button: 80x40 like the side menu's, below the emblem on the left,
// worked by a release over it. It is drawn only while there is a move to take back, so a
// game without one looks as it always has.
inline constexpr int kTakeBackX = 10;
inline constexpr int kTakeBackY = 400;
inline constexpr int kTakeBackWidth = 80;
inline constexpr int kTakeBackHeight = 40;

// Strict on all four sides, as the side menu.
inline bool OnTakeBackButton(int x, int y) {
    return x > kTakeBackX && x < kTakeBackX + kTakeBackWidth && y > kTakeBackY &&
           y < kTakeBackY + kTakeBackHeight;
}
