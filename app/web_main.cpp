#include "app/shell.h"
#include "display/web/web_entry.h"

int main() {
    return platform::RunInBrowser(GameMain);
}
