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
    const std::int64_t movesPlanned =
        clock.movesToGo > 0 ? std::min<std::int64_t>(clock.movesToGo, kMostMovesPlanned)
                            : kExpectedMovesLeft;
    // The overhead is kept back for each of the next several moves, not just this one: on a
    // busy machine an answer may take longer on its way than the overhead, and with this
    // reserve the clock settles on it, thinking only briefly, instead of running out.
    const std::int64_t reserve = overheadMs * (2 + std::min<std::int64_t>(movesPlanned, 10));
    const std::int64_t available = std::max<std::int64_t>(0, left - reserve);
    // Of the increment, which comes back after the move, half may be spent now, once the
    // clock holds more than the reserve. No move takes more than a third of what is
    // available (half before a time control).
    const std::int64_t share = available / movesPlanned + std::min(increment / 2, available / 4);
    const std::int64_t ceiling = clock.movesToGo == 1 ? available / 2 : available / 3;
    budget.limited = true;
    budget.softMs = std::max<std::int64_t>(1, std::min(share, ceiling));
    budget.hardMs = std::max(budget.softMs, std::min(share * 3, ceiling));
    return budget;
}

}  // namespace uci
