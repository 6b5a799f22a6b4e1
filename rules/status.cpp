#include "rules/board.h"
#include "rules/move_text.h"

namespace {

// Both sides can move: only check is left to report, White's first.
int StatusWhenBothCanMove(bool whiteCheck, bool blackCheck) {
    if (whiteCheck) return WhiteInCheck;
    if (blackCheck) return BlackInCheck;
    return InPlay;
}

// At least one side has no move. Stalemate is tested before checkmate, White before Black.
int StatusWhenStuck(int whiteMoves, int blackMoves, bool whiteCheck, bool blackCheck) {
    if (whiteMoves == 0 && !whiteCheck) return WhiteStalemated;
    if (blackMoves == 0 && !blackCheck) return BlackStalemated;
    if (whiteMoves == 0) return WhiteCheckmated;
    return BlackCheckmated;
}

}  // namespace

int Board::GetStatus() {
    if (cachedStatus != kStatusNotComputed) return cachedStatus;

    // A missing king counts as attacked.
    const bool whiteCheck = IsInCheck(kWhite) != 0;
    const bool blackCheck = IsInCheck(kBlack) != 0;

    int whiteMoves = 0;
    int blackMoves = 0;
    bool bothCanMove = false;
    for (char rank = '1'; rank <= '8' && !bothCanMove; ++rank) {
        for (char file = 'a'; file <= 'h' && !bothCanMove; ++file) {
            const char piece = GetSquare(file, rank);
            if (piece == ' ') continue;
            const int side = rules::IsUpperLetter(piece) ? kWhite : kBlack;
            for (char targetRank = '1'; targetRank <= '8' && !bothCanMove; ++targetRank) {
                for (char targetFile = 'a'; targetFile <= 'h' && !bothCanMove; ++targetFile) {
                    char move[5] = {file, rank, targetFile, targetRank, '\0'};
                    if (IsLegalMove(move, side) != 1) continue;
                    if (side == kWhite) {
                        ++whiteMoves;
                    } else {
                        ++blackMoves;
                    }
                    bothCanMove = whiteMoves != 0 && blackMoves != 0;
                }
            }
        }
    }

    const int status = bothCanMove
                           ? StatusWhenBothCanMove(whiteCheck, blackCheck)
                           : StatusWhenStuck(whiteMoves, blackMoves, whiteCheck, blackCheck);
    cachedStatus = static_cast<unsigned char>(status);
    return status;
}
