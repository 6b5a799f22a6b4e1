#include "bench/perf/seeded_games.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "ai/random_draw.h"
#include "bench/perf/implementations.h"

namespace {

template <typename Impl>
GamesTiming PlayOnce(unsigned seed, int games, int maxPlies) {
    using Clock = std::chrono::steady_clock;
    randomSeeded = 1;
    SeedRandom(seed);
    static typename Impl::Game game;
    GamesTiming timing;
    for (int number = 0; number < games; ++number) {
        Impl::NewComputerGame(game);
        double turn = 0;
        for (int plies = 0; plies < maxPlies;) {
            const Clock::time_point start = Clock::now();
            const int result = game.Step();
            const Clock::time_point end = Clock::now();
            const double micro = std::chrono::duration<double, std::micro>(end - start).count();
            timing.stepMicroseconds.push_back(micro);
            turn += micro;
            if (result == GameOver) break;
            if (result == MoveMade) {
                timing.turnMicroseconds.push_back(turn);
                turn = 0;
                timing.moves += Impl::LastMoveText(game);
                timing.moves += ' ';
                ++plies;
            }
        }
        timing.moves += '\n';
    }
    return timing;
}

template <typename Impl>
GamesTiming TimeGames(unsigned seed, int games, int maxPlies, int replays) {
    GamesTiming best = PlayOnce<Impl>(seed, games, maxPlies);
    for (int replay = 1; replay < replays; ++replay) {
        const GamesTiming again = PlayOnce<Impl>(seed, games, maxPlies);
        if (again.moves != best.moves) return again;  // Not the same games: shown as such.
        for (std::size_t i = 0; i < best.stepMicroseconds.size(); ++i) {
            best.stepMicroseconds[i] =
                std::min(best.stepMicroseconds[i], again.stepMicroseconds[i]);
        }
        for (std::size_t i = 0; i < best.turnMicroseconds.size(); ++i) {
            best.turnMicroseconds[i] =
                std::min(best.turnMicroseconds[i], again.turnMicroseconds[i]);
        }
    }
    return best;
}

}  // namespace

GamesTiming TimeGamesOfGame(unsigned seed, int games, int maxPlies, int replays) {
    return TimeGames<GameImplementation>(seed, games, maxPlies, replays);
}

GamesTiming TimeGamesOfPlain(unsigned seed, int games, int maxPlies, int replays) {
    return TimeGames<PlainImplementation>(seed, games, maxPlies, replays);
}

double Slowest(const std::vector<double>& values) {
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
