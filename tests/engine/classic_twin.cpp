#include "tests/engine/classic_twin.h"

#include <cstring>

#include "engine/move_text.h"
#include "rules/legality_probe.h"
#include "rules/piece_sets.h"

namespace classic_twin {

namespace {

int RulesSide(engine::Side side) {
    return side == engine::Side::White ? kWhite : kBlack;
}

}  // namespace

MoveSets BoardMovesByProbe(const signed char* squares, engine::Side side) {
    MoveSets moves{};
    const int rulesSide = RulesSide(side);
    rules::LegalityProbe probe(squares);
    const rules::PieceSets sets = probe.Sets();
    for (rules::SquareSet pieces = sets.side[rulesSide]; pieces; pieces &= pieces - 1) {
        const int from = std::countr_zero(pieces);
        for (rules::SquareSet targets = rules::TargetsOf(sets, from, rulesSide); targets;
             targets &= targets - 1) {
            const int to = std::countr_zero(targets);
            bool tried = false;
            if (probe.FinishesLegally(from, to, rulesSide, tried)) {
                moves[from] |= std::uint64_t{1} << to;
            }
        }
    }
    return moves;
}

MoveSets BoardMovesBySweep(Board& board, engine::Side side) {
    MoveSets moves{};
    for (int from = 0; from < 64; ++from) {
        for (int to = 0; to < 64; ++to) {
            char text[5] = {static_cast<char>('a' + from % 8), static_cast<char>('1' + from / 8),
                            static_cast<char>('a' + to % 8), static_cast<char>('1' + to / 8), '\0'};
            if (board.IsLegalMove(text, RulesSide(side)) == 1) {
                moves[from] |= std::uint64_t{1} << to;
            }
        }
    }
    return moves;
}

MoveSets EngineMoves(const engine::Position& position, engine::Side side, bool* twice) {
    MoveSets moves{};
    engine::MoveList list;
    position.GenerateLegalFor(side, list);
    for (const engine::Move move : list) {
        const std::uint64_t bit = std::uint64_t{1} << engine::MoveTo(move);
        // Under these rules no two moves share their squares: a pawn becomes a queen.
        if (twice != nullptr && (moves[engine::MoveFrom(move)] & bit)) *twice = true;
        moves[engine::MoveFrom(move)] |= bit;
    }
    return moves;
}

std::string Show(const Squares& squares) {
    std::string text;
    for (int rank = 7; rank >= 0; --rank) {
        text += '\n';
        for (int file = 0; file < 8; ++file) {
            const signed char c = squares[file + 8 * rank];
            text += c == ' ' ? '-' : (c > ' ' && c < 127 ? static_cast<char>(c) : '#');
        }
    }
    return text;
}

namespace {

std::string Differences(const MoveSets& engine, const MoveSets& board) {
    std::string text;
    for (int from = 0; from < 64; ++from) {
        for (int to = 0; to < 64; ++to) {
            const bool inEngine = (engine[from] >> to) & 1;
            const bool inBoard = (board[from] >> to) & 1;
            if (inEngine == inBoard) continue;
            text += ' ';
            text += static_cast<char>('a' + from % 8);
            text += static_cast<char>('1' + from / 8);
            text += static_cast<char>('a' + to % 8);
            text += static_cast<char>('1' + to / 8);
            text += inEngine ? " (engine only)" : " (board only)";
        }
    }
    return text;
}

}  // namespace

::testing::AssertionResult SameAsBoard(const Squares& squares, const engine::Position& position,
                                       bool sweep) {
    Board board;
    std::memcpy(board.squares, squares.data(), 64);
    board.cachedStatus = kStatusNotComputed;
    for (const engine::Side side : {engine::Side::White, engine::Side::Black}) {
        const char* name = side == engine::Side::White ? "White" : "Black";
        bool twice = false;
        const MoveSets engineMoves = EngineMoves(position, side, &twice);
        if (twice) {
            return ::testing::AssertionFailure()
                   << name << " has a move listed twice" << Show(squares);
        }
        const MoveSets boardMoves =
            sweep ? BoardMovesBySweep(board, side) : BoardMovesByProbe(squares.data(), side);
        if (engineMoves != boardMoves) {
            return ::testing::AssertionFailure()
                   << name << "'s moves differ:" << Differences(engineMoves, boardMoves)
                   << Show(squares);
        }
        const bool boardCheck = board.IsInCheck(RulesSide(side)) != 0;
        if (position.InCheck(side) != boardCheck) {
            return ::testing::AssertionFailure()
                   << name << " in check: engine " << !boardCheck << Show(squares);
        }
    }
    const int status = board.GetStatus();
    if (position.ClassicStatus() != status) {
        return ::testing::AssertionFailure() << "status " << position.ClassicStatus()
                                             << " against the board's " << status << Show(squares);
    }
    return ::testing::AssertionSuccess();
}

}  // namespace classic_twin
