#include "tests/reference/reference_board.h"

namespace reference {

namespace {

constexpr unsigned char kNotComputed = 255;

bool IsFileChar(char c) {
    return c >= 'a' && c <= 'h';
}
bool IsRankChar(char c) {
    return c >= '1' && c <= '8';
}
bool IsUpperLetter(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsLowerLetter(char c) {
    return c >= 'a' && c <= 'z';
}
char ToLowerLetter(char c) {
    return IsUpperLetter(c) ? static_cast<char>(c - 'A' + 'a') : c;
}

void LowerCaseInPlace(char* text) {
    for (char* c = text; *c != '\0'; ++c) *c = ToLowerLetter(*c);
}

bool IsMoveOnBoard(const char* text) {
    return IsFileChar(text[0]) && IsRankChar(text[1]) && IsFileChar(text[2]) && IsRankChar(text[3]);
}

int Abs(int value) {
    return value < 0 ? -value : value;
}

int StepToward(char from, char to) {
    return to > from ? 1 : (to < from ? -1 : 0);
}

bool IsMoverColour(char piece, int side) {
    return side == 1 ? IsUpperLetter(piece) : IsLowerLetter(piece);
}

bool IsSameColour(char a, char b) {
    return (IsLowerLetter(a) && IsLowerLetter(b)) || (IsUpperLetter(a) && IsUpperLetter(b));
}

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

constexpr char kBlackBackRank[] = "rnbqkbnr";
constexpr char kWhiteBackRank[] = "RNBQKBNR";

}  // namespace

Board::Board() {
    cachedStatus = kNotComputed;
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
    file = ToLowerLetter(file);
    if (!IsFileChar(file) || !IsRankChar(rank)) return '\0';
    return static_cast<char>(squares[(file - 'a') + 8 * (rank - '1')]);
}

void Board::SetSquare(char file, char rank, char piece) {
    file = ToLowerLetter(file);
    if (!IsFileChar(file) || !IsRankChar(rank)) return;
    squares[(file - 'a') + 8 * (rank - '1')] = static_cast<signed char>(piece);
    cachedStatus = kNotComputed;
}

void Board::MovePiece(char* text) {
    LowerCaseInPlace(text);
    if (!IsMoveOnBoard(text)) return;
    char piece = GetSquare(text[0], text[1]);
    SetSquare(text[0], text[1], ' ');
    SetSquare(text[2], text[3], piece);
}

int Board::IsPathClear(char* text) {
    LowerCaseInPlace(text);
    if (!IsMoveOnBoard(text)) return -1;
    if (text[0] == text[2] && text[1] == text[3]) return -1;
    const int fileStep = StepToward(text[0], text[2]);
    const int rankStep = StepToward(text[1], text[3]);
    char file = text[0];
    char rank = text[1];
    for (;;) {
        file = static_cast<char>(file + fileStep);
        rank = static_cast<char>(rank + rankStep);
        if (file == text[2] && rank == text[3]) return 1;
        if (GetSquare(file, rank) != ' ') return 0;
    }
}

int Board::IsLegalMove(char* text, int side) {
    LowerCaseInPlace(text);
    if (!IsMoveOnBoard(text)) return 0;
    if (text[0] == text[2] && text[1] == text[3]) return 0;

    const char source = GetSquare(text[0], text[1]);
    if (source == ' ') return 0;
    const char target = GetSquare(text[2], text[3]);
    if (!IsMoverColour(source, side)) return 0;

    const char kind = ToLowerLetter(source);
    if (kind != 'n' && IsPathClear(text) == 0) return 0;
    if (IsSameColour(source, target)) return 0;

    const int df = text[2] - text[0];
    const int dr = text[3] - text[1];
    if (!FitsPieceGeometry(kind, df, dr)) return 0;
    if (!FitsPawnGeometry(source, text[1], target, df, dr)) return 0;

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

int Board::IsInCheck(int side) {
    const char king = side == 1 ? 'K' : 'k';
    // The square is kept as one number: g++ 12 at -O3 vectorises a scan that keeps the
    // file and the rank of the last match in two variables into one that mixes the file
    // of one match with the rank of another.
    int kingSquare = -1;
    for (char rank = '1'; rank <= '8'; ++rank) {
        for (char file = 'a'; file <= 'h'; ++file) {
            if (GetSquare(file, rank) == king) kingSquare = (file - 'a') + 8 * (rank - '1');
        }
    }
    if (kingSquare < 0) return -1;
    return FindAttacker(static_cast<char>('a' + kingSquare % 8),
                        static_cast<char>('1' + kingSquare / 8), nullptr);
}

int Board::FindAttacker(char file, char rank, char* attackerOut) {
    if (attackerOut != nullptr) attackerOut[0] = '\0';
    const char piece = GetSquare(file, rank);
    if (piece == ' ') return 0;
    int attackerSide;
    if (IsUpperLetter(piece)) {
        attackerSide = 0;
    } else if (IsLowerLetter(piece)) {
        attackerSide = 1;
    } else {
        return 0;
    }
    for (char candidateFile = 'a'; candidateFile <= 'h'; ++candidateFile) {
        for (char candidateRank = '1'; candidateRank <= '8'; ++candidateRank) {
            const char candidate = GetSquare(candidateFile, candidateRank);
            const bool opposing =
                attackerSide == 1 ? IsUpperLetter(candidate) : IsLowerLetter(candidate);
            if (!opposing) continue;
            char move[5] = {candidateFile, candidateRank, file, rank, '\0'};
            if (IsLegalMove(move, attackerSide) == 1) {
                if (attackerOut != nullptr) {
                    attackerOut[0] = candidateFile;
                    attackerOut[1] = candidateRank;
                    attackerOut[2] = '\0';
                }
                return 1;
            }
        }
    }
    return 0;
}

int Board::GetStatus() {
    if (cachedStatus != kNotComputed) return cachedStatus;
    const bool whiteCheck = IsInCheck(1) != 0;
    const bool blackCheck = IsInCheck(0) != 0;
    int whiteMoves = 0;
    int blackMoves = 0;
    bool bothCanMove = false;
    for (char rank = '1'; rank <= '8' && !bothCanMove; ++rank) {
        for (char file = 'a'; file <= 'h' && !bothCanMove; ++file) {
            const char piece = GetSquare(file, rank);
            if (piece == ' ') continue;
            const int side = IsUpperLetter(piece) ? 1 : 0;
            for (char targetRank = '1'; targetRank <= '8' && !bothCanMove; ++targetRank) {
                for (char targetFile = 'a'; targetFile <= 'h' && !bothCanMove; ++targetFile) {
                    char move[5] = {file, rank, targetFile, targetRank, '\0'};
                    if (IsLegalMove(move, side) != 1) continue;
                    if (side == 1) {
                        ++whiteMoves;
                    } else {
                        ++blackMoves;
                    }
                    bothCanMove = whiteMoves != 0 && blackMoves != 0;
                }
            }
        }
    }
    int status;
    if (bothCanMove) {
        status = whiteCheck ? 2 : (blackCheck ? 5 : 0);
    } else if (whiteMoves == 0 && !whiteCheck) {
        status = 3;
    } else if (blackMoves == 0 && !blackCheck) {
        status = 6;
    } else if (whiteMoves == 0) {
        status = 1;
    } else {
        status = 4;
    }
    cachedStatus = static_cast<unsigned char>(status);
    return status;
}

}  // namespace reference
