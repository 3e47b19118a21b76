#include "App.h"

#include "AboutWindow.h"
#include "Menu.h"
#include "Window1.h"

namespace quil {

qv::ClassRef app::Lookup() {
    static qv::ClassTable* ref = nullptr;
    return qv::BuildClassTable(ref, qv::Application::Lookup, [](qv::ClassTable& t) {
        t.name = "app";
        t.factory = qv::FactoryOf<app>();
        t.AddVirtual("Event_EnableMenuItems");
        t.AddVirtual("_AppleAboutQuillevard_Action");
        t.AddVirtual("_WindowNew_Action");
        t.Bind("EnableMenuItems", [](qv::Object& self) { static_cast<app&>(self).Event_EnableMenuItems(); });
        t.AddMethod("Event_EnableMenuItems", "%%");
        t.AddMethod("_AppleAboutQuillevard_Action", "%b%");
        t.AddMethod("_WindowNew_Action", "%b%");
    });
}

void app::Event_EnableMenuItems() {
    qv::NotNil(AppleAboutQuillevard())->SetEnabled(true);
    qv::NotNil(WindowNew())->SetEnabled(true);
}

bool app::AppleAboutQuillevard_Action() {
    qv::NotNil(AboutWindow::Instance())->Show();
    return false;
}

bool app::WindowNew_Action() {
    // A further main window, made directly rather than through the implicit instance.
    qv::Ref<qv::Object> made = qv::RuntimeNewObject(Window1::Lookup());
    qv::NotNil(qv::RuntimeCheckCast<Window1>(made))->Constructor();
    return false;
}

qv::Ref<app> App() { return qv::RuntimeCheckCast<app>(qv::GetAppObject()); }

}  // namespace quil
