#pragma once

// The game's command line, read into a plain description before anything else starts.
// Nothing here changes how the game plays: the options only pick how the screen starts,
// where saved games live, or ask for the version or the usage instead of a game.

namespace launch {

enum class LaunchAction {
    Play,         // start the game
    ShowVersion,  // print "Kestrion <version>" and stop
    ShowHelp,     // print the usage and stop
    UsageError,   // print the usage on stderr and stop with exit code 2
};

enum class ScreenChoice {
    Remembered,  // as the player left it last time
    Window,
    FullScreen,
};

struct LaunchOptions {
    LaunchAction action = LaunchAction::Play;
    ScreenChoice screen = ScreenChoice::Remembered;
    bool useDataHome = false;           // keep saved games in the user's data directory
    const char* gameFile = nullptr;     // a saved game to start with, as given; null when none
    const char* badArgument = nullptr;  // the first argument not understood (UsageError)
};

// Reads argv[1..argc-1]. One argument that is not an option (it does not start with '-') names
// a saved game to open. An argument not understood anywhere, or a second file, makes it a
// usage error, which outranks --help and --version; of --window and --fullscreen the last
// one counts.
LaunchOptions ParseLaunchOptions(int argc, const char* const* argv);

// The usage text, ending with a newline.
const char* UsageText();

// "Kestrion 1.0.0": the product and its version, without a newline.
const char* VersionText();

}  // namespace launch
