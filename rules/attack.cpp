#include "rules/board.h"
#include "rules/move_text.h"

int Board::IsInCheck(int side) {
    const char king = side == kWhite ? 'K' : 'k';
    char kingFile = '\0';
    char kingRank = '\0';
    // With more than one such king, the last one in scan order is the one examined.
    for (char rank = '1'; rank <= '8'; ++rank) {
        for (char file = 'a'; file <= 'h'; ++file) {
            if (GetSquare(file, rank) == king) {
                kingFile = file;
                kingRank = rank;
            }
        }
    }
    if (kingFile == '\0') return -1;
    return FindAttacker(kingFile, kingRank, nullptr);
}

int Board::FindAttacker(char file, char rank, char* attackerOut) {
    if (attackerOut != nullptr) attackerOut[0] = '\0';
    const char piece = GetSquare(file, rank);
    if (piece == ' ') return 0;

    int attackerSide;
    if (rules::IsUpperLetter(piece)) {
        attackerSide = kBlack;
    } else if (rules::IsLowerLetter(piece)) {
        attackerSide = kWhite;
    } else {
        return 0;  // Neither colour, NUL off the board included: nobody attacks it.
    }

    // File by file, then rank by rank: a1, a2, ..., a8, b1, ..., h8.
    for (char candidateFile = 'a'; candidateFile <= 'h'; ++candidateFile) {
        for (char candidateRank = '1'; candidateRank <= '8'; ++candidateRank) {
            const char candidate = GetSquare(candidateFile, candidateRank);
            const bool opposing = attackerSide == kWhite ? rules::IsUpperLetter(candidate)
                                                         : rules::IsLowerLetter(candidate);
            if (!opposing) continue;
            char move[5] = {candidateFile, candidateRank, file, rank, '\0'};
            if (IsLegalMove(move, attackerSide) == 1) {
                if (attackerOut != nullptr) {
                    attackerOut[0] = candidateFile;
                    attackerOut[1] = candidateRank;
                    attackerOut[2] = '\0';
                }
                return 1;
            }
        }
    }
    return 0;
}
