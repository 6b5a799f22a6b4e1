#include "engine/exchange.h"

#include <algorithm>

namespace engine {

namespace {

constexpr int kValues[kPieceTypes + 1] = {100, 320, 330, 500, 950, 20000, 950, 100};

}  // namespace

int OrderingValue(PieceType type) {
    return kValues[std::min<int>(type, kPieceTypes)];
}

int StaticExchange(const Position& position, Move move) {
    const int from = MoveFrom(move);
    const int to = MoveTo(move);
    const MoveKind kind = KindOf(move);
    if (kind == kCastlingMove) {
        return 0;
    }
    int gain[40];
    int depth = 0;
    gain[0] = kind == kEnPassantMove     ? OrderingValue(Pawn)
              : position.IsCapture(move) ? OrderingValue(position.TypeOn(to))
                                         : 0;
    int onSquare = OrderingValue(position.TypeOn(from));
    if (kind == kPromotionMove) {
        const int promotionGain = OrderingValue(PromotionOf(move)) - OrderingValue(Pawn);
        gain[0] += promotionGain;
        onSquare += promotionGain;
    }
    Bitboard occupied = position.Occupied() & ~SquareBit(from);
    if (kind == kEnPassantMove) {
        occupied &= ~SquareBit(position.PawnsMoveUp(position.SideToMove()) ? to - 8 : to + 8);
    }
    Side side = Opponent(position.SideToMove());
    while (depth < 38) {
        const Bitboard attackers = position.AttackersOf(to, side, occupied) & occupied;
        if (attackers == 0) {
            break;
        }
        int attackerSquare = -1;
        PieceType attackerType = Pawn;
        for (int type = Pawn; type < kPieceTypes; ++type) {
            const Bitboard ofType = attackers & position.Pieces(side, static_cast<PieceType>(type));
            if (ofType != 0) {
                attackerSquare = LowestSquare(ofType);
                attackerType = static_cast<PieceType>(type);
                break;
            }
        }
        if (attackerSquare < 0) {
            break;
        }
        ++depth;
        gain[depth] = onSquare - gain[depth - 1];
        // Neither side would go on from here: the rest cannot change the outcome.
        if (std::max(-gain[depth - 1], gain[depth]) < 0) {
            break;
        }
        if (attackerType == King) {
            // The king may take only where the other side has no more attackers.
            const Bitboard rest = occupied & ~SquareBit(attackerSquare);
            if ((position.AttackersOf(to, Opponent(side), rest) & rest) != 0) {
                --depth;
                break;
            }
        }
        occupied &= ~SquareBit(attackerSquare);
        onSquare = OrderingValue(attackerType);
        side = Opponent(side);
    }
    while (depth > 0) {
        gain[depth - 1] = -std::max(-gain[depth - 1], gain[depth]);
        --depth;
    }
    return gain[0];
}

}  // namespace engine
