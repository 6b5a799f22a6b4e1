#include "bench/gauntlet/openings.h"

#include <sstream>

namespace gauntlet {

namespace {

constexpr const char* kLines[] = {
    "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6",  // Spanish
    "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5",  // Italian
    "e2e4 e7e5 g1f3 g8f6 f3e5 d7d6",  // Russian
    "e2e4 e7e5 b1c3 g8f6 f2f4 d7d5",  // Vienna
    "e2e4 e7e5 f2f4 e5f4 g1f3 g7g5",  // King's gambit
    "e2e4 e7e5 d2d4 e5d4 d1d4 b8c6",  // Centre game
    "e2e4 c7c5 g1f3 d7d6 d2d4 c5d4",  // Sicilian
    "e2e4 c7c5 g1f3 b8c6 d2d4 c5d4",  // Sicilian
    "e2e4 c7c5 b1c3 b8c6 g2g3 g7g6",  // Closed Sicilian
    "e2e4 c7c5 c2c3 g8f6 e4e5 f6d5",  // Sicilian with c3
    "e2e4 e7e6 d2d4 d7d5 b1c3 g8f6",  // French
    "e2e4 e7e6 d2d4 d7d5 e4e5 c7c5",  // French, advance
    "e2e4 c7c6 d2d4 d7d5 e4e5 c8f5",  // Caro-Kann, advance
    "e2e4 c7c6 d2d4 d7d5 b1c3 d5e4",  // Caro-Kann
    "e2e4 d7d6 d2d4 g8f6 b1c3 g7g6",  // Pirc
    "e2e4 d7d5 e4d5 d8d5 b1c3 d5a5",  // Scandinavian
    "e2e4 g8f6 e4e5 f6d5 d2d4 d7d6",  // Alekhine
    "d2d4 d7d5 c2c4 e7e6 b1c3 g8f6",  // Queen's gambit declined
    "d2d4 d7d5 c2c4 c7c6 g1f3 g8f6",  // Slav
    "d2d4 d7d5 c2c4 d5c4 g1f3 g8f6",  // Queen's gambit accepted
    "d2d4 g8f6 c2c4 g7g6 b1c3 f8g7",  // King's Indian
    "d2d4 g8f6 c2c4 e7e6 b1c3 f8b4",  // Nimzo-Indian
    "d2d4 g8f6 c2c4 e7e6 g1f3 b7b6",  // Queen's Indian
    "d2d4 g8f6 c2c4 c7c5 d4d5 e7e6",  // Benoni
    "d2d4 f7f5 g2g3 g8f6 f1g2 g7g6",  // Dutch
    "d2d4 d7d5 g1f3 g8f6 c1f4 e7e6",  // London
    "d2d4 g8f6 c1g5 e7e6 e2e4 h7h6",  // Trompowsky
    "c2c4 e7e5 b1c3 g8f6 g1f3 b8c6",  // English
    "c2c4 c7c5 g1f3 g8f6 b1c3 b8c6",  // Symmetrical English
    "g1f3 d7d5 g2g3 g8f6 f1g2 c7c6",  // Reti
    "g1f3 g8f6 c2c4 g7g6 b2b3 f8g7",  // Reti with b3
    "b2b3 e7e5 c1b2 b8c6 e2e3 g8f6",  // Nimzowitsch-Larsen
};

}  // namespace

const std::vector<std::vector<std::string>>& Openings() {
    static const std::vector<std::vector<std::string>> openings = [] {
        std::vector<std::vector<std::string>> lines;
        for (const char* text : kLines) {
            std::istringstream words(text);
            std::vector<std::string> line;
            for (std::string move; words >> move;) line.push_back(move);
            lines.push_back(line);
        }
        return lines;
    }();
    return openings;
}

std::vector<std::string> MirroredForClassic(const std::vector<std::string>& line) {
    std::vector<std::string> mirrored = line;
    for (std::string& move : mirrored) {
        for (std::size_t i = 1; i < move.size() && i < 4; i += 2) {
            if (move[i] >= '1' && move[i] <= '8') move[i] = static_cast<char>('1' + '8' - move[i]);
        }
    }
    return mirrored;
}

}  // namespace gauntlet
