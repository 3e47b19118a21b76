#include "raWindow.h"

#include "resources/SettingsDesign.h"

namespace quil {

qv::ClassRef raWindow::Lookup() {
    static qv::ClassTable* ref = nullptr;
    return BuildTable(ref, "raWindow.raWindow");
}

const qv::WindowDesign& raWindow::Design() { return qv::design::raWindowDesign(); }

}  // namespace quil
