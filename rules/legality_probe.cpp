#include "rules/legality_probe.h"

#include <bit>

#include "rules/move_tests.h"

namespace rules {

namespace {

int OpponentOf(int side) {
    return 1 - side;
}

int LastSquareOf(SquareSet set) {
    return set == 0 ? -1 : 63 - std::countl_zero(set);
}

}  // namespace

LegalityProbe::LegalityProbe(const signed char* squares) : sets(ReadPieceSets(squares)) {}

int LegalityProbe::KingSquare(int side) const {
    return LastSquareOf(sets.kings & sets.side[side]);
}

bool LegalityProbe::InCheck(int side) {
    if (inCheck[side] < 0) {
        const int king = KingSquare(side);
        inCheck[side] = king < 0 || AttackersOf(sets, king, OpponentOf(side)) != 0;
    }
    return inCheck[side] != 0;
}

bool LegalityProbe::KingSafeAfter(int from, int to, int side) {
    const int king = KingSquare(side);
    if (king < 0) return false;  // A side without a king counts as in check.
    const bool kingMoves = (sets.kings & sets.side[side] & Bit(from)) != 0;
    // A move of another piece can only expose the king along a line through the square it
    // leaves: the square it takes is blocked, the piece it takes attacks no more.
    if (!kingMoves && !(LinesThrough(king) & Bit(from)) && !InCheck(side)) return true;
    const PieceSets after = SetsAfterMove(sets, from, to);
    const int kingAfter = kingMoves ? LastSquareOf(after.kings & after.side[side]) : king;
    return AttackersOf(after, kingAfter, OpponentOf(side)) == 0;
}

bool LegalityProbe::FinishesLegally(int from, int to, int side, bool& tried) {
    CountLegalityTest();
    if (sets.kings & Bit(to)) return true;
    tried = true;
    return KingSafeAfter(from, to, side);
}

int LegalityProbe::FirstLegalAttacker(int target, int attackerSide, bool& tried) {
    SquareSet ordered = FileMajor(AttackersOf(sets, target, attackerSide));
    for (; ordered != 0; ordered &= ordered - 1) {
        const int attacker = FromFileMajorIndex(std::countr_zero(ordered));
        if (FinishesLegally(attacker, target, attackerSide, tried)) return attacker;
    }
    return -1;
}

bool LegalityProbe::HasLegalMove(int side) {
    bool tried = false;
    for (SquareSet pieces = sets.side[side]; pieces != 0; pieces &= pieces - 1) {
        const int from = std::countr_zero(pieces);
        for (SquareSet targets = TargetsOf(sets, from, side); targets != 0;
             targets &= targets - 1) {
            if (FinishesLegally(from, std::countr_zero(targets), side, tried)) return true;
        }
    }
    return false;
}

}  // namespace rules
