#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/position.h"

namespace engine {

enum class Bound : std::uint8_t { None, Upper, Lower, Exact };

struct TtEntry {
    std::uint64_t key = 0;
    Move move = kNoMove;
    std::int16_t score = 0;
    std::int16_t eval = 0;
    std::int8_t depth = 0;
    std::uint8_t boundAndGeneration = 0;  // Bound in bits 0-1, generation in bits 2-7.

    Bound GetBound() const { return static_cast<Bound>(boundAndGeneration & 3); }
    int Generation() const { return boundAndGeneration >> 2; }
};

// The search's memory of positions it has met: the engine's one large allocation, made when
// the table is sized and never per node. Buckets of two entries: one kept for the deeper
// search, one always replaced. The full key is stored, so a hit is never another position.
class TranspositionTable {
  public:
    explicit TranspositionTable(std::size_t megabytes);

    // Sizes the table to the largest power of two of buckets that fits in megabytes (at least
    // a small table; less if the memory cannot be had) and clears it.
    void Resize(std::size_t megabytes);
    void Clear();
    // Marks the entries written from now on as new, so older ones are replaced first.
    void NextGeneration() { generation_ = (generation_ + 1) & 63; }

    const TtEntry* Probe(std::uint64_t key) const;
    // Starts loading the bucket of key into the cache, ahead of its probe.
    void Prefetch(std::uint64_t key) const {
#if defined(__GNUC__) || defined(__clang__)
        if (bucketCount_ != 0) __builtin_prefetch(&buckets_[key & (bucketCount_ - 1)]);
#else
        (void)key;
#endif
    }
    void Store(std::uint64_t key, Move move, int score, int eval, int depth, Bound bound);

    std::size_t SizeInBytes() const {
        return bucketCount_ * sizeof(Bucket);
    }

  private:
    struct Bucket {
        TtEntry deep;
        TtEntry recent;
    };

    std::unique_ptr<Bucket[]> buckets_;
    std::size_t bucketCount_ = 0;
    int generation_ = 0;
};

}  // namespace engine
