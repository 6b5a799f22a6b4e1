#pragma once

#include <chrono>
#include <cstdint>

#include "engine/level.h"

// The engine's levels as computer players. A turn begins a search and every Step advances it
// by slices of nodes for a few milliseconds, so a frame never waits for the whole search and a
// slower machine (the browser) takes more frames rather than longer ones; the move found
// depends only on the node budget, never on the slices. The engine's table is large, so the
// program has one player for all its games, made when a level first plays.
inline constexpr std::uint64_t kNodesPerSlice = 1000;
inline constexpr std::chrono::microseconds kThinkingPerStep{5000};

engine::LevelPlayer& SharedLevelPlayer();

// The engine level of a Play dialog level other than Classic.
engine::Level EngineLevelOf(int playLevel);
