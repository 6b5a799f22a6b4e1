#include "app/chess_app_instance.h"
#include "app/game_main.h"
#include "app/launch/play_text.h"
#include "app/page_link.h"
#include "app/remembered_play.h"
#include "display/web/browser_bridge.h"
#include "display/web/web_entry.h"

namespace {

// The page hears of the Save dialog only when something it shows has changed.
SaveDialogView told;

void TellThePage() {
    const SaveDialogView now = ViewSaveDialog(chessApp);
    if (SameSaveDialogView(now, told)) return;
    told = now;
    web::TellSaveDialog(now.open, now.name, now.saveX, now.saveY);
}

// The Play dialog's choices are kept in the browser's storage, as the desktop keeps them in
// play.conf.
void KeepPlayChoices(const PlayChoices& choices) {
    web::KeepPlayText(launch::RememberedPlayText(RememberedOf(choices)));
}

bool PressWhereLifted(int fromX, int fromY, int toX, int toY) {
    return DragPressesWhereLifted(chessApp, fromX, fromY, toX, toY);
}

}  // namespace

// The program's entry in the browser.
int main() {
    chessApp.playChoices = ChoicesOf(launch::ParseRememberedPlay(web::RememberedPlayText()));
    chessApp.keepPlayChoices = KeepPlayChoices;
    return platform::RunInBrowser(GameMain, platform::PageHooks{TellThePage, PressWhereLifted});
}
