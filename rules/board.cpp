#include "rules/board.h"

#include "rules/move_text.h"

namespace {

// Back rank then pawns of one side, files a to h.
constexpr char kBlackBackRank[] = "rnbqkbnr";
constexpr char kWhiteBackRank[] = "RNBQKBNR";

}  // namespace

Board::Board() {
    cachedStatus = kStatusNotComputed;
    Reset();
}

Board::~Board() {}

void Board::Reset() {
    for (signed char& square : squares) square = ' ';
    for (char file = 'a'; file <= 'h'; ++file) SetSquare(file, '1', kBlackBackRank[file - 'a']);
    for (char file = 'a'; file <= 'h'; ++file) SetSquare(file, '2', 'p');
    for (char file = 'a'; file <= 'h'; ++file) SetSquare(file, '8', kWhiteBackRank[file - 'a']);
    for (char file = 'a'; file <= 'h'; ++file) SetSquare(file, '7', 'P');
}

char Board::GetSquare(char file, char rank) const {
    file = rules::ToLowerLetter(file);
    if (!rules::IsFileChar(file) || !rules::IsRankChar(rank)) return '\0';
    return static_cast<char>(squares[(file - 'a') + 8 * (rank - '1')]);
}

void Board::SetSquare(char file, char rank, char piece) {
    file = rules::ToLowerLetter(file);
    if (!rules::IsFileChar(file) || !rules::IsRankChar(rank)) return;
    squares[(file - 'a') + 8 * (rank - '1')] = static_cast<signed char>(piece);
    cachedStatus = kStatusNotComputed;
}

void Board::MovePiece(char* text) {
    rules::LowerCaseInPlace(text);
    if (!rules::IsMoveOnBoard(text)) return;
    // Source first, then target: a move onto its own square writes the piece back.
    char piece = GetSquare(text[0], text[1]);
    SetSquare(text[0], text[1], ' ');
    SetSquare(text[2], text[3], piece);
}
