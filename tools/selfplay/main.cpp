// Plays computer-against-computer games and prints each game's moves and how it ended.
// Under the game's own rules the games go through ChessGame::Step, one call per frame as
// the game makes them; the engine's levels play there beside the Classic player, and under
// the rules of chess against each other.

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "ai/random_draw.h"
#include "game/chess_game.h"
#include "tools/selfplay/classic_game.h"
#include "tools/selfplay/game_record.h"
#include "tools/selfplay/players.h"
#include "tools/selfplay/standard_game.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

using match::GameRecord;

struct Options {
    match::Player white;
    match::Player black;
    bool standardRules = false;
    uint64_t games = 1;
    bool seeded = false;
    uint32_t seed = 0;
    long maxPlies = 400;
    const char* fromPath = nullptr;
    bool timing = false;
    long replays = 1;
};

void PrintHelp(std::FILE* to) {
    std::fputs(
        "Usage: kestrion-selfplay [options]\n"
        "Plays computer-against-computer games and prints one line per game: its moves and\n"
        "how it ended. Under the classic rules the games go through the game's own turn\n"
        "controller.\n"
        "\n"
        "  --white LEVEL    who plays White: classic, beginner, casual, club or master, in\n"
        "                   any case (default classic, the game's own player)\n"
        "  --black LEVEL    who plays Black, likewise (default classic)\n"
        "  --rules R        classic (default: the game's rules, White starting on ranks 8\n"
        "                   and 7, no castling, no capture in passing) or standard (the\n"
        "                   rules of chess, for the engine's levels only)\n"
        "  --games N        number of games to play (default 1)\n"
        "  --seed S         seed the random generator with S (0 to 4294967295) once before\n"
        "                   the first search, so a seed names one game exactly (default:\n"
        "                   the calendar time)\n"
        "  --max-plies P    stop a game after P moves (default 400)\n"
        "  --from FILE.chs  start every game from this saved game; both sides are played\n"
        "                   by the computer whatever the file says (classic rules)\n"
        "  --timing         per game and over all games, the slowest and the median single\n"
        "                   step and the slowest computer turn, in microseconds\n"
        "  --replays R      with --seed, play the games R times and time each step as the\n"
        "                   shortest of its R runs, so that interruptions by the system do\n"
        "                   not count (default 1)\n"
        "  --help           show this text\n",
        to);
}

// A whole decimal number from minimum to maximum. It is read in 64 bits whatever the size
// of long (32 bits on Windows), so a value out of range is refused, never cut down to
// another on one platform only.
bool ParseNumber(const char* text, uint64_t minimum, uint64_t maximum, uint64_t& out) {
    const char* end = text + std::strlen(text);
    uint64_t value = 0;
    const std::from_chars_result read = std::from_chars(text, end, value);
    if (read.ec != std::errc() || read.ptr != end || value < minimum || value > maximum) {
        return false;
    }
    out = value;
    return true;
}

template <typename Number>
bool ParseNumber(const char* text, uint64_t minimum, Number& out) {
    uint64_t value = 0;
    if (!ParseNumber(text, minimum, static_cast<uint64_t>(std::numeric_limits<Number>::max()),
                     value)) {
        return false;
    }
    out = static_cast<Number>(value);
    return true;
}

// Returns 0 to go on, 1 to stop with success (--help), 2 on a usage error.
int ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(arg, "--help") == 0) {
            PrintHelp(stdout);
            return 1;
        } else if (std::strcmp(arg, "--timing") == 0) {
            options.timing = true;
        } else if (std::strcmp(arg, "--games") == 0 && hasValue &&
                   ParseNumber(argv[i + 1], 0, options.games)) {
            ++i;
        } else if (std::strcmp(arg, "--seed") == 0 && hasValue &&
                   ParseNumber(argv[i + 1], 0, options.seed)) {
            options.seeded = true;
            ++i;
        } else if (std::strcmp(arg, "--max-plies") == 0 && hasValue &&
                   ParseNumber(argv[i + 1], 0, options.maxPlies)) {
            ++i;
        } else if (std::strcmp(arg, "--replays") == 0 && hasValue &&
                   ParseNumber(argv[i + 1], 1, options.replays)) {
            ++i;
        } else if (std::strcmp(arg, "--from") == 0 && hasValue) {
            options.fromPath = argv[++i];
        } else if (std::strcmp(arg, "--white") == 0 && hasValue &&
                   match::ParsePlayer(argv[i + 1], options.white)) {
            ++i;
        } else if (std::strcmp(arg, "--black") == 0 && hasValue &&
                   match::ParsePlayer(argv[i + 1], options.black)) {
            ++i;
        } else if (std::strcmp(arg, "--rules") == 0 && hasValue &&
                   (std::strcmp(argv[i + 1], "classic") == 0 ||
                    std::strcmp(argv[i + 1], "standard") == 0)) {
            options.standardRules = std::strcmp(argv[++i], "standard") == 0;
        } else {
            std::fprintf(stderr, "kestrion-selfplay: bad option or value: %s\n", arg);
            PrintHelp(stderr);
            return 2;
        }
    }
    return 0;
}

// Plays one game; false when it cannot be played.
bool PlayGame(const Options& options, ChessGame& game, GameRecord& record) {
    std::string error;
    bool played = false;
    if (options.standardRules) {
        match::LevelMover white(options.white.level);
        match::LevelMover black(options.black.level);
        match::StandardGameSetup setup;
        setup.maxPlies = options.maxPlies;
        played = match::PlayStandardGame(setup, white, black, record, error);
    } else {
        match::ClassicGameSetup setup;
        setup.white = options.white;
        setup.black = options.black;
        setup.maxPlies = options.maxPlies;
        setup.fromPath = options.fromPath;
        played = match::PlayClassicGame(setup, game, record, error);
    }
    if (!played) std::fprintf(stderr, "kestrion-selfplay: %s\n", error.c_str());
    return played;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Slowest(const std::vector<double>& values) {
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

// Keeps in shortest, step by step, the shorter of the two times.
void KeepShorter(std::vector<double>& shortest, const std::vector<double>& again) {
    for (std::size_t i = 0; i < shortest.size() && i < again.size(); ++i) {
        shortest[i] = std::min(shortest[i], again[i]);
    }
}

// Plays every game once, handing each to `finished` as soon as it has ended, so that no
// number of games needs room for all of them at once; false when one cannot be played.
template <typename Finished>
bool PlayGames(const Options& options, Finished finished) {
    if (options.seeded) {
        randomSeeded = 1;
        SeedRandom(options.seed);
    }
    static ChessGame game;
    for (uint64_t played = 0; played < options.games; ++played) {
        GameRecord record;
        if (!PlayGame(options, game, record)) return false;
        finished(record);
    }
    return true;
}

// The steps and turns of all games printed so far, for --timing.
struct Totals {
    uint64_t games = 0;
    std::vector<double> steps;
    std::vector<double> turns;
};

void PrintGame(const Options& options, const GameRecord& record, Totals& totals) {
    std::printf("game %" PRIu64 ": %s | %s after %ld plies", ++totals.games, record.moves.c_str(),
                record.ending.c_str(), record.plies);
    if (options.timing) {
        std::printf(" | steps %zu, slowest %.2f us, median %.2f us, slowest turn %.2f us",
                    record.stepMicroseconds.size(), Slowest(record.stepMicroseconds),
                    Median(record.stepMicroseconds), Slowest(record.turnMicroseconds));
        totals.steps.insert(totals.steps.end(), record.stepMicroseconds.begin(),
                            record.stepMicroseconds.end());
        totals.turns.insert(totals.turns.end(), record.turnMicroseconds.begin(),
                            record.turnMicroseconds.end());
    }
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // Lines end in a bare newline here too, instead of the runtime's "\r\n", so that the
    // output of one seed is the same bytes on every platform.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    Options options;
    const int parsed = ParseOptions(argc, argv, options);
    if (parsed != 0) return parsed == 1 ? 0 : 2;
    if (options.standardRules && (options.white.classic || options.black.classic)) {
        std::fprintf(stderr,
                     "kestrion-selfplay: the classic player plays only the classic rules; "
                     "give --white and --black levels for --rules standard\n");
        return 2;
    }
    if (options.standardRules && options.fromPath != nullptr) {
        std::fprintf(stderr, "kestrion-selfplay: --from takes a saved game of the classic rules\n");
        return 2;
    }
    // The game takes any file it can read; a game from a wrong file would only look like
    // one played from the start.
    if (options.fromPath != nullptr && !ChessGame::IsSavedGameFile(options.fromPath)) {
        std::fprintf(stderr, "kestrion-selfplay: %s is not a saved game that can be read\n",
                     options.fromPath);
        return 2;
    }
    if (options.replays > 1 && !options.seeded) {
        std::fprintf(stderr, "kestrion-selfplay: --replays needs --seed\n");
        return 2;
    }
    Totals totals;
    if (options.replays == 1) {
        // Each game is printed as it ends.
        const auto print = [&](const GameRecord& record) { PrintGame(options, record, totals); };
        if (!PlayGames(options, print)) return 1;
    } else {
        // Replays time each step as the shortest of its runs, so every game is kept.
        std::vector<GameRecord> records;
        const auto keep = [&records](GameRecord& record) { records.push_back(std::move(record)); };
        if (!PlayGames(options, keep)) return 1;
        for (long replay = 1; replay < options.replays; ++replay) {
            std::size_t i = 0;
            bool same = true;
            const auto compare = [&](const GameRecord& again) {
                if (!same) return;
                if (i >= records.size() || again.moves != records[i].moves) {
                    same = false;
                    return;
                }
                KeepShorter(records[i].stepMicroseconds, again.stepMicroseconds);
                KeepShorter(records[i].turnMicroseconds, again.turnMicroseconds);
                ++i;
            };
            if (!PlayGames(options, compare)) return 1;
            if (!same) {
                std::fprintf(stderr, "kestrion-selfplay: replay %ld played game %zu otherwise\n",
                             replay + 1, i + 1);
                return 1;
            }
        }
        for (const GameRecord& record : records) PrintGame(options, record, totals);
    }
    if (options.timing) {
        std::printf("all %" PRIu64
                    " games | steps %zu, slowest %.2f us, median %.2f us, slowest turn %.2f us\n",
                    totals.games, totals.steps.size(), Slowest(totals.steps), Median(totals.steps),
                    Slowest(totals.turns));
    }
    return 0;
}
