#include "game/one_move_player.h"

#include <climits>

#include "ai/computer_player.h"
#include "ai/random_draw.h"
#include "game/standard_squares.h"

namespace {

constexpr int kTableSize = 5;
constexpr int kPickWindow = 5;

struct Scored {
    engine::Move move = engine::kNoMove;
    int score = INT_MIN;
};

int ScoreAfter(engine::Position& position, engine::Move move, int mover) {
    position.DoMove(move);
    Board board;
    for (int square = 0; square < 64; ++square) {
        board.squares[BoardIndexOf(square)] = static_cast<signed char>(position.LetterOn(square));
    }
    board.cachedStatus = kStatusNotComputed;
    position.UndoMove();
    ComputerPlayer scorer;
    scorer.board = &board;
    scorer.side = mover;
    return scorer.ScorePosition();
}

}  // namespace

engine::Move PickOneMoveAhead(engine::Position& position) {
    const int mover = position.SideToMove() == engine::Side::White ? 1 : 0;
    engine::MoveList moves;
    position.GenerateLegal(moves);
    Scored table[kTableSize];
    for (engine::Move move : moves) {
        const int score = ScoreAfter(position, move, mover);
        // As the Classic player: ties take an entry's place on an odd draw.
        int mark = -1;
        for (int i = kTableSize - 1; i >= 0; --i) {
            if (score > table[i].score) {
                mark = i;
            } else if (score == table[i].score && DrawRandom() % 2 == 1) {
                mark = i;
            }
        }
        if (mark < 0) continue;
        for (int i = kTableSize - 1; i > mark; --i) table[i] = table[i - 1];
        table[mark] = Scored{move, score};
    }
    if (table[0].move == engine::kNoMove) return engine::kNoMove;
    int pick;
    do {
        pick = DrawRandom() % kTableSize;
    } while (table[pick].move == engine::kNoMove ||
             table[0].score - table[pick].score > kPickWindow);
    return table[pick].move;
}
