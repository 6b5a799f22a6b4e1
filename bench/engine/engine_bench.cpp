#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "engine/perft.h"
#include "engine/position.h"
#include "rules/board.h"
#include "tests/engine/classic_perft_reference.h"

// Move generation speed and the full-depth counts of the well-known test positions. Each
// benchmark reports its leaf count (leaves) beside the published one (published), so a run
// shows at once whether the generator is exact, and the leaves per second.
namespace {

struct PerftCase {
    const char* name;
    const char* fen;
    int depth;
    std::uint64_t published;
};

constexpr PerftCase kCases[] = {
    {"start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 6, 119060324},
    {"castling", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 5,
     193690690},
    {"endgame", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 7, 178633661},
    {"promotions", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 6,
     706045033},
    {"discovery", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 5, 89941194},
    {"middlegame", "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10", 5,
     164075551},
};

void BM_Perft(benchmark::State& state) {
    const PerftCase& perftCase = kCases[state.range(0)];
    engine::Position position;
    std::string error;
    if (!position.SetFen(perftCase.fen, &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    std::uint64_t leaves = 0;
    for (auto _ : state) {
        leaves = engine::Perft(position, perftCase.depth);
        benchmark::DoNotOptimize(leaves);
    }
    state.SetLabel(std::string(perftCase.name) + " depth " + std::to_string(perftCase.depth) +
                   (leaves == perftCase.published ? " exact " : " WRONG COUNT "));
    state.counters["leaves"] = static_cast<double>(leaves);
    state.counters["published"] = static_cast<double>(perftCase.published);
    state.counters["leaves_per_second"] =
        benchmark::Counter(static_cast<double>(leaves) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    if (leaves != perftCase.published) state.SkipWithError("count differs from the published one");
}
BENCHMARK(BM_Perft)->DenseRange(0, 5)->Iterations(1)->Unit(benchmark::kMillisecond);

// The game's rules from the start position to depth 5: the engine's count and the count made
// with the game's own Board (every move found by IsLegalMove), which must be equal. The
// Board's count takes seconds, too long for the test command, which compares to depth 4.
void BM_ClassicPerftAgainstBoard(benchmark::State& state) {
    engine::Position position = engine::Position::Start(engine::Rules::Classic);
    std::uint64_t engineLeaves = 0;
    std::uint64_t boardLeaves = 0;
    for (auto _ : state) {
        engineLeaves = engine::Perft(position, 5);
        Board board;
        boardLeaves = CountBoardPaths(board, kWhite, 5);
    }
    state.counters["engine_leaves"] = static_cast<double>(engineLeaves);
    state.counters["board_leaves"] = static_cast<double>(boardLeaves);
    state.SetLabel(engineLeaves == boardLeaves ? "equal" : "DIFFERENT");
    if (engineLeaves != boardLeaves) state.SkipWithError("the engine and the Board disagree");
}
BENCHMARK(BM_ClassicPerftAgainstBoard)->Iterations(1)->Unit(benchmark::kMillisecond);

// The engine alone under the game's rules, for its speed.
void BM_ClassicPerft(benchmark::State& state) {
    engine::Position position = engine::Position::Start(engine::Rules::Classic);
    std::uint64_t leaves = 0;
    for (auto _ : state) leaves = engine::Perft(position, 6);
    state.counters["leaves"] = static_cast<double>(leaves);
    state.counters["leaves_per_second"] =
        benchmark::Counter(static_cast<double>(leaves) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ClassicPerft)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
