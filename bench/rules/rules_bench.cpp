#include <benchmark/benchmark.h>

#include <cstring>

#include "bench/rules/positions.h"
#include "rules/board.h"

namespace {

void SetUp(benchmark::State& state, Board& board, const BenchPosition*& position) {
    position = &kBenchPositions[state.range(0)];
    LoadRows(board, position->rows);
    state.SetLabel(position->name);
}

// One legality test of a move that goes as far as its trial move.
void BM_IsLegalMove(benchmark::State& state) {
    Board board;
    const BenchPosition* position;
    SetUp(state, board, position);
    char text[5];
    for (auto _ : state) {
        std::memcpy(text, position->move, 5);
        benchmark::DoNotOptimize(board.IsLegalMove(text, position->moveSide));
    }
}

// Every source and target square for the side of each piece, as the status scan and the
// move search do; reported per legality test.
void BM_IsLegalMoveAllPairs(benchmark::State& state) {
    Board board;
    const BenchPosition* position;
    SetUp(state, board, position);
    for (auto _ : state) {
        for (int from = 0; from < 64; ++from) {
            const int side = board.squares[from] >= 'A' && board.squares[from] <= 'Z';
            for (int to = 0; to < 64; ++to) {
                char text[5] = {static_cast<char>('a' + from % 8),
                                static_cast<char>('1' + from / 8), static_cast<char>('a' + to % 8),
                                static_cast<char>('1' + to / 8), '\0'};
                benchmark::DoNotOptimize(board.IsLegalMove(text, side));
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * 64 * 64);
}

void BM_FindAttacker(benchmark::State& state) {
    Board board;
    const BenchPosition* position;
    SetUp(state, board, position);
    char out[3];
    for (auto _ : state) {
        benchmark::DoNotOptimize(board.FindAttacker(position->probeFile, position->probeRank, out));
    }
}

// The full work of the status: rewriting one square with its own letter clears the stored
// code, as any real square write would.
void BM_GetStatus(benchmark::State& state) {
    Board board;
    const BenchPosition* position;
    SetUp(state, board, position);
    const char corner = board.GetSquare('a', '1');
    for (auto _ : state) {
        board.SetSquare('a', '1', corner);
        benchmark::DoNotOptimize(board.GetStatus());
    }
}

void BM_GetStatusStored(benchmark::State& state) {
    Board board;
    const BenchPosition* position;
    SetUp(state, board, position);
    board.GetStatus();
    for (auto _ : state) benchmark::DoNotOptimize(board.GetStatus());
}

constexpr int kPositionCount = sizeof kBenchPositions / sizeof kBenchPositions[0];

BENCHMARK(BM_IsLegalMove)->DenseRange(0, kPositionCount - 1);
BENCHMARK(BM_IsLegalMoveAllPairs)->DenseRange(0, kPositionCount - 1);
BENCHMARK(BM_FindAttacker)->DenseRange(0, kPositionCount - 1);
BENCHMARK(BM_GetStatus)->DenseRange(0, kPositionCount - 1);
BENCHMARK(BM_GetStatusStored)->DenseRange(0, kPositionCount - 1);

}  // namespace

BENCHMARK_MAIN();
