#include "app/shell.h"
#include "display/sdl/sdl_entry.h"

int main() {
    return platform::RunWithSdl(GameMain);
}
