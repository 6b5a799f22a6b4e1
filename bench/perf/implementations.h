#pragma once

#include <cstdlib>

#include "bench/rules/board_rows.h"
#include "game/chess_game.h"
#include "tests/reference/reference_player.h"

// The game's own rules, evaluation and controller, and the plain transcription of them,
// behind one shape so that each benchmark runs the same code on both.
struct GameImplementation {
    using BoardType = Board;
    using PlayerType = ComputerPlayer;
    using Game = ChessGame;
    static constexpr const char* kName = "game";
    static void NewComputerGame(Game& game) { game.NewGame(Computer, Computer); }
    static const char* LastMoveText(const Game& game) { return game.lastMove.text; }
};

struct PlainImplementation {
    using BoardType = reference::Board;
    using PlayerType = reference::ComputerPlayer;
    using Game = reference::ChessGame;
    static constexpr const char* kName = "plain";
    static void NewComputerGame(Game& game) { game.NewGame(); }
    static const char* LastMoveText(const Game& game) { return game.lastMoveText; }
};

// Fixed positions, eight rows separated by '/', rank '1' first, digits counting empty
// squares; White (upper case) stands on the high ranks and moves towards rank 1.
struct BenchPosition {
    const char* name;
    const char* rows;
    int sideToMove;
};

inline constexpr BenchPosition kPositions[] = {
    {"initial", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", 1},
    // Both sides developed, pieces in contact in the centre.
    {"middlegame", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R", 1},
    // Queens and rooks on an open board: long lines, many moves per piece.
    {"open", "3r2k1/1q3ppp/8/2Q5/8/5R2/PPP2PPP/4R1K1", 0},
    // White is checkmated: the status finds no White move at all.
    {"checkmate", "rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR", 1},
};
inline constexpr int kPositionCount = sizeof kPositions / sizeof kPositions[0];
