#include "app/launch/launch_options.h"

#include <cstring>

namespace launch {

namespace {

bool Is(const char* argument, const char* option) {
    return std::strcmp(argument, option) == 0;
}

}  // namespace

LaunchOptions ParseLaunchOptions(int argc, const char* const* argv) {
    LaunchOptions options;
    bool help = false;
    bool version = false;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (Is(argument, "--window")) {
            options.screen = ScreenChoice::Window;
        } else if (Is(argument, "--fullscreen")) {
            options.screen = ScreenChoice::FullScreen;
        } else if (Is(argument, "--user-data")) {
            options.useDataHome = true;
        } else if (Is(argument, "--help") || Is(argument, "-h")) {
            help = true;
        } else if (Is(argument, "--version")) {
            version = true;
        } else if (argument[0] != '-' && argument[0] != '\0' && options.gameFile == nullptr) {
            options.gameFile = argument;
        } else if (options.badArgument == nullptr) {
            options.badArgument = argument;
        }
    }
    if (options.badArgument != nullptr) {
        options.action = LaunchAction::UsageError;
    } else if (help) {
        options.action = LaunchAction::ShowHelp;
    } else if (version) {
        options.action = LaunchAction::ShowVersion;
    }
    return options;
}

const char* UsageText() {
#ifdef _WIN32
    // On Windows the game always fills the screen; the two screen options are still taken,
    // so that one command line serves every build.
    return "Usage: kestrion [--user-data] [FILE]\n"
           "       kestrion --help | --version\n"
           "Chess on a 640x480 screen, played with the mouse.\n"
           "\n"
           "  --user-data   keep saved games in %APPDATA%\\Kestrion instead of the\n"
           "                current directory (the Start-menu shortcut does this)\n"
           "  -h, --help    show this text and stop\n"
           "  --version     show the version and stop\n"
           "  --window, --fullscreen\n"
           "                taken and left unused: the game always fills the screen\n"
           "  FILE          start with this saved game (.chs) on the board\n"
           "\n"
           "F12 ends the game.\n";
#else
    return "Usage: kestrion [--window | --fullscreen] [--user-data] [FILE]\n"
           "       kestrion --help | --version\n"
           "Chess on a 640x480 screen, played with the mouse.\n"
           "\n"
           "  --window      start in a 640x480 window\n"
           "  --fullscreen  start filling the screen\n"
           "  --user-data   keep saved games in $XDG_DATA_HOME/kestrion\n"
           "                (~/.local/share/kestrion) instead of the current directory\n"
           "  -h, --help    show this text and stop\n"
           "  --version     show the version and stop\n"
           "  FILE          start with this saved game (.chs) on the board\n"
           "\n"
           "Without --window or --fullscreen the game starts as it was left: Alt+Enter\n"
           "switches between the two, and the choice is kept in ~/.config/kestrion.\n"
           "F12 ends the game.\n";
#endif
}

const char* VersionText() {
    return "Kestrion " KESTRION_VERSION;
}

}  // namespace launch
