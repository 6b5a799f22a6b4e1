// Plays computer-against-computer games through ChessGame::Step alone, one call per frame
// as the game does, and prints each game's moves and how it ended.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ai/random_draw.h"
#include "game/chess_game.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

struct Options {
    long games = 1;
    bool seeded = false;
    unsigned seed = 0;
    long maxPlies = 400;
    const char* fromPath = nullptr;
    bool timing = false;
    long replays = 1;
    int rules = RulesClassic;
    int whiteLevel = LevelClassic;
    int blackLevel = LevelClassic;
};

constexpr const char* kLevelNames[] = {"classic", "beginner", "casual", "club", "master"};

bool ParseLevelName(const char* text, int& level) {
    for (int i = 0; i < kPlayLevelCount; ++i) {
        if (std::strcmp(text, kLevelNames[i]) == 0) {
            level = i;
            return true;
        }
    }
    return false;
}

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
        "  --timing         per game and over all games, the slowest and the median single\n"
        "                   step and the slowest computer turn, in microseconds\n"
        "  --replays R      with --seed, play the games R times and time each step as the\n"
        "                   shortest of its R runs, so that interruptions by the system do\n"
        "                   not count (default 1)\n"
        "  --rules R        classic (default) or standard\n"
        "  --white L, --black L\n"
        "                   the level of each side: classic (default, the game's own\n"
        "                   player), beginner, casual, club or master\n"
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
        } else if (std::strcmp(arg, "--replays") == 0 && hasValue &&
                   ParseNumber(argv[i + 1], 1, number)) {
            options.replays = number;
            ++i;
        } else if (std::strcmp(arg, "--rules") == 0 && hasValue &&
                   (std::strcmp(argv[i + 1], "classic") == 0 ||
                    std::strcmp(argv[i + 1], "standard") == 0)) {
            options.rules = std::strcmp(argv[++i], "standard") == 0 ? RulesStandard : RulesClassic;
        } else if (std::strcmp(arg, "--white") == 0 && hasValue &&
                   ParseLevelName(argv[i + 1], options.whiteLevel)) {
            ++i;
        } else if (std::strcmp(arg, "--black") == 0 && hasValue &&
                   ParseLevelName(argv[i + 1], options.blackLevel)) {
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

const char* StandardEndingText(const ChessGame& game) {
    const bool white = game.position.SideToMove() == engine::Side::White;
    switch (game.StandardStatus()) {
        case engine::GameStatus::Checkmate:
            return white ? "White checkmated" : "Black checkmated";
        case engine::GameStatus::Stalemate:
            return white ? "White stalemated" : "Black stalemated";
        case engine::GameStatus::DrawFiftyMoves:
            return "draw by the fifty-move rule";
        case engine::GameStatus::DrawRepetition:
            return "draw by repetition";
        case engine::GameStatus::DrawMaterial:
            return "draw by insufficient material";
        default:
            return nullptr;
    }
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
    std::vector<double> stepMicroseconds;
    std::vector<double> turnMicroseconds;  // Each computer move: its steps added up.
};

// Plays one game; false when the game cannot be set up or asks for a human.
bool PlayGame(const Options& options, ChessGame& game, GameRecord& record) {
    game.StartGame(Computer, Computer, options.rules, options.whiteLevel, options.blackLevel);
    if (options.fromPath != nullptr) {
        if (!game.LoadGame(options.fromPath)) {
            std::fprintf(stderr, "kestrion-selfplay: cannot read %s\n", options.fromPath);
            return false;
        }
        game.whiteKind = Computer;
        game.blackKind = Computer;
        game.whiteLevel = options.whiteLevel;
        game.blackLevel = options.blackLevel;
    }
    using Clock = std::chrono::steady_clock;
    double turn = 0;
    while (record.plies < options.maxPlies) {
        const Clock::time_point start = Clock::now();
        const int result = game.Step();
        const Clock::time_point end = Clock::now();
        const double micro = std::chrono::duration<double, std::micro>(end - start).count();
        record.stepMicroseconds.push_back(micro);
        turn += micro;
        if (result == MoveMade) {
            record.turnMicroseconds.push_back(turn);
            turn = 0;
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
    const char* ending =
        game.rules == RulesStandard ? StandardEndingText(game) : EndingText(game.board.GetStatus());
    record.ending = ending != nullptr ? ending : "ply limit";
    return true;
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

// Plays every game once; false when one cannot be played.
bool PlayGames(const Options& options, std::vector<GameRecord>& records) {
    if (options.seeded) {
        randomSeeded = 1;
        SeedRandom(options.seed);
    }
    static ChessGame game;
    records.assign(static_cast<std::size_t>(options.games), GameRecord{});
    for (GameRecord& record : records) {
        if (!PlayGame(options, game, record)) return false;
    }
    return true;
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
    if (options.replays > 1 && !options.seeded) {
        std::fprintf(stderr, "kestrion-selfplay: --replays needs --seed\n");
        return 2;
    }
    std::vector<GameRecord> records;
    if (!PlayGames(options, records)) return 1;
    for (long replay = 1; replay < options.replays; ++replay) {
        std::vector<GameRecord> again;
        if (!PlayGames(options, again)) return 1;
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (again[i].moves != records[i].moves) {
                std::fprintf(stderr, "kestrion-selfplay: replay %ld played game %zu otherwise\n",
                             replay + 1, i + 1);
                return 1;
            }
            KeepShorter(records[i].stepMicroseconds, again[i].stepMicroseconds);
            KeepShorter(records[i].turnMicroseconds, again[i].turnMicroseconds);
        }
    }

    std::vector<double> allSteps;
    std::vector<double> allTurns;
    long number = 0;
    for (const GameRecord& record : records) {
        std::printf("game %ld: %s | %s after %ld plies", ++number, record.moves.c_str(),
                    record.ending.c_str(), record.plies);
        if (options.timing) {
            std::printf(" | steps %zu, slowest %.2f us, median %.2f us, slowest turn %.2f us",
                        record.stepMicroseconds.size(), Slowest(record.stepMicroseconds),
                        Median(record.stepMicroseconds), Slowest(record.turnMicroseconds));
            allSteps.insert(allSteps.end(), record.stepMicroseconds.begin(),
                            record.stepMicroseconds.end());
            allTurns.insert(allTurns.end(), record.turnMicroseconds.begin(),
                            record.turnMicroseconds.end());
        }
        std::printf("\n");
    }
    if (options.timing) {
        std::printf(
            "all %ld games | steps %zu, slowest %.2f us, median %.2f us, slowest turn %.2f us\n",
            number, allSteps.size(), Slowest(allSteps), Median(allSteps), Slowest(allTurns));
    }
    return 0;
}
