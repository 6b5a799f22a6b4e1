#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "ai/random_draw.h"
#include "game/chess_game.h"
#include "tests/ai/position_setup.h"
#include "tests/game/saved_game_files.h"

namespace {

using namespace std::string_literals;

class LoadGame : public SavedGameFiles {
  protected:
    void SetUp() override {
        SavedGameFiles::SetUp();
        randomSeeded = 1;
        SeedRandom(11);
        game.NewGame(Human, Human);
    }

    int Load(const std::string& bytes) {
        const std::string path = PathOf("load.chs");
        WriteFile(path, bytes);
        return game.LoadGame(path.c_str());
    }

    std::string Rank(char rank) const {
        std::string squares;
        for (char file = 'a'; file <= 'h'; ++file) squares += game.board.GetSquare(file, rank);
        return squares;
    }

    ChessGame game;
};

TEST_F(LoadGame, KeysAndValuesInAnyCase) {
    ASSERT_EQ(Load("whoseturn = black\r\nWHITETYPE = computer\r\nBlackTypeX = COMPUTER"), 1);
    EXPECT_EQ(game.whoseTurn, 0);
    EXPECT_EQ(game.whiteKind, Computer);
    EXPECT_EQ(game.blackKind, Computer);
    EXPECT_EQ(game.state, ComputerThinking);
}

TEST_F(LoadGame, OnlyTheLinesPresentChangeTheGame) {
    SetUpBoard(game.board, "Kh8 ka5 Pc6");
    const Board before = game.board;
    game.whiteKind = 2;
    ASSERT_EQ(Load("WhoseTurn = Black"), 1);
    EXPECT_EQ(game.whoseTurn, 0);
    EXPECT_TRUE(SameSquares(game.board, before));
    EXPECT_EQ(game.whiteKind, 2);
    EXPECT_EQ(game.blackKind, Human);

    ASSERT_EQ(Load("WhoseTurn = Green\r\nWhiteType = Robot\r\nBlackType\r\n"), 1);
    EXPECT_EQ(game.whoseTurn, 0);
    EXPECT_EQ(game.whiteKind, 2);
    EXPECT_TRUE(SameSquares(game.board, before));
}

TEST_F(LoadGame, BoardRowsTakeTheirFirstEightCharacters) {
    ASSERT_EQ(Load("BoardRow3 = RNBQKBNRxyz\r\n"
                   "BoardRow4x = .p.p.p.p\r\n"
                   "BoardRow5 = Qq\r\n"
                   "BoardRow9 = kkkkkkkk\r\n"
                   "BoardRow0 = kkkkkkkk\r\n"
                   "BoardRow = kkkkkkkk\r\n"),
              1);
    EXPECT_EQ(Rank('3'), "RNBQKBNR");
    EXPECT_EQ(Rank('4'), " p p p p");
    EXPECT_EQ(Rank('5'), "Qq      ");
    EXPECT_EQ(Rank('1'), "rnbqkbnr");
    EXPECT_EQ(Rank('8'), "RNBQKBNR");
}

// A key whose value cannot be read is ignored: nothing from an earlier line carries over.
TEST_F(LoadGame, LineWithoutValueIsIgnored) {
    ASSERT_EQ(Load("BoardRow3 = rrrrrrrr\r\n"
                   "BoardRow4 =\r\n"
                   "BoardRow5= qqqqqqqq\r\n"
                   "BoardRow6=kkkkkkkk\r\n"
                   "WhoseTurn =    \r\n"),
              1);
    EXPECT_EQ(Rank('3'), "rrrrrrrr");
    EXPECT_EQ(Rank('4'), "        ");
    EXPECT_EQ(Rank('5'), "        ");
    EXPECT_EQ(Rank('6'), "        ");
    EXPECT_EQ(game.whoseTurn, 1);
}

TEST_F(LoadGame, LongLinesAreReadInPiecesOf99) {
    // The second piece of the first line is a line of its own.
    ASSERT_EQ(Load(std::string(99, 'x') + "WhoseTurn = Black\r\n" + std::string(500, 'k') + " = " +
                   std::string(300, 'q') + "\r\nBoardRow4 = " + std::string(200, 'N')),
              1);
    EXPECT_EQ(game.whoseTurn, 0);
    EXPECT_EQ(Rank('4'), "NNNNNNNN");
    EXPECT_EQ(Rank('3'), "        ");
    EXPECT_EQ(Rank('1'), "rnbqkbnr");
}

TEST_F(LoadGame, NulBytesEndALine) {
    ASSERT_EQ(Load("WhoseTurn = Bl\0ack\r\nBoardRow5 = PP\0PPPPPP\r\n\0BoardRow6 = pppppppp"s), 1);
    EXPECT_EQ(game.whoseTurn, 1);
    EXPECT_EQ(Rank('5'), "PP      ");
    EXPECT_EQ(Rank('6'), "        ");
}

TEST_F(LoadGame, EmptyFileStillSettlesTheGame) {
    game.NewGame(Computer, Computer);
    EXPECT_EQ(game.Step(), ComputerThinking);
    EXPECT_EQ(game.Step(), ComputerThinking);
    EXPECT_EQ(game.computer.fileCursor, 'b');
    ASSERT_EQ(Load(""), 1);
    // The half-done search was dropped and a fresh one begun by the Step after loading.
    EXPECT_EQ(game.searchStarted, 1);
    EXPECT_EQ(game.state, ComputerThinking);
    EXPECT_EQ(game.computer.fileCursor, 'a');
    EXPECT_EQ(game.computer.rankCursor, '1');
    EXPECT_TRUE(SameSquares(game.board, Board()));
}

TEST_F(LoadGame, FinalLineEndDoesNotMatter) {
    const std::string body =
        "Kestrion SaveGame file\r\nnotes\r\n\r\nWhoseTurn = Black\r\nWhiteType = Human\r\n"
        "BlackType = Human\r\n\r\nBoardRow1 = ....k...\r\nBoardRow8 = ....K...";
    ASSERT_EQ(Load(body), 1);
    const Board without = game.board;
    game.NewGame(Human, Human);
    ASSERT_EQ(Load(body + "\r\n"), 1);
    EXPECT_TRUE(SameSquares(game.board, without));
    EXPECT_EQ(Rank('1'), "    k   ");
}

TEST_F(LoadGame, LoadedPositionIsSettledByOneStep) {
    ASSERT_EQ(Load("WhiteType = Computer\r\nBoardRow1 = P.......\r\n"), 1);
    EXPECT_EQ(game.board.GetSquare('a', '1'), 'Q');
    ASSERT_EQ(Load("WhiteType = Human\r\nBoardRow1 = P...k...\r\n"), 1);
    EXPECT_EQ(game.state, WhitePromotes);
    // Black checkmated by a guarded queen.
    ASSERT_EQ(Load("BoardRow1 = k.......\r\nBoardRow2 = .Q......\r\nBoardRow3 = ..K.....\r\n"
                   "BoardRow7 = ........\r\nBoardRow8 = ........\r\nWhoseTurn = Black\r\n"),
              1);
    EXPECT_EQ(game.state, GameOver);
}

TEST_F(LoadGame, MissingFileChangesNothing) {
    game.whoseTurn = 0;
    EXPECT_EQ(game.LoadGame(PathOf("absent.chs").c_str()), 0);
    EXPECT_EQ(game.whoseTurn, 0);
    EXPECT_EQ(game.state, Unsettled);
    EXPECT_TRUE(SameSquares(game.board, Board()));
}

// Where the system lets a folder be opened for reading, its first read fails: that is no
// game, and the one on the board stays as it was.
TEST_F(LoadGame, AFolderIsNotLoaded) {
    const std::string folder = PathOf("folder.chs");
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    game.whoseTurn = 0;
    errno = 0;
    EXPECT_EQ(game.LoadGame(folder.c_str()), 0);
    EXPECT_NE(errno, 0);
    EXPECT_EQ(game.whoseTurn, 0);
    EXPECT_EQ(game.state, Unsettled);
    EXPECT_TRUE(SameSquares(game.board, Board()));

    errno = 0;
    EXPECT_EQ(game.LoadGame(PathOf("absent.chs").c_str()), 0);
    EXPECT_EQ(errno, ENOENT);
}

TEST_F(LoadGame, OnlyAFileThatOpensLikeASavedGameIsCalledOne) {
    const auto check = [this](const std::string& name, const std::string& bytes) {
        const std::string path = PathOf(name);
        WriteFile(path, bytes);
        return ChessGame::IsSavedGameFile(path.c_str());
    };
    EXPECT_EQ(check("saved.chs", "Kestrion SaveGame file\r\nWritten by hand\r\n"), 1);
    EXPECT_EQ(check("bare.chs", "Kestrion SaveGame file"), 1);
    EXPECT_EQ(check("unix.chs", "Kestrion SaveGame file\nWhoseTurn = Black\n"), 1);
    EXPECT_EQ(check("empty.chs", ""), 0);
    EXPECT_EQ(check("keys.chs", "WhoseTurn = Black\r\n"), 0);
    EXPECT_EQ(check("longer.chs", "Kestrion SaveGame files\r\n"), 0);
    EXPECT_EQ(check("cut.chs", "Kestrion SaveGame"), 0);
    EXPECT_EQ(check("case.chs", "kestrion savegame file\r\n"), 0);
    ASSERT_TRUE(std::filesystem::create_directory(PathOf("folder.chs")));
    EXPECT_EQ(ChessGame::IsSavedGameFile(PathOf("folder.chs").c_str()), 0);
    EXPECT_EQ(ChessGame::IsSavedGameFile(PathOf("absent.chs").c_str()), 0);

    // What the game itself writes is one.
    const std::string written = PathOf("written.chs");
    ASSERT_EQ(game.SaveGame(written.c_str()), 1);
    EXPECT_EQ(ChessGame::IsSavedGameFile(written.c_str()), 1);
}

}  // namespace
