#include "app/chess_app_instance.h"
#include "app/game_main.h"
#include "app/page_link.h"
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

bool PressWhereLifted(int fromX, int fromY, int toX, int toY) {
    return DragPressesWhereLifted(chessApp, fromX, fromY, toX, toY);
}

}  // namespace

// The program's entry in the browser.
int main() {
    return platform::RunInBrowser(GameMain, platform::PageHooks{TellThePage, PressWhereLifted});
}
