#include "MainWindowDesign.h"

#include "Design.h"
#include "framework/Canvas.h"
#include "framework/PushButton.h"

namespace qv::design {

// The window keeps one size: its minimum and maximum are its size. "cease" stands
// to the left of "create" and starts disabled: there is nothing to stop until a
// drawing has been started.
const WindowDesign& Window1Design() {
    static const WindowDesign design = MakeDesign(
        EncodeWindow({{"Width", 256}, {"Height", 256}, {"MinWidth", 256}, {"MinHeight", 256}, {"MaxWidth", 256},
                      {"MaxHeight", 256}, {"Composite", true}, {"Resizeable", false}, {"LiveResize", false}}),
        Encode({
            // kind           Name           Index     Left Top  W    H    caption   value TabIndex particular      TextSize
            {Canvas::Kind,     "Canvas1",     kNoIndex, 57,  16,  144, 144, "",       {},   0},
            {PushButton::Kind, "StartButton", kNoIndex, 138, 183, 74,  24,  "create", {},   1,       {},             12.0f},
            {PushButton::Kind, "StopButton",  kNoIndex, 50,  183, 74,  24,  "cease",  {},   2,       {{"Enabled", false}}},
        }),
        {
            {"StartButton", "Action", "StartButton_Action"},
            {"StopButton", "Action", "StopButton_Action"},
        });
    return design;
}

}  // namespace qv::design
