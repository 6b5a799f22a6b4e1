#pragma once

// The Play dialog's choices of the last game started from it, kept beside the remembered
// screen so the dialog offers them again at the next start. A missing, unreadable or damaged
// file means the defaults: White human against the Classic player, Classic rules.

#include <string>

#include "app/launch/play_text.h"

namespace launch {

// The file inside the settings directory.
std::string PlayMemoryPath(const std::string& configDirectory);

// The defaults unless the file holds exactly the lines RememberPlay writes, in any order.
RememberedPlay ReadRememberedPlay(const std::string& path);

// Replaces the file safely; false when it cannot be written.
bool RememberPlay(const std::string& path, const RememberedPlay& play);

}  // namespace launch
