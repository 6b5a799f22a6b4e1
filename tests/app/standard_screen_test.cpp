// A Standard game on the board screen: the rank digits, green targets for castling and
// capture in passing, the rook gliding with its king, the pawn taken in passing staying in
// sight until the mover lands, the promotion picker, and the draw pictures.

#include <string>

#include "app/button_state.h"
#include "app/dialog_button.h"
#include "app/dialog_state.h"
#include "app/promotion_picker.h"
#include "tests/app/app_fixture.h"

namespace apptest {
namespace {

const uint16_t kBare = To565(kBackgroundColour);
const uint16_t kGreen = Tinted565(kBackgroundColour, 0, 10, 0);
const uint16_t kWhiteKing = To565(PieceColour(0, 0));
const uint16_t kWhiteRook = To565(PieceColour(4, 0));
const uint16_t kWhiteKnight = To565(PieceColour(3, 0));
const uint16_t kBlackPawn = To565(PieceColour(5, 1));

class StandardScreenTest : public AppTest {
  protected:
    void StartStandard(const char* fen) {
        app->game.StartGame(Human, Human, RulesStandard, LevelClassic, LevelClassic);
        std::string error;
        ASSERT_TRUE(app->game.SetUpStandard(fen, &error)) << error;
        app->animating = 0;
        app->selectedFile = app->selectedRank = -1;
        Frame(0, 470, 0);
    }
    void Land() {
        for (int i = 0; i < 100 && app->animating == 1; ++i) Frame(0, 470, 0, 50);
    }
    static int CellX(int cell) { return kPickerCellX + kPickerCellWidth * cell + 25; }
};

TEST_F(StandardScreenTest, RankDigitsCountFromWhiteOnlyInStandardGames) {
    StartGame(Human, Human);
    EXPECT_EQ(Pixel(110, 200), kBare);
    EXPECT_EQ(Pixel(530, 200), kBare);
    StartStandard("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
    EXPECT_EQ(Pixel(110, 200), To565(kRankStripColour));
    EXPECT_EQ(Pixel(530, 200), To565(kRankStripColour));
    EXPECT_EQ(Pixel(101, 200), kBare);  // the strips are 18 wide
    EXPECT_EQ(Pixel(538, 200), kBare);
}

TEST_F(StandardScreenTest, CastlingIsGreenAndTheRookGlidesBesideTheKing) {
    StartStandard("r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1");
    Release(SquareCentreX('e'), SquareCentreY('8'));
    Press(SquareCentreX('e'), SquareCentreY('8'));
    EXPECT_EQ(SquareMargin('g', '8'), kGreen);
    EXPECT_EQ(SquareMargin('c', '8'), kGreen);
    EXPECT_EQ(SquareMargin('f', '8'), kGreen);
    EXPECT_EQ(SquareMargin('e', '7'), kBare);
    Release(0, 470);
    TapSquare('g', '8');
    ASSERT_EQ(app->animating, 1);
    // Halfway: the rook is between h8 and f8, the king between e8 and g8; f8 is empty.
    Frame(0, 470, 0, app->animDuration / 2);
    EXPECT_STREQ(app->animRookMove, "h8f8");
    EXPECT_EQ(Pixel(120 + 50 * 6 + 25, 40 + 50 * 7 + 30), kWhiteRook);  // g8: the rook
    EXPECT_EQ(Pixel(120 + 50 * 5 + 25, 40 + 50 * 7 + 30), kWhiteKing);  // f8: the king
    Land();
    EXPECT_EQ(PieceOn('g', '8'), kWhiteKing);
    EXPECT_EQ(PieceOn('f', '8'), kWhiteRook);
    EXPECT_EQ(app->stepResult, BlackToMove);

    // A Classic game loaded next glides no rook left over from the castling.
    ASSERT_TRUE(folder.Write("next.chs", std::string("Kestrion SaveGame file\r\n\r\nWhoseTurn = "
                                                     "White\r\nWhiteType = Human\r\n"
                                                     "BlackType = Human")));
    ASSERT_EQ(app->game.LoadGame("next.chs"), 1);
    EXPECT_EQ(app->game.rules, RulesClassic);
    Frame(0, 470, 0);
    TapSquare('e', '7');
    TapSquare('e', '5');
    ASSERT_EQ(app->animating, 1);
    EXPECT_EQ(app->animRookMove[0], '\0');
    EXPECT_EQ(app->animPassedSquare[0], '\0');
}

TEST_F(StandardScreenTest, APawnTakenInPassingStaysUntilTheMoverLands) {
    StartStandard("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 2");
    Release(SquareCentreX('e'), SquareCentreY('4'));
    Press(SquareCentreX('e'), SquareCentreY('4'));
    EXPECT_EQ(SquareMargin('d', '3'), kGreen);
    Release(0, 470);
    TapSquare('d', '3');
    ASSERT_EQ(app->animating, 1);
    EXPECT_EQ(app->game.board.GetSquare('d', '4'), ' ');
    Frame(0, 470, 0, 10);
    EXPECT_EQ(PieceOn('d', '4'), kBlackPawn);
    Land();
    EXPECT_EQ(SquareMargin('d', '4'), kBare);
    EXPECT_NE(PieceOn('d', '4'), kBlackPawn);
}

TEST_F(StandardScreenTest, ThePickerChoosesTheNewPieceOrIsGivenUp) {
    StartStandard("7k/1P5p/8/8/8/8/8/K7 w - - 0 1");
    TapSquare('b', '2');
    TapSquare('b', '1');
    EXPECT_EQ(app->stepResult, WhitePromotes);
    EXPECT_EQ(Pixel(kPickerX + 5, kPickerY + 5), To565(kPickerColour));
    const int pieceY = kPickerCellY + 60;
    EXPECT_EQ(Pixel(CellX(3), pieceY), kWhiteKnight);
    EXPECT_EQ(Pixel(CellX(0), pieceY), To565(PieceColour(1, 0)));  // the queen first
    // Hovering a cell tints its floor green around the piece.
    Frame(CellX(2), pieceY, 0);
    const int floorX = kPickerCellX + kPickerCellWidth * 2 + 4;
    EXPECT_EQ(Pixel(floorX, kPickerCellY + 40), Tinted565(kPickerColour, 0, 10, 0));
    EXPECT_EQ(Pixel(floorX - kPickerCellWidth, kPickerCellY + 40), To565(kPickerColour));
    // Nothing waits on the pointer: frames go by and the choice is still asked for.
    for (int i = 0; i < 20; ++i) Frame(0, 470, 0, 100);
    EXPECT_EQ(app->stepResult, WhitePromotes);
    EXPECT_EQ(app->game.board.GetSquare('b', '2'), 'P');

    Type("\x08");  // Backspace gives up the promotion, not the move before it
    EXPECT_EQ(app->stepResult, WhiteToMove);
    EXPECT_EQ(app->game.history.Count(), 0);
    EXPECT_EQ(app->game.board.GetSquare('b', '2'), 'P');
    TapSquare('b', '2');
    TapSquare('b', '1');
    ASSERT_EQ(app->stepResult, WhitePromotes);

    TapSquare('a', '8');  // anywhere else: given up, the pawn stays
    EXPECT_EQ(app->stepResult, WhiteToMove);
    EXPECT_EQ(Pixel(kPickerX + 5, kPickerY + 5), kBare);
    EXPECT_EQ(app->game.board.GetSquare('b', '2'), 'P');

    TapSquare('b', '2');
    TapSquare('b', '1');
    ASSERT_EQ(app->stepResult, WhitePromotes);
    Release(CellX(3), pieceY);
    Press(CellX(3), pieceY);
    EXPECT_EQ(app->animating, 1);
    Land();
    EXPECT_EQ(app->game.board.GetSquare('b', '1'), 'N');
    EXPECT_EQ(PieceOn('b', '1'), kWhiteKnight);
    EXPECT_EQ(app->stepResult, BlackToMove);
}

TEST_F(StandardScreenTest, EachDrawHasItsOwnPicture) {
    const struct {
        const char* fen;
        int column;
    } draws[] = {
        {"7k/8/6K1/8/8/8/8/R7 w - - 100 80", 0},
        {"7k/8/6K1/8/8/8/8/8 w - - 0 1", 2},
    };
    for (const auto& draw : draws) {
        StartStandard(draw.fen);
        EXPECT_EQ(app->stepResult, GameOver);
        EXPECT_EQ(Pixel(560, 140), To565(DrawColour(draw.column))) << draw.fen;
    }
    // By repetition, played out with the mouse.
    StartStandard("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
    const char* shuffle[] = {"g8f6", "g1f3", "f6g8", "f3g1", "g8f6", "g1f3", "f6g8", "f3g1"};
    for (const char* move : shuffle) {
        TapSquare(move[0], move[1]);
        TapSquare(move[2], move[3]);
        Land();
    }
    EXPECT_EQ(app->stepResult, GameOver);
    EXPECT_EQ(Pixel(560, 140), To565(DrawColour(1)));
    // Mate uses the Classic picture: Black wins when White is mated.
    StartStandard("7k/8/8/8/8/8/5PPP/r5K1 w - - 0 1");
    EXPECT_EQ(Pixel(560, 140), To565(StatusColour(1, 3)));
}

}  // namespace
}  // namespace apptest
