// Menus at work: the enabling pass, the dispatch of a chosen item, and the Qt menu
// bar that shows an item tree in a window.
#pragma once

#include "MenuItem.h"
#include "Object.h"

namespace qv {

class Window;
class WindowWidget;

// The enabling pass for the menus that this window shows: AutoEnable, then the
// window's own handlers (or, for an item it has none for, the latest open window's
// that has one), then the application's "EnableMenuItems" event.
void RunEnablingPass(Window* window);
// A chosen item: the window's handler for its Name (or the latest open window's that
// has one), then the application's, then the quit action for a quit item.
void DispatchMenuCommand(Window* window, const Ref<MenuItem>& item);

// Gives the window's widget a Qt menu bar with the bar's menus, or none for nil.
void ShowMenuBar(WindowWidget& widget, MenuBar* bar);

}  // namespace qv
