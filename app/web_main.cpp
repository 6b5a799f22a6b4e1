#include "app/game_main.h"
#include "display/web/web_entry.h"

// The program's entry in the browser.
int main() {
    return platform::RunInBrowser(GameMain);
}
