// The search advanced a few nodes at a time, as a frame loop drives it, must do exactly what
// it does in one go; and the same search twice must give the same result.
#include <gtest/gtest.h>

#include "tests/engine/search_test_support.h"

namespace {

using engine::Position;
using engine::Searcher;
using engine::SearchLimits;
using search_test::FromFen;

struct Result {
    engine::Move move;
    std::uint64_t nodes;
    int score;
    int depth;
    engine::Move pv[4];
};

Result Sliced(Searcher& searcher, const Position& position, const SearchLimits& limits,
              std::uint64_t slice) {
    searcher.Clear();
    searcher.Begin(position, limits);
    int calls = 0;
    while (!searcher.Advance(slice)) {
        ++calls;
    }
    const engine::SearchInfo& info = searcher.Info();
    Result r{searcher.BestMove(), searcher.Nodes(), info.scoreCp, info.depth, {}};
    for (int i = 0; i < 4 && i < info.pvLength; ++i) {
        r.pv[i] = info.pv[i];
    }
    return r;
}

void ExpectSame(const Result& a, const Result& b, const std::string& what) {
    EXPECT_EQ(a.move, b.move) << what;
    EXPECT_EQ(a.nodes, b.nodes) << what;
    EXPECT_EQ(a.score, b.score) << what;
    EXPECT_EQ(a.depth, b.depth) << what;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(a.pv[i], b.pv[i]) << what << " pv " << i;
    }
}

const char* kPositions[] = {
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
};

TEST(SearchSlices, SliceSizeChangesNothing) {
    Searcher searcher(2);
    for (const char* fen : kPositions) {
        const Position position = FromFen(fen);
        SearchLimits limits;
        limits.nodes = 12000;
        const Result whole = Sliced(searcher, position, limits, 1ull << 40);
        EXPECT_EQ(whole.nodes, limits.nodes) << fen;
        for (std::uint64_t slice : {1ull, 7ull, 1000ull}) {
            ExpectSame(whole, Sliced(searcher, position, limits, slice),
                       std::string(fen) + " slice " + std::to_string(slice));
        }
    }
}

TEST(SearchSlices, ClassicGameSlicedAlike) {
    Position position = Position::Start(engine::Rules::Classic);
    search_test::Play(position, {"e7e5", "e2e4", "g8f6"});
    Searcher searcher(2);
    SearchLimits limits;
    limits.nodes = 8000;
    const Result whole = Sliced(searcher, position, limits, 1ull << 40);
    ExpectSame(whole, Sliced(searcher, position, limits, 3), "classic slice 3");
    ExpectSame(whole, Sliced(searcher, position, limits, 777), "classic slice 777");
}

TEST(SearchSlices, RepeatedSearchesAgreeOnceTheTableIsCleared) {
    Searcher searcher(2);
    const Position position = FromFen(kPositions[0]);
    SearchLimits limits;
    limits.nodes = 20000;
    const Result first = Sliced(searcher, position, limits, 1ull << 40);
    // A search of another position in between leaves nothing behind once cleared.
    SearchLimits other;
    other.nodes = 5000;
    Sliced(searcher, FromFen(kPositions[1]), other, 1ull << 40);
    ExpectSame(first, Sliced(searcher, position, limits, 1ull << 40), "after another search");
    // A second searcher of the same size agrees too.
    Searcher twin(2);
    ExpectSame(first, Sliced(twin, position, limits, 1ull << 40), "twin searcher");
}

// The table's size changes which positions it remembers, so the tree may differ, but the
// search must still end at its budget with a legal move and see what it must.
TEST(SearchSlices, AnyTableSizeWorks) {
    for (std::size_t megabytes : {0u, 1u, 3u, 64u}) {
        Searcher searcher(megabytes);
        EXPECT_GT(searcher.HashBytes(), 0u);
        EXPECT_LE(searcher.HashBytes(), std::max<std::size_t>(megabytes, 1) * 1024 * 1024);
        for (const char* fen : kPositions) {
            const Position position = FromFen(fen);
            SearchLimits limits;
            limits.nodes = 6000;
            const auto outcome = search_test::Search(searcher, position, limits);
            engine::MoveList legal;
            position.GenerateLegal(legal);
            EXPECT_TRUE(legal.Contains(outcome.move)) << fen << " at " << megabytes << " MB";
            EXPECT_EQ(outcome.nodes, limits.nodes);
        }
        SearchLimits limits;
        limits.nodes = 200000;
        const auto mate =
            search_test::Search(searcher, FromFen("r5rk/5p1p/5R2/4B3/8/8/7P/7K w - - 0 1"), limits);
        EXPECT_EQ(mate.mateIn, 3) << megabytes << " MB";
    }
}

TEST(SearchSlices, StopEndsWithTheLastFinishedIteration) {
    Searcher searcher(2);
    const Position position = FromFen(kPositions[0]);
    int polls = 0;
    // A stop test that says stop on its third poll: the search ends soon after, with a
    // legal move from a finished iteration.
    searcher.SetStopTest([&polls] { return ++polls >= 3; }, 1000);
    SearchLimits limits;
    limits.infinite = true;
    searcher.Begin(position, limits);
    searcher.Run();
    searcher.SetStopTest(nullptr);
    EXPECT_EQ(polls, 3);
    EXPECT_GE(searcher.Info().depth, 1);
    engine::MoveList legal;
    position.GenerateLegal(legal);
    EXPECT_TRUE(legal.Contains(searcher.BestMove()));

    // Stop from outside between slices.
    searcher.Begin(position, limits);
    searcher.Advance(5000);
    searcher.Stop();
    EXPECT_TRUE(searcher.Advance(5000));
    EXPECT_TRUE(legal.Contains(searcher.BestMove()));
}

TEST(SearchSlices, DepthLimitAndInfoReports) {
    Searcher searcher(2);
    int reports = 0;
    int lastDepth = 0;
    searcher.SetInfoCallback([&](const engine::SearchInfo& info) {
        ++reports;
        EXPECT_EQ(info.depth, lastDepth + 1);
        lastDepth = info.depth;
        EXPECT_GT(info.pvLength, 0);
    });
    SearchLimits limits;
    limits.depth = 5;
    const Position position = FromFen(kPositions[0]);
    const auto outcome = search_test::Search(searcher, position, limits);
    searcher.SetInfoCallback(nullptr);
    EXPECT_EQ(reports, 5);
    EXPECT_EQ(outcome.depth, 5);
    EXPECT_EQ(searcher.Info().pv[0], outcome.move);
}

TEST(SearchSlices, NoLegalMoveGivesNoMove) {
    Searcher searcher(1);
    SearchLimits limits;
    limits.nodes = 100;
    // Checkmated and stalemated: nothing to play, at once.
    const auto mated =
        search_test::Search(searcher, FromFen("7k/6Q1/6K1/8/8/8/8/8 b - - 0 1"), limits);
    EXPECT_EQ(mated.move, engine::kNoMove);
    const auto stalemate =
        search_test::Search(searcher, FromFen("7k/8/6QK/8/8/8/8/8 b - - 0 1"), limits);
    EXPECT_EQ(stalemate.move, engine::kNoMove);
    EXPECT_TRUE(searcher.Advance(10));
}

}  // namespace
