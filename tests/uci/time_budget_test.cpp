#include "tools/engine/time_budget.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "tools/engine/uci_command.h"

namespace uci {
namespace {

TimeBudget Plan(std::int64_t left, std::int64_t increment = 0, int movesToGo = 0) {
    ClockSituation clock;
    clock.timeLeftMs = left;
    clock.incrementMs = increment;
    clock.movesToGo = movesToGo;
    return PlanTime(clock);
}

TEST(TimeBudget, WithoutAClockThereIsNoTimeLimit) {
    EXPECT_FALSE(PlanTime(ClockSituation{}).limited);
}

TEST(TimeBudget, MoveTimeIsSpentWhole) {
    ClockSituation clock;
    clock.moveTimeMs = 1000;
    const TimeBudget budget = PlanTime(clock);
    EXPECT_TRUE(budget.limited);
    EXPECT_EQ(budget.hardMs, 1000 - kMoveOverheadMs);
    EXPECT_EQ(budget.softMs, budget.hardMs);
    // Shorter than the overhead still leaves the search a moment to find a legal move.
    clock.moveTimeMs = 5;
    EXPECT_EQ(PlanTime(clock).hardMs, 1);
    // The clocks do not matter once movetime is given.
    clock.timeLeftMs = 10;
    clock.moveTimeMs = 500;
    EXPECT_EQ(PlanTime(clock).hardMs, 500 - kMoveOverheadMs);
}

TEST(TimeBudget, NeverPlansMoreThanTheClockHoldsAndSoftNeverPassesHard) {
    for (std::int64_t left :
         {std::int64_t{0}, std::int64_t{1}, std::int64_t{29}, std::int64_t{31}, std::int64_t{100},
          std::int64_t{1000}, std::int64_t{10000}, std::int64_t{600000}, kLongestTimeMs}) {
        for (std::int64_t increment :
             {std::int64_t{0}, std::int64_t{100}, std::int64_t{5000}, kLongestTimeMs}) {
            for (int movesToGo : {0, 1, 2, 40, kMostMovesToGo}) {
                const TimeBudget budget = Plan(left, increment, movesToGo);
                SCOPED_TRACE(testing::Message()
                             << left << " + " << increment << " / " << movesToGo);
                EXPECT_TRUE(budget.limited);
                EXPECT_GE(budget.softMs, 1);
                EXPECT_LE(budget.softMs, budget.hardMs);
                // The clock less the overhead is all that may be spent, increment or not;
                // a clock with nothing left gets the 1 ms needed to name a legal move.
                EXPECT_LE(budget.hardMs, std::max<std::int64_t>(1, left - kMoveOverheadMs));
            }
        }
    }
}

TEST(TimeBudget, MoreTimeOnTheClockNeverMeansLessThought) {
    TimeBudget previous = Plan(0, 100);
    for (std::int64_t left = 10; left <= 20000; left += 37) {
        const TimeBudget budget = Plan(left, 100);
        EXPECT_GE(budget.softMs, previous.softMs) << left;
        EXPECT_GE(budget.hardMs, previous.hardMs) << left;
        previous = budget;
    }
}

TEST(TimeBudget, SuddenDeathAtTenSecondsPlusATenthLeavesRoomForALongGame) {
    // A move at the start spends a few hundred milliseconds, not seconds.
    const TimeBudget start = Plan(10000, 100);
    EXPECT_GT(start.softMs, 200);
    EXPECT_LT(start.hardMs, 2000);
    // Played out move after move at the hard limit, with every answer taking twice the
    // overhead on its way (as on a machine busy with other work), the clock survives 300
    // moves.
    std::int64_t clock = 10000;
    for (int move = 0; move < 300; ++move) {
        const TimeBudget budget = Plan(clock, 100);
        clock -= budget.hardMs + 2 * kMoveOverheadMs;
        ASSERT_GT(clock, 0) << "flag fell at move " << move;
        clock += 100;
    }
}

TEST(TimeBudget, AnIncrementAndAnApproachingControlBothAllowMore) {
    EXPECT_GT(Plan(60000, 1000).softMs, Plan(60000, 0).softMs);
    EXPECT_GT(Plan(60000, 0, 2).softMs, Plan(60000, 0, 30).softMs);
    // The last move before the control may use much of the clock, never all of it.
    const TimeBudget last = Plan(60000, 0, 1);
    EXPECT_GT(last.softMs, 25000);
    EXPECT_LE(last.hardMs, 30000);
}

}  // namespace
}  // namespace uci
