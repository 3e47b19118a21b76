#include "Color.h"

#include <algorithm>

namespace qv {

namespace {

uint8_t Component(int32_t value) { return uint8_t(std::clamp<int32_t>(value, 0, 255)); }

}  // namespace

Color RGB(int32_t red, int32_t green, int32_t blue) {
    return Color{Component(red), Component(green), Component(blue)};
}

}  // namespace qv
