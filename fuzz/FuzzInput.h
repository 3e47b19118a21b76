// How a fuzz input is laid out: its first byte picks the kind of object, in the
// framework's order of kinds (the window first, then each control kind), and the
// bytes after it are the property list applied to a fresh object of that kind.
#pragma once

#include "PropertyKind.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace qv::fuzz {

inline const PropertyKind& KindOfInput(uint8_t first) {
    const auto& kinds = AllPropertyKinds();
    return *kinds[first % kinds.size()];
}

inline uint8_t InputByteOf(const PropertyKind& kind) {
    const auto& kinds = AllPropertyKinds();
    const auto it = std::find(kinds.begin(), kinds.end(), &kind);
    if (it == kinds.end()) throw std::logic_error("a kind the framework does not list");
    return static_cast<uint8_t>(it - kinds.begin());
}

}  // namespace qv::fuzz
