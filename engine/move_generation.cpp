#include "engine/piece_codes.h"
#include "engine/position.h"

namespace engine {

namespace {

constexpr Bitboard kRank3 = kRank1 << 16;
constexpr Bitboard kRank6 = kRank1 << 40;

void AddPromotions(MoveList& moves, int from, int to, bool allPieces) {
    moves.Add(MakeMove(from, to, kPromotionMove, Queen));
    if (!allPieces) return;
    moves.Add(MakeMove(from, to, kPromotionMove, Rook));
    moves.Add(MakeMove(from, to, kPromotionMove, Bishop));
    moves.Add(MakeMove(from, to, kPromotionMove, Knight));
}

}  // namespace

Bitboard Position::AttackersOf(int square, Side side, Bitboard occupied) const {
    const Bitboard diagonal = byType_[Bishop] | byType_[Queen] | byType_[Other];
    const Bitboard straight = byType_[Rook] | byType_[Queen] | byType_[Other];
    return byColour_[Index(side)] &
           ((PawnAttacks(!pawnsUp_[Index(side)], square) & byType_[Pawn]) |
            (KnightAttacks(square) & byType_[Knight]) | (KingAttacks(square) & byType_[King]) |
            (BishopAttacks(square, occupied) & diagonal) |
            (RookAttacks(square, occupied) & straight));
}

bool Position::InCheck(Side side) const {
    const int king = KingSquare(side);
    if (king < 0) return true;  // Only a Classic board can lack a king.
    return AttackersOf(king, Opponent(side), occupied_) != 0;
}

bool Position::InCheck() const {
    return InCheck(side_);
}

// With one king of its own and no enemy king open to capture, a Classic side's legal moves
// are found exactly as a Standard side's: through checks and pins. Anything else is tried
// move by move.
bool Position::RegularForClassicGeneration(Side side) const {
    const Bitboard kings = Pieces(side, King);
    if (kings == 0 || MoreThanOne(kings)) return false;
    for (Bitboard enemyKings = Pieces(Opponent(side), King); enemyKings;) {
        if (AttackersOf(PopLowest(enemyKings), side, occupied_)) return false;
    }
    return true;
}

void Position::GenerateLegal(MoveList& moves) const {
    GenerateLegalFor(side_, moves);
}

void Position::GenerateLegalFor(Side side, MoveList& moves) const {
    moves.size = 0;
    if (rules_ == Rules::Standard && !Pieces(side, King)) return;  // Only an empty Position().
    if (rules_ == Rules::Standard || RegularForClassicGeneration(side)) {
        Generate<true, false>(side, moves);
    } else {
        GenerateClassicByTrial(side, moves, false);
    }
}

void Position::GenerateNoisy(MoveList& moves) const {
    moves.size = 0;
    if (rules_ == Rules::Standard && !Pieces(side_, King)) return;
    if (rules_ == Rules::Standard || RegularForClassicGeneration(side_)) {
        Generate<true, true>(side_, moves);
    } else {
        GenerateClassicByTrial(side_, moves, true);
    }
}

template <bool kLegalOnly, bool kNoisyOnly>
void Position::Generate(Side us, MoveList& moves) const {
    const Side them = Opponent(us);
    const Bitboard own = byColour_[Index(us)];
    const Bitboard empty = ~occupied_;
    const Bitboard capturable = occupied_ & ~own;
    const bool standard = rules_ == Rules::Standard;

    int king = -1;
    // Where a piece may go: any square not its own's, or only captures.
    const Bitboard destinations = kNoisyOnly ? capturable : ~own;
    Bitboard checkMask = ~Bitboard{0};  // Squares that answer a check, when in check.
    Bitboard pinned = 0;
    if constexpr (kLegalOnly) {
        king = LowestSquare(own & byType_[King]);
        const Bitboard checkers = AttackersOf(king, them, occupied_);
        // The king first: onto squares that no enemy piece attacks once the king has left
        // its square, so that a slider's line through it counts.
        const Bitboard withoutKing = occupied_ ^ SquareBit(king);
        for (Bitboard to = KingAttacks(king) & destinations; to;) {
            const int square = PopLowest(to);
            if (!AttackersOf(square, them, withoutKing)) moves.Add(MakeMove(king, square));
        }
        if (MoreThanOne(checkers)) return;
        if (checkers) {
            checkMask = Between(king, LowestSquare(checkers)) | checkers;
        } else if (standard && castling_ && !kNoisyOnly) {
            const int rights = castling_ >> (us == Side::White ? 0 : 2);
            const int home = us == Side::White ? 4 : 60;
            if ((rights & 1) && !(occupied_ & (SquareBit(home + 1) | SquareBit(home + 2))) &&
                !AttackersOf(home + 1, them, occupied_) &&
                !AttackersOf(home + 2, them, occupied_)) {
                moves.Add(MakeMove(home, home + 2, kCastlingMove));
            }
            if ((rights & 2) &&
                !(occupied_ & (SquareBit(home - 1) | SquareBit(home - 2) | SquareBit(home - 3))) &&
                !AttackersOf(home - 1, them, occupied_) &&
                !AttackersOf(home - 2, them, occupied_)) {
                moves.Add(MakeMove(home, home - 2, kCastlingMove));
            }
        }
        const Bitboard theirs = byColour_[Index(them)];
        Bitboard snipers =
            theirs & ((RookRays(king) & (byType_[Rook] | byType_[Queen] | byType_[Other])) |
                      (BishopRays(king) & (byType_[Bishop] | byType_[Queen] | byType_[Other])));
        while (snipers) {
            const Bitboard between = Between(king, PopLowest(snipers)) & occupied_;
            if (between && !MoreThanOne(between)) pinned |= between & own;
        }
    }
    const Bitboard targets = destinations & checkMask;  // For pieces other than the king.
    // A pinned piece may only move along the line through its king.
    auto pinLine = [&](int from) -> Bitboard {
        if constexpr (kLegalOnly) {
            if (pinned & SquareBit(from)) [[unlikely]]
                return LineThrough(king, from);
        }
        return ~Bitboard{0};
    };

    // Pawns, as sets: pushes onto empty squares, captures onto any occupied square that is not
    // one's own. Of the pushes, only those that promote are noisy.
    const bool up = pawnsUp_[Index(us)];
    const Bitboard pawns = own & byType_[Pawn];
    const Bitboard lastRank = up ? kRank8 : kRank1;
    const int forward = up ? 8 : -8;
    const Bitboard pushed = (up ? ShiftUp(pawns) : ShiftDown(pawns)) & empty;
    const Bitboard single = kNoisyOnly ? pushed & lastRank : pushed;
    const Bitboard doubled =
        kNoisyOnly ? 0 : (up ? ShiftUp(pushed & kRank3) : ShiftDown(pushed & kRank6)) & empty;
    const Bitboard westward = up ? (pawns & ~kFileA) << 7 : (pawns & ~kFileA) >> 9;
    const Bitboard eastward = up ? (pawns & ~kFileH) << 9 : (pawns & ~kFileH) >> 7;
    const int westStep = up ? 7 : -9;
    const int eastStep = up ? 9 : -7;
    auto emit = [&](Bitboard set, int step) {
        set &= checkMask;
        while (set) {
            const int to = PopLowest(set);
            const int from = to - step;
            if (!(pinLine(from) & SquareBit(to))) continue;
            if (SquareBit(to) & lastRank) {
                AddPromotions(moves, from, to, standard);
            } else {
                moves.Add(MakeMove(from, to));
            }
        }
    };
    emit(single, forward);
    emit(doubled, 2 * forward);
    emit(westward & capturable, westStep);
    emit(eastward & capturable, eastStep);
    if (standard && epSquare_ >= 0) {
        const int captured = epSquare_ - forward;
        for (Bitboard from = PawnAttacks(!up, epSquare_) & pawns; from;) {
            const int square = PopLowest(from);
            if constexpr (kLegalOnly) {
                const Bitboard after =
                    (occupied_ ^ SquareBit(square) ^ SquareBit(captured)) | SquareBit(epSquare_);
                if (AttackersOf(king, them, after) & ~SquareBit(captured)) continue;
            }
            moves.Add(MakeMove(square, epSquare_, kEnPassantMove));
        }
    }

    // The other pieces kind by kind: a pinned knight never moves.
    for (Bitboard pieces = own & byType_[Knight] & ~pinned; pieces;) {
        const int from = PopLowest(pieces);
        for (Bitboard to = KnightAttacks(from) & targets; to;)
            moves.Add(MakeMove(from, PopLowest(to)));
    }
    const Bitboard queens = byType_[Queen] | byType_[Other];
    for (Bitboard pieces = own & (byType_[Bishop] | queens); pieces;) {
        const int from = PopLowest(pieces);
        for (Bitboard to = BishopAttacks(from, occupied_) & targets & pinLine(from); to;) {
            moves.Add(MakeMove(from, PopLowest(to)));
        }
    }
    for (Bitboard pieces = own & (byType_[Rook] | queens); pieces;) {
        const int from = PopLowest(pieces);
        for (Bitboard to = RookAttacks(from, occupied_) & targets & pinLine(from); to;) {
            moves.Add(MakeMove(from, PopLowest(to)));
        }
    }
    // Kings that are not the one the legality rests on: only on Classic boards.
    for (Bitboard pieces = own & byType_[King] & ~(kLegalOnly ? SquareBit(king) : 0); pieces;) {
        const int from = PopLowest(pieces);
        for (Bitboard to = KingAttacks(from) & targets; to;)
            moves.Add(MakeMove(from, PopLowest(to)));
    }
}

// Classic boards with several kings of a side, none, or an enemy king open to capture: every
// move the pieces can make is tried. Taking a king is always legal; any other move must leave
// the side's king (the last in the order a1, b1, ..., h8 afterwards) unattacked.
void Position::GenerateClassicByTrial(Side side, MoveList& moves, bool noisyOnly) const {
    MoveList candidates;
    if (noisyOnly) {
        Generate<false, true>(side, candidates);
    } else {
        Generate<false, false>(side, candidates);
    }
    for (const Move move : candidates) {
        if (ClassicKingSafeAfter(side, move)) moves.Add(move);
    }
}

bool Position::ClassicKingSafeAfter(Side side, Move move) const {
    const int from = MoveFrom(move);
    const int to = MoveTo(move);
    if (TypeOn(to) == King) return true;  // Only the enemy's: one's own is never a target.
    const Bitboard fromBit = SquareBit(from);
    const Bitboard toBit = SquareBit(to);
    Bitboard kings = Pieces(side, King);
    if (kings & fromBit) kings ^= fromBit | toBit;
    if (!kings) return false;
    const int king = HighestSquare(kings);
    const Bitboard occupied = (occupied_ & ~fromBit) | toBit;
    return (AttackersOf(king, Opponent(side), occupied) & ~toBit) == 0;
}

bool Position::IsLegal(Move move) const {
    if (move == kNoMove) return false;
    MoveList moves;
    GenerateLegal(moves);
    return moves.Contains(move);
}

bool Position::IsCapture(Move move) const {
    return board_[MoveTo(move)] != ' ' || KindOf(move) == kEnPassantMove;
}

bool Position::GivesCheck(Move move) const {
    const Side us = side_;
    const Side them = Opponent(us);
    const int king = KingSquare(them);
    if (king < 0) return false;
    const int from = MoveFrom(move);
    const int to = MoveTo(move);
    const MoveKind kind = KindOf(move);
    Bitboard occupied = (occupied_ & ~SquareBit(from)) | SquareBit(to);
    PieceType moved = TypeOn(from);
    int landing = to;
    Bitboard vacated = SquareBit(from) | SquareBit(to);  // Squares our sliders no longer hold.
    if (kind == kPromotionMove) moved = PromotionOf(move);
    if (kind == kEnPassantMove) occupied &= ~SquareBit(pawnsUp_[Index(us)] ? to - 8 : to + 8);
    if (kind == kCastlingMove) {
        const bool kingSide = to > from;
        const int rookFrom = kingSide ? to + 1 : to - 2;
        landing = kingSide ? to - 1 : to + 1;
        occupied = (occupied & ~SquareBit(rookFrom)) | SquareBit(landing);
        vacated |= SquareBit(rookFrom);
        moved = Rook;
    }
    // The moved piece from its new square.
    Bitboard direct = 0;
    switch (moved) {
        case Pawn:
            direct = PawnAttacks(pawnsUp_[Index(us)], landing);
            break;
        case Knight:
            direct = KnightAttacks(landing);
            break;
        case Bishop:
            direct = BishopAttacks(landing, occupied);
            break;
        case Rook:
            direct = RookAttacks(landing, occupied);
            break;
        case King:
            direct = KingAttacks(landing);
            break;
        default:
            direct = QueenAttacks(landing, occupied);
            break;
    }
    if (direct & SquareBit(king)) return true;
    // Any other piece of ours whose line the move opened.
    const Bitboard ours = byColour_[Index(us)] & ~vacated;
    const Bitboard diagonal = (byType_[Bishop] | byType_[Queen] | byType_[Other]) & ours;
    const Bitboard straight = (byType_[Rook] | byType_[Queen] | byType_[Other]) & ours;
    return ((BishopAttacks(king, occupied) & diagonal) |
            (RookAttacks(king, occupied) & straight)) != 0;
}

}  // namespace engine
