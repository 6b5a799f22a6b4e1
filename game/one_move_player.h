#pragma once

#include "engine/position.h"

// The Classic player's way of choosing, on a Standard position: every legal move is scored
// one move ahead by the game's own evaluation (on the board as the game lays it out), the
// five best are kept, and one of those within 5 points of the best is played at random,
// drawn from ai/random_draw like the Classic player's. kNoMove when there is no legal move.
engine::Move PickOneMoveAhead(engine::Position& position);
