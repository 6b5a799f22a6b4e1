// kestrion-engine-tune: fits the evaluation's weights to the results of the engine's own
// games (the method of fitting a logistic curve of the score to the outcome, position by
// position, and moving each weight while the error falls).
//
//   kestrion-engine-tune generate --games 1000 --nodes 4000 --seed 1 --out positions.txt
//   kestrion-engine-tune fit --in positions.txt[,more.txt] --out weights.txt [--passes 4]
//                            [--regularization 3e-4]
//
// `generate` plays games of the engine against itself from random openings and writes every
// quiet position (not in check, where the capture search agrees with the evaluation) with
// the game's result. `fit` starts from the weights the engine plays with and writes the
// fitted ones, as a list of numbers for kestrion-engine-match's "tuned:FILE" player and as
// lines for engine/eval_params.h. The fitting works in floating point; the engine only ever
// plays with the integers it prints.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "engine/eval_params.h"
#include "engine/evaluate.h"
#include "engine/move_text.h"
#include "engine/position.h"
#include "engine/search.h"

namespace {

using engine::EvalParams;
using engine::Move;
using engine::Position;
using engine::Side;

int Quiesce(Position& position, int alpha, int beta, const EvalParams& params, int depth) {
    const int stand = engine::Evaluate(position, params);
    if (stand >= beta || depth == 0) return stand;
    if (stand > alpha) alpha = stand;
    engine::MoveList moves;
    position.GenerateLegal(moves);
    for (Move move : moves) {
        if (!position.IsCapture(move)) continue;
        position.DoMove(move);
        const int score = -Quiesce(position, -beta, -alpha, params, depth - 1);
        position.UndoMove();
        if (score >= beta) return score;
        if (score > alpha) alpha = score;
    }
    return alpha;
}

int Generate(int games, std::uint64_t nodes, std::uint32_t seed, const std::string& out) {
    std::ofstream file(out);
    engine::Searcher searcher(8);
    std::uint32_t random = seed * 2654435761u + 1;
    long written = 0;
    for (int game = 0; game < games; ++game) {
        Position position = Position::Start(engine::Rules::Standard);
        // Eight random plies make the openings varied; a few lose at once, which the
        // fitting can stand.
        for (int ply = 0; ply < 8; ++ply) {
            engine::MoveList list;
            position.GenerateLegal(list);
            if (list.size == 0) break;
            random = random * 1664525u + 1013904223u;
            position.DoMove(list.moves[(random >> 8) % list.size]);
        }
        std::vector<std::string> fens;
        double result = 0.5;
        for (int ply = 0; ply < 400; ++ply) {
            const engine::GameStatus status = position.Status();
            if (status == engine::GameStatus::Checkmate) {
                result = position.SideToMove() == Side::White ? 0.0 : 1.0;
                break;
            }
            if (status != engine::GameStatus::InPlay && status != engine::GameStatus::Check) {
                break;
            }
            if (status == engine::GameStatus::InPlay) {
                Position probe = position;
                const int stand = engine::Evaluate(probe, engine::DefaultEvalParams());
                if (Quiesce(probe, -engine::kInfiniteScore, engine::kInfiniteScore,
                            engine::DefaultEvalParams(), 6) == stand) {
                    fens.push_back(position.Fen());
                }
            }
            engine::SearchLimits limits;
            limits.nodes = nodes + (random >> 20) % (nodes / 4 + 1);
            random = random * 1664525u + 1013904223u;
            searcher.Begin(position, limits);
            searcher.Run();
            // Adjudicate a clear result, so the games do not drag on.
            const int score = searcher.Info().scoreCp;
            if (std::abs(score) >= engine::kMateBound || (ply > 40 && std::abs(score) > 1200)) {
                const bool whiteAhead = (score > 0) == (position.SideToMove() == Side::White);
                result = whiteAhead ? 1.0 : 0.0;
                break;
            }
            position.DoMove(searcher.BestMove());
        }
        for (const std::string& fen : fens) {
            file << fen << '|' << result << '\n';
            ++written;
        }
        if ((game + 1) % 50 == 0) {
            std::fprintf(stderr, "%d games, %ld positions\n", game + 1, written);
        }
    }
    std::printf("%ld positions from %d games\n", written, games);
    return 0;
}

struct Sample {
    engine::EvalBoard board;
    double result;
};

double Sigmoid(double score, double k) {
    return 1.0 / (1.0 + std::pow(10.0, -k * score / 400.0));
}

// Each weight pays for straying from where it started, so that a weight the positions say
// little about stays put instead of chasing their noise.
double gRegularization = 3e-4;

double Penalty(const EvalParams& params) {
    const EvalParams& start = engine::DefaultEvalParams();
    double sum = 0;
    for (int i = 0; i < 2 * engine::kTermCount; ++i) {
        const double d = (params.values[i] - start.values[i]) / 100.0;
        sum += d * d;
    }
    return gRegularization * sum;
}

double Error(const std::vector<Sample>& samples, const EvalParams& params, double k) {
    double sum = 0;
    for (const Sample& s : samples) {
        int score = engine::EvaluateBoard(s.board, params);
        if (s.board.sideToMove == 1) score = -score;
        const double d = s.result - Sigmoid(score, k);
        sum += d * d;
    }
    return sum / samples.size() + Penalty(params);
}

void Write(const EvalParams& params, const std::string& out) {
    std::ofstream file(out);
    for (int i = 0; i < engine::kTermCount; ++i) {
        file << params.values[2 * i] << ' ' << params.values[2 * i + 1] << '\n';
    }
    for (int i = 0; i < engine::kTermCount; ++i) {
        std::printf("    EVAL_TERM(%s, %d, %d)\n", engine::TermName(i), params.values[2 * i],
                    params.values[2 * i + 1]);
    }
}

int Fit(const std::string& in, const std::string& out, int passes) {
    std::vector<Sample> samples;
    std::string line;
    // Several files may be given, separated by commas.
    std::size_t from = 0;
    while (from <= in.size()) {
        const std::size_t comma = std::min(in.find(',', from), in.size());
        std::ifstream file(in.substr(from, comma - from));
        from = comma + 1;
        while (std::getline(file, line)) {
            const std::size_t bar = line.find('|');
            if (bar == std::string::npos) continue;
            Position position;
            if (!position.SetFen(line.substr(0, bar), nullptr)) continue;
            samples.push_back({engine::ReadEvalBoard(position), std::atof(line.c_str() + bar + 1)});
        }
    }
    if (samples.empty()) {
        std::fprintf(stderr, "no positions in %s\n", in.c_str());
        return 1;
    }
    EvalParams params = engine::DefaultEvalParams();
    // The scale that links centipawns to expected results, fitted first and then held.
    double k = 1.0;
    double best = Error(samples, params, k);
    for (double step = 0.5; step > 0.001; step /= 2) {
        for (double candidate : {k - step, k + step}) {
            const double e = Error(samples, params, candidate);
            if (e < best) {
                best = e;
                k = candidate;
            }
        }
    }
    std::fprintf(stderr, "%zu positions, scale %.4f, error %.6f\n", samples.size(), k, best);
    const int queenValue = 2 * static_cast<int>(engine::Term::QueenValue);
    for (int pass = 0; pass < passes; ++pass) {
        const int step = pass == 0 ? 8 : pass == 1 ? 4 : 2;
        int changed = 0;
        for (int i = 0; i < 2 * engine::kTermCount; ++i) {
            // The queen's middle-game value anchors the scale.
            if (i == queenValue) continue;
            for (int direction : {+1, -1}) {
                bool improved = true;
                int moves = 0;
                while (improved && moves < 6) {
                    improved = false;
                    params.values[i] += direction * step;
                    const double e = Error(samples, params, k);
                    if (e < best) {
                        best = e;
                        improved = true;
                        ++changed;
                        ++moves;
                    } else {
                        params.values[i] -= direction * step;
                    }
                }
                if (moves > 0) break;
            }
        }
        std::fprintf(stderr, "pass %d (step %d): %d changes, error %.6f\n", pass + 1, step, changed,
                     best);
    }
    Write(params, out);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: kestrion-engine-tune generate|fit [options]\n");
        return 2;
    }
    const std::string command = argv[1];
    int games = 200;
    std::uint64_t nodes = 4000;
    std::uint32_t seed = 1;
    int passes = 4;
    std::string in = "positions.txt";
    std::string out = command == "fit" ? "weights.txt" : "positions.txt";
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (arg == "--games")
            games = std::atoi(value);
        else if (arg == "--nodes")
            nodes = std::strtoull(value, nullptr, 10);
        else if (arg == "--seed")
            seed = static_cast<std::uint32_t>(std::atoi(value));
        else if (arg == "--passes")
            passes = std::atoi(value);
        else if (arg == "--regularization")
            gRegularization = std::atof(value);
        else if (arg == "--in")
            in = value;
        else if (arg == "--out")
            out = value;
        else {
            std::fprintf(stderr, "unknown option %s\n", arg.c_str());
            return 2;
        }
        ++i;
    }
    if (command == "generate")
        return Generate(games, std::max<std::uint64_t>(nodes, 100), seed, out);
    if (command == "fit") return Fit(in, out, passes);
    std::fprintf(stderr, "unknown command %s\n", command.c_str());
    return 2;
}
