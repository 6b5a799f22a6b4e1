#pragma once

#include <string>
#include <vector>

namespace match {

enum class Outcome { WhiteWins, BlackWins, Draw };

// One game as the tools print and score it.
struct GameRecord {
    std::string moves;  // the moves in the game's own text, separated by spaces
    long plies = 0;
    std::string ending;  // e.g. "Black checkmated", "ply limit"
    Outcome outcome = Outcome::Draw;
    std::vector<double> stepMicroseconds;
    std::vector<double> turnMicroseconds;  // each move: the time its side took, in total

    void AddMove(const std::string& text) {
        if (!moves.empty()) moves += ' ';
        moves += text;
        ++plies;
    }
};

}  // namespace match
