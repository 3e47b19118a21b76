#include "AboutWindow.h"

#include "resources/AboutWindowDesign.h"

namespace quil {

namespace design = qv::design;

qv::ClassRef AboutWindow::Lookup() {
    static qv::ClassTable* ref = nullptr;
    return qv::BuildClassTable(ref, qv::Window::Lookup, [](qv::ClassTable& t) {
        t.name = "AboutWindow.AboutWindow";
        t.factory = qv::FactoryOf<AboutWindow>();
        t.attributes.push_back({"__Scope", "Public"});
        for (const char* op : {"Layout", "CreateControls", "_CreateControls0"}) t.AddVirtual(op);
        t.AddVirtual("aboutOK_Action", &AboutWindow::aboutOK_Action);
        t.Bind("Layout", [](qv::Object& self) { static_cast<AboutWindow&>(self).Layout(); });
        t.Bind("CreateControls", [](qv::Object& self) { static_cast<AboutWindow&>(self).CreateControls(); });
        t.AddMethod("Layout", "%%");
        t.AddMethod("CreateControls", "%%");
        t.AddMethod("_CreateControls0", "%%", {{"__Scope", "Public"}, {"Hidden", ""}});
        qv::AddControlAccessors(t, design::AboutWindowDesign());
        t.AddMethod("aboutOK_Action", "%%");
    });
}

qv::Ref<AboutWindow> AboutWindow::Instance() { return qv::ImplicitInstance<AboutWindow>(); }

void AboutWindow::Layout() { qv::SetProperties(*this, design::AboutWindowDesign().list); }

void AboutWindow::CreateControls() { CreateControls0(); }

void AboutWindow::CreateControls0() { qv::BuildControls(*this, design::AboutWindowDesign()); }

void AboutWindow::aboutOK_Action(qv::Object& sender) {
    auto [Self, Me] = qv::RuntimeSwapSelfAndMe<AboutWindow, qv::PushButton>(sender);
    qv::NotNil(Instance())->Close();
}

}  // namespace quil
