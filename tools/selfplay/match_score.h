#pragma once

// A match's result from one player's side: wins, draws and losses, the score, and the
// rating difference it points to on the usual logistic scale (a 75 % score is about +191),
// with a 95 % interval from the spread of the game results.

#include <string>

namespace match {

struct MatchScore {
    int wins = 0;
    int draws = 0;
    int losses = 0;

    int Games() const { return wins + draws + losses; }
    // Points per game, 0 to 1.
    double Score() const;
};

struct EloEstimate {
    double difference = 0;
    double low = 0;  // 95 % interval
    double high = 0;
    // The score was 0 % or 100 %: the difference is only a bound (past low or high).
    bool unbounded = false;
};

// The rating difference that expects this score; the score is held within half a game of
// each end, so a clean sweep gives a large finite number, not infinity.
double EloFromScore(double score, int games);
EloEstimate EstimateElo(const MatchScore& score);

// e.g. "+12 =5 -3, 72.5 %, Elo +168 (95 %: +110 .. +239)".
std::string Describe(const MatchScore& score);

}  // namespace match
