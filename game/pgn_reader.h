#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/position.h"

// The first game of a portable game notation text, as played moves from its starting
// position. Tags other than FEN and our own player tags, comments, variations, numeric
// annotation glyphs and move numbers are passed over; every move is checked on the position
// it is played in. A game must end with its result ("1-0", "0-1", "1/2-1/2" or "*"): a text
// that stops before it was cut short, and a cut game is refused rather than played on.
struct PgnGame {
    std::string fen;  // empty: the usual start
    std::vector<engine::Move> moves;
    // Our own tags name who played each side and at which level; another program's game
    // has none, and is then played by two humans.
    bool hasPlayers = false;
    bool whiteComputer = false;
    bool blackComputer = false;
    int whiteLevel = 0;  // PlayLevel
    int blackLevel = 0;
};

// The largest text the reader takes: far beyond any one game, small enough to read at once.
inline constexpr std::size_t kMaxPgnBytes = 1 << 20;
// The longest game it takes, in plies.
inline constexpr std::size_t kMaxPgnPlies = 5000;

// False when the text holds no game that can be played, with error saying which line is
// wrong and why ("line 12: 'Nf9' is not a legal move").
bool ReadPgn(std::string_view text, PgnGame& game, std::string& error);

// Our player tag values: "human", or the level's name ("classic", "beginner", ...).
const char* PgnPlayerName(bool computer, int level);
bool ParsePgnPlayer(std::string_view value, bool& computer, int& level);
