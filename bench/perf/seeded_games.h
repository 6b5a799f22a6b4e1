#pragma once

#include <string>
#include <vector>

// Seeded computer-against-computer games as the self-play tool plays them: the random
// generator seeded once, then the games one after another, each to its end or to the ply
// limit, through Step alone.
struct GamesTiming {
    std::vector<double> stepMicroseconds;  // Every Step of every game, in order.
    std::vector<double> turnMicroseconds;  // Every computer turn: its Steps added up.
    std::string moves;                     // Every move of every game.
};

// Plays the games `replays` times and keeps for each Step its shortest time, so that a
// Step the system happened to interrupt does not count as slow.
GamesTiming TimeGamesOfGame(unsigned seed, int games, int maxPlies, int replays);
GamesTiming TimeGamesOfPlain(unsigned seed, int games, int maxPlies, int replays);

double Slowest(const std::vector<double>& values);
double Median(std::vector<double> values);
