#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine/move_text.h"
#include "engine/position.h"
#include "engine/search.h"

namespace search_test {

inline engine::Position FromFen(const char* fen) {
    engine::Position position;
    std::string error;
    EXPECT_TRUE(position.SetFen(fen, &error)) << fen << ": " << error;
    return position;
}

// Plays moves given in the game's text; each must be legal.
inline void Play(engine::Position& position, std::initializer_list<const char*> moves) {
    for (const char* text : moves) {
        const engine::Move move = engine::ParseMoveText(position, text);
        ASSERT_NE(move, engine::kNoMove) << text;
        position.DoMove(move);
    }
}

struct Outcome {
    engine::Move move = engine::kNoMove;
    std::uint64_t nodes = 0;
    int score = 0;
    int depth = 0;
    int mateIn = 0;
};

inline Outcome Search(engine::Searcher& searcher, const engine::Position& position,
                      engine::SearchLimits limits) {
    searcher.Begin(position, limits);
    searcher.Run();
    const engine::SearchInfo& info = searcher.Info();
    return {searcher.BestMove(), searcher.Nodes(), info.scoreCp, info.depth, info.mateIn};
}

// Whether the side to move can force mate within `moves` of its moves, by trying every line.
inline bool ForcesMate(engine::Position& position, int moves) {
    engine::MoveList list;
    position.GenerateLegal(list);
    for (engine::Move move : list) {
        position.DoMove(move);
        bool mates = false;
        const engine::GameStatus status = position.Status();
        if (status == engine::GameStatus::Checkmate) {
            mates = true;
        } else if (moves > 1 && status != engine::GameStatus::Stalemate &&
                   status != engine::GameStatus::DrawFiftyMoves &&
                   status != engine::GameStatus::DrawRepetition &&
                   status != engine::GameStatus::DrawMaterial) {
            mates = true;
            engine::MoveList replies;
            position.GenerateLegal(replies);
            for (engine::Move reply : replies) {
                position.DoMove(reply);
                const bool still = ForcesMate(position, moves - 1);
                position.UndoMove();
                if (!still) {
                    mates = false;
                    break;
                }
            }
        }
        position.UndoMove();
        if (mates) {
            return true;
        }
    }
    return false;
}

}  // namespace search_test
