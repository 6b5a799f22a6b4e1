#include <cstring>

#include "app/chess_app.h"
#include "app/name_cursor.h"
#include "app/save_name.h"
#include "app/save_path.h"

void ChessApp::RunSaveDialog() {
    const int saveState = ButtonStateOf(kSaveButton);
    const int cancelState = ButtonStateOf(kListCancelButton);
    const int upState = ButtonStateOf(kUpArrowButton);
    const int downState = ButtonStateOf(kDownArrowButton);

    if (IsClicked(kSaveButton) && saveName[0] != '\0') {
        char path[kSavePathSize];
        // An existing file of that name is replaced; a failed save goes unreported, and so
        // does a refused name.
        if (IsPlainSaveName(saveName) && MakeSavePath(saveName, path)) game.SaveGame(path);
        CloseDialog();
    }
    if (IsClicked(kListCancelButton)) CloseDialog();
    ScrollList(upState, downState, kSaveList.rowsShown);
    PickFromList(kSaveList, 1);

    if (saveName[0] != '\0') DrawButton(kSaveButton, saveState);
    DrawButton(kListCancelButton, cancelState);
    DrawButton(kUpArrowButton, upState);
    DrawButton(kDownArrowButton, downState);
    DrawThumb(kSaveList);
    DrawNameField();
    DrawSavedGameList(kSaveList);
}

// The typed name with a text cursor that shows for 250 ms and hides for 250 ms.
void ChessApp::DrawNameField() {
    char text[sizeof saveName + 1];
    std::strncpy(text, saveName, sizeof saveName - 1);
    text[sizeof saveName - 1] = '\0';
    if (NameCursorShown(frameClockMs)) std::strcat(text, "|");
    fontSprite.DrawText(text, kNameFieldX, kNameFieldY, 0);
}
