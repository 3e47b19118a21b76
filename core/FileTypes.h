// The system's file type set: one type, "text".
#pragma once

#include "Framework.h"

namespace quil::FileTypes {

extern qv::Ref<qv::FileType> pText;

// Creates, fills and registers pText.
void Initialize();
// Releases pText and leaves it nil.
void pText_Exit();

}  // namespace quil::FileTypes
