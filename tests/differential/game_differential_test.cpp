#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ai/random_draw.h"
#include "game/chess_game.h"
#include "tests/reference/reference_player.h"

// Whole computer-against-computer games, seeded, through the game's controller and through
// the plain transcription: the same result of every Step, the same board and stored status
// after it, the same candidate table, and so the same moves from the same random draws.
namespace {

struct StepRecord {
    int result;
    std::string squares;
    int cachedStatus;
    int whoseTurn;
    std::string table;
    std::string lastMove;

    bool operator==(const StepRecord&) const = default;
};

template <typename Game>
StepRecord Record(const Game& game, int result, const char* lastMove, char moved, char captured) {
    StepRecord record{result,
                      std::string(reinterpret_cast<const char*>(game.board.squares), 64),
                      game.board.cachedStatus,
                      game.whoseTurn,
                      {},
                      std::string(lastMove) + moved + captured};
    for (const auto& entry : game.computer.candidates) {
        record.table += std::string(entry.move, 4) + ':' + std::to_string(entry.score) + ' ';
    }
    return record;
}

std::vector<StepRecord> PlayGame(unsigned seed, int maxPlies) {
    randomSeeded = 1;
    SeedRandom(seed);
    static ChessGame game;
    game.NewGame(Computer, Computer);
    std::vector<StepRecord> records;
    for (int plies = 0; plies < maxPlies;) {
        const int result = game.Step();
        char text[5];
        char moved;
        char captured;
        game.GetLastMove(text, &moved, &captured);
        records.push_back(Record(game, result, text, moved, captured));
        if (result == GameOver) break;
        if (result == MoveMade) ++plies;
    }
    records.push_back({DrawRandom(), {}, 0, 0, {}, {}});  // The draws made, in effect.
    return records;
}

std::vector<StepRecord> PlayPlainGame(unsigned seed, int maxPlies) {
    SeedRandom(seed);
    static reference::ChessGame game;
    game.NewGame();
    std::vector<StepRecord> records;
    for (int plies = 0; plies < maxPlies;) {
        const int result = game.Step();
        records.push_back(
            Record(game, result, game.lastMoveText, game.lastMoved, game.lastCaptured));
        if (result == 0) break;
        if (result == 6) ++plies;
    }
    records.push_back({DrawRandom(), {}, 0, 0, {}, {}});
    return records;
}

TEST(GamesAgainstPlainTranscription, SeededGamesStepForStep) {
    int moves = 0;
    for (unsigned seed = 1; seed <= 8; ++seed) {
        const std::vector<StepRecord> fast = PlayGame(seed, 160);
        const std::vector<StepRecord> plain = PlayPlainGame(seed, 160);
        ASSERT_EQ(fast.size(), plain.size()) << "seed " << seed;
        for (std::size_t i = 0; i < fast.size(); ++i) {
            ASSERT_TRUE(fast[i] == plain[i])
                << "seed " << seed << " step " << i << ": " << fast[i].lastMove << " against "
                << plain[i].lastMove;
            moves += fast[i].result == MoveMade;
        }
    }
    EXPECT_GT(moves, 300);
}

}  // namespace
