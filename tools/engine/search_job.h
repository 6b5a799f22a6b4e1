#pragma once

// One `go`: runs the search (the full engine, or a level's player) on a copy of the position
// in slices of nodes, and between slices looks at the stop flag and the clock; reports each
// finished depth as an info line and ends with the bestmove line.

#include <atomic>
#include <cstdint>
#include <functional>

#include "engine/level.h"
#include "engine/position.h"
#include "engine/search.h"
#include "tools/engine/line_sink.h"
#include "tools/engine/time_budget.h"

namespace uci {

struct SearchRequest {
    engine::Position root;
    engine::SearchLimits limits;
    TimeBudget time;
    // After the search has finished by itself, the answer waits for stop (go infinite).
    bool waitForStop = false;
    // The level of a level's player (below full strength).
    engine::Level level = engine::Level::Full;
};

// The search of the session's level: exactly one of the two is given.
struct SearchTools {
    engine::Searcher* searcher;
    engine::LevelPlayer* levelPlayer;
    int (*drawRandom)();
    std::function<std::int64_t()> nowMs;
    // Called while waiting for stop, so a waiting thread does not spin at full speed.
    std::function<void()> pause;
};

void RunSearch(const SearchRequest& request, SearchTools& tools, const std::atomic<bool>& stop,
               LineSink& out);

// "info depth ... pv ..." for a finished iteration; the moves of the PV are written as UCI
// moves from root, up to the first that is not legal where it stands.
std::string InfoLine(const engine::Position& root, const engine::SearchInfo& info,
                     std::int64_t elapsedMs);

}  // namespace uci
