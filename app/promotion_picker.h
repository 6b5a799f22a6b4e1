#pragma once

// The promotion picker of Standard games: a panel over the middle of the board with four
// cells, the queen, rook, bishop and knight of the side that promotes, left to right.
inline constexpr int kPickerX = 210;
inline constexpr int kPickerY = 182;
inline constexpr int kPickerWidth = 220;
inline constexpr int kPickerHeight = 108;
inline constexpr int kPickerCellX = 220;
inline constexpr int kPickerCellY = 202;
inline constexpr int kPickerCellWidth = 50;
inline constexpr int kPickerCellHeight = 80;
inline constexpr char kPickerPieces[] = "qrbn";

// The cell under a point, 0 to 3, or -1; strict on all sides, as the board.
inline int PickerCellAt(int x, int y) {
    if (x <= kPickerCellX || x >= kPickerCellX + 4 * kPickerCellWidth || y <= kPickerCellY ||
        y >= kPickerCellY + kPickerCellHeight) {
        return -1;
    }
    return (x - kPickerCellX) / kPickerCellWidth;
}
