#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "app/board_geometry.h"
#include "app/chess_app.h"
#include "app/dialog_state.h"
#include "app/promotion_picker.h"
#include "app/take_back.h"
#include "rules/move_text.h"

namespace {

constexpr int kQuitKey = platform::VK_F12;

// The side menu: four 80x40 buttons from y 20 down, worked by releases.
constexpr int kMenuLeft = 10;
constexpr int kMenuRight = 90;
constexpr int kMenuTop = 20;
constexpr int kMenuBottom = 200;
constexpr int kMenuButtonHeight = 40;

constexpr int kMsPerSquare = 300;

}  // namespace

void ChessApp::ApplyQuitKey(int code) {
    if (code == kQuitKey) quitRequested = 1;
}

void ChessApp::StepBoardScreen(int elapsedMs) {
    if (animating == 1) {
        // Widened so that a pass after a long pause cannot overflow the counter.
        const int64_t elapsed = int64_t{animElapsed} + (elapsedMs > 0 ? elapsedMs : 0);
        animElapsed = elapsed > INT_MAX ? INT_MAX : static_cast<int>(elapsed);
        if (animElapsed >= animDuration) animating = 0;
    }
    // The controller is not stepped while a piece glides, so a reply waits for the landing.
    if (animating == 0) {
        stepResult = game.Step();
        if (stepResult == MoveMade) {
            StartAnimation();
        } else if ((stepResult == WhitePromotes || stepResult == BlackPromotes) &&
                   game.rules != RulesStandard) {
            // Classic: a human's pawn always becomes a queen. Standard asks with the picker.
            char queen[] = "q";
            game.SubmitMove(queen);
        }
    }
    if (!HandlePromotionPicker()) HandleBoardPress();
}

bool ChessApp::PickerShown() const {
    return game.rules == RulesStandard && game.promotionFrom >= 0 &&
           (stepResult == WhitePromotes || stepResult == BlackPromotes);
}

bool ChessApp::HandlePromotionPicker() {
    if (!PickerShown() || !IsPress()) return false;
    const int cell = PickerCellAt(mouseX, mouseY);
    if (cell < 0) {
        game.CancelPromotion();
    } else {
        char choice[2] = {kPickerPieces[cell], '\0'};
        game.SubmitMove(choice);
    }
    stepResult = game.Step();
    if (stepResult == MoveMade) StartAnimation();
    return true;
}

void ChessApp::HandleBoardPress() {
    if (!IsPress() || !InBoardArea(mouseX, mouseY)) return;
    if (stepResult != WhiteToMove && stepResult != BlackToMove) return;
    const int column = ColumnAt(mouseX);
    const int row = RowAt(mouseY);

    if (selectedFile == -1) {
        // A piece of either colour can be selected; only the mover's get green targets.
        if (game.board.GetSquare(FileLetter(column), RankDigit(row)) != ' ') {
            selectedFile = column;
            selectedRank = row;
        }
        return;
    }

    char move[5] = {FileLetter(selectedFile), RankDigit(selectedRank), FileLetter(column),
                    RankDigit(row), '\0'};
    game.SubmitMove(move);
    selectedFile = selectedRank = -1;
    stepResult = game.Step();
    if (stepResult == MoveMade) StartAnimation();
}

void ChessApp::StartAnimation() {
    game.GetLastMove(animMove, &animMovedPiece, &animCapturedPiece);
    animMove[4] = '\0';
    // Only a Standard move moves or takes a second piece.
    const bool standard = game.rules == RulesStandard;
    std::memcpy(animRookMove, standard ? game.rookMove : "\0\0\0\0", sizeof animRookMove);
    animRookPiece = standard ? game.rookLetter : ' ';
    std::memcpy(animPassedSquare, standard ? game.passedSquare : "\0\0", sizeof animPassedSquare);
    animPassedPiece = standard ? game.passedPawn : ' ';
    animElapsed = 0;
    // A move record that names no squares (the computer found nothing to play) has
    // nothing to glide.
    if (!rules::IsMoveOnBoard(animMove)) {
        animating = 0;
        animDuration = 0;
        return;
    }
    const int dx = animMove[0] - animMove[2];
    const int dy = animMove[1] - animMove[3];
    animating = 1;
    animDuration =
        static_cast<int>(std::sqrt(static_cast<double>(dx * dx + dy * dy)) * kMsPerSquare);
}

void ChessApp::HandleSideMenu() {
    if (!IsRelease()) return;
    if (mouseX <= kMenuLeft || mouseX >= kMenuRight || mouseY <= kMenuTop ||
        mouseY >= kMenuBottom) {
        return;
    }
    selectedFile = selectedRank = -1;
    switch ((mouseY - kMenuTop) / kMenuButtonHeight) {
        case 0:
            OpenDialog(DialogQuit);
            break;
        case 1:
            OpenDialog(DialogPlay);
            break;
        case 2:
            OpenDialog(DialogSave);
            break;
        case 3:
            OpenDialog(DialogLoad);
            break;
        default:
            break;  // below the last button
    }
}

void ChessApp::TakeBackMove() {
    if (dialog != DialogNone || animating == 1) return;
    // While the picker asks for a piece the pawn has not moved yet: that is what goes back.
    if (PickerShown()) {
        game.CancelPromotion();
    } else if (game.TakeBack() == 0) {
        return;
    }
    selectedFile = selectedRank = -1;
    // Settled at once, so the screen shows the human's turn in this very frame.
    stepResult = game.Step();
}

void ChessApp::HandleTakeBackButton() {
    if (!IsRelease() || !OnTakeBackButton(mouseX, mouseY)) return;
    TakeBackMove();
}
