// Standard games through the Save and Load dialogs and the command line: saved as PGN,
// listed beside the game's own files, read back, and refused with the wrong line named.

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/dialog_button.h"
#include "app/dialog_state.h"
#include "app/saved_game_list.h"
#include "tests/app/app_fixture.h"

namespace apptest {
namespace {

constexpr int kSaveMenu = 120, kLoadMenu = 160;

class PgnDialogsTest : public AppTest {
  protected:
    void ClickButton(const DialogButton& button) {
        Click(button.x + button.width / 2, button.y + kDialogButtonHeight / 2);
    }
    void PressRow(int row) {
        Press(300, kLoadList.top + kListRowHeight * row + 4);
        Release(300, kLoadList.top + kListRowHeight * row + 4);
    }
    std::string Contents(const std::string& name) {
        std::ifstream file(folder.Path() + "/" + name, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    void StartStandardGame() {
        app->game.StartGame(Human, Human, RulesStandard, LevelClassic, LevelClassic);
        app->animating = 0;
        Frame(0, 470, 0);
    }
};

TEST_F(PgnDialogsTest, AStandardGameIsSavedAsPgnAndLoadedBackFromTheList) {
    StartStandardGame();
    TapSquare('e', '7');
    TapSquare('e', '5');  // 1. e4
    for (int i = 0; i < 100 && app->animating; ++i) Frame(0, 470, 0, 50);
    Click(50, kSaveMenu);
    Type("opening");
    ClickButton(kSaveButton);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "/opening.chs"));
    const std::string saved = Contents("opening.pgn");
    EXPECT_NE(saved.find("\n1. e4 *\n"), std::string::npos) << saved;

    ASSERT_TRUE(folder.Write("classic.chs", std::string("Kestrion SaveGame file\r\n")));
    app->game.StartGame(Human, Human, RulesClassic, LevelClassic, LevelClassic);
    Click(50, kLoadMenu);
    ASSERT_EQ(app->savedGameCount, 2);
    EXPECT_STREQ(app->savedGames[0], "classic");  // the game's own files first, as before
    EXPECT_STREQ(app->savedGames[1], "opening.pgn");
    PressRow(1);
    ClickButton(kLoadButton);
    EXPECT_EQ(app->dialog, DialogNone);
    EXPECT_TRUE(fake.messageBoxes.empty());
    EXPECT_EQ(app->game.rules, RulesStandard);
    EXPECT_EQ(app->game.history.Count(), 1);
    EXPECT_EQ(app->game.board.GetSquare('e', '5'), 'P');
    Frame(0, 470, 0);
    EXPECT_EQ(app->stepResult, BlackToMove);
}

TEST_F(PgnDialogsTest, ABrokenPgnIsRefusedNamingItsLineAndTheGameStays) {
    ASSERT_TRUE(folder.Write("broken.pgn", std::string("[Event \"x\"]\n\n1. e4 e5 2. Qh9\n")));
    StartGame(Human, Computer);
    Click(50, kLoadMenu);
    PressRow(0);
    ClickButton(kLoadButton);
    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    EXPECT_NE(fake.messageBoxes[0].text.find("broken.pgn"), std::string::npos);
    EXPECT_NE(fake.messageBoxes[0].text.find("line 3: 'Qh9' is not a legal move here"),
              std::string::npos)
        << fake.messageBoxes[0].text;
    EXPECT_EQ(app->game.rules, RulesClassic);
    EXPECT_EQ(app->game.blackKind, Computer);
}

TEST_F(PgnDialogsTest, AGameFromTheCommandLineMayBeAnotherProgramsPgn) {
    ASSERT_TRUE(folder.Write("elsewhere.pgn",
                             std::string("[White \"A\"]\n[Black \"B\"]\n1. d4 {} d5 2. c4 *\n")));
    std::strcpy(app->startupGame, (folder.Path() + "/elsewhere.pgn").c_str());
    EXPECT_EQ(app->OpenStartupGame(), 1);
    Frame(0, 470, 0);
    EXPECT_EQ(app->game.whiteKind, Human);  // played by two humans
    EXPECT_EQ(app->game.blackKind, Human);
    EXPECT_EQ(app->stepResult, BlackToMove);
    EXPECT_EQ(app->animating, 0);
    ASSERT_TRUE(folder.Write("bad.pgn", std::string("1. e4 e5\n2. Ke3\n")));
    std::strcpy(app->startupGame, (folder.Path() + "/bad.pgn").c_str());
    EXPECT_EQ(app->OpenStartupGame(), 0);
    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    EXPECT_NE(fake.messageBoxes[0].text.find("line 2"), std::string::npos);
    EXPECT_EQ(app->game.history.Count(), 3);  // the game from before, untouched
}

}  // namespace
}  // namespace apptest
