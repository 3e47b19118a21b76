#include "mWindow.h"

#include "resources/SettingsDesign.h"

namespace quil {

qv::ClassRef mWindow::Lookup() {
    static qv::ClassTable* ref = nullptr;
    return BuildTable(ref, "mWindow.mWindow");
}

const qv::WindowDesign& mWindow::Design() { return qv::design::mWindowDesign(); }

}  // namespace quil
