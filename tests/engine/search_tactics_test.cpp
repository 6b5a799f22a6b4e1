// What the search must find: forced mates, the way around a stalemate, a draw by repetition
// when it is losing, and exchanges valued right.
#include <gtest/gtest.h>

#include "engine/exchange.h"
#include "tests/engine/search_test_support.h"

namespace {

using engine::GameStatus;
using engine::Position;
using engine::Searcher;
using engine::SearchLimits;
using search_test::ForcesMate;
using search_test::FromFen;
using search_test::Search;

struct MateCase {
    const char* fen;
    int moves;
};

// The move found must start a mate the brute force confirms, and the score must say the
// same distance: a search that finds the mate but misjudges it, or reports a mate that is not
// there, fails.
TEST(SearchMates, FindsAndReportsMatesInOneTwoAndThree) {
    const MateCase cases[] = {
        {"6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1", 1},
        {"7k/8/6K1/8/8/8/8/5Q2 w - - 0 1", 1},
        {"r2qkb1r/pp2nppp/3p4/2pNN1B1/2BnP3/3P4/PPP2PPP/R2bK2R w KQkq - 1 1", 2},
        {"6k1/pp4p1/2p5/2bp4/8/P5Pb/1P3rrP/2BRRN1K b - - 0 1", 2},
        {"2r3k1/p4p2/3Rp2p/1p2P1pK/8/1P4P1/P3Q2P/1q6 b - - 0 1", 3},
        {"r1b1kb1r/pppp1ppp/5q2/4n3/3KP3/2N3PN/PPP4P/R1BQ1B1R b kq - 0 1", 3},
        {"r5rk/5p1p/5R2/4B3/8/8/7P/7K w - - 0 1", 3},
    };
    Searcher searcher(4);
    for (const MateCase& c : cases) {
        Position position = FromFen(c.fen);
        SearchLimits limits;
        limits.nodes = 400000;
        const auto outcome = Search(searcher, position, limits);
        EXPECT_EQ(outcome.mateIn, c.moves) << c.fen;
        ASSERT_NE(outcome.move, engine::kNoMove) << c.fen;
        position.DoMove(outcome.move);
        if (c.moves == 1) {
            EXPECT_EQ(position.Status(), GameStatus::Checkmate) << c.fen;
            continue;
        }
        engine::MoveList replies;
        position.GenerateLegal(replies);
        ASSERT_GT(replies.size, 0) << c.fen;
        for (engine::Move reply : replies) {
            position.DoMove(reply);
            EXPECT_TRUE(ForcesMate(position, c.moves - 1))
                << c.fen << " after " << engine::MoveToText(position, reply);
            position.UndoMove();
        }
    }
}

TEST(SearchMates, TheDefenderSeesTheMateComing) {
    // After the knight check, Black's only reply allows a bishop mate: mated in one.
    Position position =
        FromFen("r2qkb1r/pp2nppp/3p4/2pNN1B1/2BnP3/3P4/PPP2PPP/R2bK2R w KQkq - 1 1");
    search_test::Play(position, {"d5f6"});
    Searcher searcher(4);
    SearchLimits limits;
    limits.depth = 5;
    const auto outcome = Search(searcher, position, limits);
    EXPECT_EQ(outcome.mateIn, -1);
    EXPECT_LE(outcome.score, -engine::kMateBound);
}

// With a queen against a bare king many natural moves stalemate; the search must avoid them
// and still win.
TEST(SearchDraws, AvoidsStalematingWhenWinning) {
    const char* fens[] = {
        "7k/8/6K1/8/8/8/8/5Q2 w - - 0 1",
        "k7/8/1K6/8/8/8/8/2Q5 w - - 0 1",
        "7k/5K2/8/8/8/8/8/6Q1 w - - 0 1",
        "k7/2K5/8/8/8/8/1P6/8 w - - 0 1",
    };
    Searcher searcher(4);
    for (const char* fen : fens) {
        for (std::uint64_t nodes : {300ull, 5000ull, 100000ull}) {
            Position position = FromFen(fen);
            SearchLimits limits;
            limits.nodes = nodes;
            const auto outcome = Search(searcher, position, limits);
            ASSERT_NE(outcome.move, engine::kNoMove) << fen;
            position.DoMove(outcome.move);
            EXPECT_NE(position.Status(), GameStatus::Stalemate) << fen << " with " << nodes;
            EXPECT_GT(outcome.score, 100) << fen << " with " << nodes;
        }
    }
}

// A queen down, Black can draw by repeating the position a third time; anything else loses.
TEST(SearchDraws, TakesADrawByRepetitionWhenLosing) {
    Position position = FromFen("4k1n1/8/8/8/8/8/Q7/4K1N1 w - - 0 1");
    search_test::Play(position, {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1"});
    Searcher searcher(4);
    SearchLimits limits;
    limits.depth = 7;
    const auto outcome = Search(searcher, position, limits);
    EXPECT_EQ(engine::MoveToText(position, outcome.move), "f6g8");
    EXPECT_EQ(outcome.score, 0);

    // The winning side, to move in the same kind of position, steers clear of the repetition.
    Position winning = FromFen("4k1n1/8/8/8/8/8/Q7/4K1N1 w - - 0 1");
    search_test::Play(winning, {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6"});
    const auto ahead = Search(searcher, winning, limits);
    EXPECT_NE(engine::MoveToText(winning, ahead.move), "f3g1");
    EXPECT_GT(ahead.score, 500);
}

TEST(SearchDraws, FiftyMoveRuleEndsTheWinningLine) {
    // A queen up, but the clock stands at 99 half-moves: only a capture or a pawn move can
    // keep the game going, and there is none, so every line is a draw.
    const auto outcome = [] {
        Searcher searcher(4);
        SearchLimits limits;
        limits.depth = 4;
        return Search(searcher, FromFen("4k3/8/8/8/8/8/Q7/4K3 w - - 99 80"), limits);
    }();
    EXPECT_EQ(outcome.score, 0);
}

TEST(StaticExchange, CountsWhatEachSideTakesBack) {
    // Pawn takes a knight defended by a pawn: wins a knight for a pawn.
    Position a = FromFen("4k3/8/2p5/3n4/4P3/8/8/4K3 w - - 0 1");
    EXPECT_EQ(engine::StaticExchange(a, engine::ParseMoveText(a, "e4d5")), 320 - 100);
    // Queen takes a pawn defended by a pawn: loses the queen for a pawn.
    Position b = FromFen("4k3/8/2p5/3p4/8/8/3Q4/4K3 w - - 0 1");
    EXPECT_EQ(engine::StaticExchange(b, engine::ParseMoveText(b, "d2d5")), 100 - 950);
    // Rook takes an undefended rook: a clean rook.
    Position c = FromFen("4k3/8/8/3r4/8/8/3R4/4K3 w - - 0 1");
    EXPECT_EQ(engine::StaticExchange(c, engine::ParseMoveText(c, "d2d5")), 500);
    // Two attackers against one defender behind a battery: the rook behind the queen counts.
    Position d = FromFen("3rk3/8/8/3p4/8/8/3Q4/3RK3 w - - 0 1");
    EXPECT_EQ(engine::StaticExchange(d, engine::ParseMoveText(d, "d2d5")), 100 - 950 + 500);
    // A quiet move to a safe square neither gains nor loses; onto an attacked one it loses
    // the piece.
    EXPECT_EQ(engine::StaticExchange(c, engine::ParseMoveText(c, "d2e2")), 0);
    EXPECT_EQ(engine::StaticExchange(c, engine::ParseMoveText(c, "d2d3")), -500);
}

}  // namespace
