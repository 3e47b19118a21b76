#include "Menus.h"

#include "Application.h"
#include "ClassTable.h"
#include "Window.h"
#include "WindowWidget.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <functional>

namespace qv {

namespace {

void ForEachItemBelow(const MenuItem& parent, const std::function<void(MenuItem&)>& fn) {
    for (int32_t i = 0; i < parent.Count(); ++i) {
        Ref<MenuItem> child = parent.Item(i);
        fn(*child);
        ForEachItemBelow(*child, fn);
    }
}

QString Caption(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).replace('&', "&&");
}

// The window whose handler serves the item: the chosen window when it has one, else
// the latest open window that has one (a main window serves its menu items also
// while an About or settings window is in front).
Ref<Window> ServingWindow(Window* chosen, std::string_view itemName) {
    if (chosen && chosen->MenuHandler(itemName)) return Ref<Window>(chosen);
    const std::vector<Ref<Window>> open = OpenWindows();
    for (auto it = open.rbegin(); it != open.rend(); ++it)
        if ((*it)->MenuHandler(itemName)) return *it;
    return nullptr;
}

}  // namespace

void RunEnablingPass(Window* window) {
    Ref<Window> holdWindow(window);
    Ref<Application> app = GetAppObject();
    Ref<MenuBar> bar = window ? window->ShownMenuBar() : (app ? app->MenuBar() : nullptr);
    if (!bar) return;
    for (int32_t i = 0; i < bar->Count(); ++i) {
        Ref<MenuItem> title = bar->Item(i);
        title->SetEnabled(true);
        ForEachItemBelow(*title, [](MenuItem& item) { item.SetEnabled(item.AutoEnable()); });
    }
    if (window) {
        RaiseEvent(*window, "EnableMenuItems");
        ForEachItemBelow(*bar, [&](MenuItem& item) {
            if (ServingWindow(window, item.Name())) item.SetEnabled(true);
        });
    }
    if (app) RaiseEvent(*app, "EnableMenuItems");
    for (const Ref<Window>& w : OpenWindows())
        if (w->ShownMenuBar() == bar) w->SyncMenus();
}

void DispatchMenuCommand(Window* window, const Ref<MenuItem>& item) {
    if (!item) return;
    Ref<Window> holdWindow(window);
    RunEnablingPass(window);
    if (!item->Enabled()) return;
    if (window)
        if (Ref<Window> serving = ServingWindow(window, item->Name()))
            if ((*serving->MenuHandler(item->Name()))()) return;
    if (Ref<Application> app = GetAppObject())
        if (const MenuEntry* h = app->MenuHandler(item->Name()); h && (*h)()) return;
    if (RuntimeCheckCast<QuitMenuItem>(item)) Quit();
}

void ShowMenuBar(WindowWidget& ww, MenuBar* shown) {
    ww.ClearActions();
    if (!shown) {
        ww.setMenuBar(nullptr);
        return;
    }
    auto* qbar = new QMenuBar(&ww);
    WindowWidget* widget = &ww;
    for (int32_t i = 0; i < shown->Count(); ++i) {
        Ref<MenuItem> title = shown->Item(i);
        QMenu* menu = qbar->addMenu(Caption(title->Text()));
        QObject::connect(menu, &QMenu::aboutToShow, widget, [widget] {
            if (Window* w = widget->Owner()) GuardedCall([w] { RunEnablingPass(w); });
        });
        for (int32_t j = 0; j < title->Count(); ++j) {
            Ref<MenuItem> item = title->Item(j);
            if (item->IsSeparator()) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(Caption(item->Text()));
            const std::string keys = ShortcutToKeySequence(item->KeyboardShortcut());
            if (!keys.empty()) action->setShortcut(QKeySequence(QString::fromStdString(keys)));
            action->setShortcutContext(Qt::WindowShortcut);
            QObject::connect(action, &QAction::triggered, widget, [widget, item] {
                if (Window* w = widget->Owner()) GuardedCall([w, item] { DispatchMenuCommand(w, item); });
            });
            ww.AddAction(item.get(), action);
        }
    }
    ww.setMenuBar(qbar);
    ww.SyncActions();
}

}  // namespace qv
