// The four dialogs: opening over a frozen board, button press/drag/release semantics, the
// new-game choices, typing and picking names, the saved-game lists and their scrolling.

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/button_state.h"
#include "app/dialog_button.h"
#include "app/dialog_state.h"
#include "app/saved_game_list.h"
#include "tests/app/app_fixture.h"

namespace apptest {
namespace {

constexpr int kQuitMenu = 40, kPlayMenu = 80, kSaveMenu = 120, kLoadMenu = 160;

const uint16_t kBare = To565(kBackgroundColour);
// Inside a dialog's rectangle the frozen picture is darkened by 15.
const uint16_t kDimmed = Tinted565(kBackgroundColour, -15, -15, -15);

int CentreX(const DialogButton& button) {
    return button.x + button.width / 2;
}
int CentreY(const DialogButton& button) {
    return button.y + kDialogButtonHeight / 2;
}

class DialogTest : public AppTest {
  protected:
    void Open(int menuY) { Click(50, menuY); }
    void ClickButton(const DialogButton& button) { Click(CentreX(button), CentreY(button)); }
    uint16_t ButtonPixel(const DialogButton& button) {
        return Pixel(CentreX(button), CentreY(button));
    }
    uint16_t Shows(const DialogButton& button, int state) {
        return To565(DialogButtonColour(button.sourceX, state));
    }
    void SaveFile(const std::string& name) {
        ASSERT_TRUE(folder.Write(name, std::string("Kestrion SaveGame file\r\n")));
    }
    // Presses the list row `row` of a dialog's list.
    void PressRow(const SavedGameList& list, int row) {
        Release(300, list.top + kListRowHeight * row + 4);
        Press(300, list.top + kListRowHeight * row + 4);
        Release(300, list.top + kListRowHeight * row + 4);
    }
    // A lightened pixel of the scroll track at height y.
    bool ThumbAt(int y) { return Pixel(450, y) == Tinted565(kBackgroundColour, 5, 5, 5); }
};

TEST_F(DialogTest, OpeningFreezesTheBoardUnderADarkenedDialog) {
    // The computer plays itself; with a dialog open nothing moves.
    StartGame(Computer, Computer);
    for (int i = 0; i < 40 && app->stepResult != MoveMade; ++i) Frame(0, 470, 0, 0);
    ASSERT_EQ(app->animating, 1);
    Frame(0, 470, 0, 100);
    Open(kQuitMenu);
    ASSERT_EQ(app->dialog, DialogQuit);
    EXPECT_EQ(app->redrawBackground, 0);
    EXPECT_EQ(Pixel(175, 135), To565(DialogBannerColour(DialogQuit)));
    EXPECT_EQ(Pixel(161, 200), kDimmed);
    EXPECT_EQ(Pixel(100, 300), kBare);
    // The menu was captured in its normal state.
    EXPECT_EQ(Pixel(50, 40), To565(MenuColour(0, Normal)));

    ChessGame before = app->game;
    const int elapsed = app->animElapsed;
    for (int i = 0; i < 50; ++i) Frame(0, 470, 0, 100);
    EXPECT_EQ(app->animElapsed, elapsed);
    EXPECT_EQ(app->game.state, before.state);
    for (char file = 'a'; file <= 'h'; ++file) {
        for (char rank = '1'; rank <= '8'; ++rank) {
            EXPECT_EQ(app->game.board.GetSquare(file, rank), before.board.GetSquare(file, rank));
        }
    }
    // The board takes no presses and the menu no clicks.
    Click(SquareCentreX('e'), SquareCentreY('7'));
    Click(50, kPlayMenu);
    EXPECT_EQ(app->selectedFile, -1);
    EXPECT_EQ(app->dialog, DialogQuit);

    // Closing brings back the bare background and the live board.
    ClickButton(kQuitNoButton);
    EXPECT_EQ(app->dialog, DialogNone);
    Frame(0, 470, 0, 0);
    EXPECT_EQ(Pixel(161, 200), kBare);
    EXPECT_EQ(app->animElapsed, elapsed);
    Frame(0, 470, 0, 10);
    EXPECT_EQ(app->animElapsed, elapsed + 10);
}

TEST_F(DialogTest, AButtonActsOnTheReleaseOverIt) {
    StartGame(Human, Human);
    Open(kQuitMenu);
    const int x = CentreX(kQuitYesButton), y = CentreY(kQuitYesButton);
    EXPECT_EQ(ButtonPixel(kQuitYesButton), Shows(kQuitYesButton, Normal));

    Frame(x, y, 0);
    EXPECT_EQ(ButtonPixel(kQuitYesButton), Shows(kQuitYesButton, Hover));
    Press(x, y);
    EXPECT_EQ(ButtonPixel(kQuitYesButton), Shows(kQuitYesButton, Pressed));
    EXPECT_EQ(app->quitRequested, 0);
    Frame(200, y, 1);  // dragged off
    EXPECT_EQ(ButtonPixel(kQuitYesButton), Shows(kQuitYesButton, Normal));
    Release(200, y);
    EXPECT_EQ(app->quitRequested, 0);

    // The hit area leaves out the left column and the top row.
    Press(kQuitYesButton.x, y);
    Release(kQuitYesButton.x, y);
    Press(x, kQuitYesButton.y);
    Release(x, kQuitYesButton.y);
    EXPECT_EQ(app->quitRequested, 0);

    Press(200, y);  // pressed elsewhere, dragged onto Yes
    Frame(x, y, 1);
    Release(x, y);
    EXPECT_EQ(app->quitRequested, 1);
    EXPECT_EQ(app->dialog, DialogQuit);  // stays up until the program ends
}

TEST_F(DialogTest, F12QuitsFromEveryDialog) {
    for (int menuY : {kQuitMenu, kPlayMenu, kSaveMenu, kLoadMenu}) {
        StartGame(Human, Human);
        app->quitRequested = 0;
        Open(menuY);
        ASSERT_NE(app->dialog, DialogNone) << menuY;
        Type("\x7B");
        EXPECT_EQ(app->quitRequested, 1) << menuY;
        app->CloseDialog();
    }
}

TEST_F(DialogTest, PlayStartsTheChosenGame) {
    StartGame(Computer, Computer);
    Open(kPlayMenu);
    EXPECT_EQ(app->selection, 2);
    EXPECT_EQ(ButtonPixel(kWhitePlayerButton), To565(DialogButtonColour(kHumanImage, Normal)));
    EXPECT_EQ(ButtonPixel(kBlackPlayerButton), To565(DialogButtonColour(kAiImage, Normal)));
    app->animating = 1;
    ClickButton(kPlayButton);
    EXPECT_EQ(app->dialog, DialogNone);
    EXPECT_EQ(app->animating, 0);
    EXPECT_EQ(app->game.whiteKind, Human);
    EXPECT_NE(app->game.blackKind, Human);

    Open(kPlayMenu);
    ClickButton(kWhitePlayerButton);
    EXPECT_EQ(app->selection, 3);
    EXPECT_EQ(ButtonPixel(kWhitePlayerButton), To565(DialogButtonColour(kAiImage, Hover)));
    ClickButton(kWhitePlayerButton);
    ClickButton(kBlackPlayerButton);
    EXPECT_EQ(app->selection, 0);
    // Dragged off Play: no game starts.
    Press(CentreX(kPlayButton), CentreY(kPlayButton));
    Release(CentreX(kPlayButton), 400);
    EXPECT_EQ(app->dialog, DialogPlay);
    ClickButton(kPlayButton);
    EXPECT_EQ(app->game.whiteKind, Human);
    EXPECT_EQ(app->game.blackKind, Human);
    Frame(0, 470, 0);
    EXPECT_EQ(app->stepResult, WhiteToMove);

    Open(kPlayMenu);
    ClickButton(kWhitePlayerButton);
    ClickButton(kPlayCancelButton);
    EXPECT_EQ(app->dialog, DialogNone);
    EXPECT_EQ(app->game.whiteKind, Human);
}

TEST_F(DialogTest, TypingEditsTheNameAndFindsAMatchingGame) {
    char name[8];
    for (int i = 0; i < 20; ++i) {
        std::snprintf(name, sizeof name, "a%02d.chs", i);
        SaveFile(name);
    }
    SaveFile("game.chs");
    Open(kSaveMenu);
    ASSERT_EQ(app->savedGameCount, 21);
    ASSERT_STREQ(app->savedGames[20], "game");

    Type("G", true);
    Type("AME");
    EXPECT_STREQ(app->saveName, "Game");
    EXPECT_EQ(app->selection, 20);
    EXPECT_EQ(app->listTop, 10);  // scrolled as far as the list goes
    // Its row is highlighted: row 10 of the list.
    EXPECT_EQ(Pixel(420, 211 + 80), Tinted565(kBackgroundColour, 5, -15, -15));

    Type("X");
    EXPECT_STREQ(app->saveName, "Gamex");
    EXPECT_EQ(app->selection, -1);
    Type("\x08");
    EXPECT_EQ(app->selection, 20);
    Type("\x08\x08\x08\x08\x08\x08");  // one more than there is
    EXPECT_STREQ(app->saveName, "");
    EXPECT_EQ(app->selection, -1);

    Type("1;", true);
    Type(std::string("\x2E\x25\x61 ", 4));
    EXPECT_STREQ(app->saveName, "!:.%a ");
    Type(std::string(40, 'Z'));
    EXPECT_EQ(std::string(app->saveName), "!:.%a " + std::string(21, 'z'));
}

TEST_F(DialogTest, ShiftCharFollowsAUsKeyboard) {
    EXPECT_EQ(ShiftChar('a'), 'A');
    EXPECT_EQ(ShiftChar('Q'), 'Q');
    EXPECT_EQ(ShiftChar('2'), '@');
    EXPECT_EQ(ShiftChar('0'), ')');
    EXPECT_EQ(ShiftChar('\''), '"');
    EXPECT_EQ(ShiftChar('/'), '?');
    EXPECT_EQ(ShiftChar('\\'), '|');
    EXPECT_EQ(ShiftChar('`'), '~');
    EXPECT_EQ(ShiftChar(' '), ' ');
    EXPECT_EQ(ShiftChar('%'), '%');
}

TEST_F(DialogTest, SaveWritesTheNamedFileAndCloses) {
    StartGame(Human, Human);
    Open(kSaveMenu);
    // No name: the Save button is neither drawn nor clickable.
    EXPECT_NE(ButtonPixel(kSaveButton), Shows(kSaveButton, Normal));
    ClickButton(kSaveButton);
    EXPECT_EQ(app->dialog, DialogSave);

    Type("MY");
    Frame(0, 470, 0);
    EXPECT_EQ(ButtonPixel(kSaveButton), Shows(kSaveButton, Normal));
    ClickButton(kSaveButton);
    EXPECT_EQ(app->dialog, DialogNone);
    std::ifstream saved("my.chs", std::ios::binary);
    ASSERT_TRUE(saved.good());
    std::stringstream text;
    text << saved.rdbuf();
    EXPECT_NE(text.str().find("WhiteType = Human"), std::string::npos);

    // Opening again lists it and starts empty.
    Open(kSaveMenu);
    EXPECT_STREQ(app->saveName, "");
    EXPECT_EQ(app->savedGameCount, 1);
    EXPECT_STREQ(app->savedGames[0], "my");
    ClickButton(kListCancelButton);
    EXPECT_EQ(app->dialog, DialogNone);
}

TEST_F(DialogTest, ANameThatWouldLeaveTheDirectorySavesNothing) {
    StartGame(Human, Human);
    std::filesystem::create_directory("sub");
    const auto filesUnder = [this] {
        int count = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path())) {
            if (entry.is_regular_file()) ++count;
        }
        return count;
    };
    // Typed as key codes: 0x5C types a backslash, 0x2F a slash, Shift with 0x3B a colon.
    const struct {
        std::string keys;
        bool shift;
        const char* name;
    } refused[] = {{"SUB\\X", false, "sub\\x"},
                   {"SUB/X", false, "sub/x"},
                   {"C;X", true, "C:X"},
                   {"/", false, "/"}};
    for (const auto& typed : refused) {
        Open(kSaveMenu);
        Type(typed.keys, typed.shift);
        ASSERT_STREQ(app->saveName, typed.name);
        ClickButton(kSaveButton);
        EXPECT_EQ(app->dialog, DialogNone) << typed.name;
        EXPECT_EQ(filesUnder(), 0) << typed.name;
    }
    // The same letters without the separator save as usual.
    Open(kSaveMenu);
    Type("SUBX");
    ClickButton(kSaveButton);
    EXPECT_TRUE(std::filesystem::is_regular_file("subx.chs"));
    EXPECT_EQ(filesUnder(), 1);
}

// A save that fails is told in a message box naming the file and the reason; the earlier
// file (here a folder in the way) and the game stay as they were.
TEST_F(DialogTest, ASaveThatFailsIsToldAndChangesNothing) {
    StartGame(Human, Human);
    SetPosition({"Ke1", "ke8", "Pe5"});
    ASSERT_TRUE(std::filesystem::create_directory("x.chs"));
    Open(kSaveMenu);
    Type("X");
    ClickButton(kSaveButton);
    EXPECT_EQ(app->dialog, DialogNone);
    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    const platform::FakeMessageBox& box = fake.messageBoxes[0];
    EXPECT_EQ(box.caption, "Kestrion");
    EXPECT_EQ(box.owner, app->window);
    EXPECT_NE(box.text.find("not saved"), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("\"x.chs\""), std::string::npos) << box.text;
    EXPECT_NE(box.text.find(std::strerror(EISDIR)), std::string::npos) << box.text;
    EXPECT_TRUE(std::filesystem::is_directory("x.chs"));
    EXPECT_EQ(app->game.board.GetSquare('e', '5'), 'P');

    // A refused name is a save that failed too.
    Open(kSaveMenu);
    Type("A/B");
    ClickButton(kSaveButton);
    ASSERT_EQ(fake.messageBoxes.size(), 2u);
    EXPECT_NE(fake.messageBoxes[1].text.find("not saved"), std::string::npos);

    // A save that works says nothing.
    Open(kSaveMenu);
    Type("Y");
    ClickButton(kSaveButton);
    EXPECT_TRUE(std::filesystem::is_regular_file("y.chs"));
    EXPECT_EQ(fake.messageBoxes.size(), 2u);
}

// The saves folder was made read-only while the game ran: the save is refused, the player
// is told why, and the earlier save of that name is kept as it was.
TEST_F(DialogTest, ASaveIntoAFolderThatCannotBeWrittenIsTold) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions are not enforced for root";
    const std::string earlier = "Kestrion SaveGame file\r\n";
    SaveFile("x.chs");
    std::filesystem::permissions(
        folder.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    Open(kSaveMenu);
    Type("X");
    ClickButton(kSaveButton);
    std::filesystem::permissions(folder.Path(), std::filesystem::perms::owner_all);
    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    const std::string& text = fake.messageBoxes[0].text;
    EXPECT_NE(text.find("not saved"), std::string::npos) << text;
    EXPECT_NE(text.find(std::strerror(EACCES)), std::string::npos) << text;
    std::ifstream kept("x.chs", std::ios::binary);
    std::stringstream bytes;
    bytes << kept.rdbuf();
    EXPECT_EQ(bytes.str(), earlier);
}

// The listed file went away (or became a folder) before Load was clicked: the player is told
// and the game, its gliding move included, goes on as it was.
TEST_F(DialogTest, ALoadThatFailsIsToldAndChangesNothing) {
    StartGame(Human, Human);
    SaveFile("gone.chs");
    SetPosition({"Ke1", "ke8", "Pe5"});
    Open(kLoadMenu);
    ASSERT_EQ(app->savedGameCount, 1);
    ASSERT_TRUE(std::filesystem::remove("gone.chs"));
    PressRow(kLoadList, 0);
    app->animating = 1;
    ClickButton(kLoadButton);
    EXPECT_EQ(app->dialog, DialogNone);
    EXPECT_EQ(app->animating, 1);
    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    const std::string& text = fake.messageBoxes[0].text;
    EXPECT_NE(text.find("not loaded"), std::string::npos) << text;
    EXPECT_NE(text.find("\"gone.chs\""), std::string::npos) << text;
    EXPECT_NE(text.find(std::strerror(ENOENT)), std::string::npos) << text;
    EXPECT_EQ(app->game.board.GetSquare('e', '5'), 'P');
    EXPECT_EQ(app->game.board.GetSquare('e', '2'), ' ');

    SaveFile("folder.chs");
    app->animating = 0;
    Open(kLoadMenu);
    ASSERT_TRUE(std::filesystem::remove("folder.chs"));
    ASSERT_TRUE(std::filesystem::create_directory("folder.chs"));
    PressRow(kLoadList, 0);
    ClickButton(kLoadButton);
    ASSERT_EQ(fake.messageBoxes.size(), 2u);
    EXPECT_NE(fake.messageBoxes[1].text.find("\"folder.chs\""), std::string::npos);
    EXPECT_EQ(app->game.board.GetSquare('e', '5'), 'P');
}

TEST_F(DialogTest, TheNameFieldHasABlinkingCursor) {
    Open(kSaveMenu);
    Type("AB");
    const char* cursorGlyph = "BltFast(backbuffer,226,190,offscreen 128x128,96,56,104,64,key)";
    fake.tickCount = 250;
    fake.ClearCalls();
    Frame(0, 470, 0);
    EXPECT_TRUE(fake.Called(cursorGlyph));
    fake.tickCount = 500;
    fake.ClearCalls();
    Frame(0, 470, 0);
    EXPECT_FALSE(fake.Called(cursorGlyph));
    EXPECT_TRUE(fake.Called("BltFast(backbuffer,210,190,offscreen 128x128,8,48,16,56,key)"));
}

TEST_F(DialogTest, PickingALongNameFillsTheFieldBeyondTheTypingLimit) {
    const std::string longName(40, 'n');
    SaveFile(longName + ".chs");
    SaveFile("short.chs");
    Open(kSaveMenu);
    PressRow(kSaveList, 0);
    EXPECT_EQ(app->selection, 0);
    EXPECT_EQ(std::string(app->saveName), longName);
    Type("X");
    EXPECT_EQ(std::string(app->saveName), longName);
    EXPECT_EQ(app->selection, 0);
    Type(std::string(13, '\x08') + "X");
    EXPECT_EQ(std::string(app->saveName), std::string(27, 'n'));
    Type("\x08X");
    EXPECT_EQ(std::string(app->saveName), std::string(26, 'n') + "x");

    PressRow(kSaveList, 1);
    EXPECT_STREQ(app->saveName, "short");
    PressRow(kSaveList, 2);  // below the last name
    EXPECT_EQ(app->selection, 1);
    EXPECT_STREQ(app->saveName, "short");
}

TEST_F(DialogTest, TheThumbShowsTheShareOfTheListInView) {
    char name[8];
    for (int i = 0; i < 28; ++i) {
        std::snprintf(name, sizeof name, "g%02d.chs", i);
        SaveFile(name);
    }
    Open(kLoadMenu);
    ASSERT_EQ(app->savedGameCount, 28);
    EXPECT_EQ(ThumbFor(kLoadList, 28, 0).height, 21);
    EXPECT_TRUE(ThumbAt(225));
    EXPECT_TRUE(ThumbAt(245));
    EXPECT_FALSE(ThumbAt(246));

    // Holding the down arrow scrolls one entry per frame, down to entry 14.
    const int expectedOffsets[] = {0, 1, 3, 4, 6, 7, 9, 10, 12, 13, 15, 16, 18, 19, 21};
    Press(CentreX(kDownArrowButton), CentreY(kDownArrowButton));
    for (int top = 1; top <= 14; ++top) {
        EXPECT_EQ(app->listTop, top);
        EXPECT_EQ(ThumbFor(kLoadList, 28, top).offset, expectedOffsets[top]);
        EXPECT_TRUE(ThumbAt(225 + expectedOffsets[top])) << top;
        EXPECT_FALSE(ThumbAt(224 + expectedOffsets[top])) << top;
        Frame(CentreX(kDownArrowButton), CentreY(kDownArrowButton), 1);
    }
    EXPECT_EQ(app->listTop, 14);
    EXPECT_TRUE(ThumbAt(266));
    Frame(CentreX(kUpArrowButton), CentreY(kUpArrowButton), 1);
    Frame(CentreX(kUpArrowButton), CentreY(kUpArrowButton), 1);
    EXPECT_EQ(app->listTop, 12);
}

TEST_F(DialogTest, AShortListFillsTheTrackAndDoesNotScroll) {
    for (const char* file : {"one.chs", "two.chs", "three.chs"}) SaveFile(file);
    Open(kSaveMenu);
    EXPECT_TRUE(ThumbAt(225));
    EXPECT_TRUE(ThumbAt(266));
    Frame(CentreX(kDownArrowButton), CentreY(kDownArrowButton), 1);
    Frame(CentreX(kDownArrowButton), CentreY(kDownArrowButton), 1);
    EXPECT_EQ(app->listTop, 0);
}

TEST_F(DialogTest, LoadReadsThePickedGame) {
    StartGame(Human, Computer);
    SetPosition({"Ke8", "ke1", "Pe5"});
    ASSERT_EQ(app->game.SaveGame("pawn.chs"), 1);
    SaveFile("other.chs");
    StartGame(Computer, Computer);

    Open(kLoadMenu);
    ClickButton(kLoadButton);  // nothing picked: nothing happens
    EXPECT_EQ(app->dialog, DialogLoad);
    EXPECT_NE(ButtonPixel(kLoadButton), Shows(kLoadButton, Normal));
    PressRow(kLoadList, 1);
    EXPECT_EQ(app->selection, 1);
    ASSERT_STREQ(app->savedGames[1], "pawn");
    EXPECT_EQ(ButtonPixel(kLoadButton), Shows(kLoadButton, Normal));
    app->animating = 1;
    ClickButton(kLoadButton);
    EXPECT_EQ(app->dialog, DialogNone);
    EXPECT_EQ(app->animating, 0);
    EXPECT_EQ(app->game.board.GetSquare('e', '5'), 'P');
    EXPECT_EQ(app->game.board.GetSquare('e', '7'), ' ');
    EXPECT_EQ(app->game.whiteKind, Human);
    Frame(0, 470, 0);
    EXPECT_EQ(PieceOn('e', '5'), To565(PieceColour(5, 0)));
}

TEST_F(DialogTest, TheListShowsFileNamesWithoutExtensionWithinItsLimits) {
    SaveFile("game.one.chs");
    SaveFile(".chs");
    SaveFile(std::string(120, 'x') + ".chs");
    SaveFile("notes.txt");
    Open(kLoadMenu);
    ASSERT_EQ(app->savedGameCount, 2);
    EXPECT_STREQ(app->savedGames[0], "");
    EXPECT_STREQ(app->savedGames[1], "game.one");
    ClickButton(kListCancelButton);

    char name[12];
    for (int i = 0; i < 105; ++i) {
        std::snprintf(name, sizeof name, "m%03d.chs", i);
        SaveFile(name);
    }
    Open(kLoadMenu);
    EXPECT_EQ(app->savedGameCount, 100);
    EXPECT_EQ(fake.OpenFinds(), 0u);
}

// With more saved games than the list holds, it lists the hundred written last, in the
// order of the search (alphabetical here), so that a game just saved can always be loaded.
TEST_F(DialogTest, AFullListShowsTheGamesSavedLast) {
    const auto now = std::filesystem::file_time_type::clock::now();
    char name[12];
    for (int i = 0; i < 105; ++i) {
        std::snprintf(name, sizeof name, "m%03d.chs", i);
        SaveFile(name);
        // m000 is the newest, m104 the oldest.
        std::filesystem::last_write_time(name, now - std::chrono::hours(1 + i));
    }
    Open(kLoadMenu);
    ASSERT_EQ(app->savedGameCount, 100);
    for (int i = 0; i < 100; ++i) {
        std::snprintf(name, sizeof name, "m%03d", i);
        EXPECT_STREQ(app->savedGames[i], name);
    }
    ClickButton(kListCancelButton);

    // A game saved now takes the place of the oldest and can be loaded.
    StartGame(Human, Human);
    SetPosition({"Ke1", "ke8", "Pe5"});
    Open(kSaveMenu);
    Type("ZZ");
    ClickButton(kSaveButton);
    ASSERT_TRUE(std::filesystem::is_regular_file("zz.chs"));
    StartGame(Human, Human);
    Open(kLoadMenu);
    ASSERT_EQ(app->savedGameCount, 100);
    EXPECT_STREQ(app->savedGames[0], "m000");
    EXPECT_STREQ(app->savedGames[98], "m098");
    ASSERT_STREQ(app->savedGames[99], "zz");
    app->listTop = 86;
    PressRow(kLoadList, 13);
    ASSERT_EQ(app->selection, 99);
    ClickButton(kLoadButton);
    EXPECT_EQ(app->game.board.GetSquare('e', '5'), 'P');
    EXPECT_TRUE(fake.messageBoxes.empty());
}

}  // namespace
}  // namespace apptest
