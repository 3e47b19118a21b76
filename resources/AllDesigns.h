// Every window's design under the name of its window class: the one enumeration
// that the golden-bytes test, its generator and the fuzzer's seed writer share, so
// that a window added to the application is added to all three at once.
#pragma once

#include "framework/WindowDesign.h"

#include <span>
#include <string_view>

namespace qv::design {

struct NamedDesign {
    std::string_view window;
    const WindowDesign& (*design)();
};

// The main window, the About window, then the five settings windows.
std::span<const NamedDesign> AllWindowDesigns();

}  // namespace qv::design
