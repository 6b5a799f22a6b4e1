#pragma once

#include <cstdint>

#include "engine/level.h"

// The engine's levels as computer players. A turn begins a search and every Step advances it
// by a slice of nodes, so a frame never waits for the whole search; the move found does not
// depend on the slices. The engine's table is large, so the program has one player for all
// its games, made when a level first plays.
inline constexpr std::uint64_t kNodesPerStep = 4000;

engine::LevelPlayer& SharedLevelPlayer();

// The engine level of a Play dialog level other than Classic.
engine::Level EngineLevelOf(int playLevel);
