#include "rules/board.h"
#include "rules/legality_count.h"
#include "rules/move_text.h"

namespace {

unsigned long long legalityTests = 0;

int Abs(int value) {
    return value < 0 ? -value : value;
}

bool IsMoverColour(char piece, int side) {
    return side == kWhite ? rules::IsUpperLetter(piece) : rules::IsLowerLetter(piece);
}

bool IsSameColour(char a, char b) {
    return (rules::IsLowerLetter(a) && rules::IsLowerLetter(b)) ||
           (rules::IsUpperLetter(a) && rules::IsUpperLetter(b));
}

// Geometry of the pieces that move alike for both colours; any other kind passes here.
bool FitsPieceGeometry(char kind, int df, int dr) {
    switch (kind) {
        case 'k':
            return Abs(df) <= 1 && Abs(dr) <= 1;
        case 'q':
            return df == 0 || dr == 0 || Abs(df) == Abs(dr);
        case 'r':
            return df == 0 || dr == 0;
        case 'b':
            return Abs(df) == Abs(dr);
        case 'n':
            return (Abs(df) == 2 && Abs(dr) == 1) || (Abs(df) == 1 && Abs(dr) == 2);
        default:
            return true;
    }
}

// White pawns move towards rank '1', Black pawns towards rank '8'. Any letter but 'P' and
// 'p' passes here.
bool FitsPawnGeometry(char piece, char sourceRank, char target, int df, int dr) {
    int forward;
    char homeRank;
    if (piece == 'P') {
        forward = -1;
        homeRank = '7';
    } else if (piece == 'p') {
        forward = 1;
        homeRank = '2';
    } else {
        return true;
    }
    if (target == ' ') {
        return df == 0 && (dr == forward || (dr == 2 * forward && sourceRank == homeRank));
    }
    return Abs(df) == 1 && dr == forward;
}

}  // namespace

namespace rules {

unsigned long long LegalityTestCount() {
    return legalityTests;
}

}  // namespace rules

int Board::IsLegalMove(char* text, int side) {
    ++legalityTests;
    rules::LowerCaseInPlace(text);
    if (!rules::IsMoveOnBoard(text)) return 0;
    if (text[0] == text[2] && text[1] == text[3]) return 0;

    const char source = GetSquare(text[0], text[1]);
    if (source == ' ') return 0;
    const char target = GetSquare(text[2], text[3]);
    if (!IsMoverColour(source, side)) return 0;

    const char kind = rules::ToLowerLetter(source);
    if (kind != 'n' && IsPathClear(text) == 0) return 0;
    if (IsSameColour(source, target)) return 0;

    const int df = text[2] - text[0];
    const int dr = text[3] - text[1];
    if (!FitsPieceGeometry(kind, df, dr)) return 0;
    if (!FitsPawnGeometry(source, text[1], target, df, dr)) return 0;

    // Taking a king ends the game, so it is never refused for exposing the taker's own
    // king. This is also what keeps the nested tests below from making trial moves.
    if (target == 'K' || target == 'k') return 1;

    MovePiece(text);
    const int check = IsInCheck(side);
    SetSquare(text[0], text[1], source);
    SetSquare(text[2], text[3], target);
    return check != 0 ? 0 : 1;
}

int Board::TryMove(char* text, int side) {
    if (IsLegalMove(text, side) != 1) return 0;
    MovePiece(text);
    return 1;
}
