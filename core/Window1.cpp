#include "Window1.h"

#include "Backdrop.h"
#include "Menu.h"
#include "eeWindow.h"
#include "mWindow.h"
#include "qaWindow.h"
#include "raWindow.h"
#include "srWindow.h"
#include "resources/MainWindowDesign.h"

#include <string>

namespace quil {

namespace design = qv::design;

namespace {

// The menu-item accessors in their order, each with the class of the item it returns.
struct MenuItemAccessor {
    const char* name;
    const char* itemClass;
};

const MenuItemAccessor menuItemAccessors[] = {
    {"HelpMenu", "MenuItem"},          {"AppleAboutQuillevard", "AppleMenuItem"},
    {"SettingsMenu", "MenuItem"},      {"SettingsStringRandomizing", "MenuItem"},
    {"SettingsRecursionAggregator", "MenuItem"}, {"SettingsQuantum", "MenuItem"},
    {"vSeparator", "MenuItem"},        {"SettingsEvolutionEngine", "MenuItem"},
    {"Settings\xC2\xB5structure", "MenuItem"}, {"UntitledMenu0", "MenuItem"},
    {"EditClear", "MenuItem"},         {"EditPaste", "MenuItem"},
    {"EditCopy", "MenuItem"},          {"EditCut", "MenuItem"},
    {"UntitledMenu1", "MenuItem"},     {"EditUndo", "MenuItem"},
    {"UntitledMenu3", "MenuItem"},     {"UntitledMenu2", "MenuItem"},
    {"FileQuit", "QuitMenuItem"},      {"UntitledSeparator", "MenuItem"},
    {"FileExtendRealityLinks", "MenuItem"}, {"FileRenew", "MenuItem"},
    {"WindowNew", "MenuItem"}};

// The Settings items' Names and their handlers, in the order they are bound.
struct SettingsHandler {
    const char* item;
    const char* operation;
    bool (Window1::*handler)();
};

const SettingsHandler settingsHandlers[] = {
    {"Settings\xC2\xB5structure", "_Settings\xC2\xB5structure_Action", &Window1::Settingsµstructure_Action},
    {"SettingsEvolutionEngine", "_SettingsEvolutionEngine_Action", &Window1::SettingsEvolutionEngine_Action},
    {"SettingsQuantum", "_SettingsQuantum_Action", &Window1::SettingsQuantum_Action},
    {"SettingsRecursionAggregator", "_SettingsRecursionAggregator_Action", &Window1::SettingsRecursionAggregator_Action},
    {"SettingsStringRandomizing", "_SettingsStringRandomizing_Action", &Window1::SettingsStringRandomizing_Action},
};

// Shows the implicit instance of a settings window.
template <class W>
bool ShowSettings() {
    qv::Ref<W> window = W::Instance();
    qv::NotNil(window)->Show();
    return true;
}

}  // namespace

qv::ClassRef Window1::Lookup() {
    static qv::ClassTable* ref = nullptr;
    return qv::BuildClassTable(ref, qv::Window::Lookup, [](qv::ClassTable& t) {
        t.name = "Window1.Window1";
        t.factory = qv::FactoryOf<Window1>();
        t.finaliser = [](qv::Object& o) { static_cast<Window1&>(o).drawThread = nullptr; };
        t.attributes.push_back({"__Scope", "Public"});
        t.AddProperty("drawThread", "BackgroundDrawing");
        for (const char* op : {"Layout", "CreateControls", "_CreateControls0"}) t.AddVirtual(op);
        t.AddVirtual("StartButton_Action", &Window1::StartButton_Action);
        t.AddVirtual("StopButton_Action", &Window1::StopButton_Action);
        for (const MenuItemAccessor& accessor : menuItemAccessors) t.AddVirtual(accessor.name);
        t.AddVirtual("AddMenuHandlers");
        t.AddVirtual("Event_Close");
        for (const SettingsHandler& h : settingsHandlers) t.AddVirtual(h.operation);

        t.Bind("Layout", [](qv::Object& self) { static_cast<Window1&>(self).Layout(); });
        t.Bind("CreateControls", [](qv::Object& self) { static_cast<Window1&>(self).CreateControls(); });
        t.Bind("AddMenuHandlers", [](qv::Object& self) {
            static_cast<Window1&>(self).AddMenuHandlers(static_cast<qv::Window&>(self));
        });
        t.Bind("Close", [](qv::Object& self) { static_cast<Window1&>(self).Event_Close(); });

        t.AddMethod("Layout", "%%");
        t.AddMethod("CreateControls", "%%");
        t.AddMethod("_CreateControls0", "%%", {{"__Scope", "Public"}, {"Hidden", ""}});
        qv::AddControlAccessors(t, design::Window1Design());
        t.AddMethod("StartButton_Action", "%%");
        t.AddMethod("StopButton_Action", "%%");
        for (const MenuItemAccessor& accessor : menuItemAccessors)
            t.AddMethod(accessor.name, std::string("%o<") + accessor.itemClass + ">%");
        t.AddMethod("AddMenuHandlers", "%%o<Window>");
        t.AddMethod("Event_Close", "%%");
        for (const SettingsHandler& h : settingsHandlers) t.AddMethod(h.operation, "%b%");
    });
}

qv::Ref<Window1> Window1::Instance() { return qv::ImplicitInstance<Window1>(); }

void Window1::Layout() {
    SetBackdrop(x_quil1::quil1());
    SetMenuBar(Menu::Instance());
    qv::SetProperties(*this, design::Window1Design().list);
}

void Window1::CreateControls() { CreateControls0(); }

void Window1::CreateControls0() { qv::BuildControls(*this, design::Window1Design()); }

void Window1::AddMenuHandlers(qv::Window& w) {
    qv::Ref<Window1> self = qv::NotNil(qv::RuntimeCheckCast<Window1>(&w));
    for (const SettingsHandler& h : settingsHandlers) qv::BindMenuHandler(*self, h.item, h.handler);
}

bool Window1::Settingsµstructure_Action() { return ShowSettings<mWindow>(); }
bool Window1::SettingsEvolutionEngine_Action() { return ShowSettings<eeWindow>(); }
bool Window1::SettingsQuantum_Action() { return ShowSettings<qaWindow>(); }
bool Window1::SettingsRecursionAggregator_Action() { return ShowSettings<raWindow>(); }
bool Window1::SettingsStringRandomizing_Action() { return ShowSettings<srWindow>(); }

void Window1::StartButton_Action(qv::Object& sender) {
    auto [Self, Me] = qv::RuntimeSwapSelfAndMe<Window1, qv::PushButton>(sender);
    // A thread that is still ending keeps running: it holds its own reference.
    Self->drawThread = qv::RuntimeCheckCast<BackgroundDrawing>(Self->New(BackgroundDrawing::Lookup()));
    qv::NotNil(Self->drawThread)->TheCanvas = qv::RuntimeCheckCast<qv::Canvas>(qv::RuntimeWindowControlByName(*Self, "Canvas1"));
    Self->drawThread->Run();
    Me->SetEnabled(false);
    qv::NotNil(qv::RuntimeWindowControlByName(*Self, "StopButton"))->SetEnabled(true);
}

void Window1::StopButton_Action(qv::Object& sender) {
    auto [Self, Me] = qv::RuntimeSwapSelfAndMe<Window1, qv::PushButton>(sender);
    qv::NotNil(Self->drawThread)->Stop.store(true, std::memory_order_release);
    Me->SetEnabled(false);
    qv::NotNil(qv::RuntimeWindowControlByName(*Self, "StartButton"))->SetEnabled(true);
}

void Window1::Event_Close() {
    // "cease" is enabled exactly while a thread of this window paints.
    if (qv::NotNil(qv::RuntimeWindowControlByName(*this, "StopButton"))->Enabled())
        qv::NotNil(drawThread)->Stop.store(true, std::memory_order_release);
}

template <class T>
qv::Ref<T> Window1::MenuItemNamed(std::string_view name) {
    qv::Ref<qv::MenuBar> bar = qv::NotNil(MenuBar());
    return qv::RuntimeCheckCast<T>(bar->Lookup(name));
}

qv::Ref<qv::MenuItem> Window1::HelpMenu() { return MenuItemNamed<qv::MenuItem>("HelpMenu"); }
qv::Ref<qv::AppleMenuItem> Window1::AppleAboutQuillevard() { return MenuItemNamed<qv::AppleMenuItem>("AppleAboutQuillevard"); }
qv::Ref<qv::MenuItem> Window1::SettingsMenu() { return MenuItemNamed<qv::MenuItem>("SettingsMenu"); }
qv::Ref<qv::MenuItem> Window1::SettingsStringRandomizing() { return MenuItemNamed<qv::MenuItem>("SettingsStringRandomizing"); }
qv::Ref<qv::MenuItem> Window1::SettingsRecursionAggregator() { return MenuItemNamed<qv::MenuItem>("SettingsRecursionAggregator"); }
qv::Ref<qv::MenuItem> Window1::SettingsQuantum() { return MenuItemNamed<qv::MenuItem>("SettingsQuantum"); }
qv::Ref<qv::MenuItem> Window1::vSeparator() { return MenuItemNamed<qv::MenuItem>("vSeparator"); }
qv::Ref<qv::MenuItem> Window1::SettingsEvolutionEngine() { return MenuItemNamed<qv::MenuItem>("SettingsEvolutionEngine"); }
qv::Ref<qv::MenuItem> Window1::Settingsµstructure() { return MenuItemNamed<qv::MenuItem>("Settingsµstructure"); }
qv::Ref<qv::MenuItem> Window1::UntitledMenu0() { return MenuItemNamed<qv::MenuItem>("UntitledMenu0"); }
qv::Ref<qv::MenuItem> Window1::EditClear() { return MenuItemNamed<qv::MenuItem>("EditClear"); }
qv::Ref<qv::MenuItem> Window1::EditPaste() { return MenuItemNamed<qv::MenuItem>("EditPaste"); }
qv::Ref<qv::MenuItem> Window1::EditCopy() { return MenuItemNamed<qv::MenuItem>("EditCopy"); }
qv::Ref<qv::MenuItem> Window1::EditCut() { return MenuItemNamed<qv::MenuItem>("EditCut"); }
qv::Ref<qv::MenuItem> Window1::UntitledMenu1() { return MenuItemNamed<qv::MenuItem>("UntitledMenu1"); }
qv::Ref<qv::MenuItem> Window1::EditUndo() { return MenuItemNamed<qv::MenuItem>("EditUndo"); }
qv::Ref<qv::MenuItem> Window1::UntitledMenu3() { return MenuItemNamed<qv::MenuItem>("UntitledMenu3"); }
qv::Ref<qv::MenuItem> Window1::UntitledMenu2() { return MenuItemNamed<qv::MenuItem>("UntitledMenu2"); }
qv::Ref<qv::QuitMenuItem> Window1::FileQuit() { return MenuItemNamed<qv::QuitMenuItem>("FileQuit"); }
qv::Ref<qv::MenuItem> Window1::UntitledSeparator() { return MenuItemNamed<qv::MenuItem>("UntitledSeparator"); }
qv::Ref<qv::MenuItem> Window1::FileExtendRealityLinks() { return MenuItemNamed<qv::MenuItem>("FileExtendRealityLinks"); }
qv::Ref<qv::MenuItem> Window1::FileRenew() { return MenuItemNamed<qv::MenuItem>("FileRenew"); }
qv::Ref<qv::MenuItem> Window1::WindowNew() { return MenuItemNamed<qv::MenuItem>("WindowNew"); }

}  // namespace quil
