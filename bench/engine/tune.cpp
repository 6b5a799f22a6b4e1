// kestrion-engine-tune: fits the evaluation's weights to the results of the engine's own
// games (the method of fitting a logistic curve of the score to the outcome, position by
// position, and moving each weight while the error falls).
//
//   kestrion-engine-tune generate --games 1000 --nodes 4000 --seed 1 --out positions.txt
//   kestrion-engine-tune fit --in positions.txt[,more.txt] --out weights.txt [--passes 4]
//                            [--regularization 3e-4] [--result-share 1]
//   kestrion-engine-tune fit-squares|fit-linear --in positions.txt --out weights.txt
//                            [--iterations 1000]
//
// `generate` plays games of the engine against itself from random openings and writes every
// quiet position (not in check, where the capture search agrees with the evaluation) with
// the game's result. `fit` starts from the weights the engine plays with and writes the
// fitted ones, as a list of numbers for kestrion-engine-match's "tuned:FILE" player, as
// lines for engine/eval_params.h and as files for engine/square_tables.inc and
// engine/mobility_tables.inc. `fit-squares`
// fits the square tables alone by gradient descent, `fit-linear` the terms with them. The fitting
// works in floating point; the engine only ever plays with the integers it prints.
#include <bit>
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
        // Each quiet position with the search's score for it, from White's side.
        std::vector<std::pair<std::string, int>> fens;
        bool quiet = false;
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
                    fens.push_back({position.Fen(), 0});
                    quiet = true;
                }
            }
            engine::SearchLimits limits;
            limits.nodes = nodes + (random >> 20) % (nodes / 4 + 1);
            random = random * 1664525u + 1013904223u;
            searcher.Begin(position, limits);
            searcher.Run();
            // Adjudicate a clear result, so the games do not drag on.
            const int score = searcher.Info().scoreCp;
            if (quiet) {
                fens.back().second = position.SideToMove() == Side::White ? score : -score;
                quiet = false;
            }
            if (std::abs(score) >= engine::kMateBound || (ply > 40 && std::abs(score) > 1200)) {
                const bool whiteAhead = (score > 0) == (position.SideToMove() == Side::White);
                result = whiteAhead ? 1.0 : 0.0;
                break;
            }
            position.DoMove(searcher.BestMove());
        }
        for (const auto& [fen, score] : fens) {
            file << fen << '|' << result << '|' << score << '\n';
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
// How much of a position's target is its game's result, the rest being its search score
// turned into an expected result with this scale.
double gResultShare = 1.0;
double gScoreScale = 1.35;

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

// Writes the weights as kestrion-engine-match's "tuned:FILE" reads them, the terms as lines
// for engine/eval_params.h on the standard output, and the square tables as
// engine/square_tables.inc beside `out`.
void Write(const EvalParams& params, const std::string& out) {
    std::ofstream file(out);
    for (int i = 0; i < engine::kTermCount; ++i) {
        file << params.values[2 * i] << ' ' << params.values[2 * i + 1] << '\n';
    }
    for (int i = 0; i < engine::kSquareWeights; i += 2) {
        file << params.squares[i] << ' ' << params.squares[i + 1] << '\n';
    }
    for (int i = 0; i < engine::kMobilityWeights; i += 2) {
        file << params.mobility[i] << ' ' << params.mobility[i + 1] << '\n';
    }
    for (int i = 0; i < engine::kTermCount; ++i) {
        std::printf("    EVAL_TERM(%s, %d, %d)\n", engine::TermName(i), params.values[2 * i],
                    params.values[2 * i + 1]);
    }
    static const char* const kKinds[] = {"Pawn", "Knight", "Bishop", "Rook", "Queen", "King"};
    std::ofstream table(out + ".inc");
    for (int kind = 0; kind < engine::kTableKinds; ++kind) {
        table << "// " << kKinds[kind] << ", rank 1 to 8 from its own side, files a-d\n";
        for (int rank = 0; rank < 8; ++rank) {
            for (int file = 0; file < 4; ++file) {
                const int* pair = params.SquarePair(kind, engine::TableSquare(rank, file));
                char cell[32];
                std::snprintf(cell, sizeof cell, "%4d, %4d,", pair[0], pair[1]);
                table << cell << (file < 3 ? "  " : "\n");
            }
        }
    }
    std::ofstream mobility(out + ".mobility.inc");
    for (int kind = 0; kind < engine::kMobilityKinds; ++kind) {
        const int counts = engine::kMobilityFirst[kind + 1] - engine::kMobilityFirst[kind];
        mobility << "// " << kKinds[kind + 1] << ", 0 to " << counts - 1 << " safe squares\n";
        for (int count = 0; count < counts; ++count) {
            const int* pair = params.MobilityPair(kind, count);
            char cell[32];
            std::snprintf(cell, sizeof cell, "%4d, %4d,", pair[0], pair[1]);
            mobility << cell << (count % 4 < 3 && count + 1 < counts ? "  " : "\n");
        }
    }
}

std::vector<Sample> Load(const std::string& in) {
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
            double target = std::atof(line.c_str() + bar + 1);
            // A position written with the search's score learns from it as well as from the
            // game's result: the result alone is one noisy outcome for a whole game.
            const std::size_t second = line.find('|', bar + 1);
            if (second != std::string::npos && gResultShare < 1.0) {
                const double score = std::atof(line.c_str() + second + 1);
                target = gResultShare * target + (1 - gResultShare) * Sigmoid(score, gScoreScale);
            }
            samples.push_back({engine::ReadEvalBoard(position), target});
        }
    }
    if (samples.empty()) std::fprintf(stderr, "no positions in %s\n", in.c_str());
    return samples;
}

// The scale that links centipawns to expected results, fitted first and then held.
double FitScale(const std::vector<Sample>& samples, const EvalParams& params, double& error) {
    double k = 1.0;
    error = Error(samples, params, k);
    for (double step = 0.5; step > 0.001; step /= 2) {
        for (double candidate : {k - step, k + step}) {
            const double e = Error(samples, params, candidate);
            if (e < error) {
                error = e;
                k = candidate;
            }
        }
    }
    std::fprintf(stderr, "%zu positions, scale %.4f, error %.6f\n", samples.size(), k, error);
    return k;
}

// Fits by gradient descent on the evaluation made linear around the weights it plays with:
// the square tables enter the score linearly (each piece adds its square's pair, blended by
// the phase), and with `terms` each term's weight enters with the slope measured by moving
// it a little either way, position by position. The rest of the evaluation is held at its
// value for each position. Each weight is drawn towards where it started, so that what the
// positions say little about stays put.
int FitLinear(const std::string& in, const std::string& out, int iterations, bool terms) {
    const std::vector<Sample> samples = Load(in);
    if (samples.empty()) return 1;
    EvalParams params = engine::DefaultEvalParams();
    double startError = 0;
    const double k = FitScale(samples, params, startError);
    // The terms' weights, then the mobility tables'.
    const int termWeights = terms ? 2 * engine::kTermCount + engine::kMobilityWeights : 0;
    auto slot = [](EvalParams& p, int j) -> int& {
        return j < 2 * engine::kTermCount ? p.values[j] : p.mobility[j - 2 * engine::kTermCount];
    };
    const int queenValue = 2 * static_cast<int>(engine::Term::QueenValue);

    auto whiteScore = [](const engine::EvalBoard& board, const EvalParams& p) {
        const int score = engine::EvaluateBoard(board, p);
        return board.sideToMove == 1 ? -score : score;
    };
    struct Linear {
        int base;  // the evaluation with the starting weights, from White's side
        int phase;
        std::size_t first;
        int count;
        double result;
    };
    std::vector<Linear> linear;
    // Per piece: its weight pair's index, negated (less one) for Black's pieces.
    std::vector<int> features;
    // Per position, the slope of its score along each term's weight.
    std::vector<float> slopes;
    slopes.reserve(samples.size() * termWeights);
    for (const Sample& s : samples) {
        Linear l{whiteScore(s.board, params), engine::GamePhase(s.board), features.size(), 0,
                 s.result};
        for (int side = 0; side < 2; ++side) {
            const bool up = side == 0 ? s.board.whiteMovesUp : !s.board.whiteMovesUp;
            for (int kind = 0; kind < engine::kTableKinds; ++kind) {
                std::uint64_t set = s.board.pieces[side][kind];
                while (set != 0) {
                    const int square = std::countr_zero(set);
                    set &= set - 1;
                    const int rank = up ? square / 8 : 7 - square / 8;
                    const int index =
                        kind * engine::kTableSquares + engine::TableSquare(rank, square % 8);
                    features.push_back(side == 0 ? index : -index - 1);
                    ++l.count;
                }
            }
        }
        // 24 steps, so that the phase's blend divides evenly.
        constexpr int kStep = 24;
        EvalParams moved = params;
        for (int j = 0; j < termWeights; ++j) {
            slot(moved, j) += kStep;
            const int up = whiteScore(s.board, moved);
            slot(moved, j) -= 2 * kStep;
            const int down = whiteScore(s.board, moved);
            slot(moved, j) += kStep;
            slopes.push_back(static_cast<float>(up - down) / (2 * kStep));
        }
        linear.push_back(l);
    }

    const int squareWeights = engine::kSquareWeights;
    const int n = termWeights + squareWeights;
    // theta holds the terms' weights first, then the squares'.
    std::vector<double> theta(n);
    for (int j = 0; j < termWeights; ++j) theta[j] = slot(params, j);
    for (int i = 0; i < squareWeights; ++i) theta[termWeights + i] = params.squares[i];
    const std::vector<double> start = theta;
    std::vector<double> m(n, 0.0), v(n, 0.0), grad(n);
    const double rate = 1.0, beta1 = 0.9, beta2 = 0.999;
    const double slope = k * std::log(10.0) / 400.0;
    // One block of positions in ten is kept out of the fitting, to show whether the weights
    // learn the positions or only their noise; whole blocks, since the positions of one game
    // are alike and share its result.
    auto heldOut = [](std::size_t i) { return i / 2000 % 10 == 9; };
    for (int it = 1; it <= iterations; ++it) {
        std::fill(grad.begin(), grad.end(), 0.0);
        double loss = 0, heldLoss = 0;
        std::size_t fitted = 0;
        for (std::size_t index = 0; index < linear.size(); ++index) {
            const Linear& l = linear[index];
            const float* c = termWeights > 0 ? &slopes[index * termWeights] : nullptr;
            const double mgShare = l.phase / 24.0, egShare = 1.0 - mgShare;
            double score = l.base;
            for (int j = 0; j < termWeights; ++j) score += c[j] * (theta[j] - start[j]);
            for (int f = 0; f < l.count; ++f) {
                const int code = features[l.first + f];
                const int i = termWeights + 2 * (code >= 0 ? code : -code - 1);
                const double sign = code >= 0 ? 1.0 : -1.0;
                score += sign * (mgShare * (theta[i] - start[i]) +
                                 egShare * (theta[i + 1] - start[i + 1]));
            }
            const double p = Sigmoid(score, k);
            const double d = l.result - p;
            if (heldOut(index)) {
                heldLoss += d * d;
                continue;
            }
            loss += d * d;
            ++fitted;
            const double g = -2.0 * d * p * (1.0 - p) * slope;
            for (int j = 0; j < termWeights; ++j) grad[j] += g * c[j];
            for (int f = 0; f < l.count; ++f) {
                const int code = features[l.first + f];
                const int i = termWeights + 2 * (code >= 0 ? code : -code - 1);
                const double sign = code >= 0 ? g : -g;
                grad[i] += sign * mgShare;
                grad[i + 1] += sign * egShare;
            }
        }
        double penalty = 0;
        for (int i = 0; i < n; ++i) {
            // The queen's middle-game value anchors the scale.
            if (i == queenValue && terms) continue;
            const double drift = (theta[i] - start[i]) / 100.0;
            grad[i] = grad[i] / fitted + 2.0 * gRegularization * drift / 100.0;
            penalty += gRegularization * drift * drift;
            m[i] = beta1 * m[i] + (1 - beta1) * grad[i];
            v[i] = beta2 * v[i] + (1 - beta2) * grad[i] * grad[i];
            const double mHat = m[i] / (1 - std::pow(beta1, it));
            const double vHat = v[i] / (1 - std::pow(beta2, it));
            theta[i] -= rate * mHat / (std::sqrt(vHat) + 1e-12);
        }
        if (it == 1 || it % 100 == 0 || it == iterations) {
            std::fprintf(stderr, "iteration %d: error %.6f, held out %.6f\n", it,
                         loss / fitted + penalty, heldLoss / (linear.size() - fitted));
        }
    }
    for (int j = 0; j < termWeights; ++j) slot(params, j) = static_cast<int>(std::lround(theta[j]));
    for (int i = 0; i < squareWeights; ++i) {
        params.squares[i] = static_cast<int>(std::lround(theta[termWeights + i]));
    }
    // The linear model stands in for the evaluation while fitting; the real one judges.
    double before = 0, after = 0, heldBefore = 0, heldAfter = 0;
    for (std::size_t index = 0; index < samples.size(); ++index) {
        const Sample& s = samples[index];
        const double d0 = s.result - Sigmoid(whiteScore(s.board, engine::DefaultEvalParams()), k);
        const double d1 = s.result - Sigmoid(whiteScore(s.board, params), k);
        (heldOut(index) ? heldBefore : before) += d0 * d0;
        (heldOut(index) ? heldAfter : after) += d1 * d1;
    }
    std::fprintf(stderr,
                 "the evaluation's own error: %.6f before, %.6f after; held out %.6f, %.6f\n",
                 before, after, heldBefore, heldAfter);
    Write(params, out);
    return 0;
}

int Fit(const std::string& in, const std::string& out, int passes) {
    const std::vector<Sample> samples = Load(in);
    if (samples.empty()) return 1;
    EvalParams params = engine::DefaultEvalParams();
    double best = 0;
    const double k = FitScale(samples, params, best);
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
    int iterations = 1000;
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
        else if (arg == "--result-share")
            gResultShare = std::atof(value);
        else if (arg == "--iterations")
            iterations = std::atoi(value);
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
    if (command == "fit-squares") return FitLinear(in, out, iterations, false);
    if (command == "fit-linear") return FitLinear(in, out, iterations, true);
    std::fprintf(stderr, "unknown command %s\n", command.c_str());
    return 2;
}
