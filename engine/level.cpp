#include "engine/level.h"

#include <cctype>

namespace engine {

namespace {

constexpr const char* kNames[kLevelCount] = {"Beginner", "Casual", "Club", "Master", "Full"};

// Draws in [0, bound) from a source of numbers 0 to 32767.
int DrawBelow(int (*drawRandom)(), int bound) {
    const int wide = (drawRandom() << 15) | drawRandom();
    return bound > 0 ? wide % bound : 0;
}

}  // namespace

const char* LevelName(Level level) {
    const int index = static_cast<int>(level);
    return index >= 0 && index < kLevelCount ? kNames[index] : "";
}

bool ParseLevel(std::string_view text, Level& level) {
    for (int i = 0; i < kLevelCount; ++i) {
        const std::string_view name = kNames[i];
        if (name.size() != text.size()) {
            continue;
        }
        bool same = true;
        for (std::size_t c = 0; c < name.size() && same; ++c) {
            same = std::tolower(static_cast<unsigned char>(text[c])) ==
                   std::tolower(static_cast<unsigned char>(name[c]));
        }
        if (same) {
            level = static_cast<Level>(i);
            return true;
        }
    }
    return false;
}

LevelSettings SettingsOf(Level level) {
    switch (level) {
        case Level::Beginner:
            return {800, 150, 250, 60};
        case Level::Casual:
            return {6000, 60, 120, 400};
        case Level::Club:
            return {100000, 0, 0, 0};
        case Level::Master:
            return {1400000, 0, 0, 0};
        case Level::Full:
            return {0, 0, 0, 0};
    }
    return {};
}

void LevelPlayer::Begin(const Position& position, Level level, int (*drawRandom)()) {
    settings_ = SettingsOf(level);
    drawRandom_ = drawRandom;
    SearchLimits limits;
    limits.nodes = settings_.nodes;
    limits.rootMargin = settings_.choiceMargin;
    if (settings_.missPerMille > 0 && drawRandom_ != nullptr &&
        DrawBelow(drawRandom_, 1000) < settings_.missPerMille) {
        limits.nodes = settings_.missNodes;
    }
    searcher_.Clear();
    searcher_.Begin(position, limits);
    finished_ = false;
    chosen_ = kNoMove;
    if (searcher_.Finished()) {
        Choose();
    }
}

bool LevelPlayer::Advance(std::uint64_t nodeSlice) {
    if (finished_) {
        return true;
    }
    if (searcher_.Advance(nodeSlice)) {
        Choose();
    }
    return finished_;
}

void LevelPlayer::Run() {
    while (!Advance(1 << 20)) {
    }
}

void LevelPlayer::Choose() {
    finished_ = true;
    chosen_ = searcher_.BestMove();
    if (settings_.choiceMargin <= 0 || drawRandom_ == nullptr || chosen_ == kNoMove) {
        return;
    }
    // The candidates: root moves scored within the margin of the best, each weighted by how
    // close it comes, so the best stays the likeliest and a far worse move is never played.
    const RootMoveScore best = searcher_.RootMove(0);
    if (best.move != chosen_ || best.score >= kMateBound) {
        // A mate or a move found in an unfinished iteration: no reason to look elsewhere.
        return;
    }
    int total = 0;
    int weights[256];
    const int count = searcher_.RootMoveCount();
    for (int i = 0; i < count; ++i) {
        const int behind = best.score - searcher_.RootMove(i).score;
        weights[i] = behind <= settings_.choiceMargin ? settings_.choiceMargin + 1 - behind : 0;
        total += weights[i];
    }
    int draw = DrawBelow(drawRandom_, total);
    for (int i = 0; i < count; ++i) {
        if (draw < weights[i]) {
            chosen_ = searcher_.RootMove(i).move;
            return;
        }
        draw -= weights[i];
    }
}

}  // namespace engine
