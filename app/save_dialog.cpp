#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/chess_app.h"
#include "app/file_failure.h"
#include "app/name_cursor.h"
#include "app/save_name.h"
#include "app/save_path.h"

void ChessApp::RunSaveDialog() {
    const int saveState = ButtonStateOf(kSaveButton);
    const int cancelState = ButtonStateOf(kListCancelButton);
    const int upState = ButtonStateOf(kUpArrowButton);
    const int downState = ButtonStateOf(kDownArrowButton);

    if (IsClicked(kSaveButton) && saveName[0] != '\0') {
        // An existing file of that name is replaced; a save that fails leaves it as it was,
        // and the player is told.
        if (!IsPlainSaveName(saveName)) {
            TellNameRefused(window);
        } else {
            SaveNamedGame(saveName);
        }
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

void ChessApp::SaveNamedGame(const char* name) {
    char path[kSavePathSize];
    if (game.rules != RulesStandard) {
        if (!MakeSavePath(name, path)) {
            TellGameNotSaved(window, name, ENAMETOOLONG);
        } else if (game.SaveGame(path) == 0) {
            TellGameNotSaved(window, path, errno);
        }
        return;
    }
    // A PGN picked from the list brings its ".pgn" along; it is not doubled.
    const size_t length = std::strlen(name);
    const bool named = length > 4 && std::strcmp(name + length - 4, ".pgn") == 0;
    const int written = std::snprintf(path, sizeof path, "%.*s.pgn",
                                      static_cast<int>(named ? length - 4 : length), name);
    if (written <= 0 || written >= kSavePathSize) {
        TellGameNotSaved(window, name, ENAMETOOLONG);
    } else if (game.SavePgn(path) == 0) {
        TellGameNotSaved(window, path, errno);
    }
}

// The typed name with a text cursor that shows for 250 ms and hides for 250 ms.
void ChessApp::DrawNameField() {
    char text[sizeof saveName + 1];
    std::strncpy(text, saveName, sizeof saveName - 1);
    text[sizeof saveName - 1] = '\0';
    if (NameCursorShown(frameClockMs)) std::strcat(text, "|");
    fontSprite.DrawText(text, kNameFieldX, kNameFieldY, 0);
}
