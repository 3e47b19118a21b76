// The main window's backdrop picture, read once from the resource folder.
#pragma once

#include "Framework.h"

namespace quil {

struct x_quil1 {
    // The picture from "quil.pct", or nil. A picture once read serves every main
    // window; while none has been read, each call tries again.
    static qv::Ref<qv::Picture> quil1();
    // Forgets the picture read so far (for tests of the first read).
    static void Reset();
};

}  // namespace quil
