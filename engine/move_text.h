#pragma once

#include <string>
#include <string_view>

#include "engine/position.h"

// Moves as text. The game's own text is four characters, source then target ("e7e5"): under
// Classic rules a promotion is just those four (it always makes a queen); under Standard
// rules it is the long algebraic text of chess programs ("e2e4", "e7e8n", castling as the
// king's two-square move "e1g1"). SAN is the short algebraic notation of game records.
namespace engine {

std::string MoveToText(const Position& position, Move move);
// The legal move the text names, or kNoMove. Letters may be in either case.
Move ParseMoveText(const Position& position, std::string_view text);

std::string MoveToSan(const Position& position, Move move);
// The legal move the SAN names, or kNoMove when it names none or more than one. Accepts
// "O-O" and "0-0", "=Q" and "Q" for a promotion, and ignores "+", "#", "!", "?" and "e.p.".
Move ParseSan(const Position& position, std::string_view san);

}  // namespace engine
