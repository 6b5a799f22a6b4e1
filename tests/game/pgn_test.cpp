// Standard games kept as PGN: what a saved game holds, reading it back to the same position
// and move list, games written by other programs, and input that must be refused with the
// line that is wrong while the game on the board stays as it was.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "ai/random_draw.h"
#include "display/testing/temp_directory.h"
#include "game/chess_game.h"
#include "game/pgn_reader.h"

namespace {

class Pgn : public ::testing::Test {
  protected:
    void SetUp() override {
        randomSeeded = 1;
        SeedRandom(31);
        game.StartGame(Human, Human, RulesStandard, LevelClassic, LevelClassic);
    }
    // A move in the screen's squares (ranks counted from the top row).
    void Play(const char* text, char promotion = 0) {
        game.Step();
        char buffer[8];
        std::strcpy(buffer, text);
        game.SubmitMove(buffer);
        if (promotion != 0) {
            ASSERT_EQ(game.Step(), game.whoseTurn == 1 ? WhitePromotes : BlackPromotes);
            char choice[2] = {promotion, '\0'};
            game.SubmitMove(choice);
        }
        ASSERT_EQ(game.state, MoveMade) << text;
        game.Step();
    }
    std::string Write(const std::string& name, const std::string& text) {
        EXPECT_TRUE(folder.Write(name, text));
        return folder.Path() + "/" + name;
    }
    // Loads a text that must be refused; the game must come out untouched.
    std::string Refusal(const std::string& text) {
        const std::string before = game.position.Fen();
        const int moves = game.history.Count();
        std::string error;
        EXPECT_EQ(game.LoadPgn(Write("bad.pgn", text).c_str(), &error), 0);
        EXPECT_EQ(game.position.Fen(), before);
        EXPECT_EQ(game.history.Count(), moves);
        EXPECT_FALSE(error.empty());
        return error;
    }

    ChessGame game;
    platform::TempDirectory folder;
};

TEST_F(Pgn, ASavedGameHoldsTheRosterAndEveryMoveAndReadsBackTheSame) {
    // e4 d5 exd5 c5 dxc6 (in passing) Nf6 cxb7 Nbd7 bxa8=N, then White castles short.
    for (const char* move : {"e7e5", "d2d4", "e5d4", "c2c4", "d4c3", "g1f3", "c3b2", "b1d2"}) {
        Play(move);
    }
    Play("b2a1", 'n');
    Play("e2e4");  // e5
    Play("g8f6");  // Nf3
    Play("f1e2");  // Be7
    Play("f8e7");  // Be2
    Play("e1g1");  // Black castles short
    Play("e8g8");  // and White
    const std::string text = game.PgnText();
    for (const char* tag : {"[Event ", "[Site ", "[Date ", "[Round ", "[White \"Human\"]",
                            "[Black \"Human\"]", "[Result \"*\"]", "[KestrionWhite \"human\"]"}) {
        EXPECT_NE(text.find(tag), std::string::npos) << tag << "\n" << text;
    }
    EXPECT_EQ(text.find("[FEN"), std::string::npos);
    for (const char* san : {"1. e4 d5 2. exd5 c5 3. dxc6", "bxa8=N", "Be2 O-O", "8. O-O *"}) {
        EXPECT_NE(text.find(san), std::string::npos) << san << "\n" << text;
    }

    const std::string path = folder.Path() + "/game.pgn";
    ASSERT_EQ(game.SavePgn(path.c_str()), 1);
    ChessGame loaded;
    std::string error;
    ASSERT_EQ(loaded.LoadPgn(path.c_str(), &error), 1) << error;
    EXPECT_EQ(loaded.rules, RulesStandard);
    EXPECT_EQ(loaded.position.Fen(), game.position.Fen());
    EXPECT_EQ(loaded.history.Count(), game.history.Count());
    EXPECT_EQ(std::memcmp(loaded.board.squares, game.board.squares, 64), 0);
    EXPECT_EQ(loaded.PgnText(), text);
    while (loaded.TakeBack() == 1) {
    }
    EXPECT_EQ(loaded.position.Fen(), engine::Position::Start(engine::Rules::Standard).Fen());
}

TEST_F(Pgn, PlayersAndASetUpStartComeBack) {
    std::string error;
    ASSERT_TRUE(game.SetUpStandard("4k3/8/8/8/8/8/4p3/4K2R b K - 3 40", &error)) << error;
    game.whiteKind = Computer;
    game.whiteLevel = LevelMaster;
    Play("e1d1");  // Black's king e8-d8: the screen's e1 is e8
    const std::string text = game.PgnText();
    EXPECT_NE(text.find("[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/4p3/4K2R b K - 3 40\"]"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("[White \"Kestrion Master\"]"), std::string::npos);
    EXPECT_NE(text.find("40... "), std::string::npos) << text;
    PgnGame read;
    ASSERT_TRUE(ReadPgn(text, read, error)) << error;
    ChessGame loaded;
    ASSERT_TRUE(loaded.PlayPgn(read));
    EXPECT_NE(loaded.whiteKind, Human);
    EXPECT_EQ(loaded.whiteLevel, LevelMaster);
    EXPECT_EQ(loaded.blackKind, Human);
    EXPECT_EQ(loaded.position.Fen(), game.position.Fen());
}

TEST_F(Pgn, AnotherProgramsGameLoadsWithItsExtrasSkipped) {
    const std::string text =
        "% exported by some program\n"
        "[Event \"Club night\"]\r\n[Site \"Hall \\\"B\\\"\"]\n[Date \"2026.01.02\"]\n"
        "[Round \"3\"]\n[White \"Ann\"]\n[Black \"Bob\"]\n[Result \"1-0\"]\n[ECO \"C20\"]\n\n"
        "1. e4 {best by test} e5 $1 2. Nf3 (2. f4 exf4 (2... d5) 3. Nf3) 2... Nc6 ; a line\n"
        "3.Bc4 Nf6!? 4. O-O Be7 5. d4 exd4 6. e5 d5 7. exd6 e.p. Bxd6 1-0\n\n"
        "[Event \"The next game\"]\n\n1. d4 d5 *\n";
    std::string error;
    ASSERT_EQ(game.LoadPgn(Write("club.pgn", text).c_str(), &error), 1) << error;
    EXPECT_EQ(game.history.Count(), 14);
    EXPECT_EQ(game.whiteKind, Human);
    EXPECT_EQ(game.blackKind, Human);
    EXPECT_EQ(game.position.Fen(), "r1bqk2r/ppp2ppp/2nb1n2/8/2Bp4/5N2/PPP2PPP/RNBQ1RK1 w kq - 0 8");
    EXPECT_EQ(game.Step(), WhiteToMove);
}

TEST_F(Pgn, BadInputIsRefusedWithTheWrongLineAndNothingChanges) {
    Play("e7e5");
    EXPECT_EQ(Refusal("[Event \"x\"]\n\n1. e4 e5\n2. Nf3 Nf9\n"),
              "line 4: 'Nf9' is not a legal move here");
    EXPECT_EQ(Refusal("1. e4 e5 2. Ke3\n"), "line 1: 'Ke3' is not a legal move here");
    // Cut off in the middle of a comment, or of a tag.
    EXPECT_EQ(Refusal("[Event \"x\"]\n1. e4 {a long\ncomment that"),
              "line 2: a comment is opened with { and never closed");
    EXPECT_EQ(Refusal("[Event \"x\"]\n[White \"An"),
              "line 2: the value of the tag White is not closed");
    EXPECT_EQ(Refusal(""), "line 1: no game was found");
    EXPECT_EQ(Refusal(std::string("\x89PNG\r\n\x1a\n\0\0\0", 11)),
              "line 1: '\\x89' is not part of a game");
    EXPECT_EQ(Refusal(std::string("1. e4\n\0\x01\x02", 9)),
              "line 2: the file holds bytes that are not text");
    EXPECT_EQ(Refusal("[FEN \"4k3/8/8/8/8/8/8/K3K3 w - - 0 1\"]\n*\n")
                  .rfind("line 1: the starting position is refused", 0),
              0u);
    EXPECT_EQ(Refusal(std::string(kMaxPgnBytes * 10, ' ') + "1. e4 *"),
              "the file is larger than a game can be");
    std::string error;
    EXPECT_EQ(game.LoadPgn((folder.Path() + "/missing.pgn").c_str(), &error), 0);
    EXPECT_EQ(error, "No such file or directory");
}

}  // namespace
