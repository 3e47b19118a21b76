// The drawing thread: one random gray pixel per pass into an off-screen picture,
// copied onto the canvas after every eleventh pass.
#pragma once

#include "Framework.h"

#include <atomic>

namespace quil {

class BackgroundDrawing : public qv::Thread {
public:
    static qv::ClassRef Lookup();

    qv::Ref<qv::Picture> OffscreenPicture;  // the drawing thread's alone
    std::atomic<bool> Stop{false};          // set by the GUI thread, read at the end of each pass
    qv::Ref<qv::Canvas> TheCanvas;          // set before Run, then only read

    void Event_Run();
};

}  // namespace quil
