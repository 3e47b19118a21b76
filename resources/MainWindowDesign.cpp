#include "MainWindowDesign.h"

#include "Design.h"

namespace qv::design {

// The window keeps one size: its minimum and maximum are its size.
const std::string& Window1List() {
    static const std::string list = WindowDesign{
        .Width = 256,
        .Height = 256,
        .MinWidth = 256,
        .MinHeight = 256,
        .MaxWidth = 256,
        .MaxHeight = 256,
        .Composite = true,
        .Resizeable = false,
        .LiveResize = false,
    }.Encode();
    return list;
}

const std::string& Canvas1List() {
    static const std::string list = CanvasDesign{
        .Name = "Canvas1",
        .Left = 57,
        .Top = 16,
        .Width = 144,
        .Height = 144,
        .TabIndex = 0,
    }.Encode();
    return list;
}

const std::string& StartButtonList() {
    static const std::string list = PushButtonDesign{
        .Name = "StartButton",
        .Left = 138,
        .Top = 183,
        .Width = 74,
        .Height = 24,
        .TabIndex = 1,
        .Caption = "create",
    }.Encode();
    return list;
}

// "cease" stands to the left of "create" and starts disabled: there is nothing
// to stop until a drawing has been started.
const std::string& StopButtonList() {
    static const std::string list = PushButtonDesign{
        .Name = "StopButton",
        .Left = 50,
        .Top = 183,
        .Width = 74,
        .Height = 24,
        .TabIndex = 2,
        .Caption = "cease",
        .Enabled = false,
    }.Encode();
    return list;
}

}  // namespace qv::design
