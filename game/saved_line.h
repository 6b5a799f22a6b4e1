#pragma once

// One "key = value" line of a saved game, split as the game has always read it: the first
// word (at most 99 characters) is the key, then optional spaces, an '=', optional spaces and
// the next word (at most 99 characters) is the value; words end at white space. Done by hand
// rather than by the C library's scanner, whose number reading the browser page would
// otherwise carry for nothing.

namespace saved_line {

inline constexpr int kPieceLength = 99;

// True when both the key and the value were found.
bool Split(const char* line, char (&key)[kPieceLength + 1], char (&value)[kPieceLength + 1]);

}  // namespace saved_line
