#include <benchmark/benchmark.h>

#include <ctime>
#include <string>

#include "bench/engine/bench_positions.h"
#include "engine/level.h"
#include "engine/position.h"
#include "engine/search.h"

// The search's speed: nodes per second, and how deep it gets in one second of a middle
// game, the time the Master level has for a move.
namespace {

engine::Position Middlegame() {
    engine::Position position;
    std::string error;
    position.SetFen(bench_engine::kMiddlegameFen, &error);
    return position;
}

// The second is processor time, so that a busy shared machine still shows what one second
// of its processor gives.
void BM_SearchOneSecond(benchmark::State& state) {
    engine::Searcher searcher(16);
    const engine::Position position = Middlegame();
    std::uint64_t nodes = 0;
    double seconds = 0;
    int depth = 0;
    for (auto _ : state) {
        searcher.Clear();
        const std::clock_t start = std::clock();
        searcher.SetStopTest([start] { return std::clock() - start >= CLOCKS_PER_SEC; }, 1024);
        engine::SearchLimits limits;
        limits.infinite = true;
        searcher.Begin(position, limits);
        searcher.Run();
        seconds += static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
        nodes += searcher.Nodes();
        depth = searcher.Info().depth;
    }
    state.counters["depth"] = depth;
    state.counters["nodes_per_second"] = static_cast<double>(nodes) / seconds;
}
BENCHMARK(BM_SearchOneSecond)->Iterations(3)->Unit(benchmark::kMillisecond);

// A fixed depth: the same nodes every run, so the rate compares builds and changes.
void BM_SearchFixedDepth(benchmark::State& state) {
    engine::Searcher searcher(16);
    const engine::Position position = Middlegame();
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        searcher.Clear();
        engine::SearchLimits limits;
        limits.depth = static_cast<int>(state.range(0));
        searcher.Begin(position, limits);
        searcher.Run();
        nodes += searcher.Nodes();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(nodes));
    state.counters["nodes"] = static_cast<double>(nodes) / state.iterations();
}
BENCHMARK(BM_SearchFixedDepth)->Arg(12)->Unit(benchmark::kMillisecond);

// A whole move of each level from the middle game: what a player waits for.
void BM_LevelMove(benchmark::State& state) {
    const auto level = static_cast<engine::Level>(state.range(0));
    engine::LevelPlayer player(16);
    const engine::Position position = Middlegame();
    for (auto _ : state) {
        player.Begin(position, level, [] { return 4242; });
        player.Run();
        benchmark::DoNotOptimize(player.ChosenMove());
    }
    state.SetLabel(engine::LevelName(level));
}
BENCHMARK(BM_LevelMove)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
