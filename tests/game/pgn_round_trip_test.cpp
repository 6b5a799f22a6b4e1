// Games written as PGN and read back: random Standard games from several starts, with the
// moves that SAN writes in forms of their own taken often, come back move for move, with
// their players, in lines other programs take.

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "ai/random_draw.h"
#include "game/chess_game.h"
#include "game/pgn_reader.h"
#include "tests/game/pgn_test_support.h"

namespace {

// The moves of a game's position history, oldest first.
std::vector<engine::Move> PlayedMoves(engine::Position position) {
    std::vector<engine::Move> moves;
    while (position.UndoablePlies() > 0) {
        moves.insert(moves.begin(), position.LastMove());
        position.UndoMove();
    }
    return moves;
}

// A game between two humans of random legal moves from start (the usual start when empty),
// until the game ends or maxPlies are made. Castling, promotion and capture in passing are
// taken half the time they are legal, so every kind has its share.
void PlayRandomGame(ChessGame& game, std::mt19937& random, const std::string& start, int maxPlies) {
    game.StartGame(Human, Human, RulesStandard, LevelClassic, LevelClassic);
    std::string error;
    if (!start.empty()) {
        ASSERT_TRUE(game.SetUpStandard(start.c_str(), &error)) << error;
    }
    for (int ply = 0; ply < maxPlies; ++ply) {
        const engine::GameStatus status = game.position.Status();
        if (status != engine::GameStatus::InPlay && status != engine::GameStatus::Check) break;
        engine::MoveList moves;
        game.position.GenerateLegal(moves);
        engine::MoveList special;
        for (const engine::Move move : moves) {
            if (engine::KindOf(move) != engine::kNormalMove) special.Add(move);
        }
        const engine::Move move = special.size > 0 && random() % 2 == 0
                                      ? special.moves[random() % special.size]
                                      : moves.moves[random() % moves.size];
        PlayHumanMove(game, move);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

TEST(PgnRoundTrip, RandomGamesComeBackMoveForMoveWithTheirPlayers) {
    randomSeeded = 1;
    SeedRandom(3);
    std::mt19937 random(2026);
    const std::string starts[] = {
        "",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 b - - 4 40",
    };
    int games = 0;
    int promotions = 0;
    int castlings = 0;
    int passings = 0;
    int finished = 0;
    static ChessGame game;
    static ChessGame loaded;
    for (int round = 0; round < 60; ++round) {
        for (const std::string& start : starts) {
            PlayRandomGame(game, random, start, 300);
            ASSERT_FALSE(HasFatalFailure());
            // Who played each side is kept; the sides are set after the moves so the
            // computer never moves here.
            game.whiteKind = random() % 2 ? Computer : Human;
            game.blackKind = random() % 2 ? Computer : Human;
            game.whiteLevel = static_cast<int>(random() % kPlayLevelCount);
            game.blackLevel = static_cast<int>(random() % kPlayLevelCount);
            const std::string text = game.PgnText();
            for (const std::string& line : Lines(text)) EXPECT_LE(line.size(), 79u) << line;
            EXPECT_EQ(text.find("[FEN") != std::string::npos, !start.empty()) << text;

            const PgnGame read = ReadGood(text);
            const std::vector<engine::Move> moves = PlayedMoves(game.position);
            ASSERT_EQ(read.moves, moves) << text;
            EXPECT_EQ(read.fen, start);
            ASSERT_TRUE(loaded.PlayPgn(read)) << text;
            EXPECT_EQ(loaded.position.Fen(), game.position.Fen());
            EXPECT_EQ(loaded.history.Count(), game.history.Count());
            EXPECT_EQ(loaded.whiteKind, game.whiteKind);
            EXPECT_EQ(loaded.blackKind, game.blackKind);
            if (game.whiteKind == Computer) {
                EXPECT_EQ(loaded.whiteLevel, game.whiteLevel);
            }
            if (game.blackKind == Computer) {
                EXPECT_EQ(loaded.blackLevel, game.blackLevel);
            }
            // Writing what was read gives the same text.
            EXPECT_EQ(loaded.PgnText(), text);

            for (const engine::Move move : moves) {
                promotions += engine::KindOf(move) == engine::kPromotionMove;
                castlings += engine::KindOf(move) == engine::kCastlingMove;
                passings += engine::KindOf(move) == engine::kEnPassantMove;
            }
            // The result follows the final position, in the tag and after the moves.
            std::string result = "*";
            switch (game.position.Status()) {
                case engine::GameStatus::Checkmate:
                    result = game.position.SideToMove() == engine::Side::White ? "0-1" : "1-0";
                    break;
                case engine::GameStatus::Stalemate:
                case engine::GameStatus::DrawFiftyMoves:
                case engine::GameStatus::DrawRepetition:
                case engine::GameStatus::DrawMaterial:
                    result = "1/2-1/2";
                    break;
                default:
                    break;
            }
            EXPECT_NE(text.find("[Result \"" + result + "\"]"), std::string::npos) << text;
            EXPECT_TRUE(text.ends_with(" " + result + "\n") || text.ends_with("\n" + result + "\n"))
                << text;
            finished += result != "*";
            ++games;
        }
    }
    // The random games did reach the moves that SAN writes in special forms, and endings.
    EXPECT_GT(promotions, 10);
    EXPECT_GT(castlings, 10);
    EXPECT_GT(passings, 10);
    EXPECT_GT(finished, 10);
    EXPECT_EQ(games, 240);
}

}  // namespace
