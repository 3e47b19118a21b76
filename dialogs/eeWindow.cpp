#include "eeWindow.h"

#include "resources/SettingsDesign.h"

namespace quil {

qv::ClassRef eeWindow::Lookup() {
    static qv::ClassTable* ref = nullptr;
    return BuildTable(ref, "eeWindow.eeWindow");
}

const qv::WindowDesign& eeWindow::Design() { return qv::design::eeWindowDesign(); }

std::vector<qv::ControlSetClass> eeWindow::ControlSets() { return {{"rb1", &rb1::Lookup}}; }

}  // namespace quil
