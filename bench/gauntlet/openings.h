#pragma once

// The gauntlet's openings: short lines of well-known openings, written down by us as moves
// of the rules of chess (White from ranks 1 and 2). None castles or takes in passing, so
// each is also a line of the game's own rules once its ranks are mirrored.

#include <string>
#include <vector>

namespace gauntlet {

// Every opening as its moves in UCI text.
const std::vector<std::vector<std::string>>& Openings();

// The same line for the game's own rules, where White starts on ranks 8 and 7: each rank r
// becomes 9 - r ("e2e4" becomes "e7e5").
std::vector<std::string> MirroredForClassic(const std::vector<std::string>& line);

}  // namespace gauntlet
