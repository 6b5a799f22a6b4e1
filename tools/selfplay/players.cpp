#include "tools/selfplay/players.h"

#include <memory>

#include "ai/random_draw.h"

namespace match {

namespace {

constexpr engine::Level kPlayableLevels[] = {engine::Level::Beginner, engine::Level::Casual,
                                             engine::Level::Club, engine::Level::Master};

// Nodes per call to the level's player: the choice must not depend on it, and a slice of
// this size is what a frame loop would give it.
constexpr std::uint64_t kNodesPerSlice = 4096;

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        const char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] - 'A' + 'a') : b[i];
        if (x != y) return false;
    }
    return true;
}

}  // namespace

bool ParsePlayer(std::string_view text, Player& out) {
    if (SameIgnoringCase(text, "classic")) {
        out = Player{};
        return true;
    }
    for (engine::Level level : kPlayableLevels) {
        if (SameIgnoringCase(text, engine::LevelName(level))) {
            out.classic = false;
            out.level = level;
            return true;
        }
    }
    return false;
}

std::string PlayerName(const Player& player) {
    std::string name = player.classic ? "Classic" : engine::LevelName(player.level);
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return name;
}

const char* PlayerNames() {
    return "classic, beginner, casual, club, master";
}

engine::Move LevelMove(const engine::Position& position, engine::Level level) {
    // The player keeps the search and its table: made once, it serves every move.
    static const std::unique_ptr<engine::LevelPlayer> player =
        std::make_unique<engine::LevelPlayer>();
    player->Begin(position, level, DrawRandom);
    while (!player->Advance(kNodesPerSlice)) {
    }
    return player->ChosenMove();
}

}  // namespace match
