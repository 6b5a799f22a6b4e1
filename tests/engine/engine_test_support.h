#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine/move_text.h"
#include "engine/position.h"

// Positions from FEN and from lines of moves, for the engine's tests.
inline engine::Position FenPosition(const std::string& fen) {
    engine::Position position;
    std::string error;
    EXPECT_TRUE(position.SetFen(fen, &error)) << fen << ": " << error;
    return position;
}

// Plays the moves, given in the engine's move text, separated by spaces.
inline void Play(engine::Position& position, const std::string& moves) {
    std::size_t at = 0;
    while (at < moves.size()) {
        std::size_t end = moves.find(' ', at);
        if (end == std::string::npos) end = moves.size();
        const std::string text = moves.substr(at, end - at);
        at = end + 1;
        if (text.empty()) continue;
        const engine::Move move = engine::ParseMoveText(position, text);
        ASSERT_NE(move, engine::kNoMove) << text << " in " << position.Fen();
        position.DoMove(move);
    }
}

// The well-known test positions of move generation.
inline constexpr const char* kTestFens[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
};
