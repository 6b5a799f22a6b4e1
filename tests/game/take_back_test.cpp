// Taking moves back: how far one take-back goes against the computer and between humans,
// what comes back (captures, promotions, the move record), and the history's fixed ring.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "ai/random_draw.h"
#include "game/chess_game.h"
#include "tests/ai/position_setup.h"

namespace {

class TakeBack : public ::testing::Test {
  protected:
    void SetUp() override {
        randomSeeded = 1;
        SeedRandom(17);
    }

    void Submit(const char* text) {
        char buffer[16];
        std::strcpy(buffer, text);
        game.SubmitMove(buffer);
    }
    // Steps until a human is to move again (or the game ends); false after too many steps.
    bool StepToHuman() {
        for (int i = 0; i < 200; ++i) {
            const int result = game.Step();
            if (result == WhiteToMove || result == BlackToMove || result == GameOver) return true;
        }
        return false;
    }

    ChessGame game;
};

TEST_F(TakeBack, AgainstTheComputerReplyAndMoveGoBackTogether) {
    game.NewGame(Human, Computer);
    const Board start = game.board;
    ASSERT_TRUE(StepToHuman());
    EXPECT_EQ(game.CanTakeBack(), 0);
    Submit("e7e5");
    ASSERT_TRUE(StepToHuman());
    ASSERT_EQ(game.whoseTurn, 1);
    ASSERT_EQ(game.history.Count(), 2);
    const Board afterReply = game.board;
    Submit("d7d5");
    ASSERT_TRUE(StepToHuman());

    ASSERT_EQ(game.CanTakeBack(), 1);
    EXPECT_EQ(game.TakeBack(), 1);
    EXPECT_TRUE(SameSquares(game.board, afterReply));
    EXPECT_EQ(game.whoseTurn, 1);
    EXPECT_EQ(game.history.Count(), 2);
    // The computer does not answer: it is the human's turn again.
    EXPECT_EQ(game.Step(), WhiteToMove);
    EXPECT_EQ(game.Step(), WhiteToMove);

    EXPECT_EQ(game.TakeBack(), 1);
    EXPECT_TRUE(SameSquares(game.board, start));
    EXPECT_EQ(game.CanTakeBack(), 0);
    EXPECT_EQ(game.TakeBack(), 0);
    EXPECT_TRUE(SameSquares(game.board, start));
    EXPECT_EQ(game.Step(), WhiteToMove);
}

TEST_F(TakeBack, WhileTheComputerThinksOnlyTheHumanMoveGoesBack) {
    game.NewGame(Computer, Human);
    ASSERT_TRUE(StepToHuman());  // the computer's first move as White
    ASSERT_EQ(game.whoseTurn, 0);
    EXPECT_EQ(game.CanTakeBack(), 0);  // the computer's move is not the human's to take
    const Board beforeHuman = game.board;
    char previous[5];
    std::memcpy(previous, game.lastMove.text, sizeof previous);
    Submit("e2e4");
    ASSERT_EQ(game.Step(), MoveMade);
    ASSERT_EQ(game.Step(), ComputerThinking);
    ASSERT_EQ(game.Step(), ComputerThinking);
    ASSERT_EQ(game.searchStarted, 1);

    EXPECT_EQ(game.TakeBack(), 1);
    EXPECT_TRUE(SameSquares(game.board, beforeHuman));
    EXPECT_EQ(game.searchStarted, 0);
    EXPECT_STREQ(game.lastMove.text, previous);
    EXPECT_EQ(game.Step(), BlackToMove);
    EXPECT_EQ(game.CanTakeBack(), 0);
}

TEST_F(TakeBack, BetweenHumansOneMoveAtATimeWithCapturesAndRecordsRestored) {
    game.NewGame(Human, Human);
    game.Step();
    Submit("e7e5");
    game.Step();
    game.Step();
    Submit("d2d4");
    game.Step();
    game.Step();
    Submit("e5d4");  // White takes
    game.Step();
    ASSERT_EQ(game.board.GetSquare('d', '4'), 'P');
    ASSERT_EQ(game.Step(), BlackToMove);

    EXPECT_EQ(game.TakeBack(), 1);
    EXPECT_EQ(game.board.GetSquare('d', '4'), 'p');
    EXPECT_EQ(game.board.GetSquare('e', '5'), 'P');
    EXPECT_EQ(game.whoseTurn, 1);
    EXPECT_STREQ(game.lastMove.text, "d2d4");
    EXPECT_EQ(game.lastMove.moved, 'p');
    EXPECT_EQ(game.Step(), WhiteToMove);

    EXPECT_EQ(game.TakeBack(), 1);
    EXPECT_EQ(game.board.GetSquare('d', '2'), 'p');
    EXPECT_EQ(game.whoseTurn, 0);
    EXPECT_STREQ(game.lastMove.text, "e7e5");
    EXPECT_EQ(game.Step(), BlackToMove);
}

TEST_F(TakeBack, APromotionGoesBackToThePawn) {
    game.NewGame(Human, Human);
    SetUpBoard(game.board, "Kh8 ka5 Pb2");
    game.Step();
    Submit("b2b1");
    ASSERT_EQ(game.Step(), MoveMade);
    ASSERT_EQ(game.Step(), WhitePromotes);
    Submit("n");
    ASSERT_EQ(game.board.GetSquare('b', '1'), 'N');
    EXPECT_EQ(game.TakeBack(), 1);
    EXPECT_EQ(game.board.GetSquare('b', '2'), 'P');
    EXPECT_EQ(game.board.GetSquare('b', '1'), ' ');
    EXPECT_EQ(game.Step(), WhiteToMove);
}

TEST_F(TakeBack, NewGamesAndLoadedGamesStartWithoutHistory) {
    game.NewGame(Computer, Computer);
    for (int i = 0; i < 100; ++i) game.Step();
    EXPECT_GT(game.history.Count(), 0);
    EXPECT_EQ(game.CanTakeBack(), 0);  // no human made any of them
    EXPECT_EQ(game.TakeBack(), 0);
    game.NewGame(Human, Human);
    EXPECT_EQ(game.history.Count(), 0);

    game.Step();
    Submit("e7e5");
    game.Step();
    ASSERT_EQ(game.CanTakeBack(), 1);
    const char* path = "take_back_load.chs";
    ASSERT_EQ(game.SaveGame(path), 1);
    ASSERT_EQ(game.LoadGame(path), 1);
    std::remove(path);
    EXPECT_EQ(game.history.Count(), 0);
    EXPECT_EQ(game.CanTakeBack(), 0);
}

TEST(MoveHistoryRing, KeepsTheNewestMovesWhenFull) {
    static MoveHistory history;
    history.Clear();
    PlayedMove move{};
    const int total = MoveHistory::kCapacity + 5;
    for (int i = 0; i < total; ++i) {
        move.mover = i;
        history.Push(move);
    }
    EXPECT_EQ(history.Count(), MoveHistory::kCapacity);
    EXPECT_EQ(history.Recent(0).mover, total - 1);
    EXPECT_EQ(history.Recent(MoveHistory::kCapacity - 1).mover, 5);
    PlayedMove out{};
    int popped = 0;
    int last = -1;
    while (history.Pop(out)) {
        EXPECT_EQ(out.mover, total - 1 - popped);
        last = out.mover;
        ++popped;
    }
    EXPECT_EQ(popped, MoveHistory::kCapacity);
    EXPECT_EQ(last, 5);
    EXPECT_FALSE(history.Pop(out));
    history.Push(move);
    EXPECT_EQ(history.Count(), 1);
    EXPECT_EQ(history.Recent(0).mover, total - 1);
}

}  // namespace
