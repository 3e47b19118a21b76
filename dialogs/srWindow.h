// The String Randomize settings window: twelve two-position sliders, each echoing
// its value in a label of its own.
#pragma once

#include "SettingsWindow.h"

#include <cstddef>

namespace quil {

class srWindow : public SettingsWindow<srWindow> {
public:
    static qv::ClassRef Lookup();
    static const qv::WindowDesign& Design();

    // Slider1_ValueChanged to Slider12_ValueChanged: slider n (from 1) writes its
    // value into its own label. The label is looked up first, then the slider;
    // either missing, or not of its kind, raises the nil-object exception before
    // anything is written.
    void SliderValueChanged(std::size_t n, qv::Object& sender);
};

}  // namespace quil
