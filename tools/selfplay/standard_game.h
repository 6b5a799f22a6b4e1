#pragma once

// A game under the rules of chess between two movers, from the start position and an
// optional opening, until checkmate, stalemate, a draw by rule, a side's failure or the ply
// limit. With a clock, each side's thinking time is taken from its own clock and a side
// whose clock runs out loses on time.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/position.h"
#include "tools/selfplay/game_record.h"
#include "tools/selfplay/players.h"

namespace match {

struct GameClock {
    bool running = false;
    std::int64_t whiteMs = 0;
    std::int64_t blackMs = 0;
    std::int64_t incrementMs = 0;
};

// One side of a Standard game.
class Mover {
  public:
    virtual ~Mover() = default;
    virtual void NewGame() {}
    // The move for position, reached from the start by moves (in UCI text); kNoMove when
    // the mover failed, with error saying how.
    virtual engine::Move Choose(const engine::Position& position,
                                const std::vector<std::string>& moves, const GameClock& clock,
                                std::string& error) = 0;
};

// An engine level, deterministic for a seed.
class LevelMover : public Mover {
  public:
    explicit LevelMover(engine::Level level) : level_(level) {}
    engine::Move Choose(const engine::Position& position, const std::vector<std::string>& moves,
                        const GameClock& clock, std::string& error) override;

  private:
    engine::Level level_;
};

struct StandardGameSetup {
    long maxPlies = 400;
    std::vector<std::string> opening;  // UCI moves played first
    GameClock clock;                   // running = false: no clocks
};

// Plays one game into record; false, with error set, when the opening is not legal.
bool PlayStandardGame(const StandardGameSetup& setup, Mover& white, Mover& black,
                      GameRecord& record, std::string& error);

}  // namespace match
