#include <cerrno>

#include "app/chess_app.h"
#include "app/file_failure.h"
#include "app/save_path.h"

void ChessApp::RunLoadDialog() {
    const int loadState = ButtonStateOf(kLoadButton);
    const int cancelState = ButtonStateOf(kListCancelButton);
    const int upState = ButtonStateOf(kUpArrowButton);
    const int downState = ButtonStateOf(kDownArrowButton);

    if (IsClicked(kLoadButton) && selection != -1) {
        char path[kSavePathSize];
        // A file that cannot be read leaves the game as it was, a move still gliding
        // included, and the player is told; the dialog closes anyway.
        if (!MakeSavePath(savedGames[selection], path)) {
            TellGameNotLoaded(window, savedGames[selection], ENAMETOOLONG);
        } else if (game.LoadGame(path) == 0) {
            TellGameNotLoaded(window, path, errno);
        } else {
            animating = 0;
        }
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
