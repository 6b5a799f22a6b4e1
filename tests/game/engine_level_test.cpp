// The engine's levels as computer players inside the turn controller: the search is spread
// over Steps, its move is legal under either rules, one seed gives one game, and taking back
// or a new game drops a search under way.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ai/random_draw.h"
#include "game/chess_game.h"
#include "game/engine_turn.h"

namespace {

// Plays `plies` moves and returns their texts; fails on a Step that is neither thinking nor
// a move.
std::vector<std::string> PlayOut(ChessGame& game, int plies, int* thinkingSteps = nullptr) {
    std::vector<std::string> moves;
    for (int step = 0; step < 100000 && static_cast<int>(moves.size()) < plies; ++step) {
        const int result = game.Step();
        if (result == GameOver) break;
        if (result == MoveMade) {
            moves.push_back(game.lastMove.text);
        } else if (result == ComputerThinking) {
            if (thinkingSteps != nullptr) ++*thinkingSteps;
        } else {
            ADD_FAILURE() << "step gave " << result;
            break;
        }
    }
    return moves;
}

TEST(EngineLevel, ClassicRulesAgainstALevelPlayLegalMovesSpreadOverSteps) {
    randomSeeded = 1;
    SeedRandom(3);
    ChessGame game;
    game.StartGame(Computer, Computer, RulesClassic, LevelCasual, LevelClub);
    int thinking = 0;
    for (int ply = 0; ply < 12; ++ply) {
        Board before = game.board;
        const int side = game.whoseTurn;
        const std::vector<std::string> moves = PlayOut(game, 1, &thinking);
        if (moves.empty()) break;
        char text[5];
        std::memcpy(text, moves[0].c_str(), 5);
        EXPECT_EQ(before.IsLegalMove(text, side), 1) << moves[0];
        EXPECT_EQ(game.whoseTurn, side ^ 1);
    }
    // Club's budget is far more than one slice: its turns took many Steps.
    EXPECT_GT(thinking, 12 * 2);
}

TEST(EngineLevel, OneSeedGivesOneStandardGame) {
    std::vector<std::string> games[2];
    for (std::vector<std::string>& moves : games) {
        randomSeeded = 1;
        SeedRandom(11);
        ChessGame game;
        game.StartGame(Computer, Computer, RulesStandard, LevelBeginner, LevelCasual);
        moves = PlayOut(game, 16);
    }
    EXPECT_EQ(games[0].size(), 16u);
    EXPECT_EQ(games[0], games[1]);
}

TEST(EngineLevel, TakingBackOrANewGameDropsTheSearchUnderWay) {
    randomSeeded = 1;
    SeedRandom(5);
    ChessGame game;
    game.StartGame(Human, Computer, RulesStandard, LevelClassic, LevelClub);
    ASSERT_EQ(game.Step(), WhiteToMove);
    char move[] = "e7e5";
    game.SubmitMove(move);
    ASSERT_EQ(game.Step(), MoveMade);
    ASSERT_EQ(game.Step(), ComputerThinking);
    ASSERT_EQ(game.Step(), ComputerThinking);
    EXPECT_EQ(game.TakeBack(), 1);
    EXPECT_EQ(game.searchStarted, 0);
    EXPECT_EQ(game.Step(), WhiteToMove);

    game.SubmitMove(move);
    game.Step();
    ASSERT_EQ(game.Step(), ComputerThinking);
    game.StartGame(Computer, Human, RulesClassic, LevelBeginner, LevelClassic);
    EXPECT_EQ(game.searchStarted, 0);
    const std::vector<std::string> first = PlayOut(game, 1);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_TRUE(first[0][1] == '7' || first[0][1] == '8') << first[0];  // White's own ranks
}

}  // namespace
