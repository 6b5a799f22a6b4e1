// kestrion-engine-signature: searches a fixed set of positions to a fixed depth and prints
// the nodes of each and their total. The total changes with any change to what the search
// does, and only then: a change meant only to make it faster must leave it as it was.
// It also reports the speed, which of course varies from run to run.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "bench/engine/bench_positions.h"
#include "engine/move_text.h"
#include "engine/position.h"
#include "engine/search.h"

namespace {

struct Totals {
    std::uint64_t nodes = 0;
    double seconds = 0;
    double cpuSeconds = 0;
};

void SearchOne(engine::Searcher& searcher, const engine::Position& position, int depth,
               const std::string& name, Totals& totals) {
    engine::SearchLimits limits;
    limits.depth = depth;
    searcher.Clear();
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    searcher.Begin(position, limits);
    searcher.Run();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    totals.cpuSeconds += static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const engine::SearchInfo& info = searcher.Info();
    std::printf("%-60s depth %2d  nodes %10llu  score %6d  best %s\n", name.c_str(), info.depth,
                static_cast<unsigned long long>(searcher.Nodes()), info.scoreCp,
                engine::MoveToText(position, searcher.BestMove()).c_str());
    totals.nodes += searcher.Nodes();
    totals.seconds += seconds;
}

}  // namespace

int main(int argc, char** argv) {
    int depth = 10;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--depth") == 0 && i + 1 < argc) {
            depth = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: kestrion-engine-signature [--depth N]\n");
            return 2;
        }
    }
    engine::Searcher searcher(16);
    Totals totals;
    for (const char* fen : bench_engine::kStandardFens) {
        engine::Position position;
        std::string error;
        if (!position.SetFen(fen, &error)) {
            std::fprintf(stderr, "bad position %s: %s\n", fen, error.c_str());
            return 1;
        }
        SearchOne(searcher, position, depth, fen, totals);
    }
    // The game's own rules from its start and after a few moves of its own text.
    const char* classicLines[] = {"", "e7e5 e2e4 g8f6 b1c3 f8c5 f1c4"};
    for (const char* line : classicLines) {
        engine::Position position = engine::Position::Start(engine::Rules::Classic);
        std::string moves = line;
        std::size_t at = 0;
        while (at < moves.size()) {
            const std::size_t end = std::min(moves.find(' ', at), moves.size());
            position.DoMove(engine::ParseMoveText(position, moves.substr(at, end - at)));
            at = end + 1;
        }
        SearchOne(searcher, position, depth, std::string("classic: ") + (*line ? line : "start"),
                  totals);
    }
    std::printf("signature %llu nodes (depth %d)\n", static_cast<unsigned long long>(totals.nodes),
                depth);
    // On a shared machine the processor time is the fairer measure.
    std::printf("speed %.0f nodes/s over %.2f s, %.0f nodes per processor second\n",
                totals.nodes / totals.seconds, totals.seconds, totals.nodes / totals.cpuSeconds);
    return 0;
}
