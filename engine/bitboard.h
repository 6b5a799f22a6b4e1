#pragma once

#include <bit>
#include <cstdint>

// Sets of squares as 64-bit words: bit i is square i, with i = file + 8 * rank and a1 = 0,
// the same numbering as the game's board. Attack sets come from tables filled once, before
// the first position is made (InitAttackTables); sliding pieces use magic multiplication
// with multipliers that this library searches for itself from a fixed seed, so every build
// finds the same ones.
namespace engine {

using Bitboard = std::uint64_t;

inline constexpr Bitboard kFileA = 0x0101010101010101ULL;
inline constexpr Bitboard kFileH = kFileA << 7;
inline constexpr Bitboard kRank1 = 0xFFULL;
inline constexpr Bitboard kRank8 = kRank1 << 56;

constexpr Bitboard SquareBit(int square) {
    return Bitboard{1} << square;
}
constexpr int FileOf(int square) {
    return square & 7;
}
constexpr int RankOf(int square) {
    return square >> 3;
}
inline int LowestSquare(Bitboard set) {
    return std::countr_zero(set);
}
inline int HighestSquare(Bitboard set) {
    return 63 - std::countl_zero(set);
}
inline int PopLowest(Bitboard& set) {
    const int square = std::countr_zero(set);
    set &= set - 1;
    return square;
}
// By bit arithmetic: the processors the game is built for may lack the instruction, and
// std::popcount then calls a slower library routine.
constexpr int Count(Bitboard set) {
    set -= (set >> 1) & 0x5555555555555555ULL;
    set = (set & 0x3333333333333333ULL) + ((set >> 2) & 0x3333333333333333ULL);
    set = (set + (set >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((set * 0x0101010101010101ULL) >> 56);
}
inline bool MoreThanOne(Bitboard set) {
    return (set & (set - 1)) != 0;
}
constexpr Bitboard ShiftUp(Bitboard set) {
    return set << 8;
}
constexpr Bitboard ShiftDown(Bitboard set) {
    return set >> 8;
}

struct Magic {
    Bitboard mask;
    Bitboard multiplier;
    const Bitboard* attacks;
    unsigned shift;

    unsigned Index(Bitboard occupied) const {
        return static_cast<unsigned>(((occupied & mask) * multiplier) >> shift);
    }
};

struct AttackTables {
    Bitboard knight[64];
    Bitboard king[64];
    Bitboard pawnUp[64];       // Squares a pawn moving towards rank 8 attacks.
    Bitboard pawnDown[64];     // Squares a pawn moving towards rank 1 attacks.
    Bitboard between[64][64];  // Squares strictly between two on one line, else empty.
    Bitboard line[64][64];     // The whole line through two squares on one line, else empty.
    Bitboard bishopRays[64];   // A bishop's reach on an empty board.
    Bitboard rookRays[64];
    Magic bishop[64];
    Magic rook[64];
};

extern AttackTables gAttacks;

// Fills the tables; safe to call any number of times, from any thread.
void InitAttackTables();

inline Bitboard KnightAttacks(int square) {
    return gAttacks.knight[square];
}
inline Bitboard KingAttacks(int square) {
    return gAttacks.king[square];
}
inline Bitboard PawnAttacks(bool movesUp, int square) {
    return movesUp ? gAttacks.pawnUp[square] : gAttacks.pawnDown[square];
}
inline Bitboard BishopAttacks(int square, Bitboard occupied) {
    const Magic& magic = gAttacks.bishop[square];
    return magic.attacks[magic.Index(occupied)];
}
inline Bitboard RookAttacks(int square, Bitboard occupied) {
    const Magic& magic = gAttacks.rook[square];
    return magic.attacks[magic.Index(occupied)];
}
inline Bitboard QueenAttacks(int square, Bitboard occupied) {
    return BishopAttacks(square, occupied) | RookAttacks(square, occupied);
}
inline Bitboard BishopRays(int square) {
    return gAttacks.bishopRays[square];
}
inline Bitboard RookRays(int square) {
    return gAttacks.rookRays[square];
}
inline Bitboard Between(int a, int b) {
    return gAttacks.between[a][b];
}
inline Bitboard LineThrough(int a, int b) {
    return gAttacks.line[a][b];
}

// Attacks found square by square, without tables: how the tables are filled, and a
// yardstick for the tests.
Bitboard SlowBishopAttacks(int square, Bitboard occupied);
Bitboard SlowRookAttacks(int square, Bitboard occupied);

}  // namespace engine
