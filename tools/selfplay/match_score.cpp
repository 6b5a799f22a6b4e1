#include "tools/selfplay/match_score.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace match {

double MatchScore::Score() const {
    const int games = Games();
    return games == 0 ? 0.5 : (wins + 0.5 * draws) / games;
}

double EloFromScore(double score, int games) {
    const double margin = games > 0 ? 0.5 / games : 0.5;
    const double held = std::clamp(score, margin, 1 - margin);
    const double difference = -400.0 * std::log10(1.0 / held - 1.0);
    // An even score is +0, not -0, when printed.
    return difference == 0 ? 0.0 : difference;
}

EloEstimate EstimateElo(const MatchScore& score) {
    EloEstimate estimate;
    const int games = score.Games();
    if (games == 0) return estimate;
    const double mean = score.Score();
    // The spread of one game's points about the mean, then of the mean itself.
    const double variance =
        (score.wins * (1 - mean) * (1 - mean) + score.draws * (0.5 - mean) * (0.5 - mean) +
         score.losses * mean * mean) /
        games;
    const double spread = std::sqrt(variance / games);
    estimate.difference = EloFromScore(mean, games);
    estimate.low = EloFromScore(mean - 1.96 * spread, games);
    estimate.high = EloFromScore(mean + 1.96 * spread, games);
    estimate.unbounded = score.wins == games || score.losses == games;
    return estimate;
}

std::string Describe(const MatchScore& score) {
    const EloEstimate elo = EstimateElo(score);
    char text[160];
    if (elo.unbounded) {
        std::snprintf(text, sizeof text, "+%d =%d -%d, %.1f %%, Elo %s%+.0f (every game %s)",
                      score.wins, score.draws, score.losses, 100 * score.Score(),
                      score.wins > 0 ? "above " : "below ", elo.difference,
                      score.wins > 0 ? "won" : "lost");
    } else {
        std::snprintf(text, sizeof text, "+%d =%d -%d, %.1f %%, Elo %+.0f (95 %%: %+.0f .. %+.0f)",
                      score.wins, score.draws, score.losses, 100 * score.Score(), elo.difference,
                      elo.low, elo.high);
    }
    return text;
}

}  // namespace match
