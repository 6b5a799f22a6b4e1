#include "tools/selfplay/standard_game.h"

#include <chrono>
#include <memory>

#include "engine/move_text.h"

namespace match {

namespace {

using Clock = std::chrono::steady_clock;

const char* SideName(engine::Side side) {
    return side == engine::Side::White ? "White" : "Black";
}

Outcome WinFor(engine::Side side) {
    return side == engine::Side::White ? Outcome::WhiteWins : Outcome::BlackWins;
}

// The ending when the game is over in position, else nullptr.
const char* EndingOf(const engine::Position& position, Outcome& outcome) {
    outcome = Outcome::Draw;
    switch (position.Status()) {
        case engine::GameStatus::Checkmate:
            outcome = WinFor(engine::Opponent(position.SideToMove()));
            return position.SideToMove() == engine::Side::White ? "White checkmated"
                                                                : "Black checkmated";
        case engine::GameStatus::Stalemate:
            return position.SideToMove() == engine::Side::White ? "White stalemated, a draw"
                                                                : "Black stalemated, a draw";
        case engine::GameStatus::DrawFiftyMoves:
            return "Draw by the fifty-move rule";
        case engine::GameStatus::DrawRepetition:
            return "Draw by repetition";
        case engine::GameStatus::DrawMaterial:
            return "Draw by insufficient material";
        case engine::GameStatus::InPlay:
        case engine::GameStatus::Check:
            break;
    }
    return nullptr;
}

}  // namespace

engine::Move LevelMover::Choose(const engine::Position& position, const std::vector<std::string>&,
                                const GameClock&, std::string& error) {
    const engine::Move move = LevelMove(position, level_);
    if (move == engine::kNoMove) error = "the level found no move";
    return move;
}

bool PlayStandardGame(const StandardGameSetup& setup, Mover& white, Mover& black,
                      GameRecord& record, std::string& error) {
    auto position =
        std::make_unique<engine::Position>(engine::Position::Start(engine::Rules::Standard));
    std::vector<std::string> moves;
    GameClock clock = setup.clock;
    white.NewGame();
    black.NewGame();
    for (const std::string& text : setup.opening) {
        const engine::Move move = engine::ParseMoveText(*position, text);
        if (move == engine::kNoMove) {
            error = "the opening move '" + text + "' is not legal where it stands";
            return false;
        }
        const std::string canonical = engine::MoveToText(*position, move);
        record.AddMove(canonical);
        moves.push_back(canonical);
        position->DoMove(move);
    }
    while (true) {
        Outcome outcome;
        if (const char* ending = EndingOf(*position, outcome)) {
            record.ending = ending;
            record.outcome = outcome;
            return true;
        }
        if (record.plies >= setup.maxPlies) {
            record.ending = "ply limit";
            record.outcome = Outcome::Draw;
            return true;
        }
        const engine::Side side = position->SideToMove();
        Mover& mover = side == engine::Side::White ? white : black;
        std::string failure;
        const Clock::time_point start = Clock::now();
        const engine::Move move = mover.Choose(*position, moves, clock, failure);
        const double micro =
            std::chrono::duration<double, std::micro>(Clock::now() - start).count();
        record.stepMicroseconds.push_back(micro);
        record.turnMicroseconds.push_back(micro);
        if (clock.running) {
            std::int64_t& left = side == engine::Side::White ? clock.whiteMs : clock.blackMs;
            const std::int64_t had = left;
            const auto took = static_cast<std::int64_t>(micro / 1000);
            left -= took;
            if (left < 0) {
                record.ending = std::string(SideName(side)) + " lost on time (" +
                                std::to_string(took) + " ms taken with " + std::to_string(had) +
                                " ms left)";
                record.outcome = WinFor(engine::Opponent(side));
                return true;
            }
            left += clock.incrementMs;
        }
        if (move == engine::kNoMove || !position->IsLegal(move)) {
            record.ending = std::string(SideName(side)) +
                            " forfeits: " + (failure.empty() ? "an illegal move" : failure);
            record.outcome = WinFor(engine::Opponent(side));
            return true;
        }
        const std::string text = engine::MoveToText(*position, move);
        record.AddMove(text);
        moves.push_back(text);
        position->DoMove(move);
    }
}

}  // namespace match
