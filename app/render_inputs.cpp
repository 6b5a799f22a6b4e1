#include <cstring>

#include "app/chess_app.h"
#include "app/dialog_state.h"
#include "app/name_cursor.h"

RenderInputs ChessApp::TakeRenderInputs() const {
    RenderInputs inputs{};
    static_assert(sizeof inputs.squares == sizeof game.board.squares);
    std::memcpy(inputs.squares, game.board.squares, sizeof inputs.squares);
    inputs.whoseTurn = game.whoseTurn;
    inputs.whiteKind = game.whiteKind;
    inputs.blackKind = game.blackKind;
    inputs.stepResult = stepResult;
    inputs.selectedFile = selectedFile;
    inputs.selectedRank = selectedRank;
    inputs.rules = game.rules;
    inputs.whiteLevel = game.whiteLevel;
    inputs.blackLevel = game.blackLevel;
    inputs.promotionFrom = game.promotionFrom;
    inputs.promotionTo = game.promotionTo;
    inputs.standardStatus =
        game.rules == RulesStandard ? static_cast<int>(game.StandardStatus()) : -1;
    inputs.canTakeBack = game.CanTakeBack();

    inputs.animating = animating;
    inputs.animElapsed = animElapsed;
    inputs.animDuration = animDuration;
    std::memcpy(inputs.animMove, animMove, sizeof inputs.animMove);
    inputs.animMovedPiece = animMovedPiece;
    inputs.animCapturedPiece = animCapturedPiece;
    std::memcpy(inputs.animRookMove, animRookMove, sizeof inputs.animRookMove);
    inputs.animRookPiece = animRookPiece;
    std::memcpy(inputs.animPassedSquare, animPassedSquare, sizeof inputs.animPassedSquare);
    inputs.animPassedPiece = animPassedPiece;

    inputs.mouseX = mouseX;
    inputs.mouseY = mouseY;
    inputs.buttonDown = buttonDown;
    inputs.buttonWasDown = buttonWasDown;

    inputs.dialog = dialog;
    inputs.redrawBackground = redrawBackground;
    inputs.quitRequested = quitRequested;
    inputs.listTop = listTop;
    inputs.selection = selection;
    inputs.choiceWhiteLevel = choiceWhiteLevel;
    inputs.choiceBlackLevel = choiceBlackLevel;
    inputs.choiceRules = choiceRules;
    inputs.savedGameCount = savedGameCount;
    inputs.savedGamesListed = savedGamesListed;
    static_assert(sizeof inputs.saveName == sizeof saveName);
    std::memcpy(inputs.saveName, saveName, sizeof inputs.saveName);
    // Only the Save dialog shows the blink; elsewhere the clock must not count as a change.
    inputs.nameCursorShown = dialog == DialogSave && NameCursorShown(frameClockMs) ? 1 : 0;
    return inputs;
}

// The game stands still while a dialog is open, a thinking computer included.
bool ChessApp::KeepsChanging() const {
    if (dialog != DialogNone) return false;
    return animating == 1 || stepResult == ComputerThinking;
}

bool ChessApp::NextTimedChange(uint32_t* atMs) const {
    if (dialog != DialogSave) return false;
    *atMs = NextNameCursorChange(frameClockMs);
    return true;
}
