#include <cerrno>
#include <cstdio>
#include <string>

#include "app/chess_app.h"
#include "app/file_failure.h"
#include "app/save_path.h"

void ChessApp::RunLoadDialog() {
    const int loadState = ButtonStateOf(kLoadButton);
    const int cancelState = ButtonStateOf(kListCancelButton);
    const int upState = ButtonStateOf(kUpArrowButton);
    const int downState = ButtonStateOf(kDownArrowButton);

    if (IsClicked(kLoadButton) && selection != -1) {
        // A file that cannot be read leaves the game as it was, a move still gliding
        // included, and the player is told; the dialog closes anyway.
        if (LoadListedGame(selection)) animating = 0;
        CloseDialog();
    }
    if (IsClicked(kListCancelButton)) CloseDialog();
    ScrollList(upState, downState, kLoadList.rowsShown);
    PickFromList(kLoadList, 0);

    if (selection != -1) DrawButton(kLoadButton, loadState);
    DrawButton(kListCancelButton, cancelState);
    DrawButton(kUpArrowButton, upState);
    DrawButton(kDownArrowButton, downState);
    DrawThumb(kLoadList);
    DrawSavedGameList(kLoadList);
}

int ChessApp::LoadListedGame(int index) {
    if (index < 0 || index >= savedGameCount) return 0;
    if (!savedGameIsPgn[index]) {
        char path[kSavePathSize];
        if (!MakeSavePath(savedGames[index], path)) {
            TellGameNotLoaded(window, savedGames[index], ENAMETOOLONG);
            return 0;
        }
        if (game.LoadGame(path) == 0) {
            TellGameNotLoaded(window, path, errno);
            return 0;
        }
        return 1;
    }
    std::string error;
    if (game.LoadPgn(savedGames[index], &error) == 1) return 1;
    char message[400];
    std::snprintf(message, sizeof message, "The game %.100s cannot be loaded: %.200s.",
                  savedGames[index], error.c_str());
    platform::Sys().MessageBoxA(window, message, "Kestrion", platform::MB_OK);
    return 0;
}
