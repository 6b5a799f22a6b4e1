#include <bit>
#include <cstdlib>

#include "ai/computer_player.h"
#include "ai/piece_letters.h"
#include "rules/legality_probe.h"
#include "rules/move_tests.h"

namespace {

// The whole score of a side whose opponent has no legal move.
constexpr int kOpponentCannotMoveScore = 500;
constexpr int kPieceBase = 16;
constexpr int kChecksEnemyKingBonus = 4;
constexpr int kAttackedOwnPieceCost = 20;
constexpr int kPositionOffset = 1000;
// Where the enemy king is taken to stand when it is not on the board: its starting square,
// e1 when White is scored and e8 when Black is.
constexpr int kWhiteKingTarget = 4;
constexpr int kBlackKingTarget = 60;

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

    // The legality tests below run on the piece sets of this one position instead of
    // trial moves on the board; `tried` records whether the board's own tests would have
    // made a trial move, which leaves no status stored.
    const int own = scoredSide == 1 ? 1 : 0;
    const int enemy = 1 - own;
    rules::LegalityProbe probe(board->squares);
    const rules::PieceSets& sets = probe.Sets();
    bool tried = false;

    // Without an enemy king on the board, distances are measured from its starting square.
    int king = probe.KingSquare(enemy);
    if (king < 0) king = scoredSide == 1 ? kWhiteKingTarget : kBlackKingTarget;
    const int kingFile = king % 8;
    const int kingRank = king / 8;

    int total = 0;
    for (rules::SquareSet pieces = sets.side[own]; pieces != 0; pieces &= pieces - 1) {
        const int square = std::countr_zero(pieces);
        const int distance = std::abs(square / 8 - kingRank) + std::abs(square % 8 - kingFile);
        const bool checksKing = square != king &&
                                rules::PassesMoveTests(board->squares, square, king, own) &&
                                probe.FinishesLegally(square, king, own, tried);
        const int term = PieceValue(static_cast<char>(board->squares[square])) + kPieceBase -
                         distance + (checksKing ? kChecksEnemyKingBonus : 0);

        const int attacker = probe.FirstLegalAttacker(square, enemy, tried);
        if (attacker < 0) {
            total += term;
        } else if (penalizeAttacked) {
            total -= kAttackedOwnPieceCost;
        } else if (probe.FirstLegalAttacker(attacker, own, tried) >= 0) {
            // The attacker could be taken back, so the piece is not counted as lost.
            total += term;
        }
    }
    if (tried) board->cachedStatus = kStatusNotComputed;
    return total;
}

int ComputerPlayer::ScorePosition() {
    const int own = ScoreSide(side, 1);
    const int opponent = ScoreSide(1 - side, 0);
    return kPositionOffset + own - opponent;
}
