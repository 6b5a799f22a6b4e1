#include "tools/selfplay/classic_game.h"

#include <chrono>
#include <map>
#include <string>

#include "engine/move_text.h"

namespace match {

namespace {

using Clock = std::chrono::steady_clock;

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

Outcome OutcomeOf(int status) {
    if (status == WhiteCheckmated) return Outcome::BlackWins;
    if (status == BlackCheckmated) return Outcome::WhiteWins;
    return Outcome::Draw;
}

int KindOf(const Player& player) {
    return player.classic ? Computer : Human;
}

// The move a side waiting for a human plays: the opening's next move, else its level's.
bool MoveForWaitingSide(const ClassicGameSetup& setup, ChessGame& game, long ply, std::string& text,
                        std::string& error) {
    if (ply < static_cast<long>(setup.opening.size())) {
        text = setup.opening[static_cast<std::size_t>(ply)];
        return true;
    }
    const bool white = game.whoseTurn == 1;
    const Player& player = white ? setup.white : setup.black;
    const engine::Position position = engine::Position::FromClassicBoard(
        game.board.squares, white ? engine::Side::White : engine::Side::Black);
    const engine::Move move = LevelMove(position, player.level);
    if (move == engine::kNoMove) {
        error = "the " + PlayerName(player) + " level found no move where the game goes on";
        return false;
    }
    text = engine::MoveToText(position, move);
    return true;
}

}  // namespace

bool PlayClassicGame(const ClassicGameSetup& setup, ChessGame& game, GameRecord& record,
                     std::string& error) {
    // While the opening lasts both sides wait for their moves to be given.
    const bool opening = !setup.opening.empty();
    const int whiteKind = opening ? Human : KindOf(setup.white);
    const int blackKind = opening ? Human : KindOf(setup.black);
    game.NewGame(whiteKind, blackKind);
    if (setup.fromPath != nullptr) {
        if (!game.LoadGame(setup.fromPath)) {
            error = std::string("cannot read ") + setup.fromPath;
            return false;
        }
        game.whiteKind = whiteKind;
        game.blackKind = blackKind;
    }
    double turn = 0;
    std::map<std::string, int> seen;  // positions, with the side to move, and their counts
    bool repeated = false;
    while (record.plies < setup.maxPlies && !repeated) {
        if (opening && record.plies == static_cast<long>(setup.opening.size())) {
            game.whiteKind = KindOf(setup.white);
            game.blackKind = KindOf(setup.black);
        }
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
            record.AddMove(text[0] != '\0' ? text : "----");
            if (setup.drawOnThirdRepetition) {
                std::string key(reinterpret_cast<const char*>(game.board.squares), 64);
                key += static_cast<char>(game.whoseTurn);
                repeated = ++seen[key] == 3;
            }
        } else if (result == GameOver) {
            break;
        } else if (result == WhiteToMove || result == BlackToMove) {
            std::string move;
            const Clock::time_point thinking = Clock::now();
            if (!MoveForWaitingSide(setup, game, record.plies, move, error)) return false;
            turn += std::chrono::duration<double, std::micro>(Clock::now() - thinking).count();
            std::vector<char> text(move.begin(), move.end());
            text.push_back('\0');
            game.SubmitMove(text.data());
            if (game.state != MoveMade) {
                error = "move " + std::to_string(record.plies + 1) + " '" + move +
                        "' is not legal in the game";
                return false;
            }
        } else if (result == WhitePromotes || result == BlackPromotes) {
            // Under these rules a promotion is always to a queen.
            char queen[] = "q";
            game.SubmitMove(queen);
        } else if (result != ComputerThinking) {
            error = "the game waits in state " + std::to_string(result);
            return false;
        }
    }
    if (repeated) {
        record.ending = "third repetition";
        record.outcome = Outcome::Draw;
        return true;
    }
    const int status = game.board.GetStatus();
    const char* ending = EndingText(status);
    record.ending = ending != nullptr ? ending : "ply limit";
    record.outcome = OutcomeOf(status);
    return true;
}

}  // namespace match
