#include <cstdlib>

#include "ai/computer_player.h"
#include "ai/piece_letters.h"

namespace {

// The whole score of a side whose opponent has no legal move.
constexpr int kOpponentCannotMoveScore = 500;
constexpr int kPieceBase = 16;
constexpr int kChecksEnemyKingBonus = 4;
constexpr int kAttackedOwnPieceCost = 20;
constexpr int kPositionOffset = 1000;

int PieceValue(char letter) {
    const char upper = IsBlackLetter(letter) ? static_cast<char>(letter - 'a' + 'A') : letter;
    switch (upper) {
        case 'Q':
            return 10;
        case 'R':
            return 5;
        case 'N':
            return 4;
        case 'B':
            return 3;
        default:
            return 1;
    }
}

}  // namespace

int ComputerPlayer::ScoreSide(int scoredSide, int penalizeAttacked) {
    const int status = board->GetStatus();
    if (scoredSide == 0 && (status == WhiteCheckmated || status == WhiteStalemated)) {
        return kOpponentCannotMoveScore;
    }
    if (scoredSide == 1 && (status == BlackCheckmated || status == BlackStalemated)) {
        return kOpponentCannotMoveScore;
    }

    // Without an enemy king on the board, distances are measured from its starting square.
    char kingFile = 'e';
    char kingRank = scoredSide == 1 ? '1' : '8';
    const char enemyKing = scoredSide == 1 ? 'k' : 'K';
    for (char rank = '1'; rank <= '8'; ++rank) {
        for (char file = 'a'; file <= 'h'; ++file) {
            if (board->GetSquare(file, rank) == enemyKing) {
                kingFile = file;
                kingRank = rank;
            }
        }
    }

    int total = 0;
    for (char rank = '1'; rank <= '8'; ++rank) {
        for (char file = 'a'; file <= 'h'; ++file) {
            const char letter = board->GetSquare(file, rank);
            if (!BelongsToSide(letter, scoredSide)) continue;
            const int distance = std::abs(rank - kingRank) + std::abs(file - kingFile);
            char towardsKing[5] = {file, rank, kingFile, kingRank, '\0'};
            const int checkBonus =
                board->IsLegalMove(towardsKing, scoredSide) ? kChecksEnemyKingBonus : 0;
            const int term = PieceValue(letter) + kPieceBase - distance + checkBonus;

            char attacker[3];
            if (!board->FindAttacker(file, rank, attacker)) {
                total += term;
            } else if (penalizeAttacked) {
                total -= kAttackedOwnPieceCost;
            } else if (board->FindAttacker(attacker[0], attacker[1], nullptr)) {
                // The attacker could be taken back, so the piece is not counted as lost.
                total += term;
            }
        }
    }
    return total;
}

int ComputerPlayer::ScorePosition() {
    const int own = ScoreSide(side, 1);
    const int opponent = ScoreSide(1 - side, 0);
    return kPositionOffset + own - opponent;
}
