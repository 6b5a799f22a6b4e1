#include "engine/transposition.h"

#include <algorithm>
#include <new>

namespace engine {

namespace {

// The table in a 32-bit build must leave room for the rest of the address space.
constexpr std::size_t kMaxMegabytes = sizeof(void*) >= 8 ? 65536 : 1024;
constexpr std::size_t kMinBuckets = 1024;

}  // namespace

TranspositionTable::TranspositionTable(std::size_t megabytes) {
    Resize(megabytes);
}

void TranspositionTable::Resize(std::size_t megabytes) {
    const std::size_t bytes = std::min(megabytes, kMaxMegabytes) * 1024 * 1024;
    std::size_t count = kMinBuckets;
    while (count * 2 * sizeof(Bucket) <= bytes) {
        count *= 2;
    }
    buckets_.reset();
    bucketCount_ = 0;
    // Ask for less and less until the memory is there: a table too large to have must not
    // end the program.
    while (count >= kMinBuckets) {
        buckets_.reset(new (std::nothrow) Bucket[count]);
        if (buckets_) {
            bucketCount_ = count;
            break;
        }
        count /= 2;
    }
    Clear();
}

void TranspositionTable::Clear() {
    std::fill(buckets_.get(), buckets_.get() + bucketCount_, Bucket{});
    generation_ = 0;
}

const TtEntry* TranspositionTable::Probe(std::uint64_t key) const {
    if (bucketCount_ == 0) {
        return nullptr;
    }
    const Bucket& bucket = buckets_[key & (bucketCount_ - 1)];
    if (bucket.deep.key == key && bucket.deep.GetBound() != Bound::None) {
        return &bucket.deep;
    }
    if (bucket.recent.key == key && bucket.recent.GetBound() != Bound::None) {
        return &bucket.recent;
    }
    return nullptr;
}

void TranspositionTable::Store(std::uint64_t key, Move move, int score, int eval, int depth,
                               Bound bound) {
    if (bucketCount_ == 0) {
        return;
    }
    Bucket& bucket = buckets_[key & (bucketCount_ - 1)];
    TtEntry entry;
    entry.key = key;
    entry.score = static_cast<std::int16_t>(score);
    entry.eval = static_cast<std::int16_t>(eval);
    entry.depth = static_cast<std::int8_t>(std::clamp(depth, -1, 127));
    entry.boundAndGeneration =
        static_cast<std::uint8_t>(static_cast<int>(bound) | generation_ << 2);
    // Keep the move of an earlier search of this position when this one found none.
    const TtEntry* same = bucket.deep.key == key     ? &bucket.deep
                          : bucket.recent.key == key ? &bucket.recent
                                                     : nullptr;
    entry.move = move != kNoMove || same == nullptr ? move : same->move;
    if (bucket.deep.key == key || bucket.deep.GetBound() == Bound::None ||
        bucket.deep.Generation() != generation_ || depth >= bucket.deep.depth) {
        if (bucket.deep.key != key) {
            // The entry pushed out of the deep slot still has use as a recent one.
            bucket.recent = bucket.deep;
        }
        bucket.deep = entry;
    } else {
        bucket.recent = entry;
    }
}

}  // namespace engine
