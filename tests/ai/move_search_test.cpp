#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "ai/computer_player.h"
#include "ai/random_draw.h"
#include "tests/ai/position_setup.h"

namespace {

class MoveSearch : public ::testing::Test {
  protected:
    void SetUp() override {
        randomSeeded = 1;
        SeedRandom(2024);
        player.board = &board;
    }

    // Runs SearchStep until it reports the end; returns the number of calls.
    int SearchToEnd() {
        int calls = 0;
        while (calls < 100) {
            ++calls;
            if (player.SearchStep() == 1) break;
        }
        return calls;
    }

    void FillTable(const int (&scores)[5]) {
        const char* moves[5] = {"a1a2", "b1b2", "c1c2", "d1d2", "e1e2"};
        for (int i = 0; i < 5; ++i) {
            std::memcpy(player.candidates[i].move, moves[i], 5);
            player.candidates[i].score = scores[i];
        }
    }

    Board board;
    ComputerPlayer player;
};

TEST_F(MoveSearch, WhiteFromStartTakesSixteenCallsAndKeepsTheBestFive) {
    player.BeginSearch(1);
    for (int call = 1; call <= 15; ++call) EXPECT_EQ(player.SearchStep(), 0) << call;
    EXPECT_EQ(player.SearchStep(), 1);
    EXPECT_EQ(player.finished, 1);

    const std::set<std::string> knights = {player.candidates[0].move, player.candidates[1].move};
    EXPECT_EQ(knights, (std::set<std::string>{"b8c6", "g8f6"}));
    EXPECT_EQ(player.candidates[0].score, 1003);
    EXPECT_EQ(player.candidates[1].score, 1003);
    std::set<std::string> advances;
    for (int i = 2; i < 5; ++i) {
        const std::string move = player.candidates[i].move;
        EXPECT_EQ(player.candidates[i].score, 1002) << move;
        EXPECT_TRUE(move.size() == 4 && move[1] == '7' && move[3] == '5' && move[0] == move[2])
            << move;
        advances.insert(move);
    }
    EXPECT_EQ(advances.size(), 3u);
    EXPECT_TRUE(SameSquares(board, Board()));

    // A finished search stays finished and leaves the table alone.
    const Candidate before = player.candidates[4];
    EXPECT_EQ(player.SearchStep(), 1);
    EXPECT_STREQ(player.candidates[4].move, before.move);
}

TEST_F(MoveSearch, BlackFromStartTakesSeventeenCalls) {
    player.BeginSearch(0);
    EXPECT_EQ(SearchToEnd(), 17);
    const std::set<std::string> knights = {player.candidates[0].move, player.candidates[1].move};
    EXPECT_EQ(knights, (std::set<std::string>{"b1c3", "g1f3"}));
    EXPECT_EQ(player.candidates[1].score, 1003);
    for (int i = 2; i < 5; ++i) {
        const std::string move = player.candidates[i].move;
        EXPECT_EQ(player.candidates[i].score, 1002) << move;
        EXPECT_TRUE(move[1] == '2' && move[3] == '4') << move;
    }
}

TEST_F(MoveSearch, BeginSearchClearsScoresAndSeedsOnlyOnce) {
    player.BeginSearch(1);
    SearchToEnd();
    randomSeeded = 0;
    player.BeginSearch(0);
    EXPECT_EQ(randomSeeded, 1);
    for (const Candidate& entry : player.candidates) EXPECT_EQ(entry.score, -1);
    EXPECT_EQ(player.side, 0);
    EXPECT_EQ(player.fileCursor, 'a');
    EXPECT_EQ(player.rankCursor, '1');
    EXPECT_EQ(player.finished, 0);

    SeedRandom(77);
    const int expected = DrawRandom();
    SeedRandom(77);
    player.BeginSearch(1);
    EXPECT_EQ(DrawRandom(), expected);
}

TEST_F(MoveSearch, PickMoveAcceptsOnlyFivePointsBelowTheBest) {
    FillTable({1010, 1005, 1004, 1000, 990});
    std::set<std::string> picked;
    for (int i = 0; i < 200; ++i) {
        char out[5];
        player.PickMove(out);
        picked.insert(out);
    }
    EXPECT_EQ(picked, (std::set<std::string>{"a1a2", "b1b2"}));
}

TEST_F(MoveSearch, PickMoveOnEmptyTableGivesEmptyText) {
    player.BeginSearch(1);
    char out[5] = "xxxx";
    player.PickMove(out);
    EXPECT_STREQ(out, "");
}

TEST_F(MoveSearch, FewLegalMovesNeverPickAnEmptyEntry) {
    SetUpBoard(board, "Ka8 kh1");
    player.BeginSearch(1);
    SearchToEnd();
    EXPECT_EQ(player.candidates[3].score, -1);
    for (int i = 0; i < 100; ++i) {
        char out[5];
        player.PickMove(out);
        ASSERT_EQ(std::strlen(out), 4u);
        EXPECT_TRUE(board.IsLegalMove(out, 1)) << out;
    }
}

// A score equal to table entries draws once per equal entry and lands before the lowest
// entry whose draw was odd.
TEST_F(MoveSearch, TiesDrawOncePerEqualEntry) {
    for (unsigned seed = 1; seed <= 8; ++seed) {
        FillTable({1003, 1001, 1001, 1001, -1});
        player.side = 1;
        SeedRandom(seed);
        const int first = DrawRandom(), second = DrawRandom(), third = DrawRandom();
        const int next = DrawRandom();
        int expectedPlace = 4;
        if (first % 2 == 1) expectedPlace = 3;
        if (second % 2 == 1) expectedPlace = 2;
        if (third % 2 == 1) expectedPlace = 1;

        SeedRandom(seed);
        char move[5] = "a7a6";  // scores 1001 from the start
        player.ScoreMove(move);
        EXPECT_EQ(DrawRandom(), next) << seed;
        EXPECT_STREQ(player.candidates[expectedPlace].move, "a7a6") << seed;
        EXPECT_EQ(player.candidates[expectedPlace].score, 1001);
        EXPECT_EQ(player.candidates[4].score, 1001) << "the empty entry was pushed out";
        EXPECT_TRUE(SameSquares(board, Board()));
    }
}

TEST_F(MoveSearch, LowerScoreThanAFullTableIsDropped) {
    FillTable({1010, 1009, 1008, 1007, 1006});
    player.side = 1;
    char move[5] = "a7a6";
    player.ScoreMove(move);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(player.candidates[i].score, 1010 - i);
}

}  // namespace
