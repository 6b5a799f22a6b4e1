// The PGN reader on games as other programs write them: decorations skipped, every usual
// spelling of moves and move numbers, line ends of every kind, the start from SetUp and FEN,
// and bounds on long games, deep variations and long comments.

#include "game/pgn_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/position.h"
#include "tests/game/pgn_test_support.h"

namespace {

using namespace std::string_literals;

// A famous short game with long castling, captures, checks and a mate.
constexpr const char* kOperaMoves =
    "e2e4 e7e5 g1f3 d7d6 d2d4 c8g4 d4e5 g4f3 d1f3 d6e5 f1c4 g8f6 f3b3 d8e7 b1c3 c7c6 c1g5 "
    "b7b5 c3b5 c6b5 c4b5 b8d7 e1c1 a8d8 d1d7 d8d7 h1d1 e7e6 b5d7 f6d7 b3b8 d7b8 d1d8";

// The same game as other programs write it: escape lines, tags with escapes, comments of
// both kinds, nested variations, glyphs in both forms and every way of numbering moves.
constexpr const char* kDecoratedOpera =
    "% written by some database program\n"
    "[Event \"A \\\"friendly\\\" game\"]\n"
    "[Site \"Paris \\\\ Opera\"]\n"
    "[Date \"1858.??.??\"]\n"
    "[Round \"?\"]\n"
    "[White \"Player, A\"]\n"
    "[Black \"Player, B\"]\n"
    "[Result \"1-0\"]\n"
    "[ECO \"C41\"]   [PlyCount \"33\"] [Odd+Name \"?\"]\n"
    "\n"
    "{The opening} 1. e4 e5 2. Nf3 d6 3. d4 Bg4?! {A weak move; better (3...exd4)}\n"
    "4. dxe5 Bxf3 (4... dxe5 5. Qxd8+ Kxd8 6. Nxe5 (6. Bc4 (6. h3 $6)) 6... Be6) 5.\n"
    "Qxf3 dxe5 6. Bc4 Nf6 $2 7. Qb3 Qe7 8. Nc3 c6 9. Bg5 b5? ; the losing move\n"
    "10. Nxb5! cxb5 11. Bxb5+ Nbd7 12. O-O-O Rd8 13. Rxd7 Rxd7 14. Rd1 Qe6\n"
    "%an escape line inside the moves\n"
    "15. Bxd7+ Nxd7 16.Qb8+!! Nxb8 17.Rd8# 1-0\n";

TEST(PgnReader, ReadsTheMainLineOfGamesAsOtherProgramsWriteThem) {
    const PgnGame plain = ReadGood(
        "1. e4 e5 2. Nf3 d6 3. d4 Bg4 4. dxe5 Bxf3 5. Qxf3 dxe5 6. Bc4 Nf6 7. Qb3 Qe7 8. Nc3 "
        "c6 9. Bg5 b5 10. Nxb5 cxb5 11. Bxb5+ Nbd7 12. O-O-O Rd8 13. Rxd7 Rxd7 14. Rd1 Qe6 "
        "15. Bxd7+ Nxd7 16. Qb8+ Nxb8 17. Rd8# 1-0");
    EXPECT_EQ(MovesText(plain), kOperaMoves);
    EXPECT_EQ(EndOf(plain).Status(), engine::GameStatus::Checkmate);
    EXPECT_FALSE(plain.hasPlayers);

    const PgnGame decorated = ReadGood(kDecoratedOpera);
    EXPECT_EQ(MovesText(decorated), kOperaMoves);
    EXPECT_TRUE(decorated.fen.empty());
    // A game made elsewhere names no Kestrion players: two humans play it on.
    EXPECT_FALSE(decorated.hasPlayers);
}

TEST(PgnReader, LineEndsByteOrderMarksAndMoveNumberForms) {
    const std::string expected = "e2e4 e7e5 g1f3 b8c6";
    // Windows line ends and a UTF-8 byte order mark, no tags.
    EXPECT_EQ(MovesText(ReadGood("\xEF\xBB\xBF"
                                 "1. e4 e5\r\n2. Nf3 Nc6 *\r\n")),
              expected);
    EXPECT_EQ(MovesText(ReadGood("\xEF\xBB\xBF[Event \"?\"]\n1. e4 e5 2. Nf3 Nc6 *")), expected);
    // Old Macintosh line ends, with an escape line that begins after one.
    EXPECT_EQ(MovesText(ReadGood("[Event \"?\"]\r\r1. e4 e5\r%skip 1. d4\r2. Nf3 Nc6 *")),
              expected);
    // Numbers run into moves, Black's numbers with two or three periods, none at all.
    EXPECT_EQ(MovesText(ReadGood("1.e4 1...e5 2.Nf3 2..Nc6 *")), expected);
    EXPECT_EQ(MovesText(ReadGood("e4 e5 Nf3 Nc6 *")), expected);
    // Move numbers far larger than any integer, which the reader does not need.
    EXPECT_EQ(MovesText(ReadGood("123456789012345678901234567890. e4 e5 7. Nf3 Nc6 *")), expected);
    // Long algebraic moves that some programs write.
    EXPECT_EQ(MovesText(ReadGood("1. e2-e4 e7e5 2. Ng1-f3 Nb8c6 *")), expected);
    // Line numbers count each kind of line end once.
    EXPECT_EQ(ReadBad("1. e4\r\n\r\n2. Nf9 *"), "line 3: 'Nf9' is not a legal move here");
    EXPECT_EQ(ReadBad("1. e4\r\r2. Nf9 *"), "line 3: 'Nf9' is not a legal move here");
    EXPECT_EQ(ReadBad("1. e4 e5\r\r2. Nf3\x01 *"),
              "line 3: the file holds bytes that are not text");
    EXPECT_EQ(ReadBad("1. e4 e5\r\n\r\n2. Nf3 {\x01} *"),
              "line 3: the file holds bytes that are not text");
}

TEST(PgnReader, CastlingPromotionAndCaptureInPassingInEveryUsualSpelling) {
    // Both sides castle short, once written with letters and once with zeros.
    EXPECT_EQ(MovesText(ReadGood("1. e4 e5 2. Nf3 Nf6 3. Bc4 Bc5 4. 0-0 O-O *")),
              "e2e4 e7e5 g1f3 g8f6 f1c4 f8c5 e1g1 e8g8");

    // Capture in passing, plain and with its mark in three forms: the pawn taken leaves.
    for (const char* capture : {"exd6", "exd6 e.p.", "exd6e.p.", "exd6ep"}) {
        const PgnGame game = ReadGood("1. e4 Nf6 2. e5 d5 3. "s + capture + " *");
        EXPECT_EQ(MovesText(game), "e2e4 g8f6 e4e5 d7d5 e5d6") << capture;
        const engine::Position end = EndOf(game);
        EXPECT_EQ(end.LetterOn(35), ' ') << capture;  // d5
        EXPECT_EQ(end.LetterOn(43), 'P') << capture;  // d6
    }

    // Promotion with and without "=", to the piece named, with check marks.
    const std::string promotion = "[SetUp \"1\"]\n[FEN \"7k/4P3/8/8/8/8/8/K7 w - - 0 1\"]\n";
    for (const char* spelling : {"e8=N", "e8N", "e8=N+"}) {
        const PgnGame game = ReadGood(promotion + "1. " + spelling + " *");
        EXPECT_EQ(MovesText(game), "e7e8n") << spelling;
        EXPECT_EQ(EndOf(game).LetterOn(60), 'N') << spelling;  // e8
    }
    EXPECT_EQ(EndOf(ReadGood(promotion + "1. e8=Q+ Kh7 *")).LetterOn(60), 'Q');

    // Black promotes first, numbered "1...".
    const PgnGame black = ReadGood("[FEN \"k7/8/8/8/8/8/3p4/7K b - - 0 1\"]\n1... d1=R+ 2. Kh2 *");
    EXPECT_EQ(MovesText(black), "d2d1r h1h2");
    EXPECT_EQ(EndOf(black).LetterOn(3), 'r');  // d1
}

TEST(PgnReader, TheStartPositionComesFromTheSetUpAndFenTags) {
    const char* fen = "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 3 20";
    const PgnGame game =
        ReadGood("[SetUp \"1\"]\n[FEN \""s + fen + "\"]\n[White \"W\"]\n\n20... O-O-O 21. O-O *");
    EXPECT_EQ(game.fen, fen);
    EXPECT_EQ(MovesText(game), "e8c8 e1g1");
    EXPECT_EQ(EndOf(game).Fen(), "2kr3r/8/8/8/8/8/8/R4RK1 b - - 5 21");

    // SetUp "0" means the usual start whatever a FEN tag says.
    const PgnGame usual =
        ReadGood("[SetUp \"0\"]\n[FEN \"4k3/8/8/8/8/8/8/4K3 w - - 0 1\"]\n1. e4 *");
    EXPECT_TRUE(usual.fen.empty());
    EXPECT_EQ(MovesText(usual), "e2e4");
    // A variant tag that names ordinary chess is no obstacle.
    EXPECT_EQ(ReadGood("[Variant \"Standard\"]\n1. d4 *").moves.size(), 1u);
}

TEST(PgnReader, ReadsOnlyTheFirstGameOfAFile) {
    const PgnGame game = ReadGood(
        "[Event \"first\"]\n\n1. e4 e5 1/2-1/2\n\n[Event \"second\"]\n\n1. d4 d5 2. Nf9 *\n");
    EXPECT_EQ(MovesText(game), "e2e4 e7e5");
    EXPECT_EQ(ReadGood("[Result \"*\"]\n\n*").moves.size(), 0u);
    EXPECT_EQ(ReadGood("1-0 1. e4").moves.size(), 0u);
}

TEST(PgnReader, LongGamesDeepNestingAndLongCommentsStayWithinBounds) {
    // Knights out and back, many times the position's own history of moves.
    std::string shuffle;
    const int cycles = 1200;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        const int number = 2 * cycle + 1;
        shuffle +=
            std::to_string(number) + ". Nf3 Nf6 " + std::to_string(number + 1) + ". Ng1 Ng8\n";
    }
    const PgnGame longGame = ReadGood(shuffle + "1/2-1/2");
    EXPECT_EQ(longGame.moves.size(), 4u * cycles);
    const engine::Position end = EndOf(longGame);
    EXPECT_TRUE(end.Fen().starts_with("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - "));
    EXPECT_EQ(end.FullmoveNumber(), 1 + 2 * cycles);
    // The game plays it on from there, with as much of the list as it keeps.
    ChessGame board;
    ASSERT_TRUE(board.PlayPgn(longGame));
    EXPECT_EQ(board.position.Fen(), end.Fen());
    EXPECT_EQ(board.history.Count(), MoveHistory::kCapacity);

    // Variations nested far deeper than any call stack could follow.
    const int depth = 300000;
    const PgnGame nested =
        ReadGood("1. e4 " + std::string(depth, '(') + "1. d4" + std::string(depth, ')') + " e5 *");
    EXPECT_EQ(MovesText(nested), "e2e4 e7e5");
    EXPECT_EQ(ReadBad("1. e4\n" + std::string(depth, '(') + "\n"),
              "line 2: a variation is opened with ( and never closed");

    // A comment of most of the largest file is skipped like a short one.
    EXPECT_EQ(ReadGood("1. e4 {" + std::string(kMaxPgnBytes - 100, 'x') + "} e5 *").moves.size(),
              2u);
}

TEST(PgnReader, AGameLongerThanKestrionKeepsIsRefused) {
    std::string moves;
    for (std::size_t ply = 0; ply < kMaxPgnPlies; ply += 4) moves += "Nf3 Nf6 Ng1 Ng8 ";
    EXPECT_EQ(ReadGood(moves + "*").moves.size(), kMaxPgnPlies);
    EXPECT_EQ(ReadBad(moves + "\nNf3 *"),
              "line 2: the game is longer than the 5000 half-moves Kestrion reads");
}

}  // namespace
