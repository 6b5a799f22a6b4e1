// kestrion-gauntlet: a match between two players from our list of openings, each opening
// played once with each colour, under the game's own rules or the rules of chess; prints
// each game as it ends and the first player's score, wins, draws and losses and the rating
// difference they point to, with its 95 % interval.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ai/random_draw.h"
#include "bench/gauntlet/openings.h"
#include "bench/gauntlet/uci_mover.h"
#include "game/chess_game.h"
#include "tools/selfplay/classic_game.h"
#include "tools/selfplay/match_score.h"
#include "tools/selfplay/players.h"
#include "tools/selfplay/standard_game.h"

namespace {

void PrintHelp(std::FILE* to) {
    std::fputs(
        "Usage: kestrion-gauntlet --first PLAYER --second PLAYER [options]\n"
        "Plays games between two players, two from each opening of our list (one with each\n"
        "colour), and reports the first player's score and rating difference.\n"
        "\n"
        "PLAYER is classic, beginner, casual, club or master (any case), or uci:COMMAND for a\n"
        "program that speaks UCI (rules of chess only), e.g. uci:/usr/games/stockfish.\n"
        "\n"
        "  --rules R          classic (the game's own, default) or standard\n"
        "  --games N          games to play (default 64: two from each of 32 openings)\n"
        "  --first-game K     start at game K of the series (default 1), to share one series\n"
        "                     out between processes\n"
        "  --seed S           the seed of game 1; game K is played with seed S + K - 1\n"
        "  --max-plies P      a game still going after P plies is a draw (default 400)\n"
        "  --repetition-draws under the game's rules, a game is drawn on the third\n"
        "                     occurrence of a position (those rules have no such draw)\n"
        "  --movetime MS      time a move for UCI players (default 1000)\n"
        "  --tc BASE+INC      clocks for every player, in seconds (e.g. 10+0.1); a player\n"
        "                     whose clock runs out loses\n"
        "  --option1 N=V      a UCI option for the first player (repeatable)\n"
        "  --option2 N=V      a UCI option for the second player (repeatable)\n"
        "  --moves            print each game's moves\n"
        "  --help             show this text\n",
        to);
}

struct Side {
    std::string description;
    bool uci = false;
    match::Player player;
    std::vector<std::pair<std::string, std::string>> options;
    std::unique_ptr<gauntlet::UciMover> uciMover;
    std::unique_ptr<match::LevelMover> levelMover;

    std::string Name() const { return uci ? uciMover->Name() : match::PlayerName(player); }
    match::Mover* Mover() {
        return uci ? static_cast<match::Mover*>(uciMover.get())
                   : static_cast<match::Mover*>(levelMover.get());
    }
};

struct Options {
    Side first;
    Side second;
    bool standard = false;
    long games = 64;
    long firstGame = 1;
    unsigned seed = 1;
    long maxPlies = 400;
    bool repetitionDraws = false;
    long moveTimeMs = 1000;
    match::GameClock clock;
    bool printMoves = false;
};

bool ParseLong(const char* text, long minimum, long& out) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < minimum) return false;
    out = value;
    return true;
}

bool ParseSide(const char* text, Side& side) {
    side.description = text;
    if (std::strncmp(text, "uci:", 4) == 0 && text[4] != '\0') {
        side.uci = true;
        return true;
    }
    return match::ParsePlayer(text, side.player);
}

bool ParseOption(const char* text, Side& side) {
    const char* equals = std::strchr(text, '=');
    if (equals == nullptr || equals == text) return false;
    side.options.emplace_back(std::string(text, equals), std::string(equals + 1));
    return true;
}

bool ParseClock(const char* text, match::GameClock& clock) {
    char* end = nullptr;
    const double base = std::strtod(text, &end);
    if (end == text || *end != '+') return false;
    const char* incrementText = end + 1;
    const double increment = std::strtod(incrementText, &end);
    if (end == incrementText || *end != '\0' || base <= 0 || increment < 0) return false;
    clock.running = true;
    clock.whiteMs = clock.blackMs = static_cast<std::int64_t>(base * 1000);
    clock.incrementMs = static_cast<std::int64_t>(increment * 1000);
    return true;
}

// 0 to go on, 1 after --help, 2 on a usage error.
int ParseOptions(int argc, char** argv, Options& options) {
    bool haveFirst = false;
    bool haveSecond = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        long number = 0;
        bool ok = value != nullptr;
        if (std::strcmp(arg, "--help") == 0) {
            PrintHelp(stdout);
            return 1;
        } else if (std::strcmp(arg, "--moves") == 0) {
            options.printMoves = true;
            continue;
        } else if (std::strcmp(arg, "--repetition-draws") == 0) {
            options.repetitionDraws = true;
            continue;
        } else if (!ok) {
        } else if (std::strcmp(arg, "--first") == 0) {
            ok = haveFirst = ParseSide(value, options.first);
        } else if (std::strcmp(arg, "--second") == 0) {
            ok = haveSecond = ParseSide(value, options.second);
        } else if (std::strcmp(arg, "--rules") == 0) {
            ok = std::strcmp(value, "classic") == 0 || std::strcmp(value, "standard") == 0;
            options.standard = std::strcmp(value, "standard") == 0;
        } else if (std::strcmp(arg, "--games") == 0) {
            ok = ParseLong(value, 1, options.games);
        } else if (std::strcmp(arg, "--first-game") == 0) {
            ok = ParseLong(value, 1, options.firstGame);
        } else if (std::strcmp(arg, "--seed") == 0) {
            ok = ParseLong(value, 0, number);
            options.seed = static_cast<unsigned>(number);
        } else if (std::strcmp(arg, "--max-plies") == 0) {
            ok = ParseLong(value, 1, options.maxPlies);
        } else if (std::strcmp(arg, "--movetime") == 0) {
            ok = ParseLong(value, 1, options.moveTimeMs);
        } else if (std::strcmp(arg, "--tc") == 0) {
            ok = ParseClock(value, options.clock);
        } else if (std::strcmp(arg, "--option1") == 0) {
            ok = ParseOption(value, options.first);
        } else if (std::strcmp(arg, "--option2") == 0) {
            ok = ParseOption(value, options.second);
        } else {
            ok = false;
        }
        if (!ok) {
            std::fprintf(stderr, "kestrion-gauntlet: bad option or value: %s\n", arg);
            PrintHelp(stderr);
            return 2;
        }
        ++i;
    }
    if (!haveFirst || !haveSecond) {
        std::fprintf(stderr, "kestrion-gauntlet: --first and --second are needed\n");
        return 2;
    }
    const bool classicPlayer = (!options.first.uci && options.first.player.classic) ||
                               (!options.second.uci && options.second.player.classic);
    if (options.standard && classicPlayer) {
        std::fprintf(stderr, "kestrion-gauntlet: the classic player plays only classic rules\n");
        return 2;
    }
    if (!options.standard && (options.first.uci || options.second.uci)) {
        std::fprintf(stderr, "kestrion-gauntlet: UCI players play only --rules standard\n");
        return 2;
    }
    return 0;
}

bool PrepareSide(Side& side, long moveTimeMs) {
    if (side.uci) {
        side.uciMover = std::make_unique<gauntlet::UciMover>(side.description.substr(4),
                                                             side.options, moveTimeMs);
        std::string error;
        if (!side.uciMover->Start(error)) {
            std::fprintf(stderr, "kestrion-gauntlet: %s\n", error.c_str());
            return false;
        }
    } else if (!side.player.classic) {
        side.levelMover = std::make_unique<match::LevelMover>(side.player.level);
    }
    return true;
}

// The first player's points in a game it played with the given colour.
void Count(match::Outcome outcome, bool firstIsWhite, match::MatchScore& score) {
    if (outcome == match::Outcome::Draw) {
        ++score.draws;
    } else if ((outcome == match::Outcome::WhiteWins) == firstIsWhite) {
        ++score.wins;
    } else {
        ++score.losses;
    }
}

// The first player's move times in a game, in milliseconds: the median and the slowest,
// leaving out the opening's moves, which nobody thought about.
struct MoveTimes {
    std::vector<double> all;
};

void AddMoveTimes(const match::GameRecord& record, std::size_t openingPlies, bool firstIsWhite,
                  MoveTimes& times) {
    const std::vector<double>& turns = record.turnMicroseconds;
    for (std::size_t ply = openingPlies; ply < turns.size(); ++ply) {
        if ((ply % 2 == 0) == firstIsWhite) times.all.push_back(turns[ply] / 1000);
    }
}

std::string DescribeTimes(MoveTimes times) {
    if (times.all.empty()) return "no moves";
    std::sort(times.all.begin(), times.all.end());
    char text[80];
    std::snprintf(text, sizeof text, "median %.0f ms, slowest %.0f ms a move",
                  times.all[times.all.size() / 2], times.all.back());
    return text;
}

const char* ResultText(match::Outcome outcome) {
    switch (outcome) {
        case match::Outcome::WhiteWins:
            return "1-0";
        case match::Outcome::BlackWins:
            return "0-1";
        case match::Outcome::Draw:
            break;
    }
    return "1/2-1/2";
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    const int parsed = ParseOptions(argc, argv, options);
    if (parsed != 0) return parsed == 1 ? 0 : 2;
    if (!PrepareSide(options.first, options.moveTimeMs) ||
        !PrepareSide(options.second, options.moveTimeMs)) {
        return 1;
    }
    const auto& openings = gauntlet::Openings();
    const std::string firstName = options.first.Name();
    const std::string secondName = options.second.Name();
    std::printf("%s v %s, %s rules, games %ld to %ld\n", firstName.c_str(), secondName.c_str(),
                options.standard ? "standard" : "classic", options.firstGame,
                options.firstGame + options.games - 1);
    std::fflush(stdout);

    randomSeeded = 1;
    static ChessGame game;
    match::MatchScore score;
    MoveTimes firstTimes;
    int firstTimeLosses = 0;
    int secondTimeLosses = 0;
    for (long number = options.firstGame; number < options.firstGame + options.games; ++number) {
        // Games 2k-1 and 2k share an opening, the first player White in the odd one.
        const long index = number - 1;
        const auto& line = openings[static_cast<std::size_t>(index / 2) % openings.size()];
        const bool firstIsWhite = index % 2 == 0;
        Side& white = firstIsWhite ? options.first : options.second;
        Side& black = firstIsWhite ? options.second : options.first;
        SeedRandom(options.seed + static_cast<unsigned>(index));

        match::GameRecord record;
        std::string error;
        bool played;
        if (options.standard) {
            match::StandardGameSetup setup;
            setup.maxPlies = options.maxPlies;
            setup.opening = line;
            setup.clock = options.clock;
            played = match::PlayStandardGame(setup, *white.Mover(), *black.Mover(), record, error);
        } else {
            match::ClassicGameSetup setup;
            setup.white = white.player;
            setup.black = black.player;
            setup.maxPlies = options.maxPlies;
            setup.drawOnThirdRepetition = options.repetitionDraws;
            setup.opening = gauntlet::MirroredForClassic(line);
            played = match::PlayClassicGame(setup, game, record, error);
        }
        if (!played) {
            std::fprintf(stderr, "kestrion-gauntlet: game %ld: %s\n", number, error.c_str());
            return 1;
        }
        Count(record.outcome, firstIsWhite, score);
        AddMoveTimes(record, line.size(), firstIsWhite, firstTimes);
        if (record.ending.find("lost on time") != std::string::npos) {
            const bool whiteLost = record.outcome == match::Outcome::BlackWins;
            ++(whiteLost == firstIsWhite ? firstTimeLosses : secondTimeLosses);
        }
        std::printf("game %ld: %s (White) v %s: %s, %s after %ld plies | %s: %s\n", number,
                    white.Name().c_str(), black.Name().c_str(), ResultText(record.outcome),
                    record.ending.c_str(), record.plies, firstName.c_str(),
                    match::Describe(score).c_str());
        if (options.printMoves) std::printf("  %s\n", record.moves.c_str());
        std::fflush(stdout);
    }
    std::printf("result: %s v %s, %d games: %s; losses on time: %s %d, %s %d\n", firstName.c_str(),
                secondName.c_str(), score.Games(), match::Describe(score).c_str(),
                firstName.c_str(), firstTimeLosses, secondName.c_str(), secondTimeLosses);
    std::printf("%s thought %s\n", firstName.c_str(), DescribeTimes(firstTimes).c_str());
    return 0;
}
