// The turn controller under Standard rules, in the game's screen squares: the start, the
// moves only Standard has (castling, capture in passing, a chosen promotion), the ends of a
// game including the draws, taking back, and the Classic level playing Standard chess.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ai/random_draw.h"
#include "game/chess_game.h"
#include "game/standard_squares.h"
#include "tests/ai/position_setup.h"

namespace {

class StandardGame : public ::testing::Test {
  protected:
    void SetUp() override {
        randomSeeded = 1;
        SeedRandom(23);
        game.StartGame(Human, Human, RulesStandard, LevelClassic, LevelClassic);
    }
    void Submit(const char* text) {
        char buffer[16];
        std::strcpy(buffer, text);
        game.SubmitMove(buffer);
    }
    // A human move in screen squares, reported and settled: the state it settles to.
    int Play(const char* text) {
        EXPECT_TRUE(game.Step() == WhiteToMove || game.state == BlackToMove) << text;
        Submit(text);
        EXPECT_EQ(game.state, MoveMade) << text;
        EXPECT_EQ(game.Step(), MoveMade) << text;
        return game.Step();
    }
    void SetUpFen(const char* fen) {
        std::string error;
        ASSERT_TRUE(game.SetUpStandard(fen, &error)) << error;
    }
    char At(const char* square) { return game.board.GetSquare(square[0], square[1]); }

    ChessGame game;
};

TEST_F(StandardGame, StartsAsTheClassicBoardLooksAndCountsRanksFromWhite) {
    EXPECT_TRUE(SameSquares(game.board, Board()));
    EXPECT_EQ(game.Step(), WhiteToMove);
    EXPECT_EQ(EngineSquareOf('e', '7'), 12);  // the screen's e7 is e2 under Standard
    Submit("e7e5");                           // e2-e4
    EXPECT_EQ(game.state, MoveMade);
    EXPECT_EQ(game.position.Fen(), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
    EXPECT_STREQ(game.lastMove.text, "e7e5");
    EXPECT_EQ(game.lastMove.moved, 'P');
    EXPECT_EQ(At("e5"), 'P');
    EXPECT_EQ(game.whoseTurn, 0);
    EXPECT_EQ(game.Step(), MoveMade);
    EXPECT_EQ(game.Step(), BlackToMove);
    Submit("e2e5");  // no such move: refused, nothing changes
    EXPECT_EQ(game.state, Unsettled);
    EXPECT_EQ(game.Step(), BlackToMove);
    EXPECT_EQ(At("e2"), 'p');
}

TEST_F(StandardGame, CastlingMovesTheRookAndIsGreenOnlyWhereAllowed) {
    SetUpFen("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
    char shortCastle[] = "e8g8", longCastle[] = "e8c8", twoOnly[] = "e8f8";
    EXPECT_EQ(game.IsLegalTarget(shortCastle), 1);
    EXPECT_EQ(game.IsLegalTarget(longCastle), 1);
    EXPECT_EQ(game.IsLegalTarget(twoOnly), 1);
    EXPECT_EQ(Play("e8g8"), BlackToMove);
    EXPECT_EQ(At("g8"), 'K');
    EXPECT_EQ(At("f8"), 'R');
    EXPECT_EQ(At("h8"), ' ');
    EXPECT_STREQ(game.rookMove, "h8f8");
    EXPECT_EQ(game.rookLetter, 'R');
    Submit("e1c1");  // Black castles long
    EXPECT_EQ(game.state, MoveMade);
    EXPECT_EQ(At("c1"), 'k');
    EXPECT_EQ(At("d1"), 'r');
    EXPECT_STREQ(game.rookMove, "a1d1");
    game.Step();
    EXPECT_EQ(game.Step(), WhiteToMove);
    char again[] = "g8e8";
    EXPECT_EQ(game.IsLegalTarget(again), 0);
}

TEST_F(StandardGame, ACastlingThroughCheckIsRefused) {
    SetUpFen("4k3/8/8/8/8/8/5r2/R3K2R w KQ - 0 1");  // f2 rook: e1 in check
    game.Step();
    Submit("e8g8");
    EXPECT_EQ(game.state, Unsettled);
    EXPECT_EQ(At("e8"), 'K');
}

TEST_F(StandardGame, CaptureInPassingTakesThePawnBesideTheTarget) {
    SetUpFen("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 2");
    // e5xd6 is screen e4 to d3; the black pawn on d5 (screen d4) leaves the board.
    EXPECT_EQ(Play("e4d3"), BlackToMove);
    EXPECT_EQ(At("d3"), 'P');
    EXPECT_EQ(At("d4"), ' ');
    EXPECT_EQ(game.lastMove.captured, ' ');
    EXPECT_STREQ(game.passedSquare, "d4");
    EXPECT_EQ(game.passedPawn, 'p');
    EXPECT_EQ(game.TakeBack(), 1);
    EXPECT_EQ(At("d4"), 'p');
    EXPECT_EQ(At("e4"), 'P');
    EXPECT_EQ(game.position.Fen(), "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 2");
}

TEST_F(StandardGame, AHumanPromotionWaitsForTheChosenPieceOrIsGivenUp) {
    SetUpFen("7k/1P5p/8/8/8/8/8/K7 w - - 0 1");
    game.Step();
    Submit("b2b1");  // b7-b8
    EXPECT_EQ(game.state, Unsettled);
    EXPECT_EQ(At("b2"), 'P');  // not moved until the piece is chosen
    EXPECT_EQ(game.Step(), WhitePromotes);
    Submit("x");
    EXPECT_EQ(game.Step(), WhitePromotes);
    EXPECT_EQ(game.CancelPromotion(), 1);
    EXPECT_EQ(game.Step(), WhiteToMove);
    EXPECT_EQ(At("b2"), 'P');

    Submit("b2b1");
    EXPECT_EQ(game.Step(), WhitePromotes);
    Submit("n");
    EXPECT_EQ(game.state, MoveMade);
    EXPECT_EQ(At("b1"), 'N');
    EXPECT_EQ(game.lastMove.moved, 'P');
    EXPECT_EQ(game.Step(), MoveMade);
    EXPECT_EQ(game.Step(), BlackToMove);
    EXPECT_EQ(game.TakeBack(), 1);
    EXPECT_EQ(At("b2"), 'P');
    EXPECT_EQ(At("b1"), ' ');
}

TEST_F(StandardGame, MateStalemateAndEveryDrawEndTheGame) {
    struct Case {
        const char* fen;
        engine::GameStatus status;
    } cases[] = {
        {"7k/6Q1/6K1/8/8/8/8/8 b - - 0 1", engine::GameStatus::Checkmate},
        {"7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", engine::GameStatus::Stalemate},
        {"7k/8/6K1/8/8/8/8/8 w - - 0 1", engine::GameStatus::DrawMaterial},
        {"7k/8/6K1/8/8/8/8/R7 w - - 100 80", engine::GameStatus::DrawFiftyMoves},
    };
    for (const Case& c : cases) {
        SetUpFen(c.fen);
        EXPECT_EQ(game.StandardStatus(), c.status) << c.fen;
        EXPECT_EQ(game.Step(), GameOver) << c.fen;
    }
    // Knights back and forth until the start comes round the third time.
    game.StartGame(Human, Human, RulesStandard, LevelClassic, LevelClassic);
    const char* shuffle[] = {"g8f6", "g1f3", "f6g8", "f3g1", "g8f6", "g1f3", "f6g8", "f3g1"};
    int last = 0;
    for (const char* move : shuffle) last = Play(move);
    EXPECT_EQ(game.StandardStatus(), engine::GameStatus::DrawRepetition);
    EXPECT_EQ(last, GameOver);
    EXPECT_EQ(game.TakeBack(), 1);  // a drawn game can still be taken back
    EXPECT_EQ(game.Step(), BlackToMove);
}

TEST_F(StandardGame, TheClassicLevelPlaysLegalStandardMovesToTheEnd) {
    game.StartGame(Computer, Computer, RulesStandard, LevelClassic, LevelClassic);
    int moves = 0;
    for (int step = 0; step < 2000 && game.state != GameOver; ++step) {
        const std::string before = game.position.Fen();
        const int result = game.Step();
        if (result == MoveMade) {
            ++moves;
            EXPECT_NE(game.position.Fen(), before);
        }
        ASSERT_NE(result, WhiteToMove);
        ASSERT_NE(result, BlackToMove);
    }
    EXPECT_GT(moves, 10);
    EXPECT_EQ(game.CanTakeBack(), 0);
    // Every board the screen sees mirrors the position.
    for (int square = 0; square < 64; ++square) {
        EXPECT_EQ(game.board.squares[BoardIndexOf(square)], game.position.LetterOn(square));
    }
}

}  // namespace
