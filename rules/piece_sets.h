#pragma once

#include <cstdint>

// The squares of a position as sets of square indices (bit i = index i = file + 8 * rank),
// read from the 64 squares whenever they are needed and never kept beside them, so they
// cannot go stale however the squares were written.
namespace rules {

using SquareSet = std::uint64_t;

inline constexpr SquareSet Bit(int square) {
    return SquareSet{1} << square;
}

struct PieceSets {
    SquareSet occupied;  // Every square that holds anything but ' '.
    SquareSet side[2];   // [0] lower-case letters (Black), [1] upper-case letters (White).
    // Letters of either colour by their lower-case form.
    SquareSet knights;
    SquareSet kings;
    SquareSet pawns;
    SquareSet bishops;
    SquareSet rooks;

    // Letters of side that move along ranks and files with the path test: rooks, queens and
    // every letter without geometry of its own. DiagonalMovers likewise along diagonals.
    SquareSet StraightMovers(int s) const { return side[s] & ~(knights | kings | pawns | bishops); }
    SquareSet DiagonalMovers(int s) const { return side[s] & ~(knights | kings | pawns | rooks); }

    bool operator==(const PieceSets&) const = default;
};

PieceSets ReadPieceSets(const signed char* squares);
// The same sets read one square at a time; ReadPieceSets reads sixteen at once where the
// processor allows and falls back on this elsewhere.
PieceSets ReadPieceSetsByteByByte(const signed char* squares);

// The sets after the unconditional move from-to: from becomes empty, to takes its letter.
PieceSets SetsAfterMove(const PieceSets& sets, int from, int to);

// Squares holding a letter of attackerSide (0 or 1) that pass every move test onto target,
// which must hold a letter of the other colour (so that pawns take diagonally).
SquareSet AttackersOf(const PieceSets& sets, int target, int attackerSide);

// Targets to which the letter of side on from passes every move test (no trial move).
SquareSet TargetsOf(const PieceSets& sets, int from, int side);

// Every square on a rank, file or diagonal through square, square itself excluded.
SquareSet LinesThrough(int square);

// The set with bit (file * 8 + rank) for each square (file + 8 * rank): its lowest bit is
// the first square in the order a1, a2, ..., a8, b1, ..., h8.
SquareSet FileMajor(SquareSet set);
inline constexpr int FromFileMajorIndex(int index) {
    return (index >> 3) | ((index & 7) << 3);
}

}  // namespace rules
