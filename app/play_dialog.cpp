#include "app/chess_app.h"

namespace {

constexpr int kWhiteComputerBit = 1;
constexpr int kBlackComputerBit = 2;

DialogButton PlayerButton(DialogButton button, int playedByComputer) {
    button.sourceX = playedByComputer ? kAiImage : kHumanImage;
    return button;
}

}  // namespace

void ChessApp::RunPlayDialog() {
    const int playState = ButtonStateOf(kPlayButton);
    const int cancelState = ButtonStateOf(kPlayCancelButton);
    const int whiteState = ButtonStateOf(kWhitePlayerButton);
    const int blackState = ButtonStateOf(kBlackPlayerButton);

    if (IsClicked(kPlayButton)) {
        animating = 0;
        game.NewGame(selection & kWhiteComputerBit, selection & kBlackComputerBit);
        CloseDialog();
    }
    if (IsClicked(kPlayCancelButton)) CloseDialog();
    if (IsClicked(kWhitePlayerButton)) selection ^= kWhiteComputerBit;
    if (IsClicked(kBlackPlayerButton)) selection ^= kBlackComputerBit;

    DrawButton(kPlayButton, playState);
    DrawButton(kPlayCancelButton, cancelState);
    DrawButton(PlayerButton(kWhitePlayerButton, selection & kWhiteComputerBit), whiteState);
    DrawButton(PlayerButton(kBlackPlayerButton, selection & kBlackComputerBit), blackState);
}
