#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "engine/eval_params.h"
#include "engine/position.h"

namespace engine {

// Scores: centipawns, and for a forced mate kMateScore less the plies to it.
inline constexpr int kInfiniteScore = 32000;
inline constexpr int kMateScore = 31000;
inline constexpr int kMateBound = kMateScore - 1000;  // At or beyond: a mate score.
inline constexpr int kMaxPly = 128;

struct SearchLimits {
    std::uint64_t nodes = 0;  // 0: no node limit.
    int depth = 0;            // 0: no depth limit.
    bool infinite = false;    // Search on until Stop, even with a forced result.
    // Above 0, every root move within this many centipawns of the best gets an exact score
    // (RootMove), for the levels that choose among near-best moves.
    int rootMargin = 0;
};

struct SearchInfo {
    int depth = 0;
    int seldepth = 0;
    int scoreCp = 0;
    int mateIn = 0;  // 0 when no mate is seen; +n: the side to move mates in n; -n: is mated.
    std::uint64_t nodes = 0;
    Move pv[64] = {};
    int pvLength = 0;
};

struct RootMoveScore {
    Move move = kNoMove;
    // Exact when at least (best - rootMargin); otherwise only known to be below that.
    int score = -kInfiniteScore;
};

struct SearchState;

// Iterative deepening principal-variation search. It runs as a state machine over an explicit
// stack of fixed frames, so a frame loop can advance it a few nodes at a time and the result
// never depends on how the nodes were sliced: the same position, limits and table size give
// the same move, score and node count on every build. The engine reads no clock; a caller
// that wants a time limit gives a stop test, which the search polls every few thousand nodes.
class Searcher {
  public:
    explicit Searcher(std::size_t hashMegabytes = 16);
    ~Searcher();
    Searcher(const Searcher&) = delete;
    Searcher& operator=(const Searcher&) = delete;

    void Resize(std::size_t hashMegabytes);
    std::size_t HashBytes() const;
    // Forgets every position searched before: the next search is as from a fresh start.
    void Clear();

    void SetEvalParams(const EvalParams& params);
    // Polled every pollNodes nodes once the first iteration is done; true stops the search.
    void SetStopTest(std::function<bool()> shouldStop, std::uint64_t pollNodes = 2048);
    // Called after each finished iteration (not in the middle of an Advance's bookkeeping).
    void SetInfoCallback(std::function<void(const SearchInfo&)> callback);

    void Begin(const Position& root, const SearchLimits& limits);
    // Runs about nodeSlice more nodes; true once the search is finished.
    bool Advance(std::uint64_t nodeSlice);
    void Run();
    // Ends the search at the next node; the result is that of the last finished iteration.
    void Stop();
    bool Finished() const;

    // The move to play: kNoMove only when the root has no legal move.
    Move BestMove() const;
    const SearchInfo& Info() const;
    std::uint64_t Nodes() const;
    // The root moves in the order of the last finished iteration, best first.
    int RootMoveCount() const;
    RootMoveScore RootMove(int index) const;

  private:
    std::unique_ptr<SearchState> state_;
};

}  // namespace engine
