#include "engine/move_text.h"

#include "engine/piece_codes.h"

namespace engine {

namespace {

constexpr char kPieceLetters[] = "PNBRQKX";

void AppendSquare(std::string& text, int square) {
    text += static_cast<char>('a' + FileOf(square));
    text += static_cast<char>('1' + RankOf(square));
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsFile(char c) {
    return c >= 'a' && c <= 'h';
}
bool IsRank(char c) {
    return c >= '1' && c <= '8';
}

int PieceTypeOfLetter(char c) {
    switch (c) {
        case 'N':
            return Knight;
        case 'B':
            return Bishop;
        case 'R':
            return Rook;
        case 'Q':
            return Queen;
        case 'K':
            return King;
        default:
            return -1;
    }
}

int PromotionOfLetter(char c) {
    switch (Lower(c)) {
        case 'n':
            return Knight;
        case 'b':
            return Bishop;
        case 'r':
            return Rook;
        case 'q':
            return Queen;
        default:
            return -1;
    }
}

}  // namespace

std::string MoveToText(const Position& position, Move move) {
    std::string text;
    AppendSquare(text, MoveFrom(move));
    AppendSquare(text, MoveTo(move));
    if (KindOf(move) == kPromotionMove && position.GetRules() == Rules::Standard) {
        text += Lower(kPieceLetters[PromotionOf(move)]);
    }
    return text;
}

Move ParseMoveText(const Position& position, std::string_view text) {
    if (text.size() != 4 && text.size() != 5) return kNoMove;
    const char fromFile = Lower(text[0]);
    const char toFile = Lower(text[2]);
    if (!IsFile(fromFile) || !IsRank(text[1]) || !IsFile(toFile) || !IsRank(text[3])) {
        return kNoMove;
    }
    const int from = (fromFile - 'a') + 8 * (text[1] - '1');
    const int to = (toFile - 'a') + 8 * (text[3] - '1');
    const int promotion = text.size() == 5 ? PromotionOfLetter(text[4]) : -1;
    if (text.size() == 5 && promotion < 0) return kNoMove;
    // The game's text never names the piece a pawn becomes: it is always a queen.
    const bool classic = position.GetRules() == Rules::Classic;
    MoveList moves;
    position.GenerateLegal(moves);
    for (const Move move : moves) {
        if (MoveFrom(move) != from || MoveTo(move) != to) continue;
        const bool promotes = KindOf(move) == kPromotionMove;
        if (!promotes) {
            if (promotion < 0) return move;
            continue;
        }
        if (promotion == PromotionOf(move) || (classic && promotion < 0)) return move;
    }
    return kNoMove;
}

std::string MoveToSan(const Position& position, Move move) {
    const int from = MoveFrom(move);
    const int to = MoveTo(move);
    const MoveKind kind = KindOf(move);
    std::string san;
    if (kind == kCastlingMove) {
        san = to > from ? "O-O" : "O-O-O";
    } else {
        const PieceType type = position.TypeOn(from);
        const bool capture = position.IsCapture(move);
        if (type == Pawn) {
            if (capture) {
                san += static_cast<char>('a' + FileOf(from));
                san += 'x';
            }
            AppendSquare(san, to);
            if (kind == kPromotionMove) {
                san += '=';
                san += kPieceLetters[PromotionOf(move)];
            }
        } else {
            const char letter = position.LetterOn(from);
            san += letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
            // Name the source file, else its rank, else both, when another piece of the same
            // kind could go to the same square.
            MoveList moves;
            position.GenerateLegal(moves);
            bool rival = false;
            bool sameFile = false;
            bool sameRank = false;
            for (const Move other : moves) {
                const int otherFrom = MoveFrom(other);
                if (MoveTo(other) != to || otherFrom == from ||
                    position.LetterOn(otherFrom) != letter) {
                    continue;
                }
                rival = true;
                sameFile |= FileOf(otherFrom) == FileOf(from);
                sameRank |= RankOf(otherFrom) == RankOf(from);
            }
            if (rival && (!sameFile || sameRank)) san += static_cast<char>('a' + FileOf(from));
            if (rival && sameFile) san += static_cast<char>('1' + RankOf(from));
            if (capture) san += 'x';
            AppendSquare(san, to);
        }
    }
    Position after = position;
    after.DoMove(move);
    if (after.InCheck()) {
        MoveList replies;
        after.GenerateLegal(replies);
        san += replies.size == 0 ? '#' : '+';
    }
    return san;
}

Move ParseSan(const Position& position, std::string_view san) {
    while (!san.empty() && (san.front() == ' ' || san.front() == '\t')) san.remove_prefix(1);
    while (!san.empty() && std::string_view(" \t+#!?").find(san.back()) != std::string_view::npos) {
        san.remove_suffix(1);
    }
    for (const std::string_view suffix : {"e.p.", "ep"}) {
        if (san.size() > suffix.size() && san.ends_with(suffix)) {
            san.remove_suffix(suffix.size());
            while (!san.empty() && san.back() == ' ') san.remove_suffix(1);
            break;
        }
    }
    MoveList moves;
    position.GenerateLegal(moves);

    const bool shortCastle = san == "O-O" || san == "0-0" || san == "o-o";
    const bool longCastle = san == "O-O-O" || san == "0-0-0" || san == "o-o-o";
    if (shortCastle || longCastle) {
        for (const Move move : moves) {
            if (KindOf(move) == kCastlingMove && (MoveTo(move) > MoveFrom(move)) == shortCastle) {
                return move;
            }
        }
        return kNoMove;
    }

    int promotion = -1;
    if (san.size() >= 2 && san[san.size() - 2] == '=') {
        promotion = PromotionOfLetter(san.back());
        if (promotion < 0) return kNoMove;
        san.remove_suffix(2);
    } else if (san.size() >= 3 && IsRank(san[san.size() - 2]) &&
               PromotionOfLetter(san.back()) >= 0) {
        promotion = PromotionOfLetter(san.back());
        san.remove_suffix(1);
    }

    int type = Pawn;
    if (!san.empty() && PieceTypeOfLetter(san.front()) >= 0) {
        type = PieceTypeOfLetter(san.front());
        san.remove_prefix(1);
    }
    if (san.size() < 2 || !IsFile(san[san.size() - 2]) || !IsRank(san.back())) return kNoMove;
    const int to = (san[san.size() - 2] - 'a') + 8 * (san.back() - '1');
    san.remove_suffix(2);
    if (!san.empty() && (san.back() == 'x' || san.back() == ':')) san.remove_suffix(1);
    int fromFile = -1;
    int fromRank = -1;
    for (const char c : san) {
        if (IsFile(c) && fromFile < 0 && fromRank < 0) {
            fromFile = c - 'a';
        } else if (IsRank(c) && fromRank < 0) {
            fromRank = c - '1';
        } else {
            return kNoMove;
        }
    }

    Move found = kNoMove;
    for (const Move move : moves) {
        const int from = MoveFrom(move);
        if (MoveTo(move) != to || position.TypeOn(from) != type) continue;
        if (KindOf(move) == kCastlingMove) continue;
        if (fromFile >= 0 && FileOf(from) != fromFile) continue;
        if (fromRank >= 0 && RankOf(from) != fromRank) continue;
        if (KindOf(move) == kPromotionMove) {
            const bool classic = position.GetRules() == Rules::Classic;
            if (promotion != PromotionOf(move) && !(classic && promotion < 0)) continue;
        } else if (promotion >= 0) {
            continue;
        }
        if (found != kNoMove) return kNoMove;  // More than one move answers to it.
        found = move;
    }
    return found;
}

}  // namespace engine
