#include <benchmark/benchmark.h>

#include "ai/random_draw.h"
#include "game/chess_game.h"

namespace {

// One whole computer turn from the initial position: every Step from the one that begins
// the search to the one that makes the move.
void ComputerTurnFromStart(benchmark::State& state, int blackToMove) {
    randomSeeded = 1;
    SeedRandom(1);
    static ChessGame game;
    for (auto _ : state) {
        game.NewGame(Computer, Computer);
        game.whoseTurn = blackToMove ? 0 : 1;
        int steps = 0;
        while (game.Step() != MoveMade) ++steps;
        benchmark::DoNotOptimize(steps);
    }
}

void BM_WhiteComputerTurnFromStart(benchmark::State& state) {
    ComputerTurnFromStart(state, 0);
}
void BM_BlackComputerTurnFromStart(benchmark::State& state) {
    ComputerTurnFromStart(state, 1);
}

// The longest single Step of a turn from the start handles one knight: two evaluations.
void BM_ScorePositionFromStart(benchmark::State& state) {
    Board board;
    ComputerPlayer player;
    player.board = &board;
    player.side = 1;
    for (auto _ : state) benchmark::DoNotOptimize(player.ScorePosition());
}

BENCHMARK(BM_WhiteComputerTurnFromStart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlackComputerTurnFromStart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScorePositionFromStart)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
