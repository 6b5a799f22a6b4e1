// Feeds arbitrary bytes to ChessGame::LoadGame through a file, as the load dialog would.

#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "ai/random_draw.h"
#include "game/chess_game.h"

namespace {

char tempPath[] = "/tmp/kestrion-load-fuzz-XXXXXX";

void RemoveTempFile() {
    unlink(tempPath);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    randomSeeded = 1;
    SeedRandom(1);
    const int descriptor = mkstemp(tempPath);
    if (descriptor < 0) std::abort();
    close(descriptor);
    std::atexit(RemoveTempFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(tempPath, "wb");
    if (file == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);

    static ChessGame game;
    game.NewGame(Human, Computer);
    if (game.LoadGame(tempPath) != 1) std::abort();
    // Whatever the file holds, the game stays in one of its own states.
    if (game.whoseTurn != 0 && game.whoseTurn != 1) std::abort();
    if (game.state < GameOver || game.state > BlackPromotes) std::abort();
    return 0;
}
