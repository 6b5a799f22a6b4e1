// A saved game named on the command line: it is on the board from the first frame, and a
// file that cannot be taken says why in a message box and leaves the usual first game.

#include <cstring>
#include <string>

#include "tests/app/app_fixture.h"

namespace apptest {
namespace {

constexpr char kSaved[] =
    "Kestrion SaveGame file\r\nWritten by the Kestrion chess game\r\n\r\n"
    "WhoseTurn = Black\r\nWhiteType = Human\r\nBlackType = Human\r\n\r\n"
    "BoardRow1 = rnbqkbnr\r\nBoardRow2 = pppppppp\r\nBoardRow3 = ........\r\n"
    "BoardRow4 = ........\r\nBoardRow5 = ....P...\r\nBoardRow6 = ........\r\n"
    "BoardRow7 = PPPP.PPP\r\nBoardRow8 = RNBQKBNR";

class StartupGameTest : public AppTest {
  protected:
    int Open(const std::string& path) {
        std::strcpy(app->startupGame, path.c_str());
        return app->OpenStartupGame();
    }
};

TEST_F(StartupGameTest, ASavedGameIsOnTheBoardWithoutAGlide) {
    ASSERT_TRUE(folder.Write("opening.chs", std::string(kSaved)));
    EXPECT_EQ(Open(folder.Path() + "/opening.chs"), 1);
    EXPECT_TRUE(fake.messageBoxes.empty());
    Frame(0, 470, 0);
    EXPECT_EQ(app->game.board.GetSquare('e', '5'), 'P');
    EXPECT_EQ(app->game.board.GetSquare('e', '7'), ' ');
    EXPECT_EQ(app->game.whiteKind, Human);
    EXPECT_EQ(app->game.blackKind, Human);
    EXPECT_EQ(app->stepResult, BlackToMove);
    EXPECT_EQ(app->animating, 0);
}

TEST_F(StartupGameTest, AFileThatCannotBeTakenSaysWhyAndTheGameStaysAsItWas) {
    ASSERT_TRUE(folder.Write("notes.chs", std::string("shopping list\r\nBoardRow5 = QQQQQQQQ")));
    ASSERT_TRUE(folder.Write("short.chs", std::string("Kestrion")));
    struct Case {
        std::string path;
        const char* reason;
    } cases[] = {
        {folder.Path() + "/missing.chs", "No such file"},
        {folder.Path() + "/notes.chs", "not a game saved by Kestrion"},
        {folder.Path() + "/short.chs", "not a game saved by Kestrion"},
        {folder.Path(), "Is a directory"},
    };
    for (const Case& c : cases) {
        fake.messageBoxes.clear();
        const Board before = app->game.board;
        EXPECT_EQ(Open(c.path), 0) << c.path;
        ASSERT_EQ(fake.messageBoxes.size(), 1u) << c.path;
        EXPECT_EQ(fake.messageBoxes[0].caption, "Kestrion");
        EXPECT_NE(fake.messageBoxes[0].text.find(c.path), std::string::npos);
        EXPECT_NE(fake.messageBoxes[0].text.find(c.reason), std::string::npos)
            << fake.messageBoxes[0].text;
        EXPECT_EQ(std::memcmp(app->game.board.squares, before.squares, 64), 0) << c.path;
    }
}

}  // namespace
}  // namespace apptest
