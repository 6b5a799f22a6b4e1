#pragma once

// Square indices and letter tests for the rules' inner loops, which work on the 64 squares
// directly rather than through square names. Index = file + 8 * rank, a1 = 0, h8 = 63.
namespace rules {

inline constexpr int FileOf(int square) { return square & 7; }
inline constexpr int RankOf(int square) { return square >> 3; }

inline constexpr bool IsUpper(int c) { return c >= 'A' && c <= 'Z'; }
inline constexpr bool IsLower(int c) { return c >= 'a' && c <= 'z'; }
// A piece of side: an upper-case letter for White (1), a lower-case one for any other side
// number, as the rules read it.
inline constexpr bool IsSideLetter(int c, int side) { return side == 1 ? IsUpper(c) : IsLower(c); }
inline constexpr int LowerOf(int c) { return IsUpper(c) ? c - 'A' + 'a' : c; }
inline constexpr bool IsKingLetter(int c) { return c == 'K' || c == 'k'; }

}  // namespace rules
