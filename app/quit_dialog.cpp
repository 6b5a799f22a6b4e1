#include "app/chess_app.h"

// Yes leaves the dialog up: the shell closes the program at its next pass.
void ChessApp::RunQuitDialog() {
    if (IsClicked(kQuitYesButton)) quitRequested = 1;
    if (IsClicked(kQuitNoButton)) CloseDialog();
    DrawButton(kQuitYesButton, ButtonStateOf(kQuitYesButton));
    DrawButton(kQuitNoButton, ButtonStateOf(kQuitNoButton));
}
