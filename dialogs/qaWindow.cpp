#include "qaWindow.h"

#include "resources/SettingsDesign.h"

namespace quil {

qv::ClassRef qaWindow::Lookup() {
    static qv::ClassTable* ref = nullptr;
    return BuildTable(ref, "qaWindow.qaWindow");
}

const qv::WindowDesign& qaWindow::Design() { return qv::design::qaWindowDesign(); }

std::vector<qv::ControlSetClass> qaWindow::ControlSets() { return {{"rb2", &rb2::Lookup}, {"rb3", &rb3::Lookup}}; }

}  // namespace quil
