#include "Numbers.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>

namespace qv {
namespace {

// Every 64-bit seed is a seed of its own; the process seed is made once when no one set it.
std::mutex seedMutex;
std::optional<uint64_t> processSeed;  // guarded by seedMutex
std::atomic<uint64_t> streamCounter{0};

uint64_t SplitMix(uint64_t& x) {
    uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// Called only when a thread's generator is (re)seeded, so the lock costs nothing that matters.
uint64_t ProcessSeed() {
    std::lock_guard lock(seedMutex);
    if (!processSeed) processSeed = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    return *processSeed;
}

}  // namespace

namespace detail {

std::array<uint64_t, 4> NextStream() {
    // Each thread gets its own stream: the process seed mixed with the order in
    // which threads first drew a number since the last seeding.
    uint64_t seed = ProcessSeed() ^ (streamCounter.fetch_add(1, std::memory_order_relaxed) * 0xD1B54A32D192ED03ull);
    std::array<uint64_t, 4> s;
    for (auto& v : s) v = SplitMix(seed);
    return s;
}

}  // namespace detail

void RndSeed(uint64_t seed) {
    {
        std::lock_guard lock(seedMutex);
        processSeed = seed;
        streamCounter.store(0, std::memory_order_relaxed);
    }
    detail::rndGenerator.seeded = false;
}

std::string Str(int32_t value) { return std::to_string(value); }

}  // namespace qv
