#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "ai/computer_player.h"
#include "ai/random_draw.h"
#include "tests/differential/generated_positions.h"
#include "tests/differential/twin_boards.h"
#include "tests/reference/reference_player.h"

// The evaluation and the move search against their plain transcription: every score, the
// candidate table in its order, the random draws, the board and its stored status after
// every call.
namespace {

// Before each call the board holds either no status or the true one, as in play.
void StoreSameStatus(TwinBoards& twins, TestRandom& random) {
    twins.fast.cachedStatus = kStatusNotComputed;
    twins.plain.cachedStatus = kStatusNotComputed;
    if (random.Below(2) == 0) {
        twins.fast.GetStatus();
        twins.plain.cachedStatus = twins.fast.cachedStatus;
    }
}

void CompareScores(const std::vector<Squares>& boards, std::uint32_t seed) {
    TestRandom random(seed);
    TwinBoards twins;
    ComputerPlayer fast;
    fast.board = &twins.fast;
    reference::ComputerPlayer plain;
    plain.board = &twins.plain;
    for (const Squares& squares : boards) {
        twins.Load(squares, kStatusNotComputed);
        for (int side = 0; side <= 1; ++side) {
            for (int penalize = 0; penalize <= 1; ++penalize) {
                StoreSameStatus(twins, random);
                ASSERT_EQ(fast.ScoreSide(side, penalize), plain.ScoreSide(side, penalize))
                    << "side " << side << " penalize " << penalize << Describe(squares);
                ASSERT_TRUE(twins.Agree()) << Describe(squares);
            }
            fast.side = side;
            plain.side = side;
            StoreSameStatus(twins, random);
            ASSERT_EQ(fast.ScorePosition(), plain.ScorePosition())
                << "side " << side << Describe(squares);
            ASSERT_TRUE(twins.Agree()) << Describe(squares);
        }
    }
}

TEST(EvaluationAgainstPlainTranscription, PositionsFromRandomPlay) {
    const auto positions = PlayedPositions(3, 8, 150);
    ASSERT_GT(positions.size(), 600u);
    CompareScores(positions, 21);
}

TEST(EvaluationAgainstPlainTranscription, OddBoards) {
    CompareScores(OddBoards(4, 1200), 22);
}

// What a search leaves after each SearchStep, and the draws it made.
struct SearchRecord {
    std::vector<int> results;
    std::vector<std::vector<signed char>> boards;  // Squares then the stored status.
    std::vector<std::vector<char>> tables;         // Moves and scores of the five entries.
    char picks[3][5] = {};
    int nextDraw = 0;

    bool operator==(const SearchRecord& other) const {
        return results == other.results && boards == other.boards && tables == other.tables &&
               std::memcmp(picks, other.picks, sizeof picks) == 0 && nextDraw == other.nextDraw;
    }
};

template <typename Player, typename BoardType>
SearchRecord Search(Player& player, BoardType& board, int side, unsigned seed) {
    SearchRecord record;
    SeedRandom(seed);
    player.BeginSearch(side);
    for (int step = 0; step < 70; ++step) {
        // The controller takes the status before every step, so a step that leaves it
        // stored or clears it shows.
        board.GetStatus();
        const int result = player.SearchStep();
        record.results.push_back(result);
        std::vector<signed char> state(board.squares, board.squares + 64);
        state.push_back(static_cast<signed char>(board.cachedStatus));
        record.boards.push_back(state);
        std::vector<char> table;
        for (const auto& entry : player.candidates) {
            table.insert(table.end(), entry.move, entry.move + 5);
            const char* score = reinterpret_cast<const char*>(&entry.score);
            table.insert(table.end(), score, score + sizeof entry.score);
        }
        record.tables.push_back(table);
        if (result == 1) break;
    }
    for (auto& pick : record.picks) player.PickMove(pick);
    record.nextDraw = DrawRandom();
    return record;
}

void CompareSearches(const std::vector<Squares>& boards, std::uint32_t seed) {
    randomSeeded = 1;  // The searches below are seeded here, never from the clock.
    TestRandom random(seed);
    for (const Squares& squares : boards) {
        for (int side = 0; side <= 1; ++side) {
            TwinBoards twins;
            twins.Load(squares, kStatusNotComputed);
            ComputerPlayer fast;
            fast.board = &twins.fast;
            reference::ComputerPlayer plain;
            plain.board = &twins.plain;
            const unsigned drawSeed = random.Next();
            const SearchRecord fastRecord = Search(fast, twins.fast, side, drawSeed);
            const SearchRecord plainRecord = Search(plain, twins.plain, side, drawSeed);
            ASSERT_TRUE(fastRecord == plainRecord) << "side " << side << Describe(squares);
        }
    }
}

// Every fourth position of random play keeps the plain searches within the time of a test.
std::vector<Squares> EveryFourth(const std::vector<Squares>& all) {
    std::vector<Squares> some;
    for (std::size_t i = 0; i < all.size(); i += 4) some.push_back(all[i]);
    return some;
}

TEST(SearchAgainstPlainTranscription, PositionsFromRandomPlay) {
    const auto positions = EveryFourth(PlayedPositions(5, 6, 120));
    ASSERT_GT(positions.size(), 120u);
    CompareSearches(positions, 31);
}

TEST(SearchAgainstPlainTranscription, OddBoards) {
    CompareSearches(OddBoards(6, 200), 32);
}

}  // namespace
