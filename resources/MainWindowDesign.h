// The design of the main window, Window1.
#pragma once

#include "framework/WindowDesign.h"

namespace qv::design {

const WindowDesign& Window1Design();

}  // namespace qv::design
