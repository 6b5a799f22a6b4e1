#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ai/random_draw.h"
#include "engine/move_text.h"
#include "rules/board.h"
#include "tools/selfplay/classic_game.h"
#include "tools/selfplay/match_score.h"
#include "tools/selfplay/players.h"
#include "tools/selfplay/standard_game.h"

namespace match {
namespace {

std::vector<std::string> Words(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

TEST(Players, NamesAreTakenInAnyCaseAndFullStrengthIsNotOne) {
    Player player;
    ASSERT_TRUE(ParsePlayer("BeGiNnEr", player));
    EXPECT_FALSE(player.classic);
    EXPECT_EQ(player.level, engine::Level::Beginner);
    EXPECT_EQ(PlayerName(player), "beginner");
    ASSERT_TRUE(ParsePlayer("MASTER", player));
    EXPECT_EQ(player.level, engine::Level::Master);
    ASSERT_TRUE(ParsePlayer("Classic", player));
    EXPECT_TRUE(player.classic);
    EXPECT_EQ(PlayerName(player), "classic");
    // Full strength has no node budget, so it would not give one game per seed.
    for (const char* name : {"full", "grandmaster", "", "club "}) {
        EXPECT_FALSE(ParsePlayer(name, player)) << name;
    }
}

TEST(MatchScore, EloFollowsTheLogisticScale) {
    EXPECT_EQ(EloFromScore(0.5, 100), 0.0);
    EXPECT_NEAR(EloFromScore(0.75, 100), 190.8, 0.1);
    EXPECT_NEAR(EloFromScore(0.25, 100), -190.8, 0.1);
    // A sweep stays finite: held half a game from the end.
    EXPECT_NEAR(EloFromScore(1.0, 200), EloFromScore(1 - 0.5 / 200, 200), 1e-9);
    EXPECT_TRUE(std::isfinite(EloFromScore(0.0, 1)));
}

TEST(MatchScore, TheIntervalHoldsTheEstimateAndNarrowsWithMoreGames) {
    const MatchScore few{6, 2, 2};
    const MatchScore many{60, 20, 20};
    const EloEstimate a = EstimateElo(few);
    const EloEstimate b = EstimateElo(many);
    EXPECT_DOUBLE_EQ(a.difference, b.difference);
    EXPECT_LT(a.low, a.difference);
    EXPECT_GT(a.high, a.difference);
    EXPECT_GT(a.high - a.low, b.high - b.low);
    EXPECT_FALSE(a.unbounded);
    EXPECT_TRUE(EstimateElo(MatchScore{5, 0, 0}).unbounded);
    EXPECT_EQ(Describe(MatchScore{1, 2, 1}).rfind("+1 =2 -1, 50.0 %, Elo +0 (95 %: ", 0), 0u);
    EXPECT_NE(Describe(MatchScore{0, 0, 3}).find("every game lost"), std::string::npos);
}

// Replays a Classic record on the game's own board: every move legal for its side, and the
// recorded ending the board's status.
void ExpectLegalClassicGame(const GameRecord& record) {
    Board board;
    int side = kWhite;
    for (const std::string& move : Words(record.moves)) {
        std::string text = move;
        ASSERT_TRUE(board.IsLegalMove(text.data(), side)) << move << " in " << record.moves;
        board.TryMove(text.data(), side);
        // The game queens a pawn on its last rank.
        for (char file = 'a'; file <= 'h'; ++file) {
            if (board.GetSquare(file, '1') == 'P') board.SetSquare(file, '1', 'Q');
            if (board.GetSquare(file, '8') == 'p') board.SetSquare(file, '8', 'q');
        }
        side ^= 1;
    }
    const int status = board.GetStatus();
    if (record.ending == "White checkmated") {
        EXPECT_EQ(status, WhiteCheckmated);
        EXPECT_EQ(record.outcome, Outcome::BlackWins);
    } else if (record.ending == "Black checkmated") {
        EXPECT_EQ(status, BlackCheckmated);
        EXPECT_EQ(record.outcome, Outcome::WhiteWins);
    } else {
        EXPECT_EQ(record.outcome, Outcome::Draw) << record.ending;
    }
}

TEST(ClassicGames, ALevelAgainstTheClassicPlayerPlaysLegallyThroughTheController) {
    randomSeeded = 1;
    SeedRandom(5);
    static ChessGame game;
    ClassicGameSetup setup;
    ASSERT_TRUE(ParsePlayer("beginner", setup.white));
    setup.opening = {"e7e5", "e2e4"};
    GameRecord record;
    std::string error;
    ASSERT_TRUE(PlayClassicGame(setup, game, record, error)) << error;
    EXPECT_EQ(record.moves.rfind("e7e5 e2e4 ", 0), 0u);
    EXPECT_GT(record.plies, 2);
    ExpectLegalClassicGame(record);
}

TEST(ClassicGames, TheSameSeedPlaysTheSameGame) {
    randomSeeded = 1;
    static ChessGame game;
    ClassicGameSetup setup;
    ASSERT_TRUE(ParsePlayer("casual", setup.white));
    ASSERT_TRUE(ParsePlayer("beginner", setup.black));
    setup.maxPlies = 30;
    GameRecord first;
    GameRecord second;
    std::string error;
    SeedRandom(9);
    ASSERT_TRUE(PlayClassicGame(setup, game, first, error)) << error;
    SeedRandom(9);
    ASSERT_TRUE(PlayClassicGame(setup, game, second, error)) << error;
    EXPECT_EQ(first.moves, second.moves);
    EXPECT_EQ(first.plies, 30);
    EXPECT_EQ(first.ending, "ply limit");
    ExpectLegalClassicGame(first);
}

TEST(ClassicGames, AMatchMayCallTheThirdRepetitionADraw) {
    static ChessGame game;
    ClassicGameSetup setup;
    ASSERT_TRUE(ParsePlayer("beginner", setup.white));
    ASSERT_TRUE(ParsePlayer("beginner", setup.black));
    // Both knights out and back, again and again: the position after the first move comes
    // round again after plies 5 and 9 (the game's rules alone would play on).
    for (int i = 0; i < 4; ++i) {
        for (const char* move : {"g8f6", "g1f3", "f6g8", "f3g1"}) setup.opening.push_back(move);
    }
    setup.maxPlies = 14;
    GameRecord repeated;
    std::string error;
    setup.drawOnThirdRepetition = true;
    ASSERT_TRUE(PlayClassicGame(setup, game, repeated, error)) << error;
    EXPECT_EQ(repeated.plies, 9);
    EXPECT_EQ(repeated.ending, "third repetition");
    EXPECT_EQ(repeated.outcome, Outcome::Draw);

    GameRecord played;
    setup.drawOnThirdRepetition = false;
    ASSERT_TRUE(PlayClassicGame(setup, game, played, error)) << error;
    EXPECT_EQ(played.plies, 14);
    EXPECT_EQ(played.ending, "ply limit");
}

TEST(ClassicGames, AnIllegalOpeningMoveIsRefused) {
    static ChessGame game;
    ClassicGameSetup setup;
    setup.opening = {"e2e4"};  // Black's pawn: White moves first from ranks 8 and 7
    GameRecord record;
    std::string error;
    EXPECT_FALSE(PlayClassicGame(setup, game, record, error));
    EXPECT_NE(error.find("'e2e4' is not legal"), std::string::npos) << error;
}

// Plays the moves it is given, one per turn, then none.
class ScriptedMover : public Mover {
  public:
    explicit ScriptedMover(const std::string& moves) : moves_(Words(moves)) {}
    engine::Move Choose(const engine::Position& position, const std::vector<std::string>&,
                        const GameClock&, std::string& error) override {
        if (next_ >= moves_.size()) {
            error = "out of moves";
            return engine::kNoMove;
        }
        return engine::ParseMoveText(position, moves_[next_++]);
    }

  private:
    std::vector<std::string> moves_;
    std::size_t next_ = 0;
};

TEST(StandardGames, EndingsFollowTheRulesOfChess) {
    struct Case {
        const char* white;
        const char* black;
        const char* ending;
        Outcome outcome;
    };
    const Case cases[] = {
        {"f2f3 g2g4", "e7e5 d8h4", "White checkmated", Outcome::BlackWins},
        {"g1f3 f3g1 g1f3 f3g1", "g8f6 f6g8 g8f6 f6g8", "Draw by repetition", Outcome::Draw},
        {"e2e4", "", "Black forfeits: out of moves", Outcome::WhiteWins},
        {"e2e4 e4e5", "e7e5", "White forfeits: an illegal move", Outcome::BlackWins},
    };
    for (const Case& test : cases) {
        ScriptedMover white(test.white);
        ScriptedMover black(test.black);
        GameRecord record;
        std::string error;
        ASSERT_TRUE(PlayStandardGame(StandardGameSetup{}, white, black, record, error)) << error;
        EXPECT_EQ(record.ending, test.ending) << test.white;
        EXPECT_EQ(record.outcome, test.outcome) << test.white;
    }
}

TEST(StandardGames, TheOpeningComesFirstAndAnIllegalOneIsRefused) {
    ScriptedMover white("d2d4");
    ScriptedMover black("");
    StandardGameSetup setup;
    setup.opening = {"e2e4", "e7e5"};
    setup.maxPlies = 3;
    GameRecord record;
    std::string error;
    ASSERT_TRUE(PlayStandardGame(setup, white, black, record, error)) << error;
    EXPECT_EQ(record.moves, "e2e4 e7e5 d2d4");
    EXPECT_EQ(record.ending, "ply limit");

    setup.opening = {"e2e4", "e2e4"};
    EXPECT_FALSE(PlayStandardGame(setup, white, black, record, error));
    EXPECT_NE(error.find("'e2e4' is not legal"), std::string::npos);
}

TEST(StandardGames, TwoLevelsPlayALegalGameToItsEnd) {
    randomSeeded = 1;
    SeedRandom(21);
    LevelMover white(engine::Level::Beginner);
    LevelMover black(engine::Level::Casual);
    StandardGameSetup setup;
    setup.maxPlies = 120;
    GameRecord record;
    std::string error;
    ASSERT_TRUE(PlayStandardGame(setup, white, black, record, error)) << error;
    auto position =
        std::make_unique<engine::Position>(engine::Position::Start(engine::Rules::Standard));
    for (const std::string& text : Words(record.moves)) {
        const engine::Move move = engine::ParseMoveText(*position, text);
        ASSERT_NE(move, engine::kNoMove) << text;
        position->DoMove(move);
    }
    if (record.ending != "ply limit") {
        EXPECT_NE(position->Status(), engine::GameStatus::InPlay) << record.ending;
        EXPECT_NE(position->Status(), engine::GameStatus::Check) << record.ending;
    }
}

}  // namespace
}  // namespace match
