#include <benchmark/benchmark.h>

#include "ai/random_draw.h"
#include "bench/perf/implementations.h"
#include "bench/perf/seeded_games.h"

// Each benchmark runs on the game's own code and on the plain transcription (suffix
// <GameImplementation> and <PlainImplementation>), so every ratio comes from one run.
namespace {

template <typename Impl>
void Load(benchmark::State& state, typename Impl::BoardType& board) {
    const BenchPosition& position = kPositions[state.range(0)];
    LoadRows(board, position.rows);
    state.SetLabel(position.name);
}

// The whole status: rewriting a square with its own letter clears the stored code, as any
// real square write would.
template <typename Impl>
void BM_GetStatus(benchmark::State& state) {
    typename Impl::BoardType board;
    Load<Impl>(state, board);
    const char corner = board.GetSquare('a', '1');
    for (auto _ : state) {
        board.SetSquare('a', '1', corner);
        benchmark::DoNotOptimize(board.GetStatus());
    }
}

// FindAttacker on every square of the board that holds a piece, as the evaluation asks;
// reported per call.
template <typename Impl>
void BM_FindAttacker(benchmark::State& state) {
    typename Impl::BoardType board;
    Load<Impl>(state, board);
    int calls = 0;
    for (auto _ : state) {
        calls = 0;
        for (char rank = '1'; rank <= '8'; ++rank) {
            for (char file = 'a'; file <= 'h'; ++file) {
                if (board.GetSquare(file, rank) == ' ') continue;
                char out[3];
                benchmark::DoNotOptimize(board.FindAttacker(file, rank, out));
                ++calls;
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * calls);
}

// The score of the position for the side that has just moved (the other one is to move).
template <typename Impl>
void BM_ScorePosition(benchmark::State& state) {
    typename Impl::BoardType board;
    Load<Impl>(state, board);
    typename Impl::PlayerType player;
    player.board = &board;
    player.side = 1 - kPositions[state.range(0)].sideToMove;
    for (auto _ : state) benchmark::DoNotOptimize(player.ScorePosition());
}

// A whole computer turn through the controller: every Step from the one that begins the
// search to the one that makes the move, then the position is put back.
template <typename Impl>
void BM_ComputerTurn(benchmark::State& state) {
    randomSeeded = 1;
    SeedRandom(1);
    static typename Impl::Game game;
    Impl::NewComputerGame(game);
    for (auto _ : state) {
        state.PauseTiming();
        Impl::NewComputerGame(game);
        Load<Impl>(state, game.board);
        game.whoseTurn = kPositions[state.range(0)].sideToMove;
        state.ResumeTiming();
        int steps = 0;
        while (game.Step() != MoveMade && steps < 100) ++steps;
        benchmark::DoNotOptimize(steps);
    }
}

// The same seeded games through both: the slowest and the median single Step and the
// slowest computer turn of each, in microseconds, and the ratios plain / game. Each Step
// is timed as the shortest of `replays` plays of the same games.
void BM_SeededGames(benchmark::State& state) {
    const int games = static_cast<int>(state.range(0));
    const int replays = static_cast<int>(state.range(1));
    constexpr unsigned kSeed = 7;
    constexpr int kMaxPlies = 400;
    GamesTiming game;
    GamesTiming plain;
    for (auto _ : state) {
        game = TimeGamesOfGame(kSeed, games, kMaxPlies, replays);
        plain = TimeGamesOfPlain(kSeed, games, kMaxPlies, replays);
    }
    const double gameSlowest = Slowest(game.stepMicroseconds);
    const double plainSlowest = Slowest(plain.stepMicroseconds);
    const double gameMedian = Median(game.stepMicroseconds);
    const double plainMedian = Median(plain.stepMicroseconds);
    state.counters["steps"] = static_cast<double>(game.stepMicroseconds.size());
    state.counters["same_moves"] = game.moves == plain.moves ? 1 : 0;
    state.counters["game_slowest_us"] = gameSlowest;
    state.counters["plain_slowest_us"] = plainSlowest;
    state.counters["slowest_ratio"] = plainSlowest / gameSlowest;
    state.counters["game_median_us"] = gameMedian;
    state.counters["plain_median_us"] = plainMedian;
    state.counters["median_ratio"] = plainMedian / gameMedian;
    state.counters["game_turn_us"] = Slowest(game.turnMicroseconds);
    state.counters["plain_turn_us"] = Slowest(plain.turnMicroseconds);
}

#define BOTH(bench)                                                                   \
    BENCHMARK_TEMPLATE(bench, GameImplementation)->DenseRange(0, kPositionCount - 1); \
    BENCHMARK_TEMPLATE(bench, PlainImplementation)->DenseRange(0, kPositionCount - 1)

BOTH(BM_GetStatus);
BOTH(BM_FindAttacker);
BOTH(BM_ScorePosition);
BENCHMARK_TEMPLATE(BM_ComputerTurn, GameImplementation)
    ->DenseRange(0, kPositionCount - 1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_ComputerTurn, PlainImplementation)
    ->DenseRange(0, kPositionCount - 1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SeededGames)
    ->Args({20, 1})
    ->Args({20, 3})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
