#include <charconv>
#include <string>
#include <string_view>

#include "engine/piece_codes.h"
#include "engine/position.h"

namespace engine {

namespace {

bool Fail(std::string* error, std::string message) {
    if (error != nullptr) *error = std::move(message);
    return false;
}

// The whitespace-separated fields of the text, at most max of them; count says how many.
int SplitFields(std::string_view text, std::string_view* fields, int max) {
    int count = 0;
    std::size_t at = 0;
    while (true) {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
        if (at >= text.size()) return count;
        const std::size_t start = at;
        while (at < text.size() && text[at] != ' ' && text[at] != '\t') ++at;
        if (count == max) return max + 1;
        fields[count++] = text.substr(start, at - start);
    }
}

bool ParseNumber(std::string_view field, int low, int high, int& value) {
    if (field.empty() || field.size() > 6) return false;
    const auto [end, fault] = std::from_chars(field.data(), field.data() + field.size(), value);
    return fault == std::errc() && end == field.data() + field.size() && value >= low &&
           value <= high;
}

std::string SquareText(int square) {
    return std::string{static_cast<char>('a' + FileOf(square)),
                       static_cast<char>('1' + RankOf(square))};
}

}  // namespace

bool Position::SetFen(std::string_view fen, std::string* error) {
    std::string_view fields[6];
    const int count = SplitFields(fen, fields, 6);
    if (count < 4) {
        return Fail(error, "a FEN needs at least four fields: pieces, side, castling, en passant");
    }
    if (count > 6) return Fail(error, "a FEN has at most six fields");

    Position next;
    next.Clear(Rules::Standard);
    int rank = 7;
    int file = 0;
    for (const char c : fields[0]) {
        if (c == '/') {
            if (file != 8)
                return Fail(error, "rank " + std::to_string(rank + 1) + " does not hold 8 squares");
            if (rank == 0) return Fail(error, "more than 8 ranks");
            --rank;
            file = 0;
        } else if (c >= '1' && c <= '8') {
            file += c - '0';
            if (file > 8)
                return Fail(error,
                            "rank " + std::to_string(rank + 1) + " holds more than 8 squares");
        } else {
            const std::uint8_t code = Code(static_cast<signed char>(c));
            if (code >= kNeutralCode || code % 7 == Other) {
                return Fail(error, std::string("no piece is called '") + c + "'");
            }
            if (file > 7)
                return Fail(error,
                            "rank " + std::to_string(rank + 1) + " holds more than 8 squares");
            next.Put(file + 8 * rank, static_cast<signed char>(c));
            ++file;
        }
    }
    if (rank != 0 || file != 8) return Fail(error, "the board does not hold 8 ranks of 8 squares");

    if (fields[1] == "w") {
        next.side_ = Side::White;
    } else if (fields[1] == "b") {
        next.side_ = Side::Black;
    } else {
        return Fail(error, "the side to move must be 'w' or 'b'");
    }

    if (fields[2] != "-") {
        for (const char c : fields[2]) {
            const std::size_t at = std::string_view("KQkq").find(c);
            if (at == std::string_view::npos)
                return Fail(error, "castling rights are '-' or letters of KQkq");
            const auto right = static_cast<std::uint8_t>(1 << at);
            if (next.castling_ & right)
                return Fail(error, std::string("castling right '") + c + "' given twice");
            next.castling_ |= right;
        }
    }

    if (fields[3] != "-") {
        const std::string_view ep = fields[3];
        if (ep.size() != 2 || ep[0] < 'a' || ep[0] > 'h' || ep[1] < '1' || ep[1] > '8') {
            return Fail(error, "the en passant square must be '-' or a square such as e3");
        }
        next.epSquare_ = static_cast<std::int8_t>((ep[0] - 'a') + 8 * (ep[1] - '1'));
    }

    int halfmove = 0;
    int fullmove = 1;
    if (count >= 5 && !ParseNumber(fields[4], 0, 9999, halfmove)) {
        return Fail(error, "the halfmove clock must be a number from 0 to 9999");
    }
    if (count >= 6 && !ParseNumber(fields[5], 1, 99999, fullmove)) {
        return Fail(error, "the move number must be a number from 1 to 99999");
    }
    next.halfmove_ = static_cast<std::uint16_t>(halfmove);
    next.fullmove_ = fullmove;

    const std::string fault = next.ValidateStandard();
    if (!fault.empty()) return Fail(error, fault);
    next.key_ = next.ComputeKey();
    *this = next;
    return true;
}

std::string Position::ValidateStandard() const {
    for (const Side side : {Side::White, Side::Black}) {
        const char* name = side == Side::White ? "White" : "Black";
        const int kings = Count(Pieces(side, King));
        if (kings != 1)
            return std::string(name) + (kings ? " has more than one king" : " has no king");
    }
    if (byType_[Pawn] & (kRank1 | kRank8)) return "a pawn stands on the first or last rank";
    if (InCheck(Opponent(side_))) return "the side not to move is in check";
    struct Right {
        std::uint8_t bit;
        int king;
        int rook;
        char rookLetter;
        char kingLetter;
    };
    constexpr Right kRights[] = {{kWhiteShort, 4, 7, 'R', 'K'},
                                 {kWhiteLong, 4, 0, 'R', 'K'},
                                 {kBlackShort, 60, 63, 'r', 'k'},
                                 {kBlackLong, 60, 56, 'r', 'k'}};
    for (const Right& right : kRights) {
        if (!(castling_ & right.bit)) continue;
        if (board_[right.king] != right.kingLetter || board_[right.rook] != right.rookLetter) {
            return "a castling right without its king and rook on their home squares";
        }
    }
    if (epSquare_ >= 0) {
        const bool whiteToMove = side_ == Side::White;
        const int pawnSquare = whiteToMove ? epSquare_ - 8 : epSquare_ + 8;
        const int origin = whiteToMove ? epSquare_ + 8 : epSquare_ - 8;
        if (RankOf(epSquare_) != (whiteToMove ? 5 : 2) ||
            board_[pawnSquare] != (whiteToMove ? 'p' : 'P') || board_[epSquare_] != ' ' ||
            board_[origin] != ' ') {
            return "the en passant square " + SquareText(epSquare_) +
                   " does not follow a pawn's double step";
        }
    }
    return {};
}

std::string Position::Fen() const {
    std::string fen;
    for (int rank = 7; rank >= 0; --rank) {
        int gap = 0;
        for (int file = 0; file < 8; ++file) {
            const signed char letter = board_[file + 8 * rank];
            if (letter == ' ') {
                ++gap;
                continue;
            }
            if (gap) fen += static_cast<char>('0' + gap);
            gap = 0;
            // A byte of neither side (only on Classic boards) has no letter in this notation.
            fen += Code(letter) == kNeutralCode ? '?' : static_cast<char>(letter);
        }
        if (gap) fen += static_cast<char>('0' + gap);
        if (rank) fen += '/';
    }
    fen += side_ == Side::White ? " w " : " b ";
    if (castling_ == 0) fen += '-';
    for (int bit = 0; bit < 4; ++bit) {
        if (castling_ & (1 << bit)) fen += "KQkq"[bit];
    }
    fen += ' ';
    fen += epSquare_ >= 0 ? SquareText(epSquare_) : "-";
    fen += ' ' + std::to_string(halfmove_) + ' ' + std::to_string(fullmove_);
    return fen;
}

}  // namespace engine
