#pragma once

// Character tests shared by the rules. Squares and moves are text, and only the ASCII
// letters carry a colour: a loaded game may put any byte on a square, and such a byte is
// a piece of neither side.
namespace rules {

inline bool IsFileChar(char c) {
    return c >= 'a' && c <= 'h';
}
inline bool IsRankChar(char c) {
    return c >= '1' && c <= '8';
}
inline bool IsUpperLetter(char c) {
    return c >= 'A' && c <= 'Z';
}
inline bool IsLowerLetter(char c) {
    return c >= 'a' && c <= 'z';
}
inline char ToLowerLetter(char c) {
    return IsUpperLetter(c) ? static_cast<char>(c - 'A' + 'a') : c;
}

// Lower-cases the letters 'A' to 'Z' of the whole NUL-terminated text, in place.
void LowerCaseInPlace(char* text);

// True when the first four characters are file, rank, file, rank, each on the board.
// Stops at the first character out of range, so a text shorter than four characters is
// never read past its NUL.
bool IsMoveOnBoard(const char* text);

}  // namespace rules
