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
        for (const char* op : {"Layout", "CreateControls", "_CreateControls0", "aboutOK_Action"}) t.AddVirtual(op);
        t.Bind("Layout", [](qv::Object& self) { static_cast<AboutWindow&>(self).Layout(); });
        t.Bind("CreateControls", [](qv::Object& self) { static_cast<AboutWindow&>(self).CreateControls(); });
        t.AddMethod("Layout", "%%");
        t.AddMethod("CreateControls", "%%");
        t.AddMethod("_CreateControls0", "%%", {{"__Scope", "Public"}, {"Hidden", ""}});
        t.AddMethod("StaticText1", "%o<StaticText>%s");
        t.AddMethod("aboutOK", "%o<PushButton>%s");
        t.AddMethod("aboutOK_Action", "%%");
    });
}

qv::Ref<AboutWindow> AboutWindow::Instance() { return qv::ImplicitInstance<AboutWindow>(); }

void AboutWindow::Layout() { qv::SetProperties(*this, design::AboutWindowList()); }

void AboutWindow::CreateControls() { CreateControls0(); }

void AboutWindow::CreateControls0() {
    qv::CreateControl(*this, qv::StaticText::Lookup(), "StaticText1", design::AboutStaticText1List(), 12.0f);
    qv::Ref<qv::Control> ok = qv::CreateControl(*this, qv::PushButton::Lookup(), "aboutOK", design::AboutOKList());
    qv::BindControlEvent(*this, *ok, "Action", &AboutWindow::aboutOK_Action);
}

void AboutWindow::aboutOK_Action(qv::Object& sender) {
    auto [Self, Me] = qv::RuntimeSwapSelfAndMe<AboutWindow, qv::PushButton>(sender);
    qv::NotNil(Instance())->Close();
}

}  // namespace quil
