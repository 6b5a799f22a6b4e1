// What the browser page learns of the game: the Save dialog's name and the Save button it
// presses on Enter, and which touches on the board press again where they lift.

#include "app/page_link.h"

#include <filesystem>

#include "app/dialog_state.h"
#include "tests/app/app_fixture.h"

namespace apptest {
namespace {

constexpr int kSaveMenu = 120;

using PageLinkTest = AppTest;

class DragTest : public AppTest {
  protected:
    void DragFromTo(char fromFile, char fromRank, char toFile, char toRank) {
        const int fromX = SquareCentreX(fromFile), fromY = SquareCentreY(fromRank);
        const int toX = SquareCentreX(toFile), toY = SquareCentreY(toRank);
        Frame(fromX, fromY, 1);
        Frame(toX, toY, 1);
        Frame(toX, toY, 0);
        if (DragPressesWhereLifted(*app, fromX, fromY, toX, toY)) {
            Press(toX, toY);
            Release(toX, toY);
        }
    }
};

TEST_F(DragTest, DraggingAPieceToItsSquareMakesTheMoveOfTwoPresses) {
    StartGame(Human, Human);
    // White's king's pawn stands on e7 of this board, as in the saved games.
    DragFromTo('e', '7', 'e', '5');
    for (int i = 0; i < 60; ++i) Frame(0, 470, 0, 50);  // the glide
    EXPECT_EQ(app->game.board.GetSquare('e', '5'), 'P');
    EXPECT_EQ(app->game.board.GetSquare('e', '7'), ' ');
    EXPECT_EQ(app->game.board.GetSquare('e', '6'), ' ');
}

TEST_F(DragTest, OnlyALiftOnAnotherSquareOfTheLiveBoardPressesAgain) {
    StartGame(Human, Human);
    const int e2x = SquareCentreX('e'), e2y = SquareCentreY('2');
    const int e4y = SquareCentreY('4');
    EXPECT_TRUE(DragPressesWhereLifted(*app, e2x, e2y, e2x, e4y));
    EXPECT_FALSE(DragPressesWhereLifted(*app, e2x, e2y, e2x + 10, e2y + 10));  // same square
    EXPECT_FALSE(DragPressesWhereLifted(*app, e2x, e2y, 50, kSaveMenu));       // side menu
    EXPECT_FALSE(DragPressesWhereLifted(*app, 50, kSaveMenu, e2x, e2y));
    Click(50, kSaveMenu);
    ASSERT_EQ(app->dialog, DialogSave);
    // Over a dialog a drag is a press and a release, as with the mouse.
    EXPECT_FALSE(DragPressesWhereLifted(*app, e2x, e2y, e2x, e4y));
}

TEST_F(PageLinkTest, TheSaveDialogsNameAndButtonAreWhatThePageIsShown) {
    StartGame(Human, Human);
    EXPECT_FALSE(ViewSaveDialog(*app).open);
    Click(50, kSaveMenu);
    SaveDialogView view = ViewSaveDialog(*app);
    ASSERT_TRUE(view.open);
    EXPECT_STREQ(view.name, "");
    Type("PHONE");
    SaveDialogView typed = ViewSaveDialog(*app);
    EXPECT_STREQ(typed.name, "phone");
    EXPECT_FALSE(SameSaveDialogView(view, typed));
    EXPECT_TRUE(SameSaveDialogView(typed, ViewSaveDialog(*app)));
    // The page's Enter is a click at the point it is given: the game saves and closes.
    Click(typed.saveX, typed.saveY);
    EXPECT_EQ(app->dialog, DialogNone);
    EXPECT_TRUE(std::filesystem::exists("phone.chs"));
    EXPECT_FALSE(ViewSaveDialog(*app).open);
}

}  // namespace
}  // namespace apptest
