#include "game/engine_turn.h"

#include "game/game_options.h"

namespace {

constexpr std::size_t kHashMegabytes = 4;

}  // namespace

engine::LevelPlayer& SharedLevelPlayer() {
    static engine::LevelPlayer player(kHashMegabytes);
    return player;
}

engine::Level EngineLevelOf(int playLevel) {
    switch (playLevel) {
        case LevelBeginner:
            return engine::Level::Beginner;
        case LevelCasual:
            return engine::Level::Casual;
        case LevelClub:
            return engine::Level::Club;
        default:
            return engine::Level::Master;
    }
}
