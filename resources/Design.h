// Design values of windows and controls, one struct per kind of object. The
// members bear the property names and stand in the kind's fixed entry order, so a
// design written with designated initializers reads like its table, and Encode()
// writes a list whose entries keep that order.
#pragma once

#include "framework/Color.h"

#include <cstdint>
#include <limits>
#include <string>

namespace qv::design {

// The Index of a control that belongs to no control set.
inline constexpr int32_t kNoIndex = std::numeric_limits<int32_t>::min();
inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kBlack{0, 0, 0};

// Each table lists a kind's entries as (type, name, default). The defaults are
// the values that most of the designs share.

#define QV_WINDOW_ENTRIES(E)            \
    E(int32_t, Placement, 0)            \
    E(int32_t, Width, 0)                \
    E(int32_t, Height, 0)               \
    E(int32_t, MinWidth, 64)            \
    E(int32_t, MinHeight, 64)           \
    E(int32_t, MaxWidth, 32000)         \
    E(int32_t, MaxHeight, 32000)        \
    E(int32_t, Frame, 0)                \
    E(bool, Composite, false)           \
    E(bool, HasBackColor, false)        \
    E(Color, BackColor, kWhite)         \
    E(std::string, Title, "")           \
    E(bool, Visible, true)              \
    E(bool, FullScreen, false)          \
    E(bool, MenuBarVisible, true)       \
    E(bool, CloseButton, true)          \
    E(bool, Resizeable, true)           \
    E(bool, LiveResize, true)           \
    E(bool, MaximizeButton, false)      \
    E(bool, MinimizeButton, true)       \
    E(int32_t, MacProcID, 0)

// The entries that open the list of every control but a line.
#define QV_CONTROL_HEAD(E)              \
    E(std::string, Name, "")            \
    E(int32_t, Index, kNoIndex)         \
    E(int32_t, Left, 0)                 \
    E(int32_t, Top, 0)                  \
    E(int32_t, Width, 0)                \
    E(int32_t, Height, 0)               \
    E(bool, LockLeft, false)            \
    E(bool, LockTop, false)             \
    E(bool, LockRight, false)           \
    E(bool, LockBottom, false)          \
    E(int32_t, TabPanelIndex, 0)        \
    E(int32_t, TabIndex, 0)

#define QV_TEXT_STYLE(E)                \
    E(std::string, TextFont, "System")  \
    E(bool, Bold, false)                \
    E(bool, Italic, false)              \
    E(bool, Underline, false)

#define QV_CANVAS_ENTRIES(E)            \
    QV_CONTROL_HEAD(E)                  \
    E(bool, TabStop, true)              \
    E(bool, Visible, true)              \
    E(std::string, HelpTag, "")         \
    E(bool, AutoDeactivate, true)       \
    E(bool, Enabled, true)              \
    E(bool, UseFocusRing, true)         \
    E(bool, AcceptFocus, false)         \
    E(bool, AcceptTabs, false)          \
    E(bool, DoubleBuffer, false)        \
    E(bool, EraseBackground, true)      \
    E(std::string, InitialParent, "")

#define QV_PUSH_BUTTON_ENTRIES(E)       \
    QV_CONTROL_HEAD(E)                  \
    E(bool, TabStop, true)              \
    E(std::string, Caption, "")         \
    E(bool, Default, false)             \
    E(bool, Cancel, false)              \
    E(bool, Enabled, true)              \
    E(bool, Visible, true)              \
    E(std::string, HelpTag, "")         \
    E(bool, AutoDeactivate, true)       \
    QV_TEXT_STYLE(E)                    \
    E(std::string, InitialParent, "")

#define QV_STATIC_TEXT_ENTRIES(E)       \
    QV_CONTROL_HEAD(E)                  \
    E(std::string, Text, "")            \
    E(int32_t, TextAlign, 0)            \
    E(Color, TextColor, kBlack)         \
    E(bool, Multiline, false)           \
    E(bool, Enabled, true)              \
    E(bool, Visible, true)              \
    E(std::string, HelpTag, "")         \
    E(bool, AutoDeactivate, true)       \
    QV_TEXT_STYLE(E)                    \
    E(std::string, DataSource, "")      \
    E(std::string, DataField, "")       \
    E(std::string, InitialParent, "")

#define QV_CHECK_BOX_ENTRIES(E)         \
    QV_CONTROL_HEAD(E)                  \
    E(bool, TabStop, true)              \
    E(std::string, Caption, "")         \
    E(bool, Enabled, true)              \
    E(bool, Visible, true)              \
    E(std::string, HelpTag, "")         \
    E(bool, AutoDeactivate, true)       \
    QV_TEXT_STYLE(E)                    \
    E(int32_t, State, 0)                \
    E(bool, Value, false)               \
    E(std::string, DataSource, "")      \
    E(std::string, DataField, "")       \
    E(std::string, InitialParent, "")

#define QV_RADIO_BUTTON_ENTRIES(E)      \
    QV_CONTROL_HEAD(E)                  \
    E(bool, TabStop, true)              \
    E(std::string, Caption, "")         \
    E(bool, Enabled, true)              \
    E(bool, Visible, true)              \
    E(std::string, HelpTag, "")         \
    E(bool, AutoDeactivate, true)       \
    QV_TEXT_STYLE(E)                    \
    E(bool, Value, false)               \
    E(std::string, InitialParent, "")

#define QV_SLIDER_ENTRIES(E)            \
    QV_CONTROL_HEAD(E)                  \
    E(bool, TabStop, true)              \
    E(bool, Enabled, true)              \
    E(bool, Visible, true)              \
    E(std::string, HelpTag, "")         \
    E(bool, AutoDeactivate, true)       \
    E(int32_t, Minimum, 0)              \
    E(int32_t, Value, 0)                \
    E(int32_t, Maximum, 100)            \
    E(int32_t, LineStep, 1)             \
    E(int32_t, PageStep, 20)            \
    E(bool, LiveScroll, false)          \
    E(int32_t, TickStyle, 0)            \
    E(std::string, InitialParent, "")

#define QV_SEPARATOR_ENTRIES(E)         \
    QV_CONTROL_HEAD(E)                  \
    E(bool, TabStop, true)              \
    E(std::string, InitialParent, "")   \
    E(bool, Visible, true)              \
    E(std::string, HelpTag, "")         \
    E(bool, AutoDeactivate, true)       \
    E(bool, Enabled, true)

// A line has no tab order and no locks, and its list gives Top before Left.
#define QV_LINE_ENTRIES(E)              \
    E(std::string, Name, "")            \
    E(int32_t, Index, kNoIndex)         \
    E(int32_t, Top, 0)                  \
    E(int32_t, Left, 0)                 \
    E(int32_t, Width, 0)                \
    E(int32_t, Height, 0)               \
    E(int32_t, X1, 0)                   \
    E(int32_t, X2, 0)                   \
    E(int32_t, Y1, 0)                   \
    E(int32_t, Y2, 0)                   \
    E(int32_t, TabPanelIndex, 0)        \
    E(bool, Visible, true)              \
    E(int32_t, BorderWidth, 1)          \
    E(Color, LineColor, kBlack)         \
    E(std::string, InitialParent, "")

#define QV_DESIGN_MEMBER(type, name, value) type name = value;

struct WindowDesign {
    QV_WINDOW_ENTRIES(QV_DESIGN_MEMBER)
    std::string Encode() const;
};

struct CanvasDesign {
    QV_CANVAS_ENTRIES(QV_DESIGN_MEMBER)
    std::string Encode() const;
};

struct PushButtonDesign {
    QV_PUSH_BUTTON_ENTRIES(QV_DESIGN_MEMBER)
    std::string Encode() const;
};

struct StaticTextDesign {
    QV_STATIC_TEXT_ENTRIES(QV_DESIGN_MEMBER)
    std::string Encode() const;
};

struct CheckBoxDesign {
    QV_CHECK_BOX_ENTRIES(QV_DESIGN_MEMBER)
    std::string Encode() const;
};

struct RadioButtonDesign {
    QV_RADIO_BUTTON_ENTRIES(QV_DESIGN_MEMBER)
    std::string Encode() const;
};

struct SliderDesign {
    QV_SLIDER_ENTRIES(QV_DESIGN_MEMBER)
    std::string Encode() const;
};

struct SeparatorDesign {
    QV_SEPARATOR_ENTRIES(QV_DESIGN_MEMBER)
    std::string Encode() const;
};

struct LineDesign {
    QV_LINE_ENTRIES(QV_DESIGN_MEMBER)
    std::string Encode() const;
};

#undef QV_DESIGN_MEMBER

}  // namespace qv::design
