#include "app/button_state.h"
#include "app/chess_app.h"

int ChessApp::ButtonStateOf(const DialogButton& button) const {
    const bool over = mouseX > button.x && mouseX < button.x + button.width && mouseY > button.y &&
                      mouseY < button.y + kDialogButtonHeight;
    if (!over) return Normal;
    return buttonDown == 1 ? Pressed : Hover;
}

// A click is a release over the button, wherever the press began.
int ChessApp::IsClicked(const DialogButton& button) const {
    return IsRelease() && ButtonStateOf(button) != Normal;
}

void ChessApp::DrawButton(const DialogButton& button, int state) {
    dialogButtonsSprite.Draw(button.x, button.y, button.sourceX, kDialogButtonHeight * state,
                             button.width, kDialogButtonHeight);
}

void ChessApp::DrawOptionButton(const DialogButton& button, int state) {
    optionsSprite.Draw(button.x, button.y, button.sourceX, kDialogButtonHeight * state,
                       button.width, kDialogButtonHeight);
}
