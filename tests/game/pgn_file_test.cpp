// PGN files on the disk: a save replaces the old file in one step and leaves no temporary
// file, a save that cannot be made leaves the old file as it was, and files too large or
// missing are refused with a message.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "ai/random_draw.h"
#include "game/chess_game.h"
#include "tests/game/pgn_test_support.h"
#include "tests/game/saved_game_files.h"

namespace {

class PgnFile : public SavedGameFiles {
  protected:
    void SetUp() override {
        SavedGameFiles::SetUp();
        randomSeeded = 1;
        SeedRandom(11);
        game.StartGame(Human, Human, RulesStandard, LevelClassic, LevelClassic);
        for (const char* san : {"d4", "Nf6", "c4", "e6"}) {
            PlayHumanMove(game, engine::ParseSan(game.position, san));
        }
        game.blackKind = Computer;
        game.blackLevel = LevelCasual;
    }

    ChessGame game;
};

TEST_F(PgnFile, SavedGamesReadBackAndReplaceTheOldFile) {
    const std::string path = PathOf("game.pgn");
    WriteFile(path, "an older save");
    ASSERT_EQ(game.SavePgn(path.c_str()), 1);
    ExpectNoTempFiles();
    EXPECT_EQ(ReadFile(path), game.PgnText());

    ChessGame loaded;
    std::string error;
    ASSERT_EQ(loaded.LoadPgn(path.c_str(), &error), 1) << error;
    EXPECT_EQ(loaded.position.Fen(), game.position.Fen());
    EXPECT_EQ(loaded.blackKind, Computer);
    EXPECT_EQ(loaded.blackLevel, LevelCasual);
    EXPECT_EQ(loaded.whiteKind, Human);
}

TEST_F(PgnFile, AFailedSaveLeavesTheOldFile) {
    const std::string path = PathOf("kept.pgn");
    WriteFile(path, "an older save");
    // A Classic game is never written as PGN.
    ChessGame classic;
    classic.NewGame(Human, Human);
    EXPECT_EQ(classic.SavePgn(path.c_str()), 0);
    EXPECT_EQ(ReadFile(path), "an older save");

    ExpectUnwritableTargetsFail([this](const char* target) { return game.SavePgn(target); },
                                ".pgn");

    // Permission bits do not stop root, so this part runs only for an ordinary user.
    if (geteuid() == 0) return;
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_EQ(game.SavePgn(path.c_str()), 0);
    EXPECT_EQ(ReadFile(path), "an older save");
    std::filesystem::permissions(
        directory, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(game.SavePgn(PathOf("new.pgn").c_str()), 0);
}

TEST_F(PgnFile, OverLargeMissingOrFolderFilesAreRefusedWithTheGameKept) {
    const std::string fen = game.position.Fen();
    std::string error;
    const std::string big = PathOf("big.pgn");
    std::string text = "[Event \"big\"]\n\n1. e4 e5 *\n";
    text.resize(10 * 1024 * 1024, '\n');
    WriteFile(big, text);
    EXPECT_EQ(game.LoadPgn(big.c_str(), &error), 0);
    EXPECT_EQ(error, "the file is larger than a game can be");

    EXPECT_EQ(game.LoadPgn(PathOf("none.pgn").c_str(), &error), 0);
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_EQ(game.LoadPgn(directory.c_str(), &error), 0);
    EXPECT_EQ(error, "the file cannot be read");

    // Cut off anywhere before its result, a saved game is refused.
    const std::string saved = game.PgnText();
    ASSERT_TRUE(saved.ends_with(" *\n"));
    for (std::size_t length = 0; length + 1 < saved.size(); ++length) {
        WriteFile(big, saved.substr(0, length));
        EXPECT_EQ(game.LoadPgn(big.c_str(), &error), 0) << length;
        EXPECT_TRUE(error.starts_with("line ")) << length << ": " << error;
    }
    EXPECT_EQ(game.position.Fen(), fen);
}

}  // namespace
