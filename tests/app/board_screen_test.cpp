// The board screen: selecting and moving with presses, highlights, the glide, promotion,
// the status panel, the side menu, the tooltip and the quit key.

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "app/button_state.h"
#include "app/dialog_state.h"
#include "display/display_device.h"
#include "display/testing/bmp_writer.h"
#include "resources/embedded.h"
#include "tests/app/app_fixture.h"

namespace apptest {
namespace {

const uint16_t kBare = To565(kBackgroundColour);
const uint16_t kRed = Tinted565(kBackgroundColour, 10, 0, 0);
const uint16_t kGreen = Tinted565(kBackgroundColour, 0, 10, 0);
const uint16_t kBlue = Tinted565(kBackgroundColour, 0, 0, 10);
const uint16_t kWhitePawn = To565(PieceColour(5, 0));
const uint16_t kWhiteRook = To565(PieceColour(4, 0));
const uint16_t kWhiteQueen = To565(PieceColour(1, 0));
const uint16_t kBlackKnight = To565(PieceColour(3, 1));
constexpr int kQuitMenuY = 40;

class BoardScreenTest : public AppTest {
  protected:
    bool Selected(int column, int row) const {
        return app->selectedFile == column && app->selectedRank == row;
    }
};

TEST_F(BoardScreenTest, PressesSelectAndRefusedMovesOnlyClearTheSelection) {
    StartGame(Human, Human);
    ASSERT_EQ(app->stepResult, WhiteToMove);

    PressSquare('e', '5');  // empty
    EXPECT_TRUE(Selected(-1, -1));

    PressSquare('e', '2');  // the opponent's pawn: selectable, but no target is green
    EXPECT_TRUE(Selected(4, 1));
    EXPECT_EQ(SquareMargin('e', '2'), kRed);
    EXPECT_EQ(SquareMargin('e', '3'), kBare);
    EXPECT_EQ(SquareMargin('e', '4'), kBare);
    PressSquare('e', '3');
    EXPECT_TRUE(Selected(-1, -1));
    EXPECT_EQ(app->game.board.GetSquare('e', '2'), 'p');
    EXPECT_EQ(app->game.board.GetSquare('e', '3'), ' ');

    PressSquare('e', '7');
    EXPECT_TRUE(Selected(4, 6));
    EXPECT_EQ(SquareMargin('e', '7'), kRed);
    EXPECT_EQ(SquareMargin('e', '6'), kGreen);
    EXPECT_EQ(SquareMargin('e', '5'), kGreen);
    EXPECT_EQ(SquareMargin('e', '4'), kBare);
    EXPECT_EQ(SquareMargin('d', '6'), kBare);

    PressSquare('e', '8');  // own king: refused
    EXPECT_TRUE(Selected(-1, -1));
    EXPECT_EQ(app->game.board.GetSquare('e', '7'), 'P');
    EXPECT_EQ(app->game.whoseTurn, 1);
    EXPECT_EQ(app->stepResult, WhiteToMove);
    EXPECT_EQ(app->animating, 0);

    PressSquare('e', '7');
    PressSquare('e', '7');  // the same square again
    EXPECT_TRUE(Selected(-1, -1));
    EXPECT_EQ(app->game.board.GetSquare('e', '7'), 'P');

    // Holding the button down is one press, not one per frame.
    PressSquare('d', '7');
    Press(SquareCentreX('d'), SquareCentreY('5'));
    EXPECT_TRUE(Selected(3, 6));
}

TEST_F(BoardScreenTest, TheBoardAreaIsStrictOnAllFourSides) {
    struct Case {
        int x, y, column, row;
    };
    const Case cases[] = {
        {120, 415, -1, -1}, {121, 415, 0, 7}, {519, 415, 7, 7}, {520, 415, -1, -1},
        {145, 40, -1, -1},  {145, 41, 0, 0},  {145, 439, 0, 7}, {145, 440, -1, -1},
    };
    StartGame(Human, Human);
    for (const Case& c : cases) {
        app->selectedFile = app->selectedRank = -1;
        Release(c.x, c.y);
        Press(c.x, c.y);
        EXPECT_TRUE(Selected(c.column, c.row)) << c.x << "," << c.y;
    }
}

TEST_F(BoardScreenTest, HoverTintOnlyWhileAHumanMayPickAPiece) {
    StartGame(Human, Human);
    Frame(SquareCentreX('c'), SquareCentreY('5'), 0);
    EXPECT_EQ(SquareMargin('c', '5'), kBlue);
    EXPECT_EQ(SquareMargin('d', '5'), kBare);

    PressSquare('b', '7');
    Frame(SquareCentreX('c'), SquareCentreY('5'), 0);
    EXPECT_EQ(SquareMargin('c', '5'), kBare);

    StartGame(Computer, Computer);
    Frame(SquareCentreX('c'), SquareCentreY('5'), 0);
    EXPECT_EQ(app->stepResult, ComputerThinking);
    EXPECT_EQ(SquareMargin('c', '5'), kBare);
    // Presses do nothing while the computer thinks.
    Press(SquareCentreX('b'), SquareCentreY('7'));
    EXPECT_TRUE(Selected(-1, -1));
}

TEST_F(BoardScreenTest, TheMovedPieceGlidesToItsSquare) {
    StartGame(Human, Human);
    PressMove("e7e5");
    ASSERT_EQ(app->animating, 1);
    EXPECT_STREQ(app->animMove, "e7e5");
    EXPECT_EQ(app->animMovedPiece, 'P');
    EXPECT_EQ(app->animCapturedPiece, ' ');
    EXPECT_EQ(app->animDuration, 600);
    Frame(0, 470, 0, 0);  // the cursor away, so no tooltip covers the board
    // The image stands on e7 at the start (top of its coloured block at y 302).
    EXPECT_EQ(Pixel(345, 302), kWhitePawn);
    EXPECT_EQ(Pixel(345, 277), kBare);

    // After 150 of 600 ms it has risen a quarter of its two squares: 25 pixels.
    Frame(0, 470, 0, 150);
    EXPECT_EQ(app->animElapsed, 150);
    EXPECT_EQ(Pixel(345, 277), kWhitePawn);
    EXPECT_EQ(Pixel(345, 276), kBare);
    EXPECT_EQ(PieceOn('e', '5'), kBare);
    // The controller waits for the landing.
    EXPECT_EQ(app->stepResult, MoveMade);

    // A long pause ends the glide without overflowing the clock.
    Frame(0, 470, 0, INT_MAX);
    EXPECT_EQ(app->animating, 0);
    EXPECT_EQ(app->stepResult, BlackToMove);
    EXPECT_EQ(PieceOn('e', '5'), kWhitePawn);
    EXPECT_EQ(Pixel(345, 278), kBare);
}

TEST_F(BoardScreenTest, GlideDurationFollowsTheDistance) {
    struct Case {
        const char* piece;
        const char* move;
        int duration;
    };
    const Case cases[] = {
        {"Pe7", "e7e6", 300}, {"Bc8", "c8d7", 424}, {"Ng8", "g8f6", 670}, {"Ra8", "a8a1", 2100}};
    for (const Case& c : cases) {
        StartGame(Human, Human);
        SetPosition({"Ke8", "kh3", c.piece});
        Frame(0, 470, 0);
        PressMove(c.move);
        EXPECT_EQ(app->animating, 1) << c.move;
        EXPECT_EQ(app->animDuration, c.duration) << c.move;
    }
}

TEST_F(BoardScreenTest, ACapturedPieceStaysInSightUntilTheMoverLands) {
    StartGame(Human, Human);
    SetPosition({"Ke8", "ke1", "Ra7", "na3"});
    Frame(0, 470, 0);
    PressMove("a7a3");
    ASSERT_EQ(app->animDuration, 1200);
    EXPECT_EQ(app->animCapturedPiece, 'n');
    EXPECT_EQ(app->game.board.GetSquare('a', '3'), 'R');
    EXPECT_EQ(PieceOn('a', '3'), kBlackKnight);
    Frame(0, 470, 0, 600);
    EXPECT_EQ(PieceOn('a', '3'), kBlackKnight);
    EXPECT_EQ(Pixel(145, 202), kWhiteRook);  // halfway: two squares up from a7
    Frame(0, 470, 0, 600);
    EXPECT_EQ(app->animating, 0);
    EXPECT_EQ(PieceOn('a', '3'), kWhiteRook);
}

TEST_F(BoardScreenTest, AHumanPawnOnTheLastRankBecomesAQueenAtOnce) {
    StartGame(Human, Human);
    SetPosition({"Kh8", "kh3", "Pa2"});
    Frame(0, 470, 0);
    PressMove("a2a1");
    ASSERT_EQ(app->animating, 1);
    Frame(0, 470, 0, 300);
    EXPECT_EQ(app->stepResult, WhitePromotes);
    EXPECT_EQ(app->game.board.GetSquare('a', '1'), 'Q');
    EXPECT_EQ(PieceOn('a', '1'), kWhiteQueen);
    EXPECT_EQ(Pixel(560, 60), kBare);  // no turn image in that one frame
    Frame(0, 470, 0);
    EXPECT_EQ(app->stepResult, BlackToMove);
    EXPECT_EQ(Pixel(560, 60), To565(StatusColour(0, 2)));
}

TEST_F(BoardScreenTest, StatusPanelShowsTurnPositionAndPlayers) {
    auto turnImage = [&] { return Pixel(560, 60); };
    auto positionImage = [&] { return Pixel(560, 140); };
    auto blackPlayer = [&] { return Pixel(560, 340); };
    auto whitePlayer = [&] { return Pixel(560, 420); };

    StartGame(Computer, Computer);
    EXPECT_EQ(turnImage(), To565(StatusColour(0, 3)));  // AI Thinking
    EXPECT_EQ(positionImage(), kBare);
    EXPECT_EQ(blackPlayer(), To565(StatusColour(2, 3)));  // Black AI
    EXPECT_EQ(whitePlayer(), To565(StatusColour(2, 1)));  // White AI

    StartGame(Human, Computer);
    EXPECT_EQ(turnImage(), To565(StatusColour(0, 1)));    // White Turn
    EXPECT_EQ(whitePlayer(), To565(StatusColour(2, 0)));  // White Human
    StartGame(Computer, Human);
    EXPECT_EQ(blackPlayer(), To565(StatusColour(2, 2)));  // Black Human

    StartGame(Human, Human);
    SetPosition({"Ke8", "ke1", "re5"});
    Frame(0, 470, 0);
    EXPECT_EQ(positionImage(), To565(StatusColour(1, 0)));  // White Check

    SetPosition({"Ka8", "kh1", "ra1", "rb1"});
    Frame(0, 470, 0);
    EXPECT_EQ(app->stepResult, GameOver);
    EXPECT_EQ(turnImage(), To565(StatusColour(0, 0)));      // Game Over
    EXPECT_EQ(positionImage(), To565(StatusColour(1, 3)));  // Black Wins

    SetPosition({"Ka8", "kh1", "qb6"});
    Frame(0, 470, 0);
    EXPECT_EQ(positionImage(), To565(StatusColour(1, 4)));  // Stale Mate
}

TEST_F(BoardScreenTest, TheSideMenuOpensOnReleaseOverAButton) {
    StartGame(Human, Human);
    PressSquare('e', '7');
    ASSERT_TRUE(Selected(4, 6));

    Press(50, 190);  // below the last button
    Release(50, 190);
    EXPECT_TRUE(Selected(-1, -1));
    EXPECT_EQ(app->dialog, DialogNone);
    for (int x : {10, 90}) {
        Press(x, 70);
        Release(x, 70);
        EXPECT_EQ(app->dialog, DialogNone) << x;
    }

    Frame(50, 30, 0);
    EXPECT_EQ(Pixel(50, 40), To565(MenuColour(0, Hover)));
    EXPECT_EQ(Pixel(50, 80), To565(MenuColour(1, Normal)));
    Press(50, 80);
    EXPECT_EQ(app->dialog, DialogNone);  // the press does nothing yet
    EXPECT_EQ(Pixel(50, 80), To565(MenuColour(1, Pressed)));
    Release(50, 80);
    EXPECT_EQ(app->dialog, DialogPlay);
}

TEST_F(BoardScreenTest, TheTooltipNamesThePieceUnderTheCursor) {
    StartGame(Computer, Computer);  // shown while the computer thinks as well
    const int x = SquareCentreX('e');
    const int y = 430;  // the white king on e8
    fake.ClearCalls();
    Frame(x, y, 0);
    // "White King": W is glyph 87, g is the tenth and last character.
    EXPECT_TRUE(fake.Called("BltFast(backbuffer,345,462,offscreen 128x128,56,40,64,48,key)"));
    EXPECT_TRUE(fake.Called("BltFast(backbuffer,417,462,offscreen 128x128,56,48,64,56,key)"));
    EXPECT_EQ(Pixel(x + 80, y + 32), Tinted565(kBackgroundColour, -10, -10, -10));
    EXPECT_EQ(Pixel(x + 81, y + 32), kBare);
    EXPECT_EQ(Pixel(x + 1, y + 33), To565(kGlyphColour));

    Frame(SquareCentreX('e'), SquareCentreY('4'), 0);  // an empty square
    EXPECT_EQ(Pixel(SquareCentreX('e') + 80, SquareCentreY('4') + 32), kBare);
}

// Loose picture files of another size than the game's own sheets (in the folder the game
// starts in) are passed over: the background and the pieces still show. A loose file of the
// right size still takes the sheet's place.
TEST_F(BoardScreenTest, LooseSheetsOfAnotherSizeAreNotUsed) {
    const auto solid = [](int width, int height, uint32_t rgb) {
        return platform::EncodeBmp(platform::SolidPicture(width, height, rgb),
                                   platform::BmpEncoding::Bits24);
    };
    ASSERT_TRUE(folder.Write("back.bmp", solid(10, 10, 0xFF0000)));
    ASSERT_TRUE(folder.Write("pieces.bmp", solid(10, 10, 0xFF0000)));
    ASSERT_TRUE(folder.Write("status.bmp", solid(300, 200, 0x0000FF)));
    // A fresh application, as at the start of the program.
    app->Shutdown();
    app = std::make_unique<TestApp>();
    app->directDraw = DisplayDevice::directDraw;
    app->primary = DisplayDevice::primary;
    app->backBuffer = DisplayDevice::backBuffer;
    testing::internal::CaptureStderr();
    ASSERT_EQ(app->Init(DisplayDevice::window), 1);
    StartGame(Human, Human);
    SetPosition({"Ke1", "ke8", "Pe5"});
    Frame(0, 470, 0);
    const std::string told = testing::internal::GetCapturedStderr();

    EXPECT_EQ(app->backgroundSprite.width, 640);
    EXPECT_EQ(Pixel(100, 300), kBare);
    EXPECT_EQ(PieceOn('e', '5'), kWhitePawn);
    EXPECT_EQ(app->statusSprite.width, 300);
    EXPECT_NE(told.find("back.bmp is 10x10, not 640x480"), std::string::npos) << told;
    EXPECT_NE(told.find("pieces.bmp is 10x10, not 240x160"), std::string::npos) << told;
    EXPECT_EQ(told.find("status.bmp"), std::string::npos) << told;

    // The loose status sheet of the right size is the one shown.
    uint16_t statusPixel = 0;
    ASSERT_NE(app->statusSprite.surface, nullptr);
    platform::SurfaceDesc desc;
    ASSERT_EQ(app->statusSprite.surface->Lock(nullptr, &desc, 0, nullptr), platform::DD_OK);
    statusPixel = *static_cast<const uint16_t*>(desc.surface);
    app->statusSprite.surface->Unlock(nullptr);
    EXPECT_EQ(statusPixel, To565(0x0000FF));

    // A dialog closing loads the background again: it stays the game's own, told only once.
    testing::internal::CaptureStderr();
    Click(50, kQuitMenuY);
    Click(362, 285);
    Frame(0, 470, 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(app->dialog, DialogNone);
    EXPECT_EQ(Pixel(100, 300), kBare);
}

// The sizes the game asks of its sheets are those of its own pictures: each of them, put
// down as a loose file, is taken without a word, dialogs included.
TEST_F(BoardScreenTest, TheGamesOwnPicturesAreTakenAsLooseFiles) {
    for (const char* name :
         {"back.bmp", "bigbns.bmp", "dlgload.bmp", "dlgplay.bmp", "dlgquit.bmp", "dlgsave.bmp",
          "font8.bmp", "mouse.bmp", "pieces.bmp", "smlbns.bmp", "status.bmp", "options.bmp",
          "takeback.bmp", "draws.bmp", "ranks.bmp", "picker.bmp"}) {
        const EmbeddedFile* own = FindEmbeddedFile(name);
        ASSERT_NE(own, nullptr) << name;
        ASSERT_TRUE(folder.Write(name, std::vector<uint8_t>(own->data, own->data + own->size)));
    }
    app->Shutdown();
    app = std::make_unique<TestApp>();
    app->directDraw = DisplayDevice::directDraw;
    app->primary = DisplayDevice::primary;
    app->backBuffer = DisplayDevice::backBuffer;
    testing::internal::CaptureStderr();
    ASSERT_EQ(app->Init(DisplayDevice::window), 1);
    for (int kind = DialogQuit; kind <= DialogLoad; ++kind) {
        app->OpenDialog(kind);
        Frame(0, 470, 0);
        app->CloseDialog();
        Frame(0, 470, 0);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(app->backgroundSprite.width, 640);
    EXPECT_EQ(app->dialogSprite.width, 320);
}

TEST_F(BoardScreenTest, F12AsksToQuit) {
    StartGame(Human, Human);
    Type("AB");
    EXPECT_EQ(app->quitRequested, 0);
    Type("A\x7B");
    EXPECT_EQ(app->quitRequested, 1);
    EXPECT_EQ(app->WantsQuit(), 1);
}

}  // namespace
}  // namespace apptest
