// Taking moves back on the board screen: the Undo button appears only with something to
// take back, a click or Backspace takes back to the human's turn, and neither acts while a
// piece glides or a dialog is open.

#include "app/button_state.h"
#include "app/dialog_state.h"
#include "app/take_back.h"
#include "tests/app/app_fixture.h"

namespace apptest {
namespace {

const uint16_t kBare = To565(kBackgroundColour);
constexpr int kButtonX = kTakeBackX + kTakeBackWidth / 2;
constexpr int kButtonY = kTakeBackY + kTakeBackHeight / 2;
const char kBackspace[] = "\x08";

class TakeBackScreenTest : public AppTest {
  protected:
    // Frames with the cursor parked until a human is to move and nothing glides.
    void SettleToHuman() {
        for (int i = 0; i < 400; ++i) {
            Frame(0, 470, 0, 100);
            if (app->animating == 0 &&
                (app->stepResult == WhiteToMove || app->stepResult == BlackToMove)) {
                return;
            }
        }
        FAIL() << "no human turn came";
    }
    uint16_t ButtonPixel() { return Pixel(kButtonX, kButtonY); }
};

TEST_F(TakeBackScreenTest, TheButtonShowsOnlyWithAHumanMoveToTakeBack) {
    StartGame(Computer, Computer);
    for (int i = 0; i < 60; ++i) Frame(0, 470, 0, 100);
    EXPECT_EQ(ButtonPixel(), kBare);  // the computer's own moves are not offered

    StartGame(Human, Computer);
    EXPECT_EQ(ButtonPixel(), kBare);
    TapMove("e7e5");
    EXPECT_EQ(ButtonPixel(), To565(TakeBackColour(Normal)));
    SettleToHuman();
    Frame(kButtonX, kButtonY, 0);
    EXPECT_EQ(ButtonPixel(), To565(TakeBackColour(Hover)));
    Frame(kButtonX, kButtonY, 1);
    EXPECT_EQ(ButtonPixel(), To565(TakeBackColour(Pressed)));
    EXPECT_EQ(app->game.history.Count(), 2);  // acts on the release, not the press
    Frame(kButtonX, kButtonY, 0);
    EXPECT_EQ(app->game.history.Count(), 0);
    EXPECT_EQ(app->game.board.GetSquare('e', '7'), 'P');
    EXPECT_EQ(app->game.board.GetSquare('e', '5'), ' ');
    EXPECT_EQ(app->stepResult, WhiteToMove);
    Frame(0, 470, 0);
    EXPECT_EQ(ButtonPixel(), kBare);
}

TEST_F(TakeBackScreenTest, BackspaceTakesBackAndTheComputerWaitsForTheHuman) {
    StartGame(Human, Computer);
    TapMove("e7e5");
    SettleToHuman();
    TapMove("d7d5");
    SettleToHuman();
    ASSERT_EQ(app->game.history.Count(), 4);
    PressSquare('d', '7');  // a selection is dropped by the take-back
    Release(0, 470);
    Type(kBackspace);
    EXPECT_EQ(app->game.history.Count(), 2);
    EXPECT_EQ(app->game.board.GetSquare('d', '7'), 'P');
    EXPECT_EQ(app->selectedFile, -1);
    for (int i = 0; i < 50; ++i) Frame(0, 470, 0, 100);
    EXPECT_EQ(app->stepResult, WhiteToMove);
    EXPECT_EQ(app->game.history.Count(), 2);
    EXPECT_EQ(app->animating, 0);
}

TEST_F(TakeBackScreenTest, NothingIsTakenBackDuringAGlideOrWithADialogOpen) {
    StartGame(Human, Human);
    TapMove("e7e5");
    ASSERT_EQ(app->animating, 1);
    Type(kBackspace);
    Click(kButtonX, kButtonY);
    EXPECT_EQ(app->game.history.Count(), 1);
    SettleToHuman();
    ASSERT_EQ(app->stepResult, BlackToMove);

    Click(50, 120);  // the Save dialog: Backspace edits the name there
    ASSERT_EQ(app->dialog, DialogSave);
    Type("ab");
    Type(kBackspace);
    EXPECT_STREQ(app->saveName, "a");
    EXPECT_EQ(app->game.history.Count(), 1);
    app->CloseDialog();
    Frame(0, 470, 0);

    // Between two humans one move goes back per take-back.
    Type(kBackspace);
    EXPECT_EQ(app->game.history.Count(), 0);
    EXPECT_EQ(app->stepResult, WhiteToMove);
    EXPECT_EQ(app->game.board.GetSquare('e', '7'), 'P');
    Type(kBackspace);  // nothing left: nothing happens
    EXPECT_EQ(app->stepResult, WhiteToMove);
}

}  // namespace
}  // namespace apptest
