// A 24-bit RGB colour.
#pragma once

#include <algorithm>
#include <cstdint>

namespace qv {

struct Color {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    friend bool operator==(const Color&, const Color&) = default;
    uint32_t Argb() const { return 0xFF000000u | (uint32_t(red) << 16) | (uint32_t(green) << 8) | blue; }
};

// Components outside 0..255 are clamped. Inline, since drawing loops make one colour a step.
inline Color RGB(int32_t red, int32_t green, int32_t blue) {
    auto component = [](int32_t value) { return uint8_t(std::clamp<int32_t>(value, 0, 255)); };
    return Color{component(red), component(green), component(blue)};
}

}  // namespace qv
