// Windows: a Qt top-level widget whose content area holds the controls at their
// design positions, with the menu bar, when it has one, above the content area.
#pragma once

#include "Color.h"
#include "Control.h"
#include "Delegate.h"
#include "MenuItem.h"
#include "Object.h"
#include "Picture.h"
#include "PropertyList.h"

#include <map>
#include <optional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace qv {

class Control;
class WindowWidget;

struct WindowProperties {
    int32_t Placement = 0, Width = 100, Height = 100;
    int32_t MinWidth = 64, MinHeight = 64, MaxWidth = 32000, MaxHeight = 32000;
    int32_t Frame = 0;
    bool Composite = false, HasBackColor = false;
    Color BackColor{255, 255, 255};
    std::string Title;
    bool Visible = false, FullScreen = false, MenuBarVisible = true, CloseButton = true, Resizeable = true,
         LiveResize = true, MaximizeButton = false, MinimizeButton = true;
    int32_t MacProcID = 0;
};

class Window : public PropertyTarget {
public:
    static ClassRef Lookup();
    static const PropertyKind& Kind();
    const PropertyKind& TargetKind() const override { return Kind(); }
    Window();
    ~Window() override;
    bool GuiAffine() const override { return true; }

    // Builds the window: raises "Layout", "CreateControls" and "AddMenuHandlers",
    // then shows it when its list set Visible.
    void Constructor();
    void Show();
    void Hide();
    // Raises "Close", ends the window's being its class's implicit instance and
    // destroys it. The widgets go once the current event has been handled.
    void Close();
    bool IsOpen() const { return open_; }

    // __New: a new object of the class, made for this window; no constructor runs.
    Ref<Object> New(ClassRef cls);
    void AddControl(std::string_view name, const Ref<Control>& control);
    const std::vector<Ref<Control>>& Controls() const { return controls_; }

    Ref<Picture> Backdrop() const { return backdrop_; }
    void SetBackdrop(Ref<Picture> picture);
    Ref<qv::MenuBar> MenuBar() const { return menuBar_; }
    void SetMenuBar(Ref<qv::MenuBar> bar);
    // The bar this window shows: its own, or else the application's.
    Ref<qv::MenuBar> ShownMenuBar() const { return menuBar_ ? menuBar_ : applicationBar_; }

    void AddMenuHandler(std::string_view itemName, MenuEntry entry);
    const MenuEntry* MenuHandler(std::string_view itemName) const;

    const WindowProperties& Properties() const { return props_; }
    int32_t Width() const { return props_.Width; }
    int32_t Height() const { return props_.Height; }
    const std::string& Title() const { return props_.Title; }
    bool Visible() const { return props_.Visible; }

    // The keys that stand for a control: Return for the default button, Escape
    // for the cancel button. The first enabled control registered for a key answers it.
    enum class Key { Return, Escape };
    void SetKeyControl(Key key, Control* control, bool registered);
    // Presses the control registered for the key; false when none answers it.
    bool PressKeyControl(Key key);

    // The Qt side, for the framework and for tests that drive real widgets.
    QWidget* Widget() const;
    QWidget* ContentArea() const;
    // Brings the Qt menus in line with the items' Enabled after an enabling pass.
    void SyncMenus();

private:
    friend class WindowWidget;
    void ApplyGeometry();
    void OnCloseBox();
    void Destroy();
    void ShowMenus();
    void PropertyApplied(std::string_view name) override;

    WindowProperties props_;
    std::vector<Control*> keyControls_[2];  // the controls stay in controls_ while listed here
    WindowWidget* widget_ = nullptr;  // owned by Qt once made; see Destroy
    std::vector<Ref<Control>> controls_;
    Ref<Picture> backdrop_;
    Ref<qv::MenuBar> menuBar_;
    Ref<qv::MenuBar> applicationBar_;  // shown while the window has no bar of its own
    std::map<std::string, MenuEntry, std::less<>> menuHandlers_;
    bool open_ = false;
    bool closing_ = false;
};

// The open window that is the implicit instance of the class of that name, or nil.
Ref<Window> GetImplicitWindow(std::string_view className);
// Every open window, in the order they were built.
std::vector<Ref<Window>> OpenWindows();

Ref<Control> RuntimeWindowControlByName(Window& window, std::string_view name);
Ref<Control> RuntimeWindowControlByNameIndex(Window& window, std::string_view name, int32_t index);

// Module-level releases at shut-down.
void ReleaseImplicitWindowList();
void ReleaseRedrawList();
void ReleaseWindowList();

// The implicit-instance accessor shared by every window class.
template <class W>
Ref<W> ImplicitInstance() {
    Ref<Window> w = GetImplicitWindow(W::Lookup()->name);
    if (!w) {
        auto made = RuntimeNewObject(W::Lookup());
        w = Ref<Window>(static_cast<Window*>(made.get()));
        w->Constructor();
    }
    return RuntimeCheckCast<W>(w);
}

}  // namespace qv

namespace qv {

// The one routine by which a window makes a control: a new object of the class made
// for the window, its Constructor, the window takes it under its name; then, on the
// control found again by name (and index, for a control-set member), a text-bearing
// control gets its TextSize where the design gives one and TextUnit 0, and last the
// control's own property list.
Ref<Control> CreateControl(Window& window, ClassRef cls, std::string_view name, std::string_view list,
                           std::optional<float> textSize = std::nullopt, std::optional<int32_t> setIndex = std::nullopt);

// Binds a control's event to the window's virtual operation of that name.
void BindControlEvent(Window& window, Control& control, std::string_view event, std::string_view operation);

// Binds a menu item's Name to a handler method of a window or of the application.
template <class Owner>
void BindMenuHandler(Owner& owner, std::string_view itemName, bool (Owner::*method)()) {
    Ref<Delegate> d = RuntimeCreateDelegate(Thunk::IM_Invoke, method, &owner, "(  ) as Boolean");
    owner.AddMenuHandler(itemName, d->template FunctionEntry<MenuEntry>());
}

}  // namespace qv
