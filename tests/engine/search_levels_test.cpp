// The levels: their names, their budgets in order, and a choice that depends on the position
// and the draws only.
#include <gtest/gtest.h>

#include <cstdint>

#include "engine/level.h"
#include "tests/engine/search_test_support.h"

namespace {

using engine::Level;
using engine::LevelPlayer;
using engine::Position;

TEST(Levels, NamesParseInAnyCase) {
    const struct {
        const char* text;
        Level level;
    } accepted[] = {
        {"Beginner", Level::Beginner}, {"beginner", Level::Beginner}, {"CASUAL", Level::Casual},
        {"cLuB", Level::Club},         {"master", Level::Master},     {"FULL", Level::Full},
    };
    for (const auto& a : accepted) {
        Level level = Level::Full;
        if (a.level == Level::Full) level = Level::Beginner;
        EXPECT_TRUE(engine::ParseLevel(a.text, level)) << a.text;
        EXPECT_EQ(level, a.level) << a.text;
    }
    for (const char* refused :
         {"", "classic", "Masters", "begin", "club ", " club", "m\xc3\xa4ster"}) {
        Level level = Level::Casual;
        EXPECT_FALSE(engine::ParseLevel(refused, level)) << refused;
        EXPECT_EQ(level, Level::Casual) << "unchanged after " << refused;
    }
    for (int i = 0; i < engine::kLevelCount; ++i) {
        Level back = Level::Full;
        const Level level = static_cast<Level>(i);
        ASSERT_TRUE(engine::ParseLevel(engine::LevelName(level), back));
        EXPECT_EQ(back, level);
    }
}

TEST(Levels, StrongerLevelsSearchMoreAndErrLess) {
    for (int i = 0; i + 2 < engine::kLevelCount; ++i) {
        const auto lower = engine::SettingsOf(static_cast<Level>(i));
        const auto higher = engine::SettingsOf(static_cast<Level>(i + 1));
        EXPECT_LT(lower.nodes, higher.nodes) << i;
        EXPECT_GE(lower.choiceMargin, higher.choiceMargin) << i;
        EXPECT_GE(lower.missPerMille, higher.missPerMille) << i;
        EXPECT_LE(lower.missNodes, lower.nodes) << i;
    }
    EXPECT_EQ(engine::SettingsOf(Level::Master).choiceMargin, 0);
    EXPECT_EQ(engine::SettingsOf(Level::Full).nodes, 0u);
}

// A small generator standing in for the game's, with a state a test can set.
std::uint32_t gState = 1;
int Draw() {
    gState = gState * 1103515245u + 12345u;
    return static_cast<int>((gState >> 16) & 0x7FFF);
}
int gDraws = 0;
int CountingDraw() {
    ++gDraws;
    return Draw();
}

engine::Move Choose(LevelPlayer& player, const Position& position, Level level, std::uint32_t seed,
                    std::uint64_t slice) {
    gState = seed;
    player.Begin(position, level, &Draw);
    while (!player.Advance(slice)) {
    }
    return player.ChosenMove();
}

TEST(Levels, SameSeedSameMoveWhateverTheSlices) {
    const Position position =
        search_test::FromFen("r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3");
    LevelPlayer player(1);
    for (Level level : {Level::Beginner, Level::Casual}) {
        for (std::uint32_t seed : {1u, 99u, 12345u}) {
            const engine::Move once = Choose(player, position, level, seed, 1ull << 40);
            EXPECT_EQ(once, Choose(player, position, level, seed, 5)) << seed;
            EXPECT_EQ(once, Choose(player, position, level, seed, 333)) << seed;
        }
    }
}

TEST(Levels, LowLevelsVaryButNeverThrowAPieceAway) {
    // A beginner varies its play where moves are close, but takes a queen offered for free.
    LevelPlayer player(1);
    int distinctAtStart = 0;
    engine::Move seen[64] = {};
    const Position start = Position::Start(engine::Rules::Standard);
    for (std::uint32_t seed = 1; seed <= 24; ++seed) {
        const engine::Move move = Choose(player, start, Level::Beginner, seed, 1ull << 40);
        bool known = false;
        for (int i = 0; i < distinctAtStart; ++i) known = known || seen[i] == move;
        if (!known) seen[distinctAtStart++] = move;
    }
    EXPECT_GE(distinctAtStart, 3) << "a beginner opens in more than one way";
    // Black's queen stands on g5, open to the bishop on c1.
    const Position queen =
        search_test::FromFen("rnb1kbnr/pppp1ppp/8/4p1q1/3P4/8/PPP1PPPP/RNBQKBNR w KQkq - 0 1");
    const engine::Move bishopTakes = engine::ParseMoveText(queen, "c1g5");
    ASSERT_NE(bishopTakes, engine::kNoMove);
    int took = 0;
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        took += Choose(player, queen, Level::Casual, seed, 1ull << 40) == bishopTakes;
    }
    EXPECT_GE(took, 11) << "a casual player takes a free queen";
}

TEST(Levels, DrawsFewRandomsAndNoneWithoutAChoice) {
    const Position position = Position::Start(engine::Rules::Classic);
    LevelPlayer player(1);
    for (Level level : {Level::Beginner, Level::Casual, Level::Club}) {
        int counts[2] = {};
        for (int run = 0; run < 2; ++run) {
            gDraws = 0;
            gState = 7 + run;
            player.Begin(position, level, &CountingDraw);
            player.Run();
            counts[run] = gDraws;
        }
        EXPECT_LE(counts[0], 4) << engine::LevelName(level);
        if (engine::SettingsOf(level).choiceMargin == 0) {
            EXPECT_EQ(counts[0], 0) << engine::LevelName(level);
        }
    }
}

TEST(Levels, ClubAndAboveFindTheMate) {
    const Position position = search_test::FromFen("r5rk/5p1p/5R2/4B3/8/8/7P/7K w - - 0 1");
    LevelPlayer player(1);
    const engine::Move move = Choose(player, position, Level::Club, 5, 1ull << 40);
    EXPECT_EQ(engine::MoveToText(position, move), "f6a6");
}

}  // namespace
