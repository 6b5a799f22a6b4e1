#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/chess_app.h"
#include "game/file_open.h"

namespace {

constexpr char kCaption[] = "Kestrion";
// The first line of every game the Save dialog writes.
constexpr char kSavedGameBanner[] = "Kestrion SaveGame file";

// Why the file cannot be taken as a saved game, or null when it can.
const char* RefusalOf(const char* path) {
    errno = 0;
    std::FILE* file = OpenToRead(path);
    if (file == nullptr) return errno != 0 ? std::strerror(errno) : "it cannot be opened";
    char line[sizeof kSavedGameBanner] = {};
    errno = 0;
    const size_t length = std::fread(line, 1, sizeof line - 1, file);
    const bool failed = std::ferror(file) != 0;
    const int readError = errno;
    std::fclose(file);
    if (failed) return readError != 0 ? std::strerror(readError) : "it cannot be read";
    if (length != sizeof line - 1 || std::strcmp(line, kSavedGameBanner) != 0) {
        return "it is not a game saved by Kestrion";
    }
    return nullptr;
}

bool EndsWithPgn(const char* path) {
    const size_t length = std::strlen(path);
    if (length < 4) return false;
    const char* end = path + length - 4;
    return end[0] == '.' && (end[1] | 0x20) == 'p' && (end[2] | 0x20) == 'g' &&
           (end[3] | 0x20) == 'n';
}

}  // namespace

int ChessApp::OpenStartupGame() {
    std::string why;
    const char* refusal = nullptr;
    if (EndsWithPgn(startupGame)) {
        // Another program's game is played by two humans until the Play dialog says
        // otherwise; ours names its players.
        if (game.LoadPgn(startupGame, &why) == 1) return 1;
        refusal = why.c_str();
    } else {
        refusal = RefusalOf(startupGame);
        if (refusal == nullptr && game.LoadGame(startupGame) == 1) return 1;
        if (refusal == nullptr) refusal = "it cannot be opened";
    }
    char message[sizeof startupGame + 200];
    std::snprintf(message, sizeof message,
                  "The game %s cannot be opened: %s.\n\nA new game starts instead.", startupGame,
                  refusal);
    platform::Sys().MessageBoxA(window, message, kCaption, platform::MB_OK);
    return 0;
}
