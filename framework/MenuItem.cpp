#include "MenuItem.h"

#include "ClassTable.h"
#include "Exceptions.h"

namespace qv {
namespace {

const std::vector<std::string>& MenuItemOperations() {
    static const std::vector<std::string> ops = {
        "Enable",  "Close",      "Item",        "Count",   "Child",           "Append",         "Insert",
        "Remove",  "Remove",     "Remove",      "_Lookup", "_Lookup",         "MenuItem",       "Constructor",
        "PopUp",   "PopUp",      "_Swap",       "_DisableEntirely", "_SelfEnable", "MenuItem",  "Constructor"};
    return ops;
}

}  // namespace

ClassRef MenuItem::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, ObjectClass, [](ClassTable& t) {
        t.name = "MenuItem";
        t.factory = FactoryOf<MenuItem>();
        t.vtable = MenuItemOperations();
        t.events = {"Action", "EnableMenu"};
    });
}

ClassRef MenuBar::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, MenuItem::Lookup, [](ClassTable& t) {
        t.name = "MenuBar";
        t.factory = FactoryOf<MenuBar>();
        t.AddVirtual("_InstallClone");
        t.AddVirtual("__DependencyList");
    });
}

ClassRef QuitMenuItem::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, MenuItem::Lookup, [](ClassTable& t) {
        t.name = "QuitMenuItem";
        t.factory = FactoryOf<QuitMenuItem>();
    });
}

ClassRef AppleMenuItem::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, MenuItem::Lookup, [](ClassTable& t) {
        t.name = "AppleMenuItem";
        t.factory = FactoryOf<AppleMenuItem>();
    });
}

// Children that others still hold are in no menu from now on.
MenuItem::~MenuItem() {
    for (const auto& c : children_) c->parent_ = nullptr;
}

Ref<MenuItem> MenuItem::Child(std::string_view name) const {
    for (const auto& c : children_)
        if (c->Name() == name) return c;
    return nullptr;
}

Ref<MenuItem> MenuItem::Lookup(std::string_view name) const {
    for (const auto& c : children_) {
        if (c->Name() == name) return c;
        if (Ref<MenuItem> below = c->Lookup(name)) return below;
    }
    return nullptr;
}

void MenuItem::Append(const Ref<MenuItem>& item) {
    if (!item) RaiseNilObjectException();
    for (const MenuItem* p = this; p; p = p->parent_)
        if (p == item.get()) throw RuntimeException("a menu item cannot be appended below itself");
    if (item->parent_) throw RuntimeException("menu item " + item->Name() + " is already in a menu");
    item->parent_ = this;
    children_.push_back(item);
}

Ref<MenuItem> MenuItem::Item(int32_t index) const {
    if (index < 0 || index >= Count()) throw RuntimeException("menu item index " + std::to_string(index) + " is out of bounds");
    return children_[static_cast<size_t>(index)];
}

std::string ShortcutToKeySequence(std::string_view shortcut) {
    constexpr std::string_view cmd = "Cmd+";
    if (shortcut.substr(0, cmd.size()) == cmd) return "Ctrl+" + std::string(shortcut.substr(cmd.size()));
    return std::string(shortcut);
}

}  // namespace qv
