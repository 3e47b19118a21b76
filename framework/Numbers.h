// Random numbers and numeric conversions.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qv {

namespace detail {

// xoshiro256+ : fast, and its top 53 bits are all a Double needs.
struct RndGenerator {
    uint64_t s[4];
    bool seeded;

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
    // A Double in [0, 1) from the top 53 bits.
    double NextDouble() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
};

// Drawing loops call Rnd several times a step, so the generator is reached inline
// and nothing in its way is shared with other threads: the compiler may keep it in
// registers from one draw to the next. Constant-initialised, the thread-local needs
// no guard on access.
inline thread_local RndGenerator rndGenerator{};
// The state of the next stream of the process seed.
std::array<uint64_t, 4> NextStream();

}  // namespace detail

// A Double in [0, 1). Each thread draws from its own generator, seeded from the
// process seed at its first draw, so threads never contend for it.
inline double Rnd() {
    detail::RndGenerator& g = detail::rndGenerator;
    if (!g.seeded) [[unlikely]] {
        const std::array<uint64_t, 4> s = detail::NextStream();
        std::copy(s.begin(), s.end(), g.s);
        g.seeded = true;
    }
    return g.NextDouble();
}
// Starts the process's streams again from this seed (for reproducible runs): the
// calling thread's next Rnd, and the first of every thread that has not drawn yet,
// take the streams in the order they draw. Threads already drawing go on with theirs.
void RndSeed(uint64_t seed);

std::string Str(int32_t value);

// Truncates toward zero; values beyond the Int32 range saturate, NaN gives 0.
inline int32_t RuntimeCvtReal64ToSInt32(double value) {
#if defined(__SSE2__)
    // The processor's truncation answers the smallest Int32 for NaN and for values
    // out of range alike, so only that answer needs a second look.
    const int32_t truncated = _mm_cvttsd_si32(_mm_set_sd(value));
    if (truncated != std::numeric_limits<int32_t>::min()) [[likely]]
        return truncated;
#endif
    if (value > -2147483649.0 && value < 2147483648.0) return static_cast<int32_t>(value);
    if (value > 0) return std::numeric_limits<int32_t>::max();
    if (value < 0) return std::numeric_limits<int32_t>::min();
    return 0;  // NaN
}
inline double RuntimeCvtSInt32ToReal64(int32_t value) { return static_cast<double>(value); }

}  // namespace qv
