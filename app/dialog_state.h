#pragma once

// Which dialog is open; DialogNone means the board screen is live.
enum DialogState : int {
    DialogNone = 0,
    DialogQuit = 1,
    DialogPlay = 2,
    DialogSave = 3,
    DialogLoad = 4,
};
