#include "Window.h"

#include "Application.h"
#include "ClassTable.h"
#include "Control.h"
#include "Exceptions.h"
#include "MenuItem.h"
#include "Picture.h"
#include "PushButton.h"
#include "WindowWidget.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

#include <algorithm>

namespace qv {
namespace {

std::vector<Ref<Window>>& windowList() {
    static std::vector<Ref<Window>> list;
    return list;
}

std::vector<std::pair<std::string, Window*>>& implicitList() {
    static std::vector<std::pair<std::string, Window*>> list;
    return list;
}

void ForgetWindow(Window* w) {
    auto& imp = implicitList();
    imp.erase(std::remove_if(imp.begin(), imp.end(), [w](const auto& e) { return e.second == w; }), imp.end());
    auto& list = windowList();
    auto it = std::find_if(list.begin(), list.end(), [w](const Ref<Window>& r) { return r.get() == w; });
    if (it != list.end()) {
        Ref<Window> keep = std::move(*it);  // released after the list is consistent again
        list.erase(it);
    }
}

QString ToQString(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

// ---- the Qt widgets ----

ContentArea::ContentArea(Window* owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

QSize ContentArea::sizeHint() const {
    if (!owner_) return QWidget::sizeHint();
    return {owner_->Width(), owner_->Height()};
}

void ContentArea::paintEvent(QPaintEvent*) {
    if (!owner_) return;
    QPainter painter(this);
    const WindowProperties& p = owner_->Properties();
    if (p.HasBackColor) painter.fillRect(rect(), QColor(p.BackColor.red, p.BackColor.green, p.BackColor.blue));
    if (Ref<Picture> backdrop = owner_->Backdrop()) {
        const Surface& s = backdrop->Pixels();
        QImage image(reinterpret_cast<const uchar*>(s.Pixels()), s.Width(), s.Height(), QImage::Format_RGB32);
        painter.drawImage(0, 0, image);
    }
}

WindowWidget::WindowWidget(Window* owner) : owner_(owner) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    content_ = new ContentArea(owner, this);
    setCentralWidget(content_);
}

void WindowWidget::Disown() {
    owner_ = nullptr;
    content_->Disown();
}

void WindowWidget::closeEvent(QCloseEvent* event) {
    if (owner_) {
        Window* w = owner_;
        GuardedCall([w] { w->OnCloseBox(); });
    }
    event->accept();
}

bool WindowWidget::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && owner_ && owner_->ShownMenuBar()) {
        Window* w = owner_;
        GuardedCall([w] { RunEnablingPass(w); });
    }
    return QMainWindow::event(event);
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
    // Return presses the default button, Escape the cancel button.
    const bool isReturn = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool isEscape = event->key() == Qt::Key_Escape;
    if (owner_ && (isReturn || isEscape)) {
        for (const Ref<Control>& c : owner_->Controls()) {
            auto button = RuntimeCheckCast<PushButton>(c);
            if (button && button->Enabled() && (isReturn ? button->Default() : button->Cancel())) {
                GuardedCall([button] { button->Push(); });
                return;
            }
        }
    }
    QMainWindow::keyPressEvent(event);
}

void WindowWidget::SyncActions() {
    for (auto& [item, action] : actions_) action->setEnabled(item->Enabled());
}

QAction* WindowWidget::ActionFor(const MenuItem* item) const {
    for (const auto& [i, action] : actions_)
        if (i == item) return action;
    return nullptr;
}

// ---- Window ----

ClassRef Window::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, ObjectClass, [](ClassTable& t) {
        t.name = "Window";
        t.vtable = {"Show",          "ShowWithin",       "ShowModalWithin",  "Hide",             "Close",
                    "Refresh",       "RefreshRect",      "ShowModal",        "NewDragItem",      "AcceptTextDrop",
                    "AcceptPictureDrop", "AcceptFileDrop", "AcceptMacDataDrop", "AcceptRawDataDrop", "Control",
                    "SetFocus",      "DrawInto",         "_DrawBackground",  "UpdateNow",        "_AddControl",
                    "_AddMenuHandler", "Window",         "Operator_Convert", "__New",            "_Move",
                    "Maximize",      "Minimize",         "Restore",          "_Update",          "_CallMoved",
                    "_EnableMenuItems", "_CallActivated", "_CallDeactivated", "_HandleMenuCommand", "_UnifiedClose",
                    "_CallMouseDown", "_CallResized",    "_CallResizing",    "_RemoveControl",   "_MouseEnter",
                    "_MouseExit",    "_MouseMove",       "_Paint",           "_MouseWheel",      "_KeyDown",
                    "__DependencyList", "Constructor",   "TrueWindow",       "FocusNext",        "FocusPrevious"};
        t.events = {"Layout",     "CreateControls", "AddMenuHandlers", "SetupBindings", "Open",
                    "Close",      "CancelClose",    "KeyDown",         "KeyUp",         "MouseMove",
                    "MouseEnter", "MouseExit",      "Paint",           "MouseDown",     "MouseDrag",
                    "MouseUp",    "EnableMenuItems", "Resized",        "Resizing",      "Moved",
                    "DropObject", "Activate",       "Deactivate",      "Minimize",      "Maximize",
                    "Restore",    "MouseWheel",     "ConstructContextualMenu", "ContextualMenuAction", "DragEnter",
                    "DragExit",   "DragOver"};
    });
}

Window::Window() : widget_(new WindowWidget(this)) {}

Window::~Window() { Destroy(); }

QWidget* Window::Widget() const { return widget_; }
QWidget* Window::ContentArea() const { return widget_ ? widget_->Content() : nullptr; }

void Window::Destroy() {
    for (const Ref<Control>& c : controls_) c->Detach();
    if (!widget_) return;
    WindowWidget* w = std::exchange(widget_, nullptr);
    // Once the application is gone no widget may be touched: the process is ending.
    if (!QCoreApplication::instance()) return;
    w->Disown();
    w->hide();
    // The widget may be in the middle of delivering the event that closed us.
    w->deleteLater();
}

void Window::Constructor() {
    if (open_) return;
    open_ = true;
    windowList().push_back(Ref<Window>(this));
    const std::string& className = Class() ? Class()->name : std::string();
    auto& imp = implicitList();
    if (std::none_of(imp.begin(), imp.end(), [&](const auto& e) { return e.first == className; }))
        imp.emplace_back(className, this);

    struct Unregister {  // a window that fails to build leaves no trace in the lists
        Window* w;
        bool done = false;
        ~Unregister() {
            if (!done) {
                w->open_ = false;
                ForgetWindow(w);
            }
        }
    } guard{this};
    Ref<Window> hold(this);
    RaiseEvent(*this, "Layout");
    RaiseEvent(*this, "CreateControls");
    RaiseEvent(*this, "AddMenuHandlers");
    guard.done = true;

    // A window without a bar of its own shows the application's, as a desktop
    // user expects the menus and their shortcuts in every window.
    if (!menuBar_ && props_.MenuBarVisible)
        if (Ref<Application> app = GetAppObject(); app && app->MenuBar()) {
            applicationBar_ = app->MenuBar();
            ShowMenus();
        }
    ApplyGeometry();
    if (ShownMenuBar()) RunEnablingPass(this);
    if (props_.Visible) Show();
}

void Window::Show() {
    if (!widget_ || !open_) return;
    props_.Visible = true;
    widget_->show();
    widget_->raise();
    widget_->activateWindow();
}

void Window::Hide() {
    props_.Visible = false;
    if (widget_) widget_->hide();
}

void Window::Close() {
    if (!open_ || closing_) return;
    closing_ = true;
    Ref<Window> hold(this);
    RaiseEvent(*this, "Close");
    open_ = false;
    ForgetWindow(this);
    if (widget_) widget_->hide();
    Destroy();
    // A Linux user has no menu bar left once the last window is gone.
    if (windowList().empty()) Quit();
}

void Window::OnCloseBox() { Close(); }

Ref<Object> Window::New(ClassRef cls) { return RuntimeNewObject(cls); }

void Window::AddControl(std::string_view name, const Ref<Control>& control) {
    if (!control) RaiseNilObjectException();
    if (!widget_) throw RuntimeException("window is closed");
    QWidget* previous = controls_.empty() ? nullptr : controls_.back()->Widget();
    control->AttachTo(this, name);
    controls_.push_back(control);
    // Creation order is tab order.
    if (previous && control->Widget()) QWidget::setTabOrder(previous, control->Widget());
}

void Window::SetBackdrop(Ref<Picture> picture) {
    backdrop_ = std::move(picture);
    if (widget_) widget_->Content()->update();
}

void Window::SetMenuBar(Ref<qv::MenuBar> bar) {
    menuBar_ = std::move(bar);
    ShowMenus();
}

void Window::ShowMenus() {
    const Ref<qv::MenuBar> shown = ShownMenuBar();
    if (!widget_) return;
    widget_->ClearActions();
    if (!shown || !props_.MenuBarVisible) {
        widget_->setMenuBar(nullptr);
        return;
    }
    auto* qbar = new QMenuBar(widget_);
    WindowWidget* ww = widget_;
    for (int32_t i = 0; i < shown->Count(); ++i) {
        Ref<MenuItem> title = shown->Item(i);
        QString caption = ToQString(title->Text()).replace('&', "&&");
        QMenu* menu = qbar->addMenu(caption);
        QObject::connect(menu, &QMenu::aboutToShow, ww, [ww] {
            if (Window* w = ww->Owner()) GuardedCall([w] { RunEnablingPass(w); });
        });
        for (int32_t j = 0; j < title->Count(); ++j) {
            Ref<MenuItem> item = title->Item(j);
            if (item->IsSeparator()) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(ToQString(item->Text()).replace('&', "&&"));
            const std::string keys = ShortcutToKeySequence(item->KeyboardShortcut());
            if (!keys.empty()) action->setShortcut(QKeySequence(ToQString(keys)));
            action->setShortcutContext(Qt::WindowShortcut);
            QObject::connect(action, &QAction::triggered, ww, [ww, item] {
                if (Window* w = ww->Owner()) GuardedCall([w, item] { DispatchMenuCommand(w, item); });
            });
            ww->AddAction(item.get(), action);
        }
    }
    widget_->setMenuBar(qbar);
    SyncMenus();
}

void Window::SyncMenus() {
    if (widget_) widget_->SyncActions();
}

void Window::AddMenuHandler(std::string_view itemName, MenuEntry entry) {
    menuHandlers_.insert_or_assign(std::string(itemName), std::move(entry));
}

const MenuEntry* Window::MenuHandler(std::string_view itemName) const {
    auto it = menuHandlers_.find(itemName);
    return it == menuHandlers_.end() ? nullptr : &it->second;
}

bool Window::SetProperty(const PropertyEntry& e) {
    const std::string& n = e.name;
    auto i32 = [&](int32_t& field) { field = std::get<int32_t>(e.value); };
    auto b = [&](bool& field) { field = std::get<bool>(e.value); };
    if (n == "Placement") i32(props_.Placement);
    else if (n == "Width") i32(props_.Width);
    else if (n == "Height") i32(props_.Height);
    else if (n == "MinWidth") i32(props_.MinWidth);
    else if (n == "MinHeight") i32(props_.MinHeight);
    else if (n == "MaxWidth") i32(props_.MaxWidth);
    else if (n == "MaxHeight") i32(props_.MaxHeight);
    else if (n == "Frame") i32(props_.Frame);
    else if (n == "MacProcID") i32(props_.MacProcID);
    else if (n == "Composite") b(props_.Composite);
    else if (n == "HasBackColor") b(props_.HasBackColor);
    else if (n == "BackColor") props_.BackColor = std::get<Color>(e.value);
    else if (n == "Title") props_.Title = std::get<std::string>(e.value);
    else if (n == "Visible") b(props_.Visible);
    else if (n == "FullScreen") b(props_.FullScreen);
    else if (n == "MenuBarVisible") b(props_.MenuBarVisible);
    else if (n == "CloseButton") b(props_.CloseButton);
    else if (n == "Resizeable") b(props_.Resizeable);
    else if (n == "LiveResize") b(props_.LiveResize);
    else if (n == "MaximizeButton") b(props_.MaximizeButton);
    else if (n == "MinimizeButton") b(props_.MinimizeButton);
    else return false;
    if (n == "Title" && widget_) widget_->setWindowTitle(ToQString(props_.Title));
    // menuWidget(), unlike menuBar(), does not make an empty bar for a window that has none.
    if (n == "MenuBarVisible" && widget_ && widget_->menuWidget()) widget_->menuWidget()->setVisible(props_.MenuBarVisible);
    return true;
}

void Window::ApplyGeometry() {
    if (!widget_) return;
    // Frame 0 is a document window, 1 a dialog-like window and 3 a floating tool window;
    // none of them is modal.
    Qt::WindowFlags flags = Qt::Window;
    if (props_.Frame == 1) flags = Qt::Dialog;
    if (props_.Frame == 3) flags = Qt::Tool;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (props_.CloseButton) flags |= Qt::WindowCloseButtonHint;
    if (props_.MinimizeButton) flags |= Qt::WindowMinimizeButtonHint;
    if (props_.MaximizeButton) flags |= Qt::WindowMaximizeButtonHint;
    widget_->setWindowFlags(flags);
    widget_->setWindowTitle(ToQString(props_.Title));

    QWidget* content = widget_->Content();
    if (props_.Resizeable) {
        content->setMinimumSize(std::max(props_.MinWidth, 0), std::max(props_.MinHeight, 0));
        content->setMaximumSize(std::min(props_.MaxWidth, QWIDGETSIZE_MAX), std::min(props_.MaxHeight, QWIDGETSIZE_MAX));
        content->resize(props_.Width, props_.Height);
    } else {
        content->setFixedSize(props_.Width, props_.Height);
    }
    // A window that is not resizable keeps its size as a whole, menu bar included.
    widget_->layout()->setSizeConstraint(props_.Resizeable ? QLayout::SetDefaultConstraint : QLayout::SetFixedSize);
    widget_->adjustSize();
    if (props_.Resizeable) {
        const QWidget* bar = widget_->menuWidget();
        const int menuHeight = bar && !bar->isHidden() ? bar->sizeHint().height() : 0;
        widget_->resize(props_.Width, props_.Height + menuHeight);
    }
}

Ref<Control> CreateControl(Window& window, ClassRef cls, std::string_view name, std::string_view list,
                           std::optional<float> textSize, std::optional<int32_t> setIndex) {
    {
        Ref<Control> made = RuntimeCheckCast<Control>(window.New(cls));
        NotNil(made)->Constructor();
        // A control-set member has its index from its construction on: the window finds it by it.
        if (setIndex) made->SetProperty({"Index", *setIndex});
        window.AddControl(name, made);
    }
    Ref<Control> control = setIndex ? RuntimeWindowControlByNameIndex(window, name, *setIndex)
                                    : RuntimeWindowControlByName(window, name);
    NotNil(control);
    if (control->IsTextBearing()) {
        if (textSize) control->SetTextSize(*textSize);
        control->SetTextUnit(0);
    }
    SetProperties(*control, list);
    return control;
}

// ---- window lists ----

Ref<Window> GetImplicitWindow(std::string_view className) {
    for (const auto& [name, w] : implicitList())
        if (name == className) return Ref<Window>(w);
    return nullptr;
}

std::vector<Ref<Window>> OpenWindows() { return windowList(); }

Ref<Control> RuntimeWindowControlByName(Window& window, std::string_view name) {
    // A control-set member is reached only with its index.
    for (const Ref<Control>& c : window.Controls())
        if (c->Name() == name && c->Index() == INT32_MIN) return c;
    return nullptr;
}

Ref<Control> RuntimeWindowControlByNameIndex(Window& window, std::string_view name, int32_t index) {
    for (const Ref<Control>& c : window.Controls())
        if (c->Name() == name && c->Index() == index) return c;
    return nullptr;
}

void ReleaseImplicitWindowList() { implicitList().clear(); }

// Windows ask the Qt side to repaint them; there is no list of our own to release.
void ReleaseRedrawList() {}

void ReleaseWindowList() {
    std::vector<Ref<Window>> all;
    all.swap(windowList());
    all.clear();
}

}  // namespace qv
