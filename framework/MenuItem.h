// Menu items and menu bars: a tree of items found again by Name. Windows show a
// menu bar as Qt menus built from this tree.
#pragma once

#include "Object.h"

#include <string>
#include <string_view>
#include <vector>

namespace qv {

class MenuItem : public Object {
public:
    static ClassRef Lookup();
    ~MenuItem() override;

    virtual void Constructor() {}

    const std::string& Name() const { return name_; }
    void SetName(std::string_view n) { name_ = n; }
    const std::string& Text() const { return text_; }
    void SetText(std::string_view t) { text_ = t; }
    const std::string& KeyboardShortcut() const { return shortcut_; }
    void SetKeyboardShortcut(std::string_view s) { shortcut_ = s; }
    bool AutoEnable() const { return autoEnable_; }
    void SetAutoEnable(bool a) { autoEnable_ = a; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool e) { enabled_ = e; }

    bool IsSeparator() const { return text_ == "-"; }

    // The direct child of that Name, or nil.
    Ref<MenuItem> Child(std::string_view name) const;
    // The item of that Name at any depth below this one, or nil.
    Ref<MenuItem> Lookup(std::string_view name) const;
    void Append(const Ref<MenuItem>& item);
    int32_t Count() const { return static_cast<int32_t>(children_.size()); }
    Ref<MenuItem> Item(int32_t index) const;
    MenuItem* Parent() const { return parent_; }

private:
    std::string name_, text_, shortcut_;
    bool autoEnable_ = false;
    bool enabled_ = false;
    std::vector<Ref<MenuItem>> children_;
    MenuItem* parent_ = nullptr;
};

class MenuBar : public MenuItem {
public:
    static ClassRef Lookup();
    using MenuItem::Lookup;
};

// Choosing it ends the event loop.
class QuitMenuItem : public MenuItem {
public:
    static ClassRef Lookup();
    using MenuItem::Lookup;
};

class AppleMenuItem : public MenuItem {
public:
    static ClassRef Lookup();
    using MenuItem::Lookup;
};

// "Cmd+N" → "Ctrl+N": the key equivalent in Qt's portable text form, empty for none.
std::string ShortcutToKeySequence(std::string_view shortcut);

}  // namespace qv
