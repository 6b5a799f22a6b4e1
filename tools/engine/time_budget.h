#pragma once

// How long one move may think, from what the go command says about the clocks. A pure
// function, so that every case of the clocks can be tried without a search or a clock.

#include <cstdint>

namespace uci {

struct ClockSituation {
    std::int64_t timeLeftMs = -1;  // the mover's clock; -1 when not given
    std::int64_t incrementMs = 0;  // the mover's increment
    int movesToGo = 0;             // moves until the next time control; 0 = the rest of the game
    std::int64_t moveTimeMs = 0;   // go movetime; 0 when not given
};

struct TimeBudget {
    bool limited = false;  // false: no time limit (depth, nodes, infinite, or a bare go)
    // Past soft, no new iteration is worth starting; at hard the search stops mid-iteration.
    std::int64_t softMs = 0;
    std::int64_t hardMs = 0;
};

// What the answer itself costs on its way to the other program (writing the move, the pipe,
// the other side's reading and clock): kept back from every budget.
inline constexpr std::int64_t kMoveOverheadMs = 50;

TimeBudget PlanTime(const ClockSituation& clock, std::int64_t overheadMs = kMoveOverheadMs);

}  // namespace uci
