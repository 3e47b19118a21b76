// Property lists of the About window and of its controls, and the About text.
#pragma once

#include "framework/WindowDesign.h"

#include <string>

namespace qv::design {

// Thirteen lines joined by single carriage returns, with none after the last.
const std::string& AboutText();

const WindowDesign& AboutWindowDesign();

}  // namespace qv::design
