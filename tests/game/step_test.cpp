#include <gtest/gtest.h>

#include <cstring>

#include "ai/random_draw.h"
#include "game/chess_game.h"
#include "tests/ai/position_setup.h"

namespace {

class GameStep : public ::testing::Test {
  protected:
    void SetUp() override {
        randomSeeded = 1;
        SeedRandom(99);
    }

    void Submit(const char* move) {
        char text[32];
        std::strcpy(text, move);
        game.SubmitMove(text);
    }

    // Steps through one computer turn; returns how many calls it took, the last being the
    // one that returned MoveMade.
    int StepsOfComputerTurn() {
        int calls = 0;
        while (calls < 100) {
            ++calls;
            const int result = game.Step();
            if (result == MoveMade) break;
            if (result != ComputerThinking) {
                ADD_FAILURE() << "step " << calls << " returned " << result;
                break;
            }
        }
        return calls;
    }

    ChessGame game;
};

TEST_F(GameStep, ConstructionStartsHumanAgainstComputer) {
    EXPECT_EQ(game.whiteKind, Human);
    EXPECT_EQ(game.blackKind, Computer);
    EXPECT_EQ(game.whoseTurn, 1);
    EXPECT_EQ(game.state, Unsettled);
    EXPECT_EQ(game.searchStarted, 0);
    EXPECT_EQ(game.computer.board, &game.board);
    char text[5] = "xxxx", moved = 0, captured = 0;
    game.GetLastMove(text, &moved, &captured);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(moved, ' ');
    EXPECT_EQ(captured, ' ');
    EXPECT_TRUE(SameSquares(game.board, Board()));
}

TEST_F(GameStep, HumanMoveIsReportedByTheNextStep) {
    EXPECT_EQ(game.Step(), WhiteToMove);
    Submit("E7E5");
    EXPECT_EQ(game.state, MoveMade);
    EXPECT_EQ(game.whoseTurn, 0);
    EXPECT_EQ(game.board.GetSquare('e', '5'), 'P');
    char text[5], moved, captured;
    game.GetLastMove(text, &moved, &captured);
    EXPECT_STREQ(text, "e7e5");
    EXPECT_EQ(moved, 'P');
    EXPECT_EQ(captured, ' ');

    EXPECT_EQ(game.Step(), MoveMade);
    EXPECT_EQ(game.state, Unsettled);
    EXPECT_EQ(game.Step(), ComputerThinking);
    EXPECT_EQ(game.searchStarted, 1);
}

TEST_F(GameStep, RefusedInputUnsettlesAndChangesNothing) {
    EXPECT_EQ(game.Step(), WhiteToMove);
    Submit("e7e4");
    EXPECT_EQ(game.state, Unsettled);
    EXPECT_EQ(game.whoseTurn, 1);
    EXPECT_TRUE(SameSquares(game.board, Board()));
    EXPECT_EQ(game.Step(), WhiteToMove);

    // Input while unsettled is ignored without a change of state.
    game.state = Unsettled;
    Submit("e7e5");
    EXPECT_EQ(game.state, Unsettled);
    EXPECT_EQ(game.board.GetSquare('e', '5'), ' ');
}

TEST_F(GameStep, ComputerTurnsTakeSeventeenAndEighteenSteps) {
    game.NewGame(Computer, Computer);
    EXPECT_EQ(StepsOfComputerTurn(), 17);
    EXPECT_EQ(game.whoseTurn, 0);
    EXPECT_EQ(game.searchStarted, 0);
    EXPECT_EQ(game.state, Unsettled);
    char text[5], moved, captured;
    game.GetLastMove(text, &moved, &captured);
    EXPECT_EQ(game.board.GetSquare(text[2], text[3]), moved);
    EXPECT_EQ(game.board.GetSquare(text[0], text[1]), ' ');
    EXPECT_EQ(captured, ' ');
    EXPECT_TRUE(moved == 'N' || moved == 'P') << text;

    game.NewGame(Human, Computer);
    EXPECT_EQ(game.Step(), WhiteToMove);
    Submit("e7e5");
    EXPECT_EQ(game.Step(), MoveMade);
    EXPECT_EQ(StepsOfComputerTurn(), 18);
    EXPECT_EQ(game.whoseTurn, 1);
}

TEST_F(GameStep, InputWhileThinkingLeavesTheSearchRunning) {
    game.NewGame(Computer, Human);
    EXPECT_EQ(game.Step(), ComputerThinking);
    EXPECT_EQ(game.Step(), ComputerThinking);
    Submit("e7e5");
    EXPECT_EQ(game.state, Unsettled);
    EXPECT_EQ(game.searchStarted, 1);
    EXPECT_TRUE(SameSquares(game.board, Board()));
    EXPECT_EQ(StepsOfComputerTurn(), 15);
    EXPECT_EQ(game.Step(), BlackToMove);
}

TEST_F(GameStep, GameEndsOnMateOrStalemateOfEitherSide) {
    game.NewGame(Human, Human);
    for (const char* move : {"f7f6", "e2e4", "g7g5", "d1h5"}) {
        game.Step();
        Submit(move);
        EXPECT_EQ(game.Step(), MoveMade) << move;
    }
    EXPECT_EQ(game.Step(), GameOver);
    EXPECT_EQ(game.state, GameOver);
    Submit("a7a6");
    EXPECT_EQ(game.state, GameOver);

    // Black stalemated while Black is not to move still ends the game.
    game.NewGame(Human, Human);
    SetUpBoard(game.board, "ka1 Qb3 Kh8");
    EXPECT_EQ(game.Step(), GameOver);
    // Check alone plays on, and the end is not final: a new position plays again.
    SetUpBoard(game.board, "Ke8 ke1 re4");
    EXPECT_EQ(game.Step(), WhiteToMove);
}

TEST_F(GameStep, EmptyCandidateTablePassesTheTurnWithoutAMove) {
    game.NewGame(Computer, Computer);
    EXPECT_EQ(game.Step(), ComputerThinking);
    game.computer.finished = 1;  // a finished search that found nothing
    EXPECT_EQ(game.Step(), MoveMade);
    char text[5] = "xxxx", moved = 'x', captured = 'x';
    game.GetLastMove(text, &moved, &captured);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(moved, '\0');
    EXPECT_EQ(captured, '\0');
    EXPECT_EQ(game.whoseTurn, 0);
    EXPECT_EQ(game.searchStarted, 0);
    EXPECT_TRUE(SameSquares(game.board, Board()));
}

// Without the bound, the characters after the fourth ran over the rest of the record.
TEST_F(GameStep, OverlongMoveTextRecordsOnlyTheMove) {
    game.Step();
    Submit("E7E5-and-a-long-tail-of-text");
    EXPECT_EQ(game.state, MoveMade);
    EXPECT_STREQ(game.lastMove.text, "e7e5");
    EXPECT_EQ(game.lastMove.moved, 'P');
    EXPECT_EQ(game.lastMove.captured, ' ');
    EXPECT_EQ(game.whiteKind, Human);
    EXPECT_EQ(game.blackKind, Computer);
}

TEST_F(GameStep, CopiedGameSearchesItsOwnBoard) {
    ChessGame copy = game;
    EXPECT_EQ(copy.computer.board, &copy.board);
    ChessGame assigned;
    assigned = game;
    EXPECT_EQ(assigned.computer.board, &assigned.board);
}

}  // namespace
