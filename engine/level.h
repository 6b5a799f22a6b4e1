#pragma once

#include <cstdint>
#include <string_view>

#include "engine/position.h"
#include "engine/search.h"

namespace engine {

// The engine's playing strengths. The game's own one-move player, "Classic", is not one of
// them: it lives beside the engine, and tools name it next to these.
enum class Level { Beginner, Casual, Club, Master, Full };

inline constexpr int kLevelCount = 5;

const char* LevelName(Level level);
// Accepts the names in any mix of case.
bool ParseLevel(std::string_view text, Level& level);

// What a level is: how far it searches and how it errs.
struct LevelSettings {
    std::uint64_t nodes = 0;  // Node budget of a move; 0 for no limit (Full: the caller's).
    // The level chooses among the root moves scored at most this much below the best, the
    // nearer the best the likelier.
    int choiceMargin = 0;
    // Chance, in 1/1000, that a move is found with only missNodes nodes: a move where the
    // player overlooks something.
    int missPerMille = 0;
    std::uint64_t missNodes = 0;
};

LevelSettings SettingsOf(Level level);

// Plays a move at a level. The imperfection of the lower levels is drawn from the caller's
// random source (numbers 0 to 32767), a fixed number of draws per move, so one seed names
// one game. Each move starts from a cleared table, so the choice depends only on the
// position, the level and the draws.
class LevelPlayer {
  public:
    explicit LevelPlayer(std::size_t hashMegabytes = 16) : searcher_(hashMegabytes) {}

    void Begin(const Position& position, Level level, int (*drawRandom)());
    bool Advance(std::uint64_t nodeSlice);
    void Run();
    bool Finished() const { return finished_; }
    // kNoMove only when the position has no legal move.
    Move ChosenMove() const { return chosen_; }

    Searcher& GetSearcher() { return searcher_; }

  private:
    void Choose();

    Searcher searcher_;
    LevelSettings settings_;
    int (*drawRandom_)() = nullptr;
    Move chosen_ = kNoMove;
    bool finished_ = true;
};

}  // namespace engine
