// Files the PGN reader must refuse, each with a message naming the line at fault, and the
// game on the board left as it was when such a file is loaded.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "ai/random_draw.h"
#include "display/testing/temp_directory.h"
#include "game/chess_game.h"
#include "game/pgn_reader.h"
#include "tests/game/pgn_test_support.h"

namespace {

using namespace std::string_literals;

struct Refusal {
    const char* name;
    std::string text;
    const char* message;  // The whole message, line number first; null: see below.
};

const Refusal kRefusals[] = {
    {"a move off the board", "[Event \"x\"]\n\n1. e4 e5\n2. Nf9 Nc6 *",
     "line 4: 'Nf9' is not a legal move here"},
    {"a move Black cannot make", "1. e4 e5 2. Nf3\n{fine so far}\nKe5 *",
     "line 3: 'Ke5' is not a legal move here"},
    {"an ambiguous move", "1. Nf3 Nf6 2. Nc3 Nc6 3. Nd4 Nd5 4. Nb5 *",
     "line 1: 'Nb5' is not a legal move here"},
    {"a move after mate", "1. f3 e5 2. g4 Qh4# 3. a3 0-1", "line 1: 'a3' is not a legal move here"},
    {"cut inside a comment", "1. e4 {the best\nmove",
     "line 1: a comment is opened with { and never closed"},
    {"cut inside a tag", "[Event \"Club", "line 1: the value of the tag Event is not closed"},
    {"cut after a tag name", "[Event", "line 1: a tag is not written as [Name \"value\"]"},
    {"cut between moves", "[Event \"x\"]\n\n1. e4 e5 2. Nf3\n",
     "line 4: the game stops before its result (1-0, 0-1, 1/2-1/2 or *): the file is cut short"},
    {"cut after the tags", "[Event \"x\"]\n[Site \"y\"]\n",
     "line 3: the game stops before its result (1-0, 0-1, 1/2-1/2 or *): the file is cut short"},
    {"cut inside a move", "1. e4 e5 2. N", "line 1: 'N' is not a legal move here"},
    {"the next game's tags before the result", "1. e4 e5\n[Event \"next\"]\n1. d4 *",
     "line 2: the next game's tags begin before this game's result"},
    {"a tag value over two lines", "[Event \"one\ntwo\"]\n*",
     "line 1: the value of the tag Event is not closed"},
    {"a tag without a value", "[Event]\n*", "line 1: a tag is not written as [Name \"value\"]"},
    {"a variation never opened", "1. e4 ) e5 *",
     "line 1: a variation is closed that was never opened"},
    {"a character of no token", "1. e4 @ e5 *", "line 1: '@' is not part of a game"},
    {"a bad glyph", "1. e4 $x e5 *", "line 1: an annotation glyph must be $ and a number"},
    {"binary bytes", "1. e4 e5\n2. Nf3\x01\x02\x03 *",
     "line 2: the file holds bytes that are not text"},
    {"a zero byte in a tag", "[Event \"a\"]\n[Site \"b\0c\"]\n*"s,
     "line 2: the file holds bytes that are not text"},
    {"a picture's header", "\x89PNG\r\n\x1a\n\0\0\0"s, "line 1: '\\x89' is not part of a game"},
    {"two white kings", "[Event \"x\"]\n[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/8/3KK3 w - - 0 1\"]\n*",
     nullptr},
    {"a FEN that is no FEN", "[FEN \"rnbqkbnr/pppppppp w\"]\n*", nullptr},
    {"SetUp without FEN", "[SetUp \"1\"]\n1. e4 *",
     "line 1: SetUp is \"1\" but no FEN tag gives the position"},
    {"another variant", "[Event \"x\"]\n[Variant \"Chess960\"]\n1. e4 *",
     "line 2: the game is not standard chess (Chess960)"},
    {"a player of ours that is none", "[Event \"x\"]\n[KestrionBlack \"grandmaster\"]\n*",
     "line 2: the tag KestrionBlack names no player: grandmaster"},
    {"an empty file", "\n\n  \n", "line 4: no game was found"},
    {"words that are no chess", "Dear diary, today", "line 1: 'Dear' is not a legal move here"},
};

TEST(PgnRefusal, EachBadTextIsRefusedWithTheLineAtFault) {
    for (const Refusal& refusal : kRefusals) {
        const std::string error = ReadBad(refusal.text);
        if (refusal.message != nullptr) {
            EXPECT_EQ(error, refusal.message) << refusal.name;
        } else {
            // The position's own reason follows; the FEN tag's line comes first.
            const std::string line = refusal.text.starts_with("[FEN") ? "line 1" : "line 3";
            EXPECT_TRUE(error.starts_with(line + ": the starting position is refused: "))
                << refusal.name << ": " << error;
            EXPECT_GT(error.size(), line.size() + 36) << refusal.name << ": " << error;
        }
    }
}

TEST(PgnRefusal, ARefusedFileLeavesTheGameOnTheBoardAsItWas) {
    randomSeeded = 1;
    SeedRandom(5);
    platform::TempDirectory folder;
    ChessGame game;
    game.StartGame(Human, Computer, RulesStandard, LevelClassic, LevelClub);
    engine::Position start = game.position;
    PlayHumanMove(game, engine::ParseSan(start, "d4"));
    const std::string fen = game.position.Fen();
    const int moves = game.history.Count();
    for (const Refusal& refusal : kRefusals) {
        ASSERT_TRUE(folder.Write("bad.pgn", refusal.text));
        std::string error;
        EXPECT_EQ(game.LoadPgn((folder.Path() + "/bad.pgn").c_str(), &error), 0) << refusal.name;
        EXPECT_EQ(error, ReadBad(refusal.text)) << refusal.name;
        EXPECT_EQ(game.position.Fen(), fen) << refusal.name;
        EXPECT_EQ(game.history.Count(), moves) << refusal.name;
        EXPECT_EQ(game.rules, RulesStandard);
        EXPECT_EQ(game.blackKind, Computer);
        EXPECT_EQ(game.blackLevel, LevelClub);
    }
}

TEST(PgnRefusal, RandomBytesAreRefusedNeverRead) {
    std::mt19937 random(20);
    for (int round = 0; round < 50; ++round) {
        std::string junk(4096, '\0');
        for (char& c : junk) c = static_cast<char>(random());
        const std::string error = ReadBad(junk);
        EXPECT_TRUE(error.starts_with("line ")) << error;
    }
}

TEST(PgnRefusal, OverLargeTextIsRefusedWhole) {
    // A legal game padded with blank lines to 10 MB: its size alone refuses it.
    std::string text = "[Event \"big\"]\n\n1. e4 e5 *\n";
    const std::size_t game = text.size();
    text.resize(10 * 1024 * 1024, '\n');
    EXPECT_EQ(ReadBad(text), "the file is larger than a game can be");
    EXPECT_EQ(ReadGood(text.substr(0, kMaxPgnBytes)).moves.size(), 2u);
    EXPECT_GT(kMaxPgnBytes, game);
}

}  // namespace
