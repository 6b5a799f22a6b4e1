#include "engine/position.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "engine/piece_codes.h"

namespace engine {

namespace {

// Rights kept when a move leaves or lands on a square: the kings' and rooks' home squares.
constexpr std::array<std::uint8_t, 64> MakeCastlingMasks() {
    std::array<std::uint8_t, 64> masks{};
    for (auto& mask : masks) mask = 15;
    masks[4] = 15 & ~(kWhiteShort | kWhiteLong);
    masks[7] = 15 & ~kWhiteShort;
    masks[0] = 15 & ~kWhiteLong;
    masks[60] = 15 & ~(kBlackShort | kBlackLong);
    masks[63] = 15 & ~kBlackShort;
    masks[56] = 15 & ~kBlackLong;
    return masks;
}
constexpr std::array<std::uint8_t, 64> kCastlingMasks = MakeCastlingMasks();

void InitTables() {
    InitAttackTables();
    InitZobrist();
}

}  // namespace

bool MoveList::Contains(Move move) const {
    return std::find(begin(), end(), move) != end();
}

Position::Position() {
    InitTables();
    Clear(Rules::Standard);
}

void Position::Clear(Rules rules) {
    std::memset(board_, ' ', sizeof board_);
    for (Bitboard& set : byType_) set = 0;
    byColour_[0] = byColour_[1] = 0;
    occupied_ = 0;
    rules_ = rules;
    side_ = Side::White;
    pawnsUp_[Index(Side::White)] = rules == Rules::Standard;
    pawnsUp_[Index(Side::Black)] = rules != Rules::Standard;
    castling_ = 0;
    epSquare_ = -1;
    halfmove_ = 0;
    fullmove_ = 1;
    historySize_ = 0;
    key_ = 0;
}

void Position::Put(int square, signed char letter) {
    board_[square] = letter;
    const std::uint8_t code = Code(letter);
    if (code == kEmptyCode) return;
    const Bitboard bit = SquareBit(square);
    occupied_ |= bit;
    if (code == kNeutralCode) return;
    byColour_[code / 7] |= bit;
    byType_[code % 7] |= bit;
}

void Position::Remove(int square) {
    const std::uint8_t code = Code(board_[square]);
    board_[square] = ' ';
    const Bitboard bit = ~SquareBit(square);
    occupied_ &= bit;
    if (code >= kNeutralCode) return;
    byColour_[code / 7] &= bit;
    byType_[code % 7] &= bit;
}

void Position::MovePieceBits(int from, int to) {
    const signed char letter = board_[from];
    const std::uint8_t code = Code(letter);
    const Bitboard both = SquareBit(from) | SquareBit(to);
    board_[from] = ' ';
    board_[to] = letter;
    occupied_ ^= both;
    byColour_[code / 7] ^= both;
    byType_[code % 7] ^= both;
}

Position Position::Start(Rules rules) {
    Position position;
    position.Clear(rules);
    constexpr char kBack[] = "RNBQKBNR";
    for (int file = 0; file < 8; ++file) {
        const signed char piece = kBack[file];
        const signed char lower = static_cast<signed char>(piece - 'A' + 'a');
        if (rules == Rules::Standard) {
            position.Put(file, piece);
            position.Put(8 + file, 'P');
            position.Put(48 + file, 'p');
            position.Put(56 + file, lower);
        } else {
            position.Put(56 + file, piece);
            position.Put(48 + file, 'P');
            position.Put(8 + file, 'p');
            position.Put(file, lower);
        }
    }
    if (rules == Rules::Standard) {
        position.castling_ = kWhiteShort | kWhiteLong | kBlackShort | kBlackLong;
    }
    position.key_ = position.ComputeKey();
    return position;
}

Position Position::FromClassicBoard(const signed char squares[64], Side toMove) {
    Position position;
    position.Clear(Rules::Classic);
    for (int square = 0; square < 64; ++square) position.Put(square, squares[square]);
    position.side_ = toMove;
    position.key_ = position.ComputeKey();
    return position;
}

void Position::ToClassicBoard(signed char squares[64]) const {
    std::memcpy(squares, board_, sizeof board_);
}

PieceType Position::TypeOn(int square) const {
    const std::uint8_t code = Code(board_[square]);
    return code >= kNeutralCode ? kPieceTypes : static_cast<PieceType>(code % 7);
}

int Position::KingSquare(Side side) const {
    const Bitboard kings = Pieces(side, King);
    return kings ? HighestSquare(kings) : -1;
}

std::uint64_t Position::EnPassantKey() const {
    if (epSquare_ < 0) return 0;
    // Only a capture that some pawn could make changes what can happen next.
    const Bitboard capturers =
        PawnAttacks(!pawnsUp_[Index(side_)], epSquare_) & Pieces(side_, Pawn);
    return capturers ? gZobrist.enPassantFile[FileOf(epSquare_)] : 0;
}

std::uint64_t Position::ComputeKey() const {
    std::uint64_t key = rules_ == Rules::Classic ? gZobrist.classicRules : 0;
    for (int square = 0; square < 64; ++square) key ^= gZobrist.piece[Code(board_[square])][square];
    if (side_ == Side::Black) key ^= gZobrist.blackToMove;
    key ^= gZobrist.castling[castling_];
    key ^= EnPassantKey();
    return key;
}

void Position::PushHistory(const Undo& undo) {
    if (historySize_ == kHistoryCapacity) {
        constexpr int kKept = kHistoryCapacity / 2;
        std::memmove(history_, history_ + (kHistoryCapacity - kKept), kKept * sizeof(Undo));
        historySize_ = kKept;
    }
    history_[historySize_++] = undo;
}

void Position::DoMove(Move move) {
    const int from = MoveFrom(move);
    const int to = MoveTo(move);
    const MoveKind kind = KindOf(move);
    const Side us = side_;
    const signed char letter = board_[from];
    const std::uint8_t code = Code(letter);
    Undo undo{key_, move, ' ', castling_, epSquare_, halfmove_};
    std::uint64_t key = key_ ^ EnPassantKey();

    bool resetsClock = code % 7 == Pawn;
    if (kind == kEnPassantMove) {
        const int captured = pawnsUp_[Index(us)] ? to - 8 : to + 8;
        undo.captured = board_[captured];
        key ^= gZobrist.piece[Code(undo.captured)][captured];
        Remove(captured);
    } else if (board_[to] != ' ') {
        undo.captured = board_[to];
        key ^= gZobrist.piece[Code(undo.captured)][to];
        Remove(to);
        resetsClock = true;
    }
    MovePieceBits(from, to);
    key ^= gZobrist.piece[code][from] ^ gZobrist.piece[code][to];
    if (kind == kPromotionMove) {
        const signed char promoted = LetterOf(us, PromotionOf(move));
        Remove(to);
        Put(to, promoted);
        key ^= gZobrist.piece[code][to] ^ gZobrist.piece[Code(promoted)][to];
    } else if (kind == kCastlingMove) {
        const bool kingSide = to > from;
        const int rookFrom = kingSide ? to + 1 : to - 2;
        const int rookTo = kingSide ? to - 1 : to + 1;
        const std::uint8_t rook = Code(board_[rookFrom]);
        MovePieceBits(rookFrom, rookTo);
        key ^= gZobrist.piece[rook][rookFrom] ^ gZobrist.piece[rook][rookTo];
    }
    if (castling_ != 0) {
        key ^= gZobrist.castling[castling_];
        castling_ &= kCastlingMasks[from] & kCastlingMasks[to];
        key ^= gZobrist.castling[castling_];
    }
    epSquare_ = -1;
    if (code % 7 == Pawn && rules_ == Rules::Standard && (from ^ to) == 16) {
        epSquare_ = static_cast<std::int8_t>((from + to) / 2);
    }
    // The clock stops at its largest value in a Classic game of endless quiet moves.
    halfmove_ = resetsClock ? 0 : static_cast<std::uint16_t>(halfmove_ + (halfmove_ < 0xFFFF));
    if (us == Side::Black) ++fullmove_;
    side_ = Opponent(us);
    key ^= gZobrist.blackToMove;
    key_ = key ^ EnPassantKey();
    PushHistory(undo);
}

void Position::UndoMove() {
    if (historySize_ == 0) return;
    const Undo& undo = history_[--historySize_];
    const Move move = undo.move;
    const int from = MoveFrom(move);
    const int to = MoveTo(move);
    const MoveKind kind = KindOf(move);
    side_ = Opponent(side_);
    const Side us = side_;
    if (us == Side::Black) --fullmove_;
    if (kind == kPromotionMove) {
        Remove(to);
        Put(to, LetterOf(us, Pawn));
    } else if (kind == kCastlingMove) {
        const bool kingSide = to > from;
        MovePieceBits(kingSide ? to - 1 : to + 1, kingSide ? to + 1 : to - 2);
    }
    MovePieceBits(to, from);
    if (undo.captured != ' ') {
        const int captured = kind == kEnPassantMove ? (pawnsUp_[Index(us)] ? to - 8 : to + 8) : to;
        Put(captured, undo.captured);
    }
    castling_ = undo.castling;
    epSquare_ = undo.epSquare;
    halfmove_ = undo.halfmove;
    key_ = undo.key;
}

void Position::DoNullMove() {
    PushHistory(Undo{key_, kNoMove, ' ', castling_, epSquare_, halfmove_});
    key_ ^= EnPassantKey();
    epSquare_ = -1;
    halfmove_ = static_cast<std::uint16_t>(halfmove_ + (halfmove_ < 0xFFFF));
    if (side_ == Side::Black) ++fullmove_;
    side_ = Opponent(side_);
    key_ ^= gZobrist.blackToMove;
}

void Position::UndoNullMove() {
    if (historySize_ == 0) return;
    const Undo& undo = history_[--historySize_];
    side_ = Opponent(side_);
    if (side_ == Side::Black) --fullmove_;
    epSquare_ = undo.epSquare;
    halfmove_ = undo.halfmove;
    key_ = undo.key;
}

Move Position::LastMove() const {
    return historySize_ > 0 ? history_[historySize_ - 1].move : kNoMove;
}

}  // namespace engine
