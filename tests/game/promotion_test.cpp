#include <gtest/gtest.h>

#include <cstring>

#include "ai/random_draw.h"
#include "game/chess_game.h"
#include "tests/ai/position_setup.h"

namespace {

class Promotion : public ::testing::Test {
  protected:
    void SetUp() override {
        randomSeeded = 1;
        SeedRandom(5);
    }

    void Submit(const char* text) {
        char buffer[16];
        std::strcpy(buffer, text);
        game.SubmitMove(buffer);
    }

    ChessGame game;
};

TEST_F(Promotion, HumanWhiteChoosesAfterTheMoveIsReported) {
    game.NewGame(Human, Human);
    SetUpBoard(game.board, "Kh8 ka5 Pb2");
    EXPECT_EQ(game.Step(), WhiteToMove);
    Submit("b2b1");
    EXPECT_EQ(game.Step(), MoveMade);
    EXPECT_EQ(game.Step(), WhitePromotes);
    EXPECT_EQ(game.Step(), WhitePromotes);
    Submit("x");
    EXPECT_EQ(game.state, WhitePromotes);
    EXPECT_EQ(game.board.GetSquare('b', '1'), 'P');
    Submit("n");
    EXPECT_EQ(game.state, Unsettled);
    EXPECT_EQ(game.board.GetSquare('b', '1'), 'N');
    EXPECT_EQ(game.whoseTurn, 0);
    EXPECT_STREQ(game.lastMove.text, "b2b1");
    EXPECT_EQ(game.Step(), BlackToMove);
}

TEST_F(Promotion, OneChoiceConvertsEveryPawnOnTheRank) {
    game.NewGame(Human, Human);
    SetUpBoard(game.board, "Kh8 ka5 pc8 pf8");
    game.whoseTurn = 1;
    EXPECT_EQ(game.Step(), BlackPromotes);
    Submit("R");
    EXPECT_EQ(game.board.GetSquare('c', '8'), 'r');
    EXPECT_EQ(game.board.GetSquare('f', '8'), 'r');
    EXPECT_EQ(game.whoseTurn, 1);
    EXPECT_EQ(game.Step(), WhiteToMove);
}

TEST_F(Promotion, ComputerPawnOnItsLastRankIsQueenedBeforeTheEndTest) {
    game.NewGame(Computer, Human);
    SetUpBoard(game.board, "Kh8 ka5 Pd1 Pg1");
    game.whoseTurn = 0;
    EXPECT_EQ(game.Step(), BlackToMove);
    EXPECT_EQ(game.board.GetSquare('d', '1'), 'Q');
    EXPECT_EQ(game.board.GetSquare('g', '1'), 'Q');
}

// White's only legal move is the pawn's step onto a1.
TEST_F(Promotion, ComputerPromotionRecordsThePawn) {
    game.NewGame(Computer, Human);
    SetUpBoard(game.board, "Kh8 Pa2 rg1 ra7 kc4");
    EXPECT_EQ(game.Step(), ComputerThinking);
    int result = ComputerThinking;
    for (int i = 0; i < 100 && result == ComputerThinking; ++i) result = game.Step();
    EXPECT_EQ(result, MoveMade);
    EXPECT_STREQ(game.lastMove.text, "a2a1");
    EXPECT_EQ(game.lastMove.moved, 'P');
    EXPECT_EQ(game.lastMove.captured, ' ');
    EXPECT_EQ(game.board.GetSquare('a', '1'), 'Q');
}

}  // namespace
