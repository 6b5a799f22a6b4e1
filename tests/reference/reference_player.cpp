#include "tests/reference/reference_player.h"

#include <cstring>

#include "ai/random_draw.h"

namespace reference {

namespace {

bool IsUpperLetter(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsLowerLetter(char c) {
    return c >= 'a' && c <= 'z';
}
bool BelongsToSide(char c, int side) {
    return side == 1 ? IsUpperLetter(c) : IsLowerLetter(c);
}

int PieceValue(char letter) {
    const char upper = IsLowerLetter(letter) ? static_cast<char>(letter - 'a' + 'A') : letter;
    switch (upper) {
        case 'Q':
            return 10;
        case 'R':
            return 5;
        case 'N':
            return 4;
        case 'B':
            return 3;
        default:
            return 1;
    }
}

int Abs(int value) {
    return value < 0 ? -value : value;
}

}  // namespace

void ComputerPlayer::BeginSearch(int searchedSide) {
    finished = 0;
    side = searchedSide;
    fileCursor = 'a';
    rankCursor = '1';
    for (Candidate& entry : candidates) entry.score = -1;
}

int ComputerPlayer::SearchStep() {
    if (finished == 1) return 1;
    while (!BelongsToSide(
        board->GetSquare(static_cast<char>(fileCursor), static_cast<char>(rankCursor)), side)) {
        fileCursor += 1;
        if (fileCursor > 'h') {
            fileCursor = 'a';
            rankCursor += 1;
            if (rankCursor > '8') {
                finished = 1;
                return 1;
            }
        }
    }
    for (char rank = '1'; rank <= '8'; ++rank) {
        for (char file = 'a'; file <= 'h'; ++file) {
            char move[5] = {static_cast<char>(fileCursor), static_cast<char>(rankCursor), file,
                            rank, '\0'};
            if (board->IsLegalMove(move, side)) ScoreMove(move);
        }
    }
    fileCursor += 1;
    if (fileCursor > 'h') {
        fileCursor = 'a';
        rankCursor += 1;
        if (rankCursor > '8') {
            finished = 1;
            return 1;
        }
    }
    return 0;
}

void ComputerPlayer::ScoreMove(char* move) {
    const char fromLetter = board->GetSquare(move[0], move[1]);
    const char toLetter = board->GetSquare(move[2], move[3]);
    board->MovePiece(move);
    const int score = ScorePosition();
    board->SetSquare(move[0], move[1], fromLetter);
    board->SetSquare(move[2], move[3], toLetter);

    int mark = -1;
    for (int i = 4; i >= 0; --i) {
        if (score > candidates[i].score) {
            mark = i;
        } else if (score == candidates[i].score) {
            if (DrawRandom() % 2 == 1) mark = i;
        }
    }
    if (mark < 0) return;
    for (int i = 4; i > mark; --i) candidates[i] = candidates[i - 1];
    std::memcpy(candidates[mark].move, move, 4);
    candidates[mark].move[4] = '\0';
    candidates[mark].score = score;
}

void ComputerPlayer::PickMove(char* out) {
    if (candidates[0].score == -1) {
        out[0] = '\0';
        return;
    }
    int pick;
    do {
        pick = DrawRandom() % 5;
    } while (candidates[0].score - candidates[pick].score > 5);
    std::memcpy(out, candidates[pick].move, 5);
}

int ComputerPlayer::ScoreSide(int scoredSide, int penalizeAttacked) {
    const int status = board->GetStatus();
    if (scoredSide == 0 && (status == 1 || status == 3)) return 500;
    if (scoredSide == 1 && (status == 4 || status == 6)) return 500;

    // One number for the king's square; see the note in Board::IsInCheck.
    int kingSquare = scoredSide == 1 ? 4 : 60;
    const char enemyKing = scoredSide == 1 ? 'k' : 'K';
    for (char rank = '1'; rank <= '8'; ++rank) {
        for (char file = 'a'; file <= 'h'; ++file) {
            if (board->GetSquare(file, rank) == enemyKing) {
                kingSquare = (file - 'a') + 8 * (rank - '1');
            }
        }
    }
    const char kingFile = static_cast<char>('a' + kingSquare % 8);
    const char kingRank = static_cast<char>('1' + kingSquare / 8);

    int total = 0;
    for (char rank = '1'; rank <= '8'; ++rank) {
        for (char file = 'a'; file <= 'h'; ++file) {
            const char letter = board->GetSquare(file, rank);
            if (!BelongsToSide(letter, scoredSide)) continue;
            const int distance = Abs(rank - kingRank) + Abs(file - kingFile);
            char towardsKing[5] = {file, rank, kingFile, kingRank, '\0'};
            const int checkBonus = board->IsLegalMove(towardsKing, scoredSide) ? 4 : 0;
            const int term = PieceValue(letter) + 16 - distance + checkBonus;
            char attacker[3];
            if (!board->FindAttacker(file, rank, attacker)) {
                total += term;
            } else if (penalizeAttacked) {
                total -= 20;
            } else if (board->FindAttacker(attacker[0], attacker[1], nullptr)) {
                total += term;
            }
        }
    }
    return total;
}

int ComputerPlayer::ScorePosition() {
    const int own = ScoreSide(side, 1);
    const int opponent = ScoreSide(1 - side, 0);
    return 1000 + own - opponent;
}

void ChessGame::NewGame() {
    state = -1;
    board.Reset();
    whoseTurn = 1;
    searchStarted = 0;
}

int ChessGame::Step() {
    if (state == 6) {
        state = -1;
        return 6;
    }
    for (char file = 'a'; file <= 'h'; ++file) {
        if (board.GetSquare(file, '1') == 'P') board.SetSquare(file, '1', 'Q');
    }
    for (char file = 'a'; file <= 'h'; ++file) {
        if (board.GetSquare(file, '8') == 'p') board.SetSquare(file, '8', 'q');
    }
    const int status = board.GetStatus();
    if (status == 1 || status == 3 || status == 4 || status == 6) {
        state = 0;
        return 0;
    }
    if (searchStarted == 0) {
        computer.BeginSearch(whoseTurn);
        searchStarted = 1;
        state = 3;
        return 3;
    }
    if (computer.SearchStep() == 0) {
        state = 3;
        return 3;
    }
    char move[5] = {};
    computer.PickMove(move);
    std::memcpy(lastMoveText, move, 5);
    lastMoved = board.GetSquare(move[0], move[1]);
    lastCaptured = board.GetSquare(move[2], move[3]);
    board.TryMove(move, whoseTurn);
    searchStarted = 0;
    const char rank = whoseTurn == 1 ? '1' : '8';
    const char pawn = whoseTurn == 1 ? 'P' : 'p';
    const char queen = whoseTurn == 1 ? 'Q' : 'q';
    whoseTurn ^= 1;
    for (char file = 'a'; file <= 'h'; ++file) {
        if (board.GetSquare(file, rank) == pawn) board.SetSquare(file, rank, queen);
    }
    state = -1;
    return 6;
}

}  // namespace reference
