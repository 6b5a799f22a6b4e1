#include "app/page_link.h"

#include <cstring>

#include "app/board_geometry.h"
#include "app/dialog_button.h"
#include "app/dialog_state.h"

SaveDialogView ViewSaveDialog(const ChessApp& app) {
    SaveDialogView view;
    view.open = app.dialog == DialogSave;
    if (!view.open) return view;
    std::memcpy(view.name, app.saveName, sizeof view.name - 1);
    view.saveX = kSaveButton.x + kSaveButton.width / 2;
    view.saveY = kSaveButton.y + kDialogButtonHeight / 2;
    return view;
}

bool SameSaveDialogView(const SaveDialogView& a, const SaveDialogView& b) {
    return a.open == b.open && std::strcmp(a.name, b.name) == 0 && a.saveX == b.saveX &&
           a.saveY == b.saveY;
}

bool DragPressesWhereLifted(const ChessApp& app, int fromX, int fromY, int toX, int toY) {
    if (app.dialog != DialogNone) return false;
    if (!InBoardArea(fromX, fromY) || !InBoardArea(toX, toY)) return false;
    return ColumnAt(fromX) != ColumnAt(toX) || RowAt(fromY) != RowAt(toY);
}
