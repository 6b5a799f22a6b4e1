#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ai/random_draw.h"
#include "game/chess_game.h"
#include "tests/ai/position_setup.h"

namespace {

bool IsEnding(int status) {
    return status == WhiteCheckmated || status == WhiteStalemated || status == BlackCheckmated ||
           status == BlackStalemated;
}

// Plays a seeded computer-against-computer game through Step alone and checks every move
// against a copy of the board taken before it.
void PlaySeededGame(unsigned seed, int maxPlies) {
    randomSeeded = 1;
    SeedRandom(seed);
    ChessGame game;
    game.NewGame(Computer, Computer);
    int plies = 0;
    int steps = 0;
    Board before = game.board;
    int mover = game.whoseTurn;
    while (plies < maxPlies && steps < 100000) {
        ++steps;
        const int result = game.Step();
        if (result == GameOver) {
            EXPECT_TRUE(IsEnding(game.board.GetStatus()));
            break;
        }
        ASSERT_TRUE(result == ComputerThinking || result == MoveMade) << result;
        if (result != MoveMade) {
            // Thinking never leaves a trial move on the board.
            ASSERT_TRUE(SameSquares(game.board, before)) << "ply " << plies;
            continue;
        }
        char text[5], moved, captured;
        game.GetLastMove(text, &moved, &captured);
        ASSERT_EQ(std::strlen(text), 4u) << "ply " << plies;
        EXPECT_EQ(moved, before.GetSquare(text[0], text[1]));
        EXPECT_EQ(captured, before.GetSquare(text[2], text[3]));
        char check[5];
        std::memcpy(check, text, sizeof check);
        ASSERT_TRUE(before.TryMove(check, mover)) << text << " at ply " << plies;
        const char lastRank = mover == 1 ? '1' : '8';
        if (before.GetSquare(text[2], text[3]) == (mover == 1 ? 'P' : 'p') && text[3] == lastRank) {
            before.SetSquare(text[2], text[3], mover == 1 ? 'Q' : 'q');
        }
        ASSERT_TRUE(SameSquares(game.board, before)) << text << " at ply " << plies;
        EXPECT_EQ(game.whoseTurn, mover ^ 1);
        mover = game.whoseTurn;
        ++plies;
    }
    EXPECT_TRUE(plies == maxPlies || IsEnding(game.board.GetStatus()));
}

TEST(ComputerGame, SeededGamesPlayOnlyLegalMoves) {
    PlaySeededGame(1, 400);
    PlaySeededGame(31337, 400);
}

// The game draws on nothing but the seeded generator.
TEST(ComputerGame, SameSeedPlaysTheSameGame) {
    auto firstMoves = [](unsigned seed) {
        randomSeeded = 1;
        SeedRandom(seed);
        ChessGame game;
        game.NewGame(Computer, Computer);
        char moves[6][5] = {};
        for (int ply = 0; ply < 6;) {
            if (game.Step() == MoveMade) {
                char moved, captured;
                game.GetLastMove(moves[ply++], &moved, &captured);
            }
        }
        return std::string(&moves[0][0], sizeof moves);
    };
    EXPECT_EQ(firstMoves(8), firstMoves(8));
}

}  // namespace
