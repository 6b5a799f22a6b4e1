// Plays computer-against-computer games through ChessGame::Step alone, one call per frame
// as the game does, and prints each game's moves and how it ended.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "game/chess_game.h"

namespace {

struct Options {
    long games = 1;
    bool seeded = false;
    unsigned seed = 0;
    long maxPlies = 400;
    const char* fromPath = nullptr;
    bool timing = false;
};

void PrintHelp(std::FILE* to) {
    std::fputs(
        "Usage: kestrion-selfplay [options]\n"
        "Plays computer-against-computer games through the game's own turn controller and\n"
        "prints one line per game: its moves and how it ended.\n"
        "\n"
        "  --games N        number of games to play (default 1)\n"
        "  --seed S         seed the random generator with S once before the first search,\n"
        "                   so a seed names one game exactly (default: the calendar time)\n"
        "  --max-plies P    stop a game after P moves (default 400)\n"
        "  --from FILE.chs  start every game from this saved game; both sides are played\n"
        "                   by the computer whatever the file says\n"
        "  --timing         per game, the slowest and the median single step in microseconds\n"
        "  --help           show this text\n",
        to);
}

bool ParseNumber(const char* text, long minimum, long& out) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < minimum) return false;
    out = value;
    return true;
}

// Returns 0 to go on, 1 to stop with success (--help), 2 on a usage error.
int ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const bool hasValue = i + 1 < argc;
        long number = 0;
        if (std::strcmp(arg, "--help") == 0) {
            PrintHelp(stdout);
            return 1;
        } else if (std::strcmp(arg, "--timing") == 0) {
            options.timing = true;
        } else if (std::strcmp(arg, "--games") == 0 && hasValue &&
                   ParseNumber(argv[i + 1], 0, number)) {
            options.games = number;
            ++i;
        } else if (std::strcmp(arg, "--seed") == 0 && hasValue &&
                   ParseNumber(argv[i + 1], 0, number)) {
            options.seeded = true;
            options.seed = static_cast<unsigned>(number);
            ++i;
        } else if (std::strcmp(arg, "--max-plies") == 0 && hasValue &&
                   ParseNumber(argv[i + 1], 0, number)) {
            options.maxPlies = number;
            ++i;
        } else if (std::strcmp(arg, "--from") == 0 && hasValue) {
            options.fromPath = argv[++i];
        } else {
            std::fprintf(stderr, "kestrion-selfplay: bad option or value: %s\n", arg);
            PrintHelp(stderr);
            return 2;
        }
    }
    return 0;
}

const char* EndingText(int status) {
    switch (status) {
        case WhiteCheckmated:
            return "White checkmated";
        case WhiteStalemated:
            return "White stalemated";
        case BlackCheckmated:
            return "Black checkmated";
        case BlackStalemated:
            return "Black stalemated";
        default:
            return nullptr;
    }
}

struct GameRecord {
    std::string moves;
    long plies = 0;
    std::string ending;
    std::vector<long long> stepMicroseconds;
};

// Plays one game; false when the game cannot be set up or asks for a human.
bool PlayGame(const Options& options, ChessGame& game, GameRecord& record) {
    game.NewGame(Computer, Computer);
    if (options.fromPath != nullptr) {
        if (!game.LoadGame(options.fromPath)) {
            std::fprintf(stderr, "kestrion-selfplay: cannot read %s\n", options.fromPath);
            return false;
        }
        game.whiteKind = Computer;
        game.blackKind = Computer;
    }
    using Clock = std::chrono::steady_clock;
    while (record.plies < options.maxPlies) {
        const Clock::time_point start = Clock::now();
        const int result = game.Step();
        const Clock::time_point end = Clock::now();
        record.stepMicroseconds.push_back(
            std::chrono::duration_cast<std::chrono::microseconds>(end - start).count());
        if (result == MoveMade) {
            char text[5];
            char moved;
            char captured;
            game.GetLastMove(text, &moved, &captured);
            if (!record.moves.empty()) record.moves += ' ';
            record.moves += text[0] != '\0' ? text : "----";
            ++record.plies;
        } else if (result == GameOver) {
            break;
        } else if (result != ComputerThinking) {
            std::fprintf(stderr, "kestrion-selfplay: the game waits for a human (state %d)\n",
                         result);
            return false;
        }
    }
    const char* ending = EndingText(game.board.GetStatus());
    record.ending = ending != nullptr ? ending : "ply limit";
    return true;
}

long long Median(std::vector<long long> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    const int parsed = ParseOptions(argc, argv, options);
    if (parsed != 0) return parsed == 1 ? 0 : 2;
    if (options.seeded) {
        randomSeeded = 1;
        std::srand(options.seed);
    }
    static ChessGame game;
    for (long number = 1; number <= options.games; ++number) {
        GameRecord record;
        if (!PlayGame(options, game, record)) return 1;
        std::printf("game %ld: %s | %s after %ld plies", number, record.moves.c_str(),
                    record.ending.c_str(), record.plies);
        if (options.timing) {
            const long long slowest = record.stepMicroseconds.empty()
                                          ? 0
                                          : *std::max_element(record.stepMicroseconds.begin(),
                                                              record.stepMicroseconds.end());
            std::printf(" | steps %zu, slowest %lld us, median %lld us",
                        record.stepMicroseconds.size(), slowest, Median(record.stepMicroseconds));
        }
        std::printf("\n");
    }
    return 0;
}
