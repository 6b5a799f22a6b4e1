#pragma once

// Who plays a side in the self-play tool and the gauntlet: the game's own Classic player or
// one of the engine's levels. Names are typed in any case.

#include <string>
#include <string_view>

#include "engine/level.h"
#include "engine/position.h"

namespace match {

struct Player {
    bool classic = true;
    engine::Level level = engine::Level::Beginner;
};

// "classic", "beginner", "casual", "club" or "master", in any case.
bool ParsePlayer(std::string_view text, Player& out);
// The name in lower case, as typed.
std::string PlayerName(const Player& player);
// "classic, beginner, casual, club, master", for usage texts.
const char* PlayerNames();

// The engine level's move in position, searched to its node budget with the imperfection
// drawn from the game's random generator (ai/random_draw), so one seed names one game.
// kNoMove only when the position has no legal move.
engine::Move LevelMove(const engine::Position& position, engine::Level level);

}  // namespace match
