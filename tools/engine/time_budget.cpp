#include "tools/engine/time_budget.h"

#include <algorithm>

#include "tools/engine/uci_command.h"

namespace uci {

namespace {

// Without movestogo the game is taken to last this many more moves of ours: a move then
// spends about a twenty-fifth of the clock, and the clock shrinks slowly enough that the end
// of a long game still gets time.
constexpr std::int64_t kExpectedMovesLeft = 25;
// With a time control close, no more than this many moves are planned for at once, so that
// a movestogo of hundreds does not starve the moves before it.
constexpr std::int64_t kMostMovesPlanned = 50;

std::int64_t Clamp(std::int64_t value, std::int64_t low, std::int64_t high) {
    return std::min(std::max(value, low), high);
}

}  // namespace

TimeBudget PlanTime(const ClockSituation& clock, std::int64_t overheadMs) {
    TimeBudget budget;
    overheadMs = Clamp(overheadMs, 0, kLongestTimeMs);
    if (clock.moveTimeMs > 0) {
        const std::int64_t moveTime = Clamp(clock.moveTimeMs, 1, kLongestTimeMs);
        budget.limited = true;
        budget.hardMs = std::max<std::int64_t>(1, moveTime - overheadMs);
        budget.softMs = budget.hardMs;
        return budget;
    }
    if (clock.timeLeftMs < 0) return budget;

    const std::int64_t left = Clamp(clock.timeLeftMs, 0, kLongestTimeMs);
    const std::int64_t increment = Clamp(clock.incrementMs, 0, kLongestTimeMs);
    const std::int64_t available = std::max<std::int64_t>(0, left - overheadMs);
    const std::int64_t movesPlanned =
        clock.movesToGo > 0 ? std::min<std::int64_t>(clock.movesToGo, kMostMovesPlanned)
                            : kExpectedMovesLeft;
    // The increment comes back after the move, so half of it may be spent now. No move takes
    // more than a third of the clock (half before a time control): what the answer costs
    // beyond the overhead (a busy machine, a slow pipe) must never drain the clock, which
    // with that ceiling settles well above zero even when every move runs to its limit.
    const std::int64_t share = available / movesPlanned + increment / 2;
    const std::int64_t ceiling = clock.movesToGo == 1 ? available / 2 : available / 3;
    budget.limited = true;
    budget.softMs = std::max<std::int64_t>(1, std::min(share, ceiling));
    budget.hardMs = std::max(budget.softMs, std::min(share * 3, ceiling));
    return budget;
}

}  // namespace uci
