// The designs of the five settings windows and what they share. Their window lists
// differ only in frame, composite and title; all five open with the same OK and
// Cancel buttons, built from one pair of lists, and bind them to the same handlers.
#pragma once

#include "Design.h"
#include "framework/WindowDesign.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv::design {

// A settings window's own list: 600 by 400, resizable, with the given frame,
// composite flag and title.
std::string SettingsWindowList(int32_t frame, bool composite, std::string_view title);

// Each encoded once; every settings window holds these very lists.
const ControlDesign& SharedOK();
const ControlDesign& SharedCancel();

// The shared buttons first, then the window's own rows; the buttons' "Action"
// bindings, then the window's own.
WindowDesign SettingsDesign(int32_t frame, bool composite, std::string_view title, std::vector<Row> rows,
                            std::vector<EventBindingDesign> moreBindings = {});

// The String Randomize window's sliders and the labels that show their values, in
// slider order. The label names follow no rule, so each pair is stated here.
struct SliderReadout {
    const char* slider;
    const char* label;
};
const std::array<SliderReadout, 12>& SliderReadouts();

const WindowDesign& mWindowDesign();   // µ Structure
const WindowDesign& eeWindowDesign();  // Evolution Engine
const WindowDesign& qaWindowDesign();  // Quantum Architecture
const WindowDesign& srWindowDesign();  // String Randomize
const WindowDesign& raWindowDesign();  // Recursion Aggregator

}  // namespace qv::design
