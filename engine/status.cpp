#include "engine/position.h"
#include "rules/board.h"

namespace engine {

namespace {

constexpr Bitboard kLightSquares = 0x55AA55AA55AA55AAULL;

}  // namespace

GameStatus Position::Status() const {
    MoveList moves;
    GenerateLegal(moves);
    const bool check = InCheck();
    if (moves.size == 0) return check ? GameStatus::Checkmate : GameStatus::Stalemate;
    if (rules_ == Rules::Standard) {
        if (halfmove_ >= 100) return GameStatus::DrawFiftyMoves;
        // Three times in all: twice before in the history.
        int earlier = 0;
        const int reach = halfmove_ < historySize_ ? halfmove_ : historySize_;
        for (int back = 4; back <= reach; back += 2) {
            if (history_[historySize_ - back].key == key_ && ++earlier == 2) {
                return GameStatus::DrawRepetition;
            }
        }
        if (HasInsufficientMaterial()) return GameStatus::DrawMaterial;
    }
    return check ? GameStatus::Check : GameStatus::InPlay;
}

int Position::ClassicStatus() const {
    // A missing king counts as attacked; only whether each side has some move matters.
    const bool whiteCheck = InCheck(Side::White);
    const bool blackCheck = InCheck(Side::Black);
    MoveList moves;
    GenerateLegalFor(Side::White, moves);
    const bool whiteCanMove = moves.size != 0;
    GenerateLegalFor(Side::Black, moves);
    const bool blackCanMove = moves.size != 0;
    if (whiteCanMove && blackCanMove) {
        if (whiteCheck) return ::WhiteInCheck;
        return blackCheck ? ::BlackInCheck : ::InPlay;
    }
    // Stalemate before checkmate, White before Black.
    if (!whiteCanMove && !whiteCheck) return ::WhiteStalemated;
    if (!blackCanMove && !blackCheck) return ::BlackStalemated;
    return whiteCanMove ? ::BlackCheckmated : ::WhiteCheckmated;
}

bool Position::IsRepetition(int plyFromRoot) const {
    if (rules_ != Rules::Standard) return false;
    const int reach = halfmove_ < historySize_ ? halfmove_ : historySize_;
    int earlier = 0;
    for (int back = 2; back <= reach; back += 2) {
        const Undo& undo = history_[historySize_ - back];
        // A null move is no move of the game: nothing before it repeats into the search.
        if (history_[historySize_ - back + 1].move == kNoMove ||
            history_[historySize_ - back].move == kNoMove) {
            return false;
        }
        if (undo.key == key_ && (back <= plyFromRoot || ++earlier == 2)) return true;
    }
    return false;
}

bool Position::HasInsufficientMaterial() const {
    if (byType_[Pawn] | byType_[Rook] | byType_[Queen] | byType_[Other]) return false;
    const Bitboard minors = byType_[Knight] | byType_[Bishop];
    if (!MoreThanOne(minors)) return true;
    // Bishops only, all on squares of one colour: no mate can ever be made.
    if (byType_[Knight]) return false;
    return (minors & kLightSquares) == 0 || (minors & ~kLightSquares) == 0;
}

}  // namespace engine
