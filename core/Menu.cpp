#include "Menu.h"

#include "App.h"

#include <optional>
#include <span>

namespace quil {
namespace {

struct Row {
    qv::ClassRef (*cls)();
    const char* name;
    const char* text;
    std::optional<const char*> shortcut;  // none: the setter is not called at all
    bool autoEnable;
};

qv::ClassRef ItemClass() { return qv::MenuItem::Lookup(); }
qv::ClassRef QuitClass() { return qv::QuitMenuItem::Lookup(); }
qv::ClassRef AboutClass() { return qv::AppleMenuItem::Lookup(); }
constexpr std::nullopt_t none = std::nullopt;

// The first row of each menu is its title.
const Row fileMenu[] = {
    {ItemClass, "UntitledMenu2", "File", "", false},
    {ItemClass, "WindowNew", "New", "Cmd+N", false},
    {ItemClass, "FileRenew", "Renew", "", true},
    {ItemClass, "FileExtendRealityLinks", "Extend Reality Links", "", true},
    {ItemClass, "UntitledSeparator", "-", none, true},
    {QuitClass, "FileQuit", "Quit", "Cmd+Q", true},
};

const Row editMenu[] = {
    {ItemClass, "UntitledMenu0", "Edit", "", false},
    {ItemClass, "EditUndo", "Undo", "Cmd+Z", false},
    {ItemClass, "UntitledMenu1", "-", none, false},
    {ItemClass, "EditCut", "Cut", "Cmd+X", false},
    {ItemClass, "EditCopy", "Copy", "Cmd+C", false},
    {ItemClass, "EditPaste", "Paste", "Cmd+V", false},
    {ItemClass, "EditClear", "Clear", "", false},
};

const Row settingsMenu[] = {
    {ItemClass, "SettingsMenu", "Settings", "", true},
    {ItemClass, "Settingsµstructure", "µ Structure", "Cmd+M", true},
    {ItemClass, "SettingsEvolutionEngine", "Evolution Engine", "Cmd+E", true},
    {ItemClass, "vSeparator", "-", none, true},
    {ItemClass, "SettingsQuantum", "Quantum Architecture", "Cmd+U", true},
    {ItemClass, "SettingsRecursionAggregator", "Recursion Aggregator", "Cmd+R", true},
    {ItemClass, "SettingsStringRandomizing", "String Randomizing", "Cmd+T", true},
};

const Row helpMenu[] = {
    {ItemClass, "HelpMenu", "Help", "", true},
    {AboutClass, "AppleAboutQuillevard", "About Quilevard…", "", false},
};

qv::Ref<qv::MenuItem> MakeItem(const Row& row) {
    auto item = qv::RuntimeCheckCast<qv::MenuItem>(qv::RuntimeNewObject(row.cls()));
    qv::NotNil(item)->Constructor();
    item->SetName(row.name);
    item->SetAutoEnable(row.autoEnable);
    item->SetText(row.text);
    if (row.shortcut) item->SetKeyboardShortcut(*row.shortcut);
    return item;
}

// The title goes onto the bar before any of its items is made; each item is
// appended to the title found anew by its Name.
void BuildMenu(qv::MenuBar& bar, std::span<const Row> rows) {
    bar.Append(MakeItem(rows.front()));
    for (const Row& row : rows.subspan(1)) {
        qv::Ref<qv::MenuItem> item = MakeItem(row);
        qv::NotNil(bar.Child(rows.front().name))->Append(item);
    }
}

// One of the application's menu bar's items, by Name.
template <class T>
qv::Ref<T> ApplicationMenuItem(std::string_view name) {
    qv::Ref<app> application = qv::NotNil(App());
    qv::Ref<qv::MenuBar> bar = qv::NotNil(application->MenuBar());
    return qv::RuntimeCheckCast<T>(bar->Lookup(name));
}

}  // namespace

qv::Ref<Menu> Menu::implicitInstance;

qv::ClassRef Menu::Lookup() {
    static qv::ClassTable* ref = nullptr;
    return qv::BuildClassTable(ref, qv::MenuBar::Lookup, [](qv::ClassTable& t) {
        t.name = "Menu.Menu";
        t.factory = qv::FactoryOf<Menu>();
        for (const char* op : {"Untitled0", "Untitled2", "Untitled3", "Untitled4"}) t.AddVirtual(op);
        for (const char* m : {"Untitled0", "Untitled2", "Untitled3", "Untitled4", "Constructor"}) t.AddMethod(m, "%%");
        t.attributes.push_back({"__Scope", "Public"});
    });
}

qv::Ref<Menu> Menu::Instance() {
    if (!implicitInstance) {
        auto made = qv::RuntimeCheckCast<Menu>(qv::RuntimeNewObject(Lookup()));
        qv::NotNil(made)->Constructor();
        // Stored only once it is whole: a failed build leaves no bar behind.
        implicitInstance = made;
    }
    return implicitInstance;
}

void Menu::ImplicitInstance_Exit() { implicitInstance = nullptr; }

void Menu::Constructor() {
    Untitled0();
    Untitled2();
    Untitled3();
    Untitled4();
}

void Menu::Untitled0() { BuildMenu(*this, fileMenu); }
void Menu::Untitled2() { BuildMenu(*this, editMenu); }
void Menu::Untitled3() { BuildMenu(*this, settingsMenu); }
void Menu::Untitled4() { BuildMenu(*this, helpMenu); }

qv::Ref<qv::AppleMenuItem> AppleAboutQuillevard() { return ApplicationMenuItem<qv::AppleMenuItem>("AppleAboutQuillevard"); }
qv::Ref<qv::MenuItem> WindowNew() { return ApplicationMenuItem<qv::MenuItem>("WindowNew"); }

}  // namespace quil
