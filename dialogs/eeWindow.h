// The Evolution Engine settings window: five labelled sliders and the radio set rb1.
#pragma once

#include "RadioSet.h"
#include "SettingsWindow.h"

namespace quil {

class eeWindow : public SettingsWindow<eeWindow> {
public:
    static qv::ClassRef Lookup();
    static const qv::WindowDesign& Design();
    static std::vector<qv::ControlSetClass> ControlSets();

    class rb1;
};

class eeWindow::rb1 : public RadioSet<eeWindow::rb1> {
public:
    static constexpr const char* kClassName = "eeWindow.rb1";
    static constexpr const char* kSetName = "rb1";
    static const qv::WindowDesign& Design() { return eeWindow::Design(); }
};

}  // namespace quil
