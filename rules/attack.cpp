#include "rules/board.h"
#include "rules/legality_probe.h"
#include "rules/move_text.h"

int Board::IsInCheck(int side) {
    // With more than one such king, the last one in the order a1, b1, ..., h8 counts.
    rules::LegalityProbe probe(squares);
    const int sideIndex = side == kWhite ? kWhite : kBlack;
    if (probe.KingSquare(sideIndex) < 0) return -1;
    return probe.InCheck(sideIndex) ? 1 : 0;
}

int Board::FindAttacker(char file, char rank, char* attackerOut) {
    if (attackerOut != nullptr) attackerOut[0] = '\0';
    const char piece = GetSquare(file, rank);
    int attackerSide;
    if (rules::IsUpperLetter(piece)) {
        attackerSide = kBlack;
    } else if (rules::IsLowerLetter(piece)) {
        attackerSide = kWhite;
    } else {
        return 0;  // Empty, neither colour, or NUL off the board: nobody attacks it.
    }
    const int target = (rules::ToLowerLetter(file) - 'a') + 8 * (rank - '1');

    // Each attacker is tested as a move onto the square, in the order a1, a2, ..., h8; a
    // pinned one does not count unless the square holds a king.
    bool tried = false;
    rules::LegalityProbe probe(squares);
    const int found = probe.FirstLegalAttacker(target, attackerSide, tried);
    if (tried) cachedStatus = kStatusNotComputed;
    if (found < 0) return 0;
    if (attackerOut != nullptr) {
        attackerOut[0] = static_cast<char>('a' + found % 8);
        attackerOut[1] = static_cast<char>('1' + found / 8);
        attackerOut[2] = '\0';
    }
    return 1;
}
