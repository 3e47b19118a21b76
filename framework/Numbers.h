// Random numbers and numeric conversions.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

// A Double in [0, 1). Each thread draws from its own generator, seeded from the
// process seed, so threads never contend for it.
double Rnd();
// Makes every thread's next Rnd start again from this seed (for reproducible runs).
void RndSeed(uint64_t seed);

std::string Str(int32_t value);
// Truncates toward zero; values beyond the Int32 range saturate, NaN gives 0.
int32_t RuntimeCvtReal64ToSInt32(double value);
double RuntimeCvtSInt32ToReal64(int32_t value);

}  // namespace qv
