#include "rules/piece_sets.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace rules {

namespace {

struct Offset {
    int df;
    int dr;
};

// Rays out of a square: north, east, north-east, north-west run towards higher indices,
// the other four towards lower ones.
enum Ray { North, East, NorthEast, NorthWest, South, West, SouthEast, SouthWest };
constexpr Offset kRayOffsets[8] = {{0, 1},  {1, 0},  {1, 1},  {-1, 1},
                                   {0, -1}, {-1, 0}, {1, -1}, {-1, -1}};
constexpr Offset kKnightJumps[8] = {{1, 2},   {2, 1},   {2, -1}, {1, -2},
                                    {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};

constexpr bool OnBoard(int file, int rank) {
    return file >= 0 && file < 8 && rank >= 0 && rank < 8;
}

struct Tables {
    SquareSet rays[8][64];
    SquareSet knight[64];
    SquareSet king[64];
    SquareSet pawnAttackers[2][64];  // Squares from which a pawn of a side takes on a square.
    SquareSet pawnCaptures[2][64];   // Squares on which a pawn of a side standing there takes.
    SquareSet lines[64];
};

constexpr Tables MakeTables() {
    Tables t{};
    for (int square = 0; square < 64; ++square) {
        const int file = square & 7;
        const int rank = square >> 3;
        for (int ray = 0; ray < 8; ++ray) {
            const Offset o = kRayOffsets[ray];
            for (int f = file + o.df, r = rank + o.dr; OnBoard(f, r); f += o.df, r += o.dr) {
                t.rays[ray][square] |= Bit(f + 8 * r);
            }
            t.lines[square] |= t.rays[ray][square];
            if (OnBoard(file + o.df, rank + o.dr)) {
                t.king[square] |= Bit(file + o.df + 8 * (rank + o.dr));
            }
        }
        for (const Offset o : kKnightJumps) {
            if (OnBoard(file + o.df, rank + o.dr)) {
                t.knight[square] |= Bit(file + o.df + 8 * (rank + o.dr));
            }
        }
        // White pawns ('P') move towards rank 1, Black pawns ('p') towards rank 8.
        for (int s = 0; s < 2; ++s) {
            const int forward = s == 1 ? -1 : 1;
            for (int df = -1; df <= 1; df += 2) {
                if (OnBoard(file + df, rank + forward)) {
                    t.pawnCaptures[s][square] |= Bit(file + df + 8 * (rank + forward));
                }
                if (OnBoard(file + df, rank - forward)) {
                    t.pawnAttackers[s][square] |= Bit(file + df + 8 * (rank - forward));
                }
            }
        }
    }
    return t;
}

constexpr Tables kTables = MakeTables();

// Squares along ray from square up to and including the first occupied one.
template <int ray>
SquareSet RayReach(int square, SquareSet occupied) {
    const SquareSet full = kTables.rays[ray][square];
    const SquareSet blockers = full & occupied;
    if (blockers == 0) return full;
    const int first = ray < South ? std::countr_zero(blockers) : 63 - std::countl_zero(blockers);
    return full & ~kTables.rays[ray][first];
}

SquareSet StraightReach(int square, SquareSet occupied) {
    return RayReach<North>(square, occupied) | RayReach<East>(square, occupied) |
           RayReach<South>(square, occupied) | RayReach<West>(square, occupied);
}

SquareSet DiagonalReach(int square, SquareSet occupied) {
    return RayReach<NorthEast>(square, occupied) | RayReach<NorthWest>(square, occupied) |
           RayReach<SouthEast>(square, occupied) | RayReach<SouthWest>(square, occupied);
}

#if defined(__SSE2__)
// The set of squares whose byte passes test, sixteen squares at a time.
template <typename Test>
SquareSet Matching(const __m128i (&chunks)[4], Test test) {
    SquareSet set = 0;
    for (int i = 0; i < 4; ++i) {
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(test(chunks[i])));
        set |= static_cast<SquareSet>(mask) << (16 * i);
    }
    return set;
}

// Bytes equal to letter, a lower-case letter, in either case: setting bit 0x20 turns the
// upper-case letter into the lower-case one and no other byte into either.
SquareSet LetterInEitherCase(const __m128i (&chunks)[4], char letter) {
    const __m128i caseBit = _mm_set1_epi8(0x20);
    const __m128i wanted = _mm_set1_epi8(letter);
    return Matching(chunks,
                    [&](__m128i c) { return _mm_cmpeq_epi8(_mm_or_si128(c, caseBit), wanted); });
}

SquareSet InRange(const __m128i (&chunks)[4], char first, char last) {
    const __m128i below = _mm_set1_epi8(static_cast<char>(first - 1));
    const __m128i above = _mm_set1_epi8(static_cast<char>(last + 1));
    return Matching(chunks, [&](__m128i c) {
        return _mm_and_si128(_mm_cmpgt_epi8(c, below), _mm_cmplt_epi8(c, above));
    });
}
#endif

}  // namespace

PieceSets ReadPieceSetsByteByByte(const signed char* squares) {
    PieceSets sets{};
    for (int square = 0; square < 64; ++square) {
        const int c = squares[square];
        const SquareSet bit = Bit(square);
        if (c != ' ') sets.occupied |= bit;
        if (c >= 'A' && c <= 'Z') sets.side[1] |= bit;
        if (c >= 'a' && c <= 'z') sets.side[0] |= bit;
        switch (c | 0x20) {
            case 'n':
                sets.knights |= bit;
                break;
            case 'k':
                sets.kings |= bit;
                break;
            case 'p':
                sets.pawns |= bit;
                break;
            case 'b':
                sets.bishops |= bit;
                break;
            case 'r':
                sets.rooks |= bit;
                break;
            default:
                break;
        }
    }
    return sets;
}

PieceSets ReadPieceSets(const signed char* squares) {
#if defined(__SSE2__)
    PieceSets sets;
    __m128i chunks[4];
    for (int i = 0; i < 4; ++i) {
        chunks[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(squares + 16 * i));
    }
    const __m128i space = _mm_set1_epi8(' ');
    sets.occupied = ~Matching(chunks, [&](__m128i c) { return _mm_cmpeq_epi8(c, space); });
    sets.side[1] = InRange(chunks, 'A', 'Z');
    sets.side[0] = InRange(chunks, 'a', 'z');
    sets.knights = LetterInEitherCase(chunks, 'n');
    sets.kings = LetterInEitherCase(chunks, 'k');
    sets.pawns = LetterInEitherCase(chunks, 'p');
    sets.bishops = LetterInEitherCase(chunks, 'b');
    sets.rooks = LetterInEitherCase(chunks, 'r');
    return sets;
#else
    return ReadPieceSetsByteByByte(squares);
#endif
}

PieceSets SetsAfterMove(const PieceSets& sets, int from, int to) {
    const SquareSet clear = ~(Bit(from) | Bit(to));
    const auto moved = [&](SquareSet set) { return (set & clear) | (((set >> from) & 1) << to); };
    PieceSets after;
    after.occupied = (sets.occupied & ~Bit(from)) | Bit(to);
    after.side[0] = moved(sets.side[0]);
    after.side[1] = moved(sets.side[1]);
    after.knights = moved(sets.knights);
    after.kings = moved(sets.kings);
    after.pawns = moved(sets.pawns);
    after.bishops = moved(sets.bishops);
    after.rooks = moved(sets.rooks);
    return after;
}

SquareSet AttackersOf(const PieceSets& sets, int target, int attackerSide) {
    const SquareSet mine = sets.side[attackerSide];
    SquareSet attackers = (kTables.knight[target] & sets.knights) |
                          (kTables.king[target] & sets.kings) |
                          (kTables.pawnAttackers[attackerSide][target] & sets.pawns);
    attackers &= mine;
    const SquareSet straight = sets.StraightMovers(attackerSide);
    if (straight & kTables.lines[target]) {
        attackers |= StraightReach(target, sets.occupied) & straight;
    }
    const SquareSet diagonal = sets.DiagonalMovers(attackerSide);
    if (diagonal & kTables.lines[target]) {
        attackers |= DiagonalReach(target, sets.occupied) & diagonal;
    }
    return attackers;
}

SquareSet TargetsOf(const PieceSets& sets, int from, int side) {
    const SquareSet notMine = ~sets.side[side];
    const SquareSet bit = Bit(from);
    if (sets.knights & bit) return kTables.knight[from] & notMine;
    if (sets.kings & bit) return kTables.king[from] & notMine;
    if (sets.pawns & bit) {
        SquareSet targets = kTables.pawnCaptures[side][from] & sets.occupied & notMine;
        const int rank = from >> 3;
        const int forward = side == 1 ? -1 : 1;
        if (rank + forward < 0 || rank + forward > 7) return targets;
        const int ahead = from + 8 * forward;
        if (sets.occupied & Bit(ahead)) return targets;
        targets |= Bit(ahead);
        const int homeRank = side == 1 ? 6 : 1;
        if (rank == homeRank && !(sets.occupied & Bit(ahead + 8 * forward))) {
            targets |= Bit(ahead + 8 * forward);
        }
        return targets;
    }
    SquareSet targets = 0;
    if (sets.StraightMovers(side) & bit) targets |= StraightReach(from, sets.occupied);
    if (sets.DiagonalMovers(side) & bit) targets |= DiagonalReach(from, sets.occupied);
    return targets & notMine;
}

SquareSet LinesThrough(int square) {
    return kTables.lines[square];
}

SquareSet FileMajor(SquareSet set) {
    // Transposes the 8x8 bit matrix about the a1-h8 diagonal.
    constexpr SquareSet k1 = 0x5500550055005500ULL;
    constexpr SquareSet k2 = 0x3333000033330000ULL;
    constexpr SquareSet k4 = 0x0f0f0f0f00000000ULL;
    SquareSet t = k4 & (set ^ (set << 28));
    set ^= t ^ (t >> 28);
    t = k2 & (set ^ (set << 14));
    set ^= t ^ (t >> 14);
    t = k1 & (set ^ (set << 7));
    set ^= t ^ (t >> 7);
    return set;
}

}  // namespace rules
