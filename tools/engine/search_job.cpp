#include "tools/engine/search_job.h"

#include <string>

#include "engine/move_text.h"

namespace uci {

namespace {

// Nodes searched between two looks at the stop flag and the clock: a few milliseconds of
// search, short beside any move time and the overhead kept back for the answer.
constexpr std::uint64_t kNodesPerSlice = 2048;

engine::Move AnyLegalMove(const engine::Position& position) {
    engine::MoveList moves;
    position.GenerateLegal(moves);
    return moves.size > 0 ? moves.moves[0] : engine::kNoMove;
}

class Clock {
  public:
    explicit Clock(const std::function<std::int64_t()>& nowMs) : nowMs_(nowMs), start_(nowMs()) {}
    std::int64_t Elapsed() const { return nowMs_() - start_; }

  private:
    const std::function<std::int64_t()>& nowMs_;
    std::int64_t start_;
};

// Whether to stop between slices: on stop, at the hard limit, or once an iteration has
// finished past the soft limit (a new one would rarely finish in time).
bool OutOfTime(const TimeBudget& time, std::int64_t elapsed, bool iterationJustFinished) {
    if (!time.limited) return false;
    if (elapsed >= time.hardMs) return true;
    return iterationJustFinished && elapsed >= time.softMs;
}

}  // namespace

std::string InfoLine(const engine::Position& root, const engine::SearchInfo& info,
                     std::int64_t elapsedMs) {
    std::string line = "info depth " + std::to_string(info.depth);
    if (info.seldepth > 0) line += " seldepth " + std::to_string(info.seldepth);
    if (info.mateIn != 0) {
        line += " score mate " + std::to_string(info.mateIn);
    } else {
        line += " score cp " + std::to_string(info.scoreCp);
    }
    const std::int64_t shownTime = elapsedMs > 0 ? elapsedMs : 0;
    const std::uint64_t nps =
        shownTime > 0 ? info.nodes * 1000 / static_cast<std::uint64_t>(shownTime) : 0;
    line += " nodes " + std::to_string(info.nodes) + " nps " + std::to_string(nps) + " time " +
            std::to_string(shownTime);
    if (info.pvLength > 0) {
        std::string pv;
        engine::Position walk = root;
        for (int i = 0; i < info.pvLength && i < 64; ++i) {
            const engine::Move move = info.pv[i];
            if (!walk.IsLegal(move)) break;
            pv += ' ';
            pv += engine::MoveToText(walk, move);
            walk.DoMove(move);
        }
        if (!pv.empty()) line += " pv" + pv;
    }
    return line;
}

void RunSearch(const SearchRequest& request, SearchTools& tools, const std::atomic<bool>& stop,
               LineSink& out) {
    const Clock clock(tools.nowMs);
    engine::Move best = engine::kNoMove;
    if (tools.levelPlayer != nullptr) {
        tools.levelPlayer->Begin(request.root, request.level, tools.drawRandom);
        bool finished = false;
        while (!finished && !stop.load() && !OutOfTime(request.time, clock.Elapsed(), false)) {
            finished = tools.levelPlayer->Advance(kNodesPerSlice);
        }
        // Cut short by the clock, the level plays what its search has found so far.
        best = finished ? tools.levelPlayer->ChosenMove()
                        : tools.levelPlayer->GetSearcher().BestMove();
    } else {
        bool iterationFinished = false;
        tools.searcher->SetInfoCallback([&](const engine::SearchInfo& info) {
            iterationFinished = true;
            out.Line(InfoLine(request.root, info, clock.Elapsed()));
        });
        tools.searcher->Begin(request.root, request.limits);
        bool finished = false;
        while (!finished && !stop.load()) {
            iterationFinished = false;
            finished = tools.searcher->Advance(kNodesPerSlice);
            if (OutOfTime(request.time, clock.Elapsed(), iterationFinished)) break;
        }
        tools.searcher->SetInfoCallback(nullptr);
        best = tools.searcher->BestMove();
    }
    if (!request.root.IsLegal(best)) best = AnyLegalMove(request.root);
    // go infinite answers only when told to stop, even when the search ends by itself.
    while (request.waitForStop && !stop.load()) tools.pause();
    out.Line("bestmove " + (best == engine::kNoMove ? std::string("0000")
                                                    : engine::MoveToText(request.root, best)));
}

}  // namespace uci
