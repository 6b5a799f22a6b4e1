#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <new>

#include "engine/level.h"
#include "engine/position.h"
#include "engine/search.h"
#include "tests/engine/search_test_support.h"

// The engine promises that its table is its only large allocation and that a search, once
// begun, allocates nothing: the game's frame loop drives it every frame on small machines
// and in the browser. This binary replaces the global allocation functions to watch that.
namespace {

struct AllocationLog {
    bool watching = false;
    std::size_t count = 0;
    std::size_t bytes = 0;
    std::size_t largest = 0;
};

AllocationLog g_log;

void Note(std::size_t size) {
    if (!g_log.watching) return;
    ++g_log.count;
    g_log.bytes += size;
    if (size > g_log.largest) g_log.largest = size;
}

void* Allocate(std::size_t size) {
    Note(size);
    return std::malloc(size == 0 ? 1 : size);
}

void* AllocateAligned(std::size_t size, std::align_val_t align) {
    Note(size);
    const std::size_t alignment = static_cast<std::size_t>(align);
    const std::size_t rounded = (size + alignment - 1) / alignment * alignment;
    return std::aligned_alloc(alignment, rounded == 0 ? alignment : rounded);
}

AllocationLog Watch(const auto& work) {
    g_log = AllocationLog{};
    g_log.watching = true;
    work();
    g_log.watching = false;
    return g_log;
}

}  // namespace

void* operator new(std::size_t size) {
    if (void* block = Allocate(size)) return block;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new(std::size_t size, std::align_val_t align) {
    if (void* block = AllocateAligned(size, align)) return block;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size, std::align_val_t align) {
    return operator new(size, align);
}
void* operator new(std::size_t size, std::align_val_t align, const std::nothrow_t&) noexcept {
    return AllocateAligned(size, align);
}
void* operator new[](std::size_t size, std::align_val_t align, const std::nothrow_t&) noexcept {
    return AllocateAligned(size, align);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete(void* block, std::align_val_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::align_val_t) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
    std::free(block);
}
void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept {
    std::free(block);
}

namespace {

// A fixed sequence in the game's random range, for the levels' choices.
int DrawFixed() {
    static unsigned state = 12345;
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state >> 16) & 0x7fff);
}

TEST(SearchMemory, TheTableIsTheOnlyLargeAllocation) {
    const AllocationLog made = Watch([] { engine::Searcher searcher(16); });
    EXPECT_EQ(made.largest, std::size_t{16} << 20);
    // Everything else the searcher holds (its frames, the pawns' cache) together stays small.
    EXPECT_LT(made.bytes - made.largest, std::size_t{1} << 20);

    engine::Searcher searcher(16);
    const AllocationLog resized = Watch([&] { searcher.Resize(4); });
    EXPECT_EQ(resized.largest, std::size_t{4} << 20);
    EXPECT_EQ(searcher.HashBytes(), std::size_t{4} << 20);
}

TEST(SearchMemory, ASearchAllocatesNothingOnceMade) {
    engine::Searcher searcher(16);
    searcher.SetStopTest([] { return false; }, 1024);
    searcher.SetInfoCallback([](const engine::SearchInfo&) {});
    const char* const fens[] = {
        "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    };
    for (const char* fen : fens) {
        const engine::Position position = search_test::FromFen(fen);
        engine::SearchLimits limits;
        limits.nodes = 200000;
        const AllocationLog search = Watch([&] {
            searcher.Begin(position, limits);
            while (!searcher.Advance(777)) {
            }
        });
        EXPECT_EQ(search.count, 0u) << fen;
        EXPECT_GT(searcher.Nodes(), 100000u) << fen;
    }

    // The same under the game's rules, at each level, as the game asks for its moves.
    engine::LevelPlayer player;
    const engine::Position classic = engine::Position::Start(engine::Rules::Classic);
    for (engine::Level level : {engine::Level::Beginner, engine::Level::Casual, engine::Level::Club,
                                engine::Level::Master}) {
        const AllocationLog move = Watch([&] {
            player.Begin(classic, level, DrawFixed);
            while (!player.Advance(1000)) {
            }
        });
        EXPECT_EQ(move.count, 0u) << engine::LevelName(level);
        EXPECT_NE(player.ChosenMove(), engine::kNoMove) << engine::LevelName(level);
    }
}

}  // namespace
