#pragma once

// What a page around the game (the browser build) learns of the game's screen between
// frames: the Save dialog's name, for a text field of the page's own, and where a dragged
// piece counts as pressed on its target.

#include "app/chess_app.h"

struct SaveDialogView {
    bool open = false;
    char name[sizeof ChessApp::saveName] = {};
    // The middle of the Save button, which saves the name as a click on it does.
    int saveX = 0;
    int saveY = 0;
};

SaveDialogView ViewSaveDialog(const ChessApp& app);
bool SameSaveDialogView(const SaveDialogView& a, const SaveDialogView& b);

// A touch that pressed one square of the live board and lifted on another: the lift is also
// a press there, so that the drag makes the move that pressing both squares makes. Anywhere
// else (a dialog, the side menu, the same square) a touch is just a press and a release.
bool DragPressesWhereLifted(const ChessApp& app, int fromX, int fromY, int toX, int toY);
