#include "Numbers.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <limits>
#include <mutex>
#include <optional>

namespace qv {
namespace {

// Every 64-bit seed is a seed of its own; the process seed is made once when no one set it.
std::mutex seedMutex;
std::optional<uint64_t> processSeed;  // guarded by seedMutex
std::atomic<uint64_t> seedEpoch{1};
std::atomic<uint64_t> streamCounter{0};

uint64_t SplitMix(uint64_t& x) {
    uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// xoshiro256+ : fast, and its top 53 bits are all a Double needs.
struct Generator {
    uint64_t s[4] = {};
    uint64_t epoch = 0;

    void Seed(uint64_t seed) {
        for (auto& v : s) v = SplitMix(seed);
    }
    uint64_t Next() {
        const uint64_t result = s[0] + s[3];
        const uint64_t t = s[1] << 17;
        s[2] ^= s[0];
        s[3] ^= s[1];
        s[1] ^= s[2];
        s[0] ^= s[3];
        s[2] ^= t;
        s[3] = (s[3] << 45) | (s[3] >> 19);
        return result;
    }
};

// Called only when a thread's generator is (re)seeded, so the lock costs nothing that matters.
uint64_t ProcessSeed() {
    std::lock_guard lock(seedMutex);
    if (!processSeed) processSeed = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    return *processSeed;
}

thread_local Generator generator;

}  // namespace

double Rnd() {
    const uint64_t epoch = seedEpoch.load(std::memory_order_acquire);
    if (generator.epoch != epoch) {
        // Each thread gets its own stream: the process seed mixed with the order in
        // which threads first drew a number since the last seeding.
        generator.Seed(ProcessSeed() ^ (streamCounter.fetch_add(1, std::memory_order_relaxed) * 0xD1B54A32D192ED03ull));
        generator.epoch = epoch;
    }
    return static_cast<double>(generator.Next() >> 11) * 0x1.0p-53;
}

void RndSeed(uint64_t seed) {
    {
        std::lock_guard lock(seedMutex);
        processSeed = seed;
    }
    streamCounter.store(0, std::memory_order_relaxed);
    seedEpoch.fetch_add(1, std::memory_order_acq_rel);
}

std::string Str(int32_t value) { return std::to_string(value); }

int32_t RuntimeCvtReal64ToSInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

double RuntimeCvtSInt32ToReal64(int32_t value) { return static_cast<double>(value); }

}  // namespace qv
