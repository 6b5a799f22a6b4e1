#pragma once

#include <array>
#include <cstdint>

#include "engine/position.h"

// What a byte on the board means: a piece of a side, a byte of neither side, or empty. Only
// the ASCII letters carry a colour, as in the game's rules.
namespace engine {

inline constexpr std::uint8_t kNeutralCode = 14;  // Occupied by a piece of neither side.
inline constexpr std::uint8_t kEmptyCode = 15;    // The space.

// Codes 0 to 13 are side * 7 + piece type.
constexpr std::uint8_t CodeOf(signed char letter) {
    const char c = static_cast<char>(letter);
    if (c == ' ') return kEmptyCode;
    const bool upper = c >= 'A' && c <= 'Z';
    const bool lower = c >= 'a' && c <= 'z';
    if (!upper && !lower) return kNeutralCode;
    const char kind = upper ? static_cast<char>(c - 'A' + 'a') : c;
    PieceType type = Other;
    switch (kind) {
        case 'p':
            type = Pawn;
            break;
        case 'n':
            type = Knight;
            break;
        case 'b':
            type = Bishop;
            break;
        case 'r':
            type = Rook;
            break;
        case 'q':
            type = Queen;
            break;
        case 'k':
            type = King;
            break;
        default:
            break;
    }
    return static_cast<std::uint8_t>((upper ? 0 : 7) + type);
}

inline constexpr std::array<std::uint8_t, 256> kCodeTable = [] {
    std::array<std::uint8_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte) table[byte] = CodeOf(static_cast<signed char>(byte));
    return table;
}();

inline std::uint8_t Code(signed char letter) {
    return kCodeTable[static_cast<std::uint8_t>(letter)];
}

constexpr char LetterOf(Side side, PieceType type) {
    constexpr char kWhite[] = "PNBRQKX";
    constexpr char kBlack[] = "pnbrqkx";
    return side == Side::White ? kWhite[type] : kBlack[type];
}

// The Zobrist keys, drawn once from a generator of our own with a fixed seed, so a position
// has the same key on every build.
struct ZobristKeys {
    std::uint64_t piece[16][64];  // By code; the empty code's keys are zero.
    std::uint64_t castling[16];
    std::uint64_t enPassantFile[8];
    std::uint64_t blackToMove;
    std::uint64_t classicRules;
};

extern ZobristKeys gZobrist;
void InitZobrist();

}  // namespace engine
