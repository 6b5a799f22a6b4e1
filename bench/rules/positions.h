#pragma once

#include "bench/rules/board_rows.h"
#include "rules/board.h"

// Fixed positions for the rules benchmarks, given as eight rows separated by '/', rank '1'
// first, digits counting empty squares. White (upper case) stands on the high ranks.
struct BenchPosition {
    const char* name;
    const char* rows;
    const char* move;  // A move that reaches the trial move of the legality test.
    int moveSide;
    char probeFile;  // Square handed to FindAttacker: White's king.
    char probeRank;
};

inline constexpr BenchPosition kBenchPositions[] = {
    {"initial", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", "e7e5", kWhite, 'e', '8'},
    // Both sides developed, pieces in contact in the centre.
    {"middlegame", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R", "e7a3", kWhite, 'e',
     '8'},
    // White is checkmated: no side stops the status scan early.
    {"checkmate", "rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR", "a7a6", kWhite, 'e', '8'},
};
