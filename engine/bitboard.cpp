#include "engine/bitboard.h"

#include <cstdint>
#include <initializer_list>

namespace engine {

AttackTables gAttacks;

namespace {

// Each square's table has twice the entries its occupancies need (one index bit more than
// the relevant squares): multipliers for such tables are found in a few dozen milliseconds
// at start-up, where the tightest tables would take ten times as long. Rooks need 2^12
// occupancies in the corners, 2^10 elsewhere on the edges and 2^11 ... 102400 in all; bishops 5248.
Bitboard rookTable[2 * 102400];
Bitboard bishopTable[2 * 5248];

bool OnBoard(int file, int rank) {
    return file >= 0 && file < 8 && rank >= 0 && rank < 8;
}

Bitboard Slide(int square, Bitboard occupied, const int (*directions)[2]) {
    Bitboard attacks = 0;
    for (int d = 0; d < 4; ++d) {
        int file = FileOf(square) + directions[d][0];
        int rank = RankOf(square) + directions[d][1];
        while (OnBoard(file, rank)) {
            const int target = file + 8 * rank;
            attacks |= SquareBit(target);
            if (occupied & SquareBit(target)) break;
            file += directions[d][0];
            rank += directions[d][1];
        }
    }
    return attacks;
}

constexpr int kDiagonals[4][2] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
constexpr int kStraights[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};

Bitboard Jumps(int square, const int (*offsets)[2], int count) {
    Bitboard set = 0;
    for (int i = 0; i < count; ++i) {
        const int file = FileOf(square) + offsets[i][0];
        const int rank = RankOf(square) + offsets[i][1];
        if (OnBoard(file, rank)) set |= SquareBit(file + 8 * rank);
    }
    return set;
}

// SplitMix64 from a fixed seed: the same candidates, so the same multipliers, on every build.
class MagicRandom {
  public:
    std::uint64_t Next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Few bits set: such multipliers spread the occupancies best.
    std::uint64_t Sparse() { return Next() & Next() & Next(); }

  private:
    std::uint64_t state = 0x4B657374726F6E31ULL;
};

// The squares whose occupancy changes a slider's attacks from square: its rays without the
// last square before the edge.
Bitboard RelevantMask(int square, bool diagonal) {
    const Bitboard rays = diagonal ? SlowBishopAttacks(square, 0) : SlowRookAttacks(square, 0);
    const Bitboard edges = ((kRank1 | kRank8) & ~(kRank1 << (8 * RankOf(square)))) |
                           ((kFileA | kFileH) & ~(kFileA << FileOf(square)));
    return rays & ~edges;
}

void FindMagics(Magic* magics, Bitboard* table, bool diagonal, MagicRandom& random) {
    static Bitboard occupancies[4096];
    static Bitboard reference[4096];
    static unsigned epoch[8192];  // Which attempt last wrote each entry.
    static unsigned attempt = 0;
    Bitboard* next = table;
    for (int square = 0; square < 64; ++square) {
        Magic& magic = magics[square];
        magic.mask = RelevantMask(square, diagonal);
        const int bits = Count(magic.mask);
        magic.shift = static_cast<unsigned>(63 - bits);
        magic.attacks = next;
        int size = 0;
        Bitboard subset = 0;
        do {  // Every subset of the mask, by the carry-rippler walk.
            occupancies[size] = subset;
            reference[size] =
                diagonal ? SlowBishopAttacks(square, subset) : SlowRookAttacks(square, subset);
            ++size;
            subset = (subset - magic.mask) & magic.mask;
        } while (subset != 0);

        for (bool found = false; !found;) {
            magic.multiplier = random.Sparse();
            if (Count((magic.mask * magic.multiplier) >> 56) < 6) continue;
            ++attempt;
            found = true;
            for (int i = 0; i < size; ++i) {
                const unsigned index = magic.Index(occupancies[i]);
                if (epoch[index] != attempt) {
                    epoch[index] = attempt;
                    next[index] = reference[i];
                } else if (next[index] != reference[i]) {
                    found = false;
                    break;
                }
            }
        }
        next += 2 * size;
    }
}

void FillTables() {
    static constexpr int kKnight[8][2] = {{1, 2},   {2, 1},   {2, -1}, {1, -2},
                                          {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
    static constexpr int kKing[8][2] = {{1, 0},  {1, 1},   {0, 1},  {-1, 1},
                                        {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
    static constexpr int kPawnUp[2][2] = {{-1, 1}, {1, 1}};
    static constexpr int kPawnDown[2][2] = {{-1, -1}, {1, -1}};
    for (int square = 0; square < 64; ++square) {
        gAttacks.knight[square] = Jumps(square, kKnight, 8);
        gAttacks.king[square] = Jumps(square, kKing, 8);
        gAttacks.pawnUp[square] = Jumps(square, kPawnUp, 2);
        gAttacks.pawnDown[square] = Jumps(square, kPawnDown, 2);
        gAttacks.bishopRays[square] = SlowBishopAttacks(square, 0);
        gAttacks.rookRays[square] = SlowRookAttacks(square, 0);
    }
    for (int a = 0; a < 64; ++a) {
        for (int b = 0; b < 64; ++b) {
            gAttacks.between[a][b] = 0;
            gAttacks.line[a][b] = 0;
            if (a == b) continue;
            for (const bool diagonal : {false, true}) {
                const Bitboard fromA = diagonal ? SlowBishopAttacks(a, 0) : SlowRookAttacks(a, 0);
                if (!(fromA & SquareBit(b))) continue;
                const Bitboard fromB = diagonal ? SlowBishopAttacks(b, 0) : SlowRookAttacks(b, 0);
                gAttacks.line[a][b] = (fromA & fromB) | SquareBit(a) | SquareBit(b);
                gAttacks.between[a][b] =
                    diagonal
                        ? SlowBishopAttacks(a, SquareBit(b)) & SlowBishopAttacks(b, SquareBit(a))
                        : SlowRookAttacks(a, SquareBit(b)) & SlowRookAttacks(b, SquareBit(a));
            }
        }
    }
    MagicRandom random;
    FindMagics(gAttacks.bishop, bishopTable, true, random);
    FindMagics(gAttacks.rook, rookTable, false, random);
}

}  // namespace

Bitboard SlowBishopAttacks(int square, Bitboard occupied) {
    return Slide(square, occupied, kDiagonals);
}

Bitboard SlowRookAttacks(int square, Bitboard occupied) {
    return Slide(square, occupied, kStraights);
}

void InitAttackTables() {
    static const bool filled = (FillTables(), true);
    (void)filled;
}

}  // namespace engine
