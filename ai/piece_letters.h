#pragma once

// Colour tests on piece letters that do not depend on the C locale and accept any char,
// including the bytes a loaded game may put on the board.
inline bool IsWhiteLetter(char c) {
    return c >= 'A' && c <= 'Z';
}
inline bool IsBlackLetter(char c) {
    return c >= 'a' && c <= 'z';
}

// True when c is a piece of side (1 White, 0 Black).
inline bool BelongsToSide(char c, int side) {
    return side == 1 ? IsWhiteLetter(c) : IsBlackLetter(c);
}
