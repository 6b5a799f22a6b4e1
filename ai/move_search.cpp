#include <bit>
#include <cstdint>
#include <cstring>
#include <ctime>

#include "ai/computer_player.h"
#include "ai/piece_letters.h"
#include "ai/random_draw.h"
#include "rules/legality_probe.h"

int randomSeeded = 0;

namespace {

constexpr int kEmptyScore = -1;
constexpr int kTableSize = 5;
// A candidate this many points below the best may still be played.
constexpr int kPickWindow = 5;

}  // namespace

void ComputerPlayer::BeginSearch(int searchedSide) {
    if (randomSeeded == 0) {
        SeedRandom(static_cast<std::uint32_t>(std::time(nullptr)));
        randomSeeded = 1;
    }
    finished = 0;
    side = searchedSide;
    fileCursor = 'a';
    rankCursor = '1';
    for (Candidate& entry : candidates) entry.score = kEmptyScore;
}

int ComputerPlayer::AdvanceCursor() {
    fileCursor += 1;
    if (fileCursor > 'h') {
        fileCursor = 'a';
        rankCursor += 1;
        if (rankCursor > '8') return 0;
    }
    return 1;
}

int ComputerPlayer::SearchStep() {
    if (finished == 1) return 1;
    while (!BelongsToSide(
        board->GetSquare(static_cast<char>(fileCursor), static_cast<char>(rankCursor)), side)) {
        if (!AdvanceCursor()) {
            finished = 1;
            return 1;
        }
    }
    ScoreMovesFrom((fileCursor - 'a') + 8 * (rankCursor - '1'));
    if (!AdvanceCursor()) {
        finished = 1;
        return 1;
    }
    return 0;
}

void ComputerPlayer::ScoreMovesFrom(int from) {
    // Every target square is judged on this one position, so the legal moves are found
    // first and then scored in the order a1, b1, ..., h8; each scoring puts the squares
    // back as they were.
    const int mover = side == 1 ? 1 : 0;
    rules::LegalityProbe probe(board->squares);
    bool tried = false;
    rules::SquareSet legal = 0;
    for (rules::SquareSet targets = rules::TargetsOf(probe.Sets(), from, mover); targets != 0;
         targets &= targets - 1) {
        const int to = std::countr_zero(targets);
        if (probe.FinishesLegally(from, to, mover, tried)) legal |= rules::Bit(to);
    }
    // The board's own tests of the targets would have left no status stored.
    if (tried) board->cachedStatus = kStatusNotComputed;
    for (; legal != 0; legal &= legal - 1) {
        const int to = std::countr_zero(legal);
        char move[5] = {static_cast<char>('a' + from % 8), static_cast<char>('1' + from / 8),
                        static_cast<char>('a' + to % 8), static_cast<char>('1' + to / 8), '\0'};
        ScoreMove(move);
    }
}

void ComputerPlayer::ScoreMove(char* move) {
    const char fromLetter = board->GetSquare(move[0], move[1]);
    const char toLetter = board->GetSquare(move[2], move[3]);
    board->MovePiece(move);
    const int score = ScorePosition();
    board->SetSquare(move[0], move[1], fromLetter);
    board->SetSquare(move[2], move[3], toLetter);

    // Walk every entry from the last to the first; an equal score takes an entry's place
    // on an odd draw, one draw per equal entry, so ties land in random order.
    int mark = -1;
    for (int i = kTableSize - 1; i >= 0; --i) {
        if (score > candidates[i].score) {
            mark = i;
        } else if (score == candidates[i].score) {
            if (DrawRandom() % 2 == 1) mark = i;
        }
    }
    if (mark < 0) return;
    for (int i = kTableSize - 1; i > mark; --i) candidates[i] = candidates[i - 1];
    std::memcpy(candidates[mark].move, move, 4);
    candidates[mark].move[4] = '\0';
    candidates[mark].score = score;
}

void ComputerPlayer::PickMove(char* out) {
    if (candidates[0].score == kEmptyScore) {
        out[0] = '\0';
        return;
    }
    int pick;
    do {
        pick = DrawRandom() % kTableSize;
    } while (candidates[0].score - candidates[pick].score > kPickWindow);
    std::memcpy(out, candidates[pick].move, sizeof candidates[pick].move);
}
