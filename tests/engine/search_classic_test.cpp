// The search under the game's own rules, on the odd boards a saved game can hold: no king,
// one king, bytes that are no piece, pawns on their last rank. Taking a king wins.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/level.h"
#include "tests/engine/search_test_support.h"

namespace {

using engine::Position;
using engine::Searcher;
using engine::SearchLimits;
using engine::Side;

// A board from rows of text, rank 8 first, as the game lays it out (index file + 8 * rank).
Position Classic(const char* rows[8], Side toMove) {
    signed char squares[64];
    for (int row = 0; row < 8; ++row) {
        const int rank = 7 - row;
        for (int file = 0; file < 8; ++file) {
            squares[file + 8 * rank] = static_cast<signed char>(rows[row][file]);
        }
    }
    return Position::FromClassicBoard(squares, toMove);
}

void ExpectPlayable(Searcher& searcher, const Position& position, const char* what) {
    engine::MoveList legal;
    position.GenerateLegal(legal);
    for (std::uint64_t nodes : {1ull, 50ull, 3000ull}) {
        SearchLimits limits;
        limits.nodes = nodes;
        const auto outcome = search_test::Search(searcher, position, limits);
        if (legal.size == 0) {
            EXPECT_EQ(outcome.move, engine::kNoMove) << what;
        } else {
            EXPECT_TRUE(legal.Contains(outcome.move)) << what << " with " << nodes;
        }
    }
}

TEST(SearchClassic, OddBoardsSearchWithoutHarm) {
    const char* noKings[8] = {"RNBQ BNR", "PPPPPPPP", "        ", "        ",
                              "        ", "        ", "pppppppp", "rnbq bnr"};
    const char* whiteKingOnly[8] = {"    K   ", "  P     ", "        ", "   q    ",
                                    "        ", "        ", "  p p   ", "  r     "};
    const char* strangeBytes[8] = {"K  #    ", "  Z  x  ", "  P   * ", "        ",
                                   "   !    ", "  p     ", "    z   ", "  k    P"};
    const char* twoKings[8] = {"K     K ", "PP      ", "        ", "        ",
                               "        ", "        ", "     pp ", " k    k "};
    const char* empty[8] = {"        ", "        ", "        ", "        ",
                            "        ", "        ", "        ", "        "};
    Searcher searcher(1);
    for (Side side : {Side::White, Side::Black}) {
        ExpectPlayable(searcher, Classic(noKings, side), "no kings");
        ExpectPlayable(searcher, Classic(whiteKingOnly, side), "one king");
        ExpectPlayable(searcher, Classic(strangeBytes, side), "strange bytes");
        ExpectPlayable(searcher, Classic(twoKings, side), "two kings each");
        ExpectPlayable(searcher, Classic(empty, side), "empty board");
    }
    // The levels play them too.
    engine::LevelPlayer player(1);
    for (int level = 0; level < engine::kLevelCount - 1; ++level) {
        player.Begin(Classic(strangeBytes, Side::Black), static_cast<engine::Level>(level),
                     [] { return 12345; });
        player.Advance(2000);
    }
}

TEST(SearchClassic, TakingTheKingWins) {
    // Black's king stands open to White's rook (a saved game can hold that): the capture is
    // legal under the game's rules and nothing is better.
    const char* rows[8] = {"       K", "        ", "        ", "        ",
                           "    R   ", "       q", "        ", "    k   "};
    const Position position = Classic(rows, Side::White);
    Searcher searcher(1);
    SearchLimits limits;
    limits.nodes = 20000;
    const auto outcome = search_test::Search(searcher, position, limits);
    EXPECT_EQ(engine::MoveToText(position, outcome.move), "e4e1");
    EXPECT_GE(outcome.score, engine::kMateBound);

    // Without a king, White's only moves take Black's king; with none, White has lost.
    const char* kingless[8] = {"        ", "        ", "        ", "  R     ",
                               "        ", "        ", "        ", "  k     "};
    const auto capture = search_test::Search(searcher, Classic(kingless, Side::White), limits);
    EXPECT_EQ(engine::MoveToText(Classic(kingless, Side::White), capture.move), "c5c1");
}

TEST(SearchClassic, MatesUnderTheGamesOrientation) {
    // White moves down the board: its back-rank mate is on rank 1.
    // Black's king on b1 behind its own pawns; White's rook comes down the f-file.
    const char* ready[8] = {" K      ", "     R  ", "        ", "        ",
                            "        ", "        ", "ppp     ", " k      "};
    const Position position = Classic(ready, Side::White);
    Searcher searcher(1);
    SearchLimits limits;
    limits.depth = 4;
    const auto outcome = search_test::Search(searcher, position, limits);
    EXPECT_EQ(outcome.mateIn, 1);
    Position after = position;
    after.DoMove(outcome.move);
    // Black checkmated in the game's own status codes.
    EXPECT_EQ(after.ClassicStatus(), 4);
}

TEST(SearchClassic, NoDrawByRepetitionUnderTheGamesRules) {
    // The same shuffle that draws a lost game under standard rules draws nothing here: the
    // side a queen down gets no zero from repeating.
    const char* rows[8] = {"    K N ", "Q       ", "        ", "        ",
                           "        ", "        ", "        ", "    k n "};
    Position position = Classic(rows, Side::White);
    search_test::Play(position, {"g8f6", "g1f3", "f6g8", "f3g1", "g8f6", "g1f3", "f6g8"});
    Searcher searcher(1);
    SearchLimits limits;
    limits.depth = 6;
    const auto outcome = search_test::Search(searcher, position, limits);
    EXPECT_LT(outcome.score, -300);
}

}  // namespace

namespace {

// Under the game's rules a side left without a move ends the game at once, even when it has
// just moved itself into that: a lost side can save the game so, and the search knows it.
TEST(SearchClassic, MovingIntoNoMovesDrawsUnderTheGamesRules) {
    const char* rows[8] = {"        ", "        ", "        ", "        ",
                           "   k    ", "   P q  ", "        ", "   nK   "};
    const Position position = Classic(rows, Side::White);
    Searcher searcher(1);
    SearchLimits limits;
    limits.depth = 5;
    const auto outcome = search_test::Search(searcher, position, limits);
    EXPECT_EQ(engine::MoveToText(position, outcome.move), "d3d2");
    EXPECT_EQ(outcome.score, 0);
    Position after = position;
    after.DoMove(outcome.move);
    EXPECT_EQ(after.ClassicStatus(), 3);  // White stalemated: the game ends drawn.
}

}  // namespace
