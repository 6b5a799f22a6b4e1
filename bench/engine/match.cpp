// kestrion-engine-match: a quick match harness for the engine's own measurements while it is
// being built and tuned. Two players meet over pairs of games (each opening once with each
// colour) under either rule set.
//
//   kestrion-engine-match --a beginner --b classic --rules classic --games 40 --seed 1
//
// A player is a level name, "classic" (the game's one-move player), "nodes:N" (full strength
// with N nodes a move), "tuned:FILE" (full strength with the weights in FILE, a list of
// integers as the tuner writes them; nodes from --nodes) or "uci:PATH:ELO:MS" (a UCI engine
// limited to ELO, MS milliseconds a move; standard rules only) or "ucinodes:PATH:N" (a UCI
// engine at N nodes a move, such as another build of this tool run with --serve, which
// answers as a UCI engine at full strength).
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ai/computer_player.h"
#include "ai/random_draw.h"
#include "engine/level.h"
#include "engine/move_text.h"
#include "engine/position.h"
#include "engine/search.h"
#include "rules/board.h"

namespace {

using engine::Move;
using engine::Position;
using engine::Rules;
using engine::Side;

std::uint32_t gLevelRandom = 1;
int LevelDraw() {
    gLevelRandom = gLevelRandom * 214013u + 2531011u;
    return static_cast<int>((gLevelRandom >> 16) & 0x7FFF);
}

class Player {
  public:
    virtual ~Player() = default;
    virtual void NewGame() {}
    // moves: the game so far in UCI text from the start position (standard rules only).
    virtual Move Choose(const Position& position, const std::string& startFen,
                        const std::string& moves) = 0;
    std::uint64_t nodes = 0;
    double seconds = 0;
    int moves = 0;
};

class LevelOpponent : public Player {
  public:
    explicit LevelOpponent(engine::Level level) : level_(level) {}
    Move Choose(const Position& position, const std::string&, const std::string&) override {
        player_.Begin(position, level_, &LevelDraw);
        player_.Run();
        nodes += player_.GetSearcher().Nodes();
        return player_.ChosenMove();
    }

  private:
    engine::Level level_;
    engine::LevelPlayer player_;
};

class NodesOpponent : public Player {
  public:
    NodesOpponent(std::uint64_t budget, const engine::EvalParams* params) : budget_(budget) {
        if (params != nullptr) searcher_.SetEvalParams(*params);
    }
    Move Choose(const Position& position, const std::string&, const std::string&) override {
        engine::SearchLimits limits;
        limits.nodes = budget_;
        searcher_.Clear();
        searcher_.Begin(position, limits);
        searcher_.Run();
        nodes += searcher_.Nodes();
        return searcher_.BestMove();
    }

  private:
    std::uint64_t budget_;
    engine::Searcher searcher_;
};

class ClassicOpponent : public Player {
  public:
    Move Choose(const Position& position, const std::string&, const std::string&) override {
        position.ToClassicBoard(board_.squares);
        board_.cachedStatus = kStatusNotComputed;
        ComputerPlayer player;
        player.board = &board_;
        player.BeginSearch(position.SideToMove() == Side::White ? kWhite : kBlack);
        while (player.SearchStep() == 0) {
        }
        char text[5];
        player.PickMove(text);
        return engine::ParseMoveText(position, text);
    }

  private:
    Board board_;
};

class UciOpponent : public Player {
  public:
    // ms > 0: that many milliseconds a move; otherwise -ms nodes a move.
    UciOpponent(const std::string& path, int elo, int ms) : ms_(ms) {
        int toChild[2];
        int fromChild[2];
        if (pipe(toChild) != 0 || pipe(fromChild) != 0) std::exit(3);
        pid_ = fork();
        if (pid_ == 0) {
            dup2(toChild[0], 0);
            dup2(fromChild[1], 1);
            close(toChild[1]);
            close(fromChild[0]);
            // PATH may carry arguments: the shell splits them.
            const std::string command = "exec " + path;
            execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            std::_Exit(127);
        }
        close(toChild[0]);
        close(fromChild[1]);
        in_ = fdopen(toChild[1], "w");
        out_ = fdopen(fromChild[0], "r");
        Send("uci");
        WaitFor("uciok");
        Send("setoption name Threads value 1");
        Send("setoption name Hash value 16");
        if (elo > 0) {
            Send("setoption name UCI_LimitStrength value true");
            std::string command = "setoption name UCI_Elo value ";
            command += std::to_string(elo);
            Send(command);
        }
        Send("isready");
        WaitFor("readyok");
    }
    ~UciOpponent() override {
        Send("quit");
        fclose(in_);
        fclose(out_);
        waitpid(pid_, nullptr, 0);
    }
    void NewGame() override {
        Send("ucinewgame");
        Send("isready");
        WaitFor("readyok");
    }
    Move Choose(const Position& position, const std::string& startFen,
                const std::string& moves) override {
        std::string command = "position fen ";
        command += startFen;
        if (!moves.empty()) {
            command += " moves";
            command += moves;
        }
        Send(command);
        command = ms_ > 0 ? "go movetime " : "go nodes ";
        command += std::to_string(ms_ > 0 ? ms_ : -ms_);
        Send(command);
        const std::string line = WaitFor("bestmove");
        const std::string text = line.substr(9, line.find(' ', 9) - 9);
        return engine::ParseMoveText(position, text);
    }

  private:
    void Send(const std::string& line) {
        std::fprintf(in_, "%s\n", line.c_str());
        std::fflush(in_);
    }
    std::string WaitFor(const char* prefix) {
        char buffer[8192];
        while (std::fgets(buffer, sizeof buffer, out_) != nullptr) {
            if (std::strncmp(buffer, prefix, std::strlen(prefix)) == 0) {
                std::string line = buffer;
                while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
                    line.pop_back();
                }
                return line;
            }
        }
        std::fprintf(stderr, "the UCI engine went away\n");
        std::exit(3);
    }

    int ms_;
    pid_t pid_ = 0;
    FILE* in_ = nullptr;
    FILE* out_ = nullptr;
};

bool ReadParams(const std::string& file, engine::EvalParams& params) {
    std::ifstream in(file);
    params = engine::DefaultEvalParams();
    for (int& value : params.values) {
        if (!(in >> value)) return false;
    }
    // The square and mobility tables follow the terms; a file of terms alone keeps the
    // engine's own tables.
    int value = 0;
    if (!(in >> value)) return true;
    params.squares[0] = value;
    for (int i = 1; i < engine::kSquareWeights; ++i) {
        if (!(in >> params.squares[i])) return false;
    }
    for (int& weight : params.mobility) {
        if (!(in >> weight)) return false;
    }
    return true;
}

std::unique_ptr<Player> MakePlayer(const std::string& description, std::uint64_t nodes,
                                   std::vector<std::unique_ptr<engine::EvalParams>>& keep) {
    engine::Level level;
    if (engine::ParseLevel(description, level)) return std::make_unique<LevelOpponent>(level);
    if (description == "classic") return std::make_unique<ClassicOpponent>();
    if (description.rfind("nodes:", 0) == 0) {
        return std::make_unique<NodesOpponent>(std::strtoull(description.c_str() + 6, nullptr, 10),
                                               nullptr);
    }
    if (description.rfind("tuned:", 0) == 0) {
        keep.push_back(std::make_unique<engine::EvalParams>());
        if (!ReadParams(description.substr(6), *keep.back())) {
            std::fprintf(stderr, "cannot read weights from %s\n", description.c_str() + 6);
            std::exit(2);
        }
        return std::make_unique<NodesOpponent>(nodes, keep.back().get());
    }
    if (description.rfind("ucinodes:", 0) == 0) {
        const std::size_t a = description.find(':', 9);
        return std::make_unique<UciOpponent>(description.substr(9, a - 9), 0,
                                             -std::atoi(description.substr(a + 1).c_str()));
    }
    if (description.rfind("uci:", 0) == 0) {
        const std::size_t a = description.find(':', 4);
        const std::size_t b = description.find(':', a + 1);
        return std::make_unique<UciOpponent>(
            description.substr(4, a - 4), std::atoi(description.substr(a + 1, b - a - 1).c_str()),
            std::atoi(description.substr(b + 1).c_str()));
    }
    std::fprintf(stderr, "unknown player %s\n", description.c_str());
    std::exit(2);
}

// +1 White won, -1 Black won, 0 drawn, 2 still going.
int Outcome(const Position& position) {
    if (position.GetRules() == Rules::Classic) {
        switch (position.ClassicStatus()) {
            case 1:
                return -1;
            case 4:
                return 1;
            case 3:
            case 6:
                return 0;
            default:
                return 2;
        }
    }
    switch (position.Status()) {
        case engine::GameStatus::Checkmate:
            return position.SideToMove() == Side::White ? -1 : 1;
        case engine::GameStatus::InPlay:
        case engine::GameStatus::Check:
            return 2;
        default:
            return 0;
    }
}

// Just enough of the UCI protocol for this harness to play one build of the engine against
// another at a fixed number of nodes: "position fen F [moves ...]" and "go nodes N".
int Serve() {
    engine::Searcher searcher(16);
    Position position;
    char buffer[65536];
    while (std::fgets(buffer, sizeof buffer, stdin) != nullptr) {
        std::string line = buffer;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        if (line == "uci") {
            std::printf("id name kestrion-engine-match\nuciok\n");
        } else if (line == "isready") {
            std::printf("readyok\n");
        } else if (line == "quit") {
            return 0;
        } else if (line.rfind("position fen ", 0) == 0) {
            const std::size_t movesAt = line.find(" moves");
            position.SetFen(
                line.substr(13, movesAt == std::string::npos ? std::string::npos : movesAt - 13),
                nullptr);
            if (movesAt != std::string::npos) {
                std::size_t at = movesAt + 7;
                while (at < line.size()) {
                    const std::size_t end = std::min(line.find(' ', at), line.size());
                    position.DoMove(engine::ParseMoveText(position, line.substr(at, end - at)));
                    at = end + 1;
                }
            }
        } else if (line.rfind("go nodes ", 0) == 0) {
            engine::SearchLimits limits;
            limits.nodes = std::strtoull(line.c_str() + 9, nullptr, 10);
            searcher.Clear();
            searcher.Begin(position, limits);
            searcher.Run();
            std::printf("bestmove %s\n", engine::MoveToText(position, searcher.BestMove()).c_str());
        }
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--serve") == 0) return Serve();
    std::string a = "master";
    std::string b = "club";
    Rules rules = Rules::Standard;
    int games = 20;
    std::uint32_t seed = 1;
    int maxPlies = 300;
    int openingPlies = 4;
    std::uint64_t nodes = 100000;
    bool verbose = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto next = [&] { return i + 1 < argc ? std::string(argv[++i]) : std::string(); };
        if (arg == "--a")
            a = next();
        else if (arg == "--b")
            b = next();
        else if (arg == "--rules")
            rules = next() == "classic" ? Rules::Classic : Rules::Standard;
        else if (arg == "--games")
            games = std::atoi(next().c_str());
        else if (arg == "--seed")
            seed = static_cast<std::uint32_t>(std::atoi(next().c_str()));
        else if (arg == "--max-plies")
            maxPlies = std::atoi(next().c_str());
        else if (arg == "--opening-plies")
            openingPlies = std::atoi(next().c_str());
        else if (arg == "--nodes")
            nodes = std::strtoull(next().c_str(), nullptr, 10);
        else if (arg == "--verbose")
            verbose = true;
        else {
            std::fprintf(stderr, "unknown option %s\n", arg.c_str());
            return 2;
        }
    }
    std::vector<std::unique_ptr<engine::EvalParams>> keep;
    std::unique_ptr<Player> players[2] = {MakePlayer(a, nodes, keep), MakePlayer(b, nodes, keep)};
    SeedRandom(seed);
    randomSeeded = 1;
    gLevelRandom = seed;
    std::uint32_t openingRandom = seed * 2654435761u + 17;
    int wins = 0, draws = 0, losses = 0, unfinished = 0;
    const auto started = std::chrono::steady_clock::now();
    for (int pair = 0; pair < (games + 1) / 2; ++pair) {
        // A random opening of a few plies, played once with each colour.
        Position opening = Position::Start(rules);
        std::string openingMoves;
        for (int ply = 0; ply < openingPlies; ++ply) {
            engine::MoveList list;
            opening.GenerateLegal(list);
            if (list.size == 0) break;
            openingRandom = openingRandom * 1664525u + 1013904223u;
            const Move move = list.moves[(openingRandom >> 8) % list.size];
            openingMoves += ' ';
            openingMoves += engine::MoveToText(opening, move);
            opening.DoMove(move);
        }
        for (int swap = 0; swap < 2 && pair * 2 + swap < games; ++swap) {
            Position position = opening;
            std::string moves = openingMoves;
            const std::string startFen = Position::Start(rules).Fen();
            players[0]->NewGame();
            players[1]->NewGame();
            int result = 2;
            int ply = 0;
            for (; ply < maxPlies; ++ply) {
                result = Outcome(position);
                if (result != 2) break;
                const int white = swap;  // players[swap] has White.
                Player& mover = *players[position.SideToMove() == Side::White ? white : 1 - white];
                const auto t0 = std::chrono::steady_clock::now();
                const Move move = mover.Choose(position, startFen, moves);
                mover.seconds +=
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
                ++mover.moves;
                if (move == engine::kNoMove) {
                    std::fprintf(stderr, "no move from a player at ply %d: %s\n", ply,
                                 position.Fen().c_str());
                    result = position.SideToMove() == Side::White ? -1 : 1;
                    break;
                }
                moves += ' ';
                moves += engine::MoveToText(position, move);
                position.DoMove(move);
            }
            if (result == 2) {
                ++unfinished;
                result = 0;
            }
            const int forA = swap == 0 ? result : -result;
            if (forA > 0)
                ++wins;
            else if (forA < 0)
                ++losses;
            else
                ++draws;
            if (verbose) {
                std::printf("game %d: %s %s (%d plies)%s\n", pair * 2 + swap + 1,
                            swap == 0 ? "A white" : "A black",
                            forA > 0   ? "A wins"
                            : forA < 0 ? "B wins"
                                       : "draw",
                            ply, moves.c_str());
            }
            std::fflush(stdout);
        }
    }
    const int played = wins + draws + losses;
    const double score = played ? (wins + 0.5 * draws) / played : 0;
    std::printf(
        "%s vs %s (%s rules): +%d =%d -%d of %d games (%d stopped at %d plies), "
        "%s scores %.1f%%\n",
        a.c_str(), b.c_str(), rules == Rules::Classic ? "classic" : "standard", wins, draws, losses,
        played, unfinished, maxPlies, a.c_str(), 100 * score);
    for (int p = 0; p < 2; ++p) {
        if (players[p]->moves > 0) {
            std::printf("  %s: %.3f s a move, %llu nodes a move\n", p == 0 ? a.c_str() : b.c_str(),
                        players[p]->seconds / players[p]->moves,
                        static_cast<unsigned long long>(players[p]->nodes / players[p]->moves));
        }
    }
    std::printf("  %.0f s in all\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    return 0;
}
