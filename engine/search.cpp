#include "engine/search.h"

#include <algorithm>
#include <bit>

#include "engine/evaluate.h"
#include "engine/exchange.h"
#include "engine/search_tables.h"
#include "engine/transposition.h"

namespace engine {

namespace {

// What a frame is doing: where it goes on when it is next stepped.
enum class Stage : std::uint8_t {
    Enter,       // Not yet started.
    AfterNull,   // Waiting for the null-move search.
    AfterChild,  // Waiting for the search of the current move.
};

// Which search of the current move the frame waits for.
enum class ChildSearch : std::uint8_t {
    Reduced,  // Null window at reduced depth.
    Scout,    // Null window at full depth.
    Full,     // Full window.
};

constexpr int kHistoryMax = 16384;
constexpr int kTtMoveOrder = 1 << 30;
constexpr int kGoodCaptureOrder = 1 << 28;
constexpr int kKillerOrder = 1 << 27;
constexpr int kBadCaptureOrder = -(1 << 28);

struct Frame {
    // The call: window, remaining depth, kind of node.
    int alpha = 0;
    int beta = 0;
    int depth = 0;
    bool pvNode = false;
    bool allowNull = true;
    bool quiescence = false;

    Stage stage = Stage::Enter;
    bool inCheck = false;
    int staticEval = 0;
    // Whether the static evaluation rose since this side's previous move: pruning is then
    // less safe, since the position is getting better.
    bool improving = false;
    Move ttMove = kNoMove;
    int bestScore = 0;
    Move bestMove = kNoMove;
    int originalAlpha = 0;

    MoveList moves;
    int order[256];
    int picked = 0;  // Moves taken from the list so far.
    int moveCount = 0;
    int quietCount = 0;
    Move quiets[64];

    // The move being searched.
    Move move = kNoMove;
    bool quiet = false;
    int newDepth = 0;
    int searchAlpha = 0;
    int reduction = 0;
    ChildSearch child = ChildSearch::Full;
};

int ScoreToTable(int score, int ply) {
    if (score >= kMateBound) return score + ply;
    if (score <= -kMateBound) return score - ply;
    return score;
}

int ScoreFromTable(int score, int ply) {
    if (score >= kMateBound) return score - ply;
    if (score <= -kMateBound) return score + ply;
    return score;
}

}  // namespace

struct SearchState {
    explicit SearchState(std::size_t megabytes) : table(megabytes) {}

    TranspositionTable table;
    EvalParams params = DefaultEvalParams();
    PawnCache pawnCache;
    std::function<bool()> shouldStop;
    std::uint64_t pollNodes = 2048;
    std::function<void(const SearchInfo&)> onInfo;

    Position position;
    SearchLimits limits;
    Frame frames[kMaxPly + 1];
    int top = 0;  // The frame being worked on; its index is its ply.
    bool returning = false;
    int returnValue = 0;

    std::uint64_t nodes = 0;
    std::uint64_t nextPoll = 0;
    bool finished = true;
    bool stopRequested = false;
    int seldepth = 0;

    // Iterative deepening.
    int iterationDepth = 0;
    int completedDepth = 0;
    int aspirationDelta = 0;
    int windowAlpha = -kInfiniteScore;
    int windowBeta = kInfiniteScore;
    MoveList rootMoves;
    int rootScores[256];
    int iterationRootScores[256];
    Move bestMove = kNoMove;
    int bestScore = 0;
    Move iterationBest = kNoMove;  // Best root move found so far in the running iteration.
    SearchInfo info;

    Move killers[kMaxPly + 2][2];
    int history[2][64][64];
    // The quiet move that last refuted each move (by its squares), tried after the killers.
    Move counterMoves[64][64];
    Move pv[kMaxPly + 1][kMaxPly + 1];
    int pvLength[kMaxPly + 1];

    // --- The state machine.
    void Begin(const Position& root, const SearchLimits& newLimits);
    void Step();
    void Push(int alpha, int beta, int depth, bool pvNode, bool allowNull);
    void Return(int value) {
        returning = true;
        returnValue = value;
    }
    bool CheckAbort();
    void Finish();

    void EnterNode(Frame& f, int ply);
    void AfterNull(Frame& f, int ply, int score);
    void StartMoves(Frame& f, int ply);
    void NextMove(Frame& f, int ply);
    void AfterChild(Frame& f, int ply, int score);
    void FinishNode(Frame& f, int ply);

    void EnterQuiescence(Frame& f, int ply);
    void NextCapture(Frame& f, int ply);
    void AfterCapture(Frame& f, int ply, int score);

    void StartIteration();
    void EndIteration(int score);

    // --- Helpers.
    int Eval() { return Evaluate(position, params, &pawnCache); }
    int PickNext(Frame& f);
    void OrderMoves(Frame& f, int ply);
    bool IsQuiet(Move move) const {
        return !position.IsCapture(move) && KindOf(move) != kPromotionMove;
    }
    bool HasNonPawnMaterial(Side side) const {
        return (position.Pieces(side) &
                ~(position.Pieces(side, Pawn) | position.Pieces(side, King))) != 0;
    }
    bool ClassicOpponentStuck(int ply, int& score) const;
    void UpdateQuietStats(Frame& f, int ply, Move move);
    void UpdatePv(int ply, Move move);
    void FillInfo(int score);
};

// ---------------------------------------------------------------------------------------
// Driving.

void SearchState::Begin(const Position& root, const SearchLimits& newLimits) {
    position = root;
    limits = newLimits;
    nodes = 0;
    nextPoll = pollNodes;
    finished = false;
    stopRequested = false;
    seldepth = 0;
    completedDepth = 0;
    iterationDepth = 0;
    bestMove = kNoMove;
    bestScore = 0;
    iterationBest = kNoMove;
    info = SearchInfo{};
    std::fill(&killers[0][0], &killers[0][0] + (kMaxPly + 2) * 2, kNoMove);
    std::fill(&history[0][0][0], &history[0][0][0] + 2 * 64 * 64, 0);
    std::fill(&counterMoves[0][0], &counterMoves[0][0] + 64 * 64, kNoMove);
    table.NextGeneration();

    position.GenerateLegal(rootMoves);
    if (rootMoves.size == 0) {
        finished = true;
        info.scoreCp = position.InCheck() ? -kMateScore : 0;
        return;
    }
    // A first order for the root: the table's move, then captures by value, then the rest,
    // each group in the generator's order.
    const TtEntry* entry = table.Probe(position.Key());
    const Move ttMove = entry != nullptr ? entry->move : kNoMove;
    int keys[256];
    for (int i = 0; i < rootMoves.size; ++i) {
        const Move move = rootMoves.moves[i];
        keys[i] = move == ttMove  ? kTtMoveOrder
                  : IsQuiet(move) ? 0
                                  : kGoodCaptureOrder + StaticExchange(position, move);
        rootScores[i] = -kInfiniteScore;
    }
    // Insertion sort: stable, so equal keys keep the generator's order on every build.
    for (int i = 1; i < rootMoves.size; ++i) {
        const Move move = rootMoves.moves[i];
        const int key = keys[i];
        int j = i - 1;
        while (j >= 0 && keys[j] < key) {
            rootMoves.moves[j + 1] = rootMoves.moves[j];
            keys[j + 1] = keys[j];
            --j;
        }
        rootMoves.moves[j + 1] = move;
        keys[j + 1] = key;
    }
    bestMove = rootMoves.moves[0];
    iterationDepth = 1;
    windowAlpha = -kInfiniteScore;
    windowBeta = kInfiniteScore;
    StartIteration();
}

void SearchState::StartIteration() {
    top = 0;
    returning = false;
    iterationBest = kNoMove;
    Frame& root = frames[0];
    root.alpha = windowAlpha;
    root.beta = windowBeta;
    root.depth = iterationDepth;
    root.pvNode = true;
    root.allowNull = false;
    root.quiescence = false;
    root.stage = Stage::Enter;
    for (int i = 0; i < rootMoves.size; ++i) {
        iterationRootScores[i] = -kInfiniteScore;
    }
}

void SearchState::Push(int alpha, int beta, int depth, bool pvNode, bool allowNull) {
    Frame& child = frames[++top];
    child.alpha = alpha;
    child.beta = beta;
    child.depth = depth;
    child.pvNode = pvNode;
    child.allowNull = allowNull;
    child.stage = Stage::Enter;
}

void SearchState::Step() {
    if (returning) {
        returning = false;
        if (top == 0) {
            EndIteration(returnValue);
            return;
        }
        --top;
        Frame& f = frames[top];
        const int score = -returnValue;
        if (f.stage == Stage::AfterNull) {
            AfterNull(f, top, score);
        } else if (f.quiescence) {
            AfterCapture(f, top, score);
        } else {
            AfterChild(f, top, score);
        }
        return;
    }
    Frame& f = frames[top];
    if (top > 0 && f.depth <= 0) {
        EnterQuiescence(f, top);
    } else {
        EnterNode(f, top);
    }
}

bool SearchState::CheckAbort() {
    if (stopRequested) {
        Finish();
        return true;
    }
    // The first iteration always ends, so there is always a searched move to play.
    if (completedDepth == 0) {
        return false;
    }
    if (limits.nodes != 0 && nodes >= limits.nodes) {
        Finish();
        return true;
    }
    if (shouldStop && nodes >= nextPoll) {
        nextPoll = nodes + pollNodes;
        if (shouldStop()) {
            Finish();
            return true;
        }
    }
    return false;
}

void SearchState::Finish() {
    // A root move that beat the previous best in the unfinished iteration is the better
    // guess: it was searched deeper.
    if (iterationBest != kNoMove) {
        bestMove = iterationBest;
    }
    finished = true;
}

// ---------------------------------------------------------------------------------------
// Iterations.

void SearchState::EndIteration(int score) {
    // Outside the window: search the same depth again with a wider one.
    if (score <= windowAlpha && windowAlpha > -kInfiniteScore) {
        windowBeta = (windowAlpha + windowBeta) / 2;
        windowAlpha = std::max(score - aspirationDelta, -kInfiniteScore);
        aspirationDelta += aspirationDelta;
        StartIteration();
        return;
    }
    if (score >= windowBeta && windowBeta < kInfiniteScore) {
        windowBeta = std::min(score + aspirationDelta, kInfiniteScore);
        aspirationDelta += aspirationDelta;
        StartIteration();
        return;
    }
    completedDepth = iterationDepth;
    bestMove = frames[0].bestMove != kNoMove ? frames[0].bestMove : rootMoves.moves[0];
    bestScore = score;
    iterationBest = kNoMove;

    // Order the root for the next iteration by this one's scores; stable, best first.
    for (int i = 1; i < rootMoves.size; ++i) {
        const Move move = rootMoves.moves[i];
        const int key = iterationRootScores[i];
        int j = i - 1;
        while (j >= 0 && iterationRootScores[j] < key) {
            rootMoves.moves[j + 1] = rootMoves.moves[j];
            iterationRootScores[j + 1] = iterationRootScores[j];
            --j;
        }
        rootMoves.moves[j + 1] = move;
        iterationRootScores[j + 1] = key;
    }
    // The best move leads even when its score ties with others.
    for (int i = 0; i < rootMoves.size; ++i) {
        if (rootMoves.moves[i] == bestMove) {
            for (int j = i; j > 0; --j) {
                std::swap(rootMoves.moves[j], rootMoves.moves[j - 1]);
                std::swap(iterationRootScores[j], iterationRootScores[j - 1]);
            }
            break;
        }
    }
    std::copy(iterationRootScores, iterationRootScores + rootMoves.size, rootScores);

    FillInfo(score);
    if (onInfo) {
        onInfo(info);
    }

    const bool depthDone = limits.depth != 0 && completedDepth >= limits.depth;
    const bool mateSeen =
        std::abs(score) >= kMateBound && completedDepth >= kMateScore - std::abs(score) + 2;
    const bool onlyMove = rootMoves.size == 1;
    if (depthDone || completedDepth >= kMaxPly - 8 ||
        (!limits.infinite && (mateSeen || onlyMove))) {
        finished = true;
        return;
    }
    if (stopRequested || (limits.nodes != 0 && nodes >= limits.nodes)) {
        finished = true;
        return;
    }
    ++iterationDepth;
    if (iterationDepth >= 5 && limits.rootMargin == 0 && std::abs(score) < kMateBound) {
        aspirationDelta = 20;
        windowAlpha = score - aspirationDelta;
        windowBeta = score + aspirationDelta;
    } else {
        windowAlpha = -kInfiniteScore;
        windowBeta = kInfiniteScore;
    }
    StartIteration();
}

void SearchState::FillInfo(int score) {
    info.depth = completedDepth;
    info.seldepth = seldepth;
    info.nodes = nodes;
    info.scoreCp = score;
    info.mateIn = 0;
    if (score >= kMateBound) {
        info.mateIn = (kMateScore - score + 1) / 2;
    } else if (score <= -kMateBound) {
        info.mateIn = -(kMateScore + score) / 2;
    }
    info.pvLength = std::min(pvLength[0], 64);
    for (int i = 0; i < info.pvLength; ++i) {
        info.pv[i] = pv[0][i];
    }
    if (info.pvLength == 0) {
        info.pv[0] = bestMove;
        info.pvLength = 1;
    }
}

// ---------------------------------------------------------------------------------------
// The main search.

void SearchState::EnterNode(Frame& f, int ply) {
    f.quiescence = false;
    ++nodes;
    seldepth = std::max(seldepth, ply);
    if (CheckAbort()) {
        return;
    }
    pvLength[ply] = ply;
    killers[ply + 1][0] = killers[ply + 1][1] = kNoMove;
    const Side us = position.SideToMove();
    f.inCheck = position.InCheck();
    f.ttMove = kNoMove;
    f.improving = false;
    f.staticEval = 0;

    if (ply > 0) {
        if (position.GetRules() == Rules::Classic) {
            // The other side has taken our king.
            if (position.KingSquare(us) < 0) {
                Return(-kMateScore + ply);
                return;
            }
        } else if (position.HalfmoveClock() >= 100 || position.IsRepetition(ply) ||
                   position.HasInsufficientMaterial()) {
            Return(0);
            return;
        }
        // No line from here can beat a mate already found nearer the root.
        f.alpha = std::max(f.alpha, -kMateScore + ply);
        f.beta = std::min(f.beta, kMateScore - ply - 1);
        if (f.alpha >= f.beta) {
            Return(f.alpha);
            return;
        }
        if (ply >= kMaxPly - 1) {
            Return(Eval());
            return;
        }

        const TtEntry* entry = table.Probe(position.Key());
        if (entry != nullptr) {
            f.ttMove = entry->move;
            const int score = ScoreFromTable(entry->score, ply);
            const Bound bound = entry->GetBound();
            if (!f.pvNode && entry->depth >= f.depth &&
                (bound == Bound::Exact || (bound == Bound::Lower && score >= f.beta) ||
                 (bound == Bound::Upper && score <= f.alpha))) {
                Return(score);
                return;
            }
        }
        f.staticEval = f.inCheck ? 0 : (entry != nullptr ? entry->eval : Eval());
        f.improving = !f.inCheck && ply >= 2 && !frames[ply - 2].inCheck &&
                      f.staticEval > frames[ply - 2].staticEval;

        if (!f.pvNode && !f.inCheck) {
            // So far above beta that a few plies will not bring it down.
            if (f.depth <= 6 && f.staticEval - 85 * (f.depth - f.improving) >= f.beta &&
                f.staticEval < kMateBound) {
                Return(f.staticEval);
                return;
            }
            // Passing the move still holds beta: the position is good enough to stop.
            if (f.allowNull && f.depth >= 2 && f.staticEval >= f.beta && HasNonPawnMaterial(us)) {
                const int reduction = 3 + f.depth / 5 + std::min((f.staticEval - f.beta) / 200, 2);
                position.DoNullMove();
                f.stage = Stage::AfterNull;
                Push(-f.beta, -f.beta + 1, f.depth - 1 - reduction, false, false);
                return;
            }
        }
    } else {
        const TtEntry* entry = table.Probe(position.Key());
        f.staticEval = entry != nullptr ? entry->eval : (f.inCheck ? 0 : Eval());
    }
    StartMoves(f, ply);
}

void SearchState::AfterNull(Frame& f, int ply, int score) {
    position.UndoNullMove();
    if (score >= f.beta) {
        Return(score >= kMateBound ? f.beta : score);
        return;
    }
    StartMoves(f, ply);
}

bool SearchState::ClassicOpponentStuck(int ply, int& score) const {
    // Under the game's rules the game ends as soon as either side has no move, whoever is
    // to move: a side that has just moved into a position without moves has drawn (or, with
    // its king attacked, lost). Only a side with few pieces can be so stuck.
    const Side them = Opponent(position.SideToMove());
    if (Count(position.Pieces(them)) > 3) {
        return false;
    }
    MoveList moves;
    position.GenerateLegalFor(them, moves);
    if (moves.size != 0) {
        return false;
    }
    score = position.InCheck(them) ? kMateScore - ply : 0;
    return true;
}

void SearchState::StartMoves(Frame& f, int ply) {
    if (ply == 0) {
        f.moves = rootMoves;
        for (int i = 0; i < f.moves.size; ++i) {
            f.order[i] = f.moves.size - i;
        }
    } else {
        position.GenerateLegal(f.moves);
        if (f.moves.size == 0) {
            Return(f.inCheck ? -kMateScore + ply : 0);
            return;
        }
        if (position.GetRules() == Rules::Classic) {
            int stuckScore = 0;
            if (ClassicOpponentStuck(ply, stuckScore)) {
                Return(stuckScore);
                return;
            }
        }
        OrderMoves(f, ply);
        // Without a move from an earlier search this node is likely unimportant: search it
        // a little shallower.
        if (f.depth >= 4 && f.ttMove == kNoMove) {
            --f.depth;
        }
    }
    f.picked = 0;
    f.moveCount = 0;
    f.quietCount = 0;
    f.bestScore = -kInfiniteScore;
    f.bestMove = kNoMove;
    f.originalAlpha = f.alpha;
    f.stage = Stage::AfterChild;
    NextMove(f, ply);
}

void SearchState::OrderMoves(Frame& f, int ply) {
    const int us = Index(position.SideToMove());
    const Move previous = position.LastMove();
    const Move counter =
        previous != kNoMove ? counterMoves[MoveFrom(previous)][MoveTo(previous)] : kNoMove;
    for (int i = 0; i < f.moves.size; ++i) {
        const Move move = f.moves.moves[i];
        int key;
        if (move == f.ttMove) {
            key = kTtMoveOrder;
        } else if (!IsQuiet(move)) {
            const PieceType victim =
                KindOf(move) == kEnPassantMove
                    ? Pawn
                    : (position.IsCapture(move) ? position.TypeOn(MoveTo(move)) : Pawn);
            const PieceType attacker = position.TypeOn(MoveFrom(move));
            const int mvvLva = OrderingValue(victim) * 8 - static_cast<int>(attacker);
            const bool losing = OrderingValue(attacker) > OrderingValue(victim) &&
                                StaticExchange(position, move) < 0;
            const bool minorPromotion =
                KindOf(move) == kPromotionMove && PromotionOf(move) != Queen;
            key = (losing || minorPromotion ? kBadCaptureOrder : kGoodCaptureOrder) + mvvLva;
        } else if (move == killers[ply][0]) {
            key = kKillerOrder + 1;
        } else if (move == killers[ply][1]) {
            key = kKillerOrder;
        } else if (move == counter) {
            key = kKillerOrder - 1;
        } else {
            key = history[us][MoveFrom(move)][MoveTo(move)];
        }
        f.order[i] = key;
    }
}

// The move with the highest order key not yet taken; among equals the first in the list.
int SearchState::PickNext(Frame& f) {
    if (f.picked >= f.moves.size) {
        return -1;
    }
    int best = f.picked;
    for (int i = f.picked + 1; i < f.moves.size; ++i) {
        if (f.order[i] > f.order[best]) {
            best = i;
        }
    }
    std::swap(f.moves.moves[best], f.moves.moves[f.picked]);
    std::swap(f.order[best], f.order[f.picked]);
    return f.picked++;
}

void SearchState::NextMove(Frame& f, int ply) {
    const Side us = position.SideToMove();
    for (;;) {
        const int index = PickNext(f);
        if (index < 0) {
            FinishNode(f, ply);
            return;
        }
        const Move move = f.moves.moves[index];
        const bool quiet = IsQuiet(move);
        const bool prunable = ply > 0 && !f.pvNode && !f.inCheck && f.bestScore > -kMateBound;
        if (prunable && f.moveCount > 0) {
            if (quiet && f.depth <= 6 && !position.GivesCheck(move)) {
                // Late quiet moves near the horizon seldom matter.
                if (f.quietCount >= LateMoveLimit(f.depth) / (f.improving ? 1 : 2) + 1) {
                    continue;
                }
                // Far below alpha, and a quiet move will not make it up.
                if (f.depth <= 4 && f.staticEval + 90 + 90 * f.depth <= f.alpha) {
                    continue;
                }
                // A move that puts its piece where it is lost for nothing.
                if (f.depth <= 5 && StaticExchange(position, move) < -25 * f.depth * f.depth) {
                    continue;
                }
            } else if (!quiet && f.depth <= 4 && f.order[index] < 0 &&
                       StaticExchange(position, move) < -90 * f.depth) {
                continue;
            }
        }

        position.DoMove(move);
        table.Prefetch(position.Key());
        const bool givesCheck = position.InCheck();
        const int extension = givesCheck && ply < 2 * iterationDepth + 4 ? 1 : 0;
        f.move = move;
        f.quiet = quiet;
        f.newDepth = f.depth - 1 + extension;
        ++f.moveCount;
        f.searchAlpha = f.alpha;
        if (ply == 0 && limits.rootMargin > 0 && f.bestScore > -kInfiniteScore) {
            f.searchAlpha = std::max(f.bestScore - limits.rootMargin, -kInfiniteScore + 1);
            f.searchAlpha = std::min(f.searchAlpha, f.alpha);
        }
        if (f.moveCount == 1) {
            f.child = ChildSearch::Full;
            Push(-f.beta, -f.alpha, f.newDepth, f.pvNode, true);
            return;
        }
        int reduction = 0;
        if (ply > 0 && f.depth >= 3 && quiet && !givesCheck && f.moveCount > 2) {
            reduction = LateMoveReduction(f.depth, f.moveCount);
            if (f.pvNode) --reduction;
            if (move == killers[ply][0] || move == killers[ply][1]) --reduction;
            const int h = history[Index(us)][MoveFrom(move)][MoveTo(move)];
            if (h > kHistoryMax / 2) --reduction;
            if (h < -kHistoryMax / 2) ++reduction;
            reduction = std::clamp(reduction, 0, f.newDepth - 1);
        }
        f.reduction = reduction;
        f.child = reduction > 0 ? ChildSearch::Reduced : ChildSearch::Scout;
        Push(-f.searchAlpha - 1, -f.searchAlpha, f.newDepth - reduction, false, true);
        return;
    }
}

void SearchState::AfterChild(Frame& f, int ply, int score) {
    if (f.child == ChildSearch::Reduced && score > f.searchAlpha) {
        f.child = ChildSearch::Scout;
        Push(-f.searchAlpha - 1, -f.searchAlpha, f.newDepth, false, true);
        return;
    }
    if (f.child == ChildSearch::Scout && score > f.searchAlpha && score < f.beta &&
        (f.pvNode || f.searchAlpha < f.alpha)) {
        f.child = ChildSearch::Full;
        Push(-f.beta, -f.searchAlpha, f.newDepth, true, true);
        return;
    }
    position.UndoMove();
    const Move move = f.move;
    if (ply == 0) {
        // A move that failed low is only known to be at most the window's floor; record it
        // below the floor, so it never passes for a move within the levels' margin.
        const bool failedLow = f.moveCount > 1 && score <= f.searchAlpha;
        for (int i = 0; i < rootMoves.size; ++i) {
            if (rootMoves.moves[i] == move) {
                iterationRootScores[i] = failedLow ? std::min(score, f.searchAlpha - 1) : score;
                break;
            }
        }
    }
    if (score > f.bestScore) {
        f.bestScore = score;
        if (score > f.alpha) {
            f.bestMove = move;
            f.alpha = score;
            UpdatePv(ply, move);
            if (ply == 0 && f.moveCount > 1) {
                iterationBest = move;
            }
            if (score >= f.beta) {
                if (f.quiet) {
                    UpdateQuietStats(f, ply, move);
                }
                table.Store(position.Key(), move, ScoreToTable(score, ply), f.staticEval, f.depth,
                            Bound::Lower);
                Return(score);
                return;
            }
        }
    }
    if (f.quiet && f.quietCount < 64) {
        f.quiets[f.quietCount++] = move;
    }
    NextMove(f, ply);
}

void SearchState::FinishNode(Frame& f, int ply) {
    const Bound bound = f.bestMove != kNoMove ? Bound::Exact : Bound::Upper;
    table.Store(position.Key(), f.bestMove, ScoreToTable(f.bestScore, ply), f.staticEval, f.depth,
                bound);
    Return(f.bestScore);
}

void SearchState::UpdateQuietStats(Frame& f, int ply, Move move) {
    if (killers[ply][0] != move) {
        killers[ply][1] = killers[ply][0];
        killers[ply][0] = move;
    }
    const Move previous = position.LastMove();
    if (previous != kNoMove) {
        counterMoves[MoveFrom(previous)][MoveTo(previous)] = move;
    }
    const int us = Index(position.SideToMove());
    const int bonus = std::min(f.depth * f.depth, 400);
    int& good = history[us][MoveFrom(move)][MoveTo(move)];
    good += bonus - good * bonus / kHistoryMax;
    for (int i = 0; i < f.quietCount; ++i) {
        int& bad = history[us][MoveFrom(f.quiets[i])][MoveTo(f.quiets[i])];
        bad += -bonus - bad * bonus / kHistoryMax;
    }
}

void SearchState::UpdatePv(int ply, Move move) {
    pv[ply][ply] = move;
    int length = ply + 1;
    if (ply < kMaxPly) {
        for (int i = ply + 1; i < pvLength[ply + 1]; ++i) {
            pv[ply][i] = pv[ply + 1][i];
        }
        length = std::max(length, pvLength[ply + 1]);
    }
    pvLength[ply] = length;
}

// ---------------------------------------------------------------------------------------
// Quiescence: captures (all moves when in check) until the position is quiet.

void SearchState::EnterQuiescence(Frame& f, int ply) {
    f.quiescence = true;
    ++nodes;
    seldepth = std::max(seldepth, ply);
    if (CheckAbort()) {
        return;
    }
    pvLength[ply] = ply;
    const Side us = position.SideToMove();
    if (position.GetRules() == Rules::Classic && position.KingSquare(us) < 0) {
        Return(-kMateScore + ply);
        return;
    }
    if (ply >= kMaxPly - 1) {
        Return(Eval());
        return;
    }
    f.inCheck = position.InCheck();
    const TtEntry* entry = table.Probe(position.Key());
    f.ttMove = kNoMove;
    if (entry != nullptr) {
        const int score = ScoreFromTable(entry->score, ply);
        const Bound bound = entry->GetBound();
        if (!f.pvNode && (bound == Bound::Exact || (bound == Bound::Lower && score >= f.beta) ||
                          (bound == Bound::Upper && score <= f.alpha))) {
            Return(score);
            return;
        }
    }
    f.bestScore = -kInfiniteScore;
    f.staticEval = 0;
    if (!f.inCheck) {
        f.staticEval = entry != nullptr ? entry->eval : Eval();
        if (f.staticEval >= f.beta) {
            Return(f.staticEval);
            return;
        }
        f.bestScore = f.staticEval;
        f.alpha = std::max(f.alpha, f.staticEval);
    }
    // In check every escape is tried, and none means mate; otherwise only captures and
    // promotions, from the generator that makes nothing else (a quiet position with no
    // move at all is left to the main search to find).
    if (f.inCheck) {
        position.GenerateLegal(f.moves);
        if (f.moves.size == 0) {
            Return(-kMateScore + ply);
            return;
        }
    } else {
        position.GenerateNoisy(f.moves);
    }
    // Keep captures and queen promotions.
    int kept = 0;
    for (int i = 0; i < f.moves.size; ++i) {
        const Move move = f.moves.moves[i];
        const bool promotion = KindOf(move) == kPromotionMove;
        if (!f.inCheck && !position.IsCapture(move) && !(promotion && PromotionOf(move) == Queen)) {
            continue;
        }
        if (promotion && PromotionOf(move) != Queen) {
            continue;
        }
        int key;
        if (position.IsCapture(move) || promotion) {
            const PieceType victim = KindOf(move) == kEnPassantMove || !position.IsCapture(move)
                                         ? Pawn
                                         : position.TypeOn(MoveTo(move));
            key = kGoodCaptureOrder + OrderingValue(victim) * 8 -
                  static_cast<int>(position.TypeOn(MoveFrom(move)));
        } else {
            key = history[Index(us)][MoveFrom(move)][MoveTo(move)];
        }
        f.moves.moves[kept] = move;
        f.order[kept] = key;
        ++kept;
    }
    f.moves.size = kept;
    f.picked = 0;
    f.moveCount = 0;
    f.bestMove = kNoMove;
    f.originalAlpha = f.alpha;
    f.stage = Stage::AfterChild;
    NextCapture(f, ply);
}

void SearchState::NextCapture(Frame& f, int ply) {
    for (;;) {
        const int index = PickNext(f);
        if (index < 0) {
            const Bound bound = f.bestMove != kNoMove ? Bound::Exact : Bound::Upper;
            table.Store(position.Key(), f.bestMove, ScoreToTable(f.bestScore, ply), f.staticEval, 0,
                        bound);
            Return(f.bestScore);
            return;
        }
        const Move move = f.moves.moves[index];
        if (!f.inCheck) {
            const bool promotion = KindOf(move) == kPromotionMove;
            const PieceType victim = KindOf(move) == kEnPassantMove || !position.IsCapture(move)
                                         ? Pawn
                                         : position.TypeOn(MoveTo(move));
            // Even winning the piece outright would leave us below alpha.
            if (!promotion && f.staticEval + OrderingValue(victim) + 200 <= f.alpha) {
                continue;
            }
            if (StaticExchange(position, move) < 0) {
                continue;
            }
        }
        position.DoMove(move);
        table.Prefetch(position.Key());
        f.move = move;
        ++f.moveCount;
        Push(-f.beta, -f.alpha, 0, f.pvNode, false);
        return;
    }
}

void SearchState::AfterCapture(Frame& f, int ply, int score) {
    position.UndoMove();
    if (score > f.bestScore) {
        f.bestScore = score;
        if (score > f.alpha) {
            f.alpha = score;
            f.bestMove = f.move;
            UpdatePv(ply, f.move);
            if (score >= f.beta) {
                table.Store(position.Key(), f.move, ScoreToTable(score, ply), f.staticEval, 0,
                            Bound::Lower);
                Return(score);
                return;
            }
        }
    }
    NextCapture(f, ply);
}

// ---------------------------------------------------------------------------------------
// The public face.

Searcher::Searcher(std::size_t hashMegabytes)
    : state_(std::make_unique<SearchState>(hashMegabytes)) {}

Searcher::~Searcher() = default;

void Searcher::Resize(std::size_t hashMegabytes) {
    state_->table.Resize(hashMegabytes);
}

std::size_t Searcher::HashBytes() const {
    return state_->table.SizeInBytes();
}

void Searcher::Clear() {
    state_->table.Clear();
}

void Searcher::SetEvalParams(const EvalParams& params) {
    state_->params = params;
    state_->pawnCache.Clear();
}

void Searcher::SetStopTest(std::function<bool()> shouldStop, std::uint64_t pollNodes) {
    state_->shouldStop = std::move(shouldStop);
    state_->pollNodes = std::max<std::uint64_t>(pollNodes, 1);
}

void Searcher::SetInfoCallback(std::function<void(const SearchInfo&)> callback) {
    state_->onInfo = std::move(callback);
}

void Searcher::Begin(const Position& root, const SearchLimits& limits) {
    state_->Begin(root, limits);
}

bool Searcher::Advance(std::uint64_t nodeSlice) {
    SearchState& s = *state_;
    const std::uint64_t target = s.nodes + std::max<std::uint64_t>(nodeSlice, 1);
    while (!s.finished) {
        if (s.nodes >= target) {
            return false;
        }
        s.Step();
    }
    return true;
}

void Searcher::Run() {
    SearchState& s = *state_;
    while (!s.finished) {
        s.Step();
    }
}

void Searcher::Stop() {
    state_->stopRequested = true;
}

bool Searcher::Finished() const {
    return state_->finished;
}

Move Searcher::BestMove() const {
    return state_->bestMove;
}

const SearchInfo& Searcher::Info() const {
    return state_->info;
}

std::uint64_t Searcher::Nodes() const {
    return state_->nodes;
}

int Searcher::RootMoveCount() const {
    return state_->rootMoves.size;
}

RootMoveScore Searcher::RootMove(int index) const {
    const SearchState& s = *state_;
    if (index < 0 || index >= s.rootMoves.size) {
        return RootMoveScore{};
    }
    return RootMoveScore{s.rootMoves.moves[index], s.rootScores[index]};
}

}  // namespace engine
