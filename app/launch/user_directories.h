#pragma once

// Where the game keeps what belongs to the player rather than to a game: the remembered
// screen choice and, when asked, the saved games. Follows the XDG base directories on
// Linux; on Windows both live in the roaming application data.

#include <filesystem>
#include <string>

namespace launch {

// A base directory: the variable's value when it is an absolute path, else home followed by
// `underHome`; empty when neither is usable (no home either).
std::string BaseDirectory(const char* variableValue, const char* home, const char* underHome);

// The directory of the game's own settings ($XDG_CONFIG_HOME/kestrion), from the
// environment; empty when none can be named.
std::string ConfigDirectory();

// The directory for saved games under --user-data ($XDG_DATA_HOME/kestrion), from the
// environment; empty when none can be named.
std::string DataDirectory();

// The directory names above are text: UTF-8 on Windows, whose narrow code page cannot spell
// every user's folder, and the system's own bytes elsewhere. These make a path of such a
// name and a name of a path.
std::filesystem::path LocalPath(const std::string& name);
std::string PathText(const std::filesystem::path& path);

// Creates the directory and any missing parents. False, with the reason in *reason, when it
// cannot be made or is not a directory.
bool MakeDirectories(const std::string& path, std::string* reason);

}  // namespace launch
