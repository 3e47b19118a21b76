// The Quantum Architecture settings window: the radio sets rb2 and rb3, a slider
// and six check boxes.
#pragma once

#include "RadioSet.h"
#include "SettingsWindow.h"

namespace quil {

class qaWindow : public SettingsWindow<qaWindow> {
public:
    static qv::ClassRef Lookup();
    static const qv::WindowDesign& Design();
    static std::vector<qv::ControlSetClass> ControlSets();

    class rb2;
    class rb3;
};

class qaWindow::rb2 : public RadioSet<qaWindow::rb2> {
public:
    static constexpr const char* kClassName = "qaWindow.rb2";
    static constexpr const char* kSetName = "rb2";
    static const qv::WindowDesign& Design() { return qaWindow::Design(); }
};

class qaWindow::rb3 : public RadioSet<qaWindow::rb3> {
public:
    static constexpr const char* kClassName = "qaWindow.rb3";
    static constexpr const char* kSetName = "rb3";
    static const qv::WindowDesign& Design() { return qaWindow::Design(); }
};

}  // namespace quil
