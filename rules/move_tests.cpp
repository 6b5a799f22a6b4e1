#include "rules/move_tests.h"

#include "rules/move_text.h"

namespace rules {

namespace {

int Abs(int value) {
    return value < 0 ? -value : value;
}
int Sign(int value) {
    return (value > 0) - (value < 0);
}

// A piece of side as the rules read it: an upper-case letter for side 1, a lower-case one
// for any other side number.
bool IsSideLetter(char c, int side) {
    return side == 1 ? IsUpperLetter(c) : IsLowerLetter(c);
}

}  // namespace

bool PassesMoveTests(const signed char* squares, int from, int to, int side) {
    const char mover = static_cast<char>(squares[from]);
    if (!IsSideLetter(mover, side)) return false;
    const char target = static_cast<char>(squares[to]);
    if (IsSideLetter(target, side)) return false;  // One's own piece cannot be taken.

    const int df = to % 8 - from % 8;
    const int dr = to / 8 - from / 8;
    const int fileDistance = Abs(df);
    const int rankDistance = Abs(dr);
    const bool straight = df == 0 || dr == 0;
    const bool diagonal = fileDistance == rankDistance;
    switch (ToLowerLetter(mover)) {
        case 'n':
            return fileDistance * rankDistance == 2;  // No path test for the knight.
        case 'k':
            return fileDistance <= 1 && rankDistance <= 1;  // Nothing lies between.
        case 'r':
            if (!straight) return false;
            break;
        case 'b':
            if (!diagonal) return false;
            break;
        case 'p': {
            // Only the exact letters 'P' and 'p' reach here: the mover is of side's colour.
            const int forward = mover == 'P' ? -1 : 1;
            if (target != ' ') return fileDistance == 1 && dr == forward;
            if (df != 0) return false;
            if (dr == forward) return true;
            const int homeRank = mover == 'P' ? 6 : 1;
            return dr == 2 * forward && from / 8 == homeRank && squares[from + 8 * forward] == ' ';
        }
        default:  // The queen and every other letter move along any line.
            if (!straight && !diagonal) return false;
            break;
    }
    const int step = Sign(df) + 8 * Sign(dr);
    for (int square = from + step; square != to; square += step) {
        if (squares[square] != ' ') return false;
    }
    return true;
}

}  // namespace rules
