#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "ai/random_draw.h"
#include "game/chess_game.h"
#include "tests/ai/position_setup.h"
#include "tests/game/saved_game_files.h"

namespace {

const std::string kNewGameFile =
    "Kestrion SaveGame file\r\n"
    "Written by the Kestrion chess game\r\n"
    "\r\n"
    "WhoseTurn = White\r\n"
    "WhiteType = Human\r\n"
    "BlackType = Computer\r\n"
    "\r\n"
    "BoardRow1 = rnbqkbnr\r\n"
    "BoardRow2 = pppppppp\r\n"
    "BoardRow3 = ........\r\n"
    "BoardRow4 = ........\r\n"
    "BoardRow5 = ........\r\n"
    "BoardRow6 = ........\r\n"
    "BoardRow7 = PPPPPPPP\r\n"
    "BoardRow8 = RNBQKBNR";

void Replace(std::string& text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
}

class SaveGame : public SavedGameFiles {
  protected:
    void SetUp() override {
        SavedGameFiles::SetUp();
        randomSeeded = 1;
        SeedRandom(3);
    }

    // An earlier saved game that a failed save must leave alone.
    std::string PlaceEarlierSave(const std::string& name) {
        const std::string path = PathOf(name);
        WriteFile(path, kNewGameFile);
        return path;
    }

    ChessGame game;
};

TEST_F(SaveGame, NewGameIsSavedAsTheExactFileText) {
    const std::string path = PathOf("new.chs");
    ASSERT_EQ(game.SaveGame(path.c_str()), 1);
    EXPECT_EQ(ReadFile(path), kNewGameFile);
    ExpectNoTempFiles();
}

TEST_F(SaveGame, SavingReplacesAnEarlierFile) {
    const std::string path = PathOf("game.chs");
    WriteFile(path, std::string(500, 'x'));
    char move[] = "e7e5";
    game.Step();
    game.SubmitMove(move);
    game.whiteKind = 2;  // any nonzero kind is a computer
    ASSERT_EQ(game.SaveGame(path.c_str()), 1);

    std::string expected = kNewGameFile;
    Replace(expected, "White\r\nWhiteType = Human", "Black\r\nWhiteType = Computer");
    Replace(expected, "BoardRow5 = ........", "BoardRow5 = ....P...");
    Replace(expected, "BoardRow7 = PPPPPPPP", "BoardRow7 = PPPP.PPP");
    EXPECT_EQ(ReadFile(path), expected);
}

// The save goes through a new file renamed over the old one; the player's own file keeps
// the permissions it had.
TEST_F(SaveGame, ReplacedFileKeepsItsPermissions) {
    namespace fs = std::filesystem;
    const std::string path = PlaceEarlierSave("private.chs");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(game.SaveGame(path.c_str()), 1);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ReadFile(path), kNewGameFile);
}

TEST_F(SaveGame, RoundTripRestoresSquaresTurnAndKinds) {
    SetUpBoard(game.board, "Kh8 ka5 Qd4 nb2 pg5");
    game.whoseTurn = 0;
    game.whiteKind = 2;
    game.blackKind = Human;
    const std::string path = PathOf("round.chs");
    ASSERT_EQ(game.SaveGame(path.c_str()), 1);

    ChessGame loaded;
    loaded.NewGame(Human, Computer);
    ASSERT_EQ(loaded.LoadGame(path.c_str()), 1);
    EXPECT_TRUE(SameSquares(loaded.board, game.board));
    EXPECT_EQ(loaded.whoseTurn, 0);
    EXPECT_EQ(loaded.whiteKind, 1);
    EXPECT_EQ(loaded.blackKind, Human);
    EXPECT_EQ(loaded.state, BlackToMove);
}

TEST_F(SaveGame, BlockedTempFileLeavesTheEarlierSave) {
    const std::string path = PlaceEarlierSave("blocked.chs");
    std::filesystem::create_directory(path + ".tmp");
    EXPECT_EQ(game.SaveGame(path.c_str()), 0);
    EXPECT_EQ(ReadFile(path), kNewGameFile);
    EXPECT_TRUE(std::filesystem::is_directory(path + ".tmp"));
}

TEST_F(SaveGame, WriteErrorLeavesTheEarlierSave) {
    const std::string path = PlaceEarlierSave("full.chs");
    SetUpBoard(game.board, "Kh8 ka5");
    // A file size limit makes the writes fail part way, as a full disk would.
    signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 40;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int result = game.SaveGame(path.c_str());
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &saved), 0);
    signal(SIGXFSZ, SIG_DFL);

    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadFile(path), kNewGameFile);
    ExpectNoTempFiles();
}

TEST_F(SaveGame, UnwritableTargetsFail) {
    ExpectUnwritableTargetsFail([this](const char* path) { return game.SaveGame(path); }, ".chs");
}

// The player is told why a save failed: errno holds the reason of the step that failed,
// not of the clean-up after it.
TEST_F(SaveGame, AFailedSaveLeavesItsReasonInErrno) {
    const std::string folder = PathOf("folder.chs");
    std::filesystem::create_directory(folder);
    errno = 0;
    EXPECT_EQ(game.SaveGame(folder.c_str()), 0);
    EXPECT_EQ(errno, EISDIR);
    errno = 0;
    EXPECT_EQ(game.SaveGame(PathOf("missing/dir.chs").c_str()), 0);
    EXPECT_EQ(errno, ENOENT);
    errno = 0;
    EXPECT_EQ(game.SaveGame(""), 0);
    EXPECT_NE(errno, 0);
    if (geteuid() != 0) {
        const std::string path = PlaceEarlierSave("locked.chs");
        std::filesystem::permissions(path, std::filesystem::perms::owner_read);
        errno = 0;
        EXPECT_EQ(game.SaveGame(path.c_str()), 0);
        EXPECT_EQ(errno, EACCES);
    }
    ExpectNoTempFiles();
}

// Permission bits do not stop root, so this runs only for an ordinary user.
TEST_F(SaveGame, ReadOnlyTargetOrDirectoryIsRefused) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions are not enforced for root";
    const std::string path = PlaceEarlierSave("locked.chs");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_EQ(game.SaveGame(path.c_str()), 0);
    EXPECT_EQ(ReadFile(path), kNewGameFile);

    const std::string other = PlaceEarlierSave("other.chs");
    std::filesystem::permissions(
        directory, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(game.SaveGame(other.c_str()), 0);
    EXPECT_EQ(ReadFile(other), kNewGameFile);
}

}  // namespace
