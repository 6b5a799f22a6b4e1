#include "app/chess_app.h"
#include "app/dialog_state.h"
#include "display/tint.h"

namespace {

// The dialog's sheet stands in the middle of the screen over a darkened board.
constexpr int kDialogX = 160;
constexpr int kDialogY = 120;
constexpr int kDialogWidth = 320;
// The Play dialog's sheet carries a column of level buttons to the right of the usual width.
constexpr int kPlayDialogWidth = 372;
constexpr int kDialogHeight = 240;
constexpr int kDialogShade = -15;

}  // namespace

void ChessApp::OpenDialog(int kind) {
    const char* bitmap = nullptr;
    switch (kind) {
        case DialogQuit:
            bitmap = "dlgquit.bmp";
            break;
        case DialogPlay:
            // Offers the choices of the last game started here (at first White human against
            // Black computer, Classic), whatever is playing now.
            selection = playChoices.computerBits;
            choiceWhiteLevel = playChoices.whiteLevel;
            choiceBlackLevel = playChoices.blackLevel;
            choiceRules = playChoices.rules;
            bitmap = "dlgplay.bmp";
            break;
        case DialogSave:
            ListSavedGames();
            listTop = 0;
            selection = -1;
            saveName[0] = '\0';
            bitmap = "dlgsave.bmp";
            break;
        case DialogLoad:
            ListSavedGames();
            listTop = 0;
            selection = -1;
            bitmap = "dlgload.bmp";
            break;
        default:
            return;
    }
    dialogSprite.sheetWidth = kind == DialogPlay ? kPlayDialogWidth : kDialogWidth;
    dialogSprite.Load(bitmap);
    dialogSprite.SetColorKey(1);
    dialog = kind;
    redrawBackground = 1;
}

void ChessApp::CloseDialog() {
    dialog = DialogNone;
    redrawBackground = 1;
}

// Opening a dialog freezes the board into the background sheet: the board as it stood,
// the dialog's rectangle darkened and the dialog drawn over it. Closing one puts the clean
// background picture back. A dialog sheet wider than the usual one (the Play dialog's
// level column) reaches further right; its left edge stays.
void ChessApp::RebuildBackground() {
    if (dialog == DialogNone) {
        backgroundSprite.Load("back.bmp");
        return;
    }
    backgroundSprite.Draw(0, 0, 0, 0, 640, 480);
    DrawBoard();
    const int width = dialogSprite.width > kDialogWidth ? dialogSprite.width : kDialogWidth;
    Tint(backBuffer, kDialogX, kDialogY, width, kDialogHeight, kDialogShade, kDialogShade,
         kDialogShade);
    dialogSprite.Draw(kDialogX, kDialogY, 0, 0, width, kDialogHeight);
    if (backgroundSprite.surface != nullptr && backBuffer != nullptr) {
        backgroundSprite.surface->BltFast(
            0, 0, backBuffer, nullptr, platform::DDBLTFAST_NOCOLORKEY | platform::DDBLTFAST_WAIT);
    }
}

void ChessApp::RunDialog() {
    switch (dialog) {
        case DialogQuit:
            RunQuitDialog();
            break;
        case DialogPlay:
            RunPlayDialog();
            break;
        case DialogLoad:
            RunLoadDialog();
            break;
        case DialogSave:
            RunSaveDialog();
            break;
        default:
            break;
    }
}
