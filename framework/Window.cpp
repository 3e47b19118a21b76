#include "Window.h"

#include "Application.h"
#include "ClassTable.h"
#include "Control.h"
#include "Exceptions.h"
#include "MenuItem.h"
#include "Menus.h"
#include "Painting.h"
#include "Picture.h"
#include "WindowWidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QPaintEvent>
#include <QPainter>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace qv {
namespace {

// Never destroyed: a process that ends through exit() from inside Qt (the display
// went away) must not destroy windows, and their widgets, after Qt's own statics.
std::vector<Ref<Window>>& windowList() {
    static std::vector<Ref<Window>>& list = *new std::vector<Ref<Window>>;
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

// The Motif hints as window managers read them: five 32-bit words.
struct MotifHints {
    uint32_t flags = 0, functions = 0, decorations = 0;
    int32_t inputMode = 0;
    uint32_t status = 0;
};
constexpr uint32_t kMotifHasFunctions = 1u << 0;
constexpr uint32_t kMotifAll = 1u << 0;  // in functions and decorations: all but those listed
constexpr uint32_t kMotifResize = 1u << 1;
constexpr uint32_t kMotifResizeHandle = 1u << 2;

// Qt's X11 windows offer the window manager resizing in their Motif hints whatever
// their size limits, and window managers that read those hints trust them. A window
// of one fixed size takes resizing out of the hints Qt wrote when it made the
// platform window; Qt writes them again only when the window's flags change.
void TellNotResizable(QWidget& top) {
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return;
    xcb_connection_t* connection = x11->connection();
    const auto window = static_cast<xcb_window_t>(top.winId());
    static constexpr std::string_view name = "_MOTIF_WM_HINTS";
    xcb_intern_atom_reply_t* atomReply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.data()), nullptr);
    if (!atomReply) return;
    const xcb_atom_t atom = atomReply->atom;
    std::free(atomReply);

    MotifHints hints;
    hints.functions = kMotifAll;
    if (xcb_get_property_reply_t* current = xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, atom, atom, 0, 5), nullptr)) {
        if (current->format == 32 && xcb_get_property_value_length(current) == int(sizeof(MotifHints)))
            std::memcpy(&hints, xcb_get_property_value(current), sizeof(MotifHints));
        std::free(current);
    }
    hints.flags |= kMotifHasFunctions;
    if (hints.functions & kMotifAll)
        hints.functions |= kMotifResize;
    else
        hints.functions &= ~kMotifResize;
    if (hints.decorations & kMotifAll)
        hints.decorations |= kMotifResizeHandle;
    else
        hints.decorations &= ~kMotifResizeHandle;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom, atom, 32, 5, &hints);
    xcb_flush(connection);
}

}  // namespace

// ---- the Qt widgets ----

ContentArea::ContentArea(Window* owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

QSize ContentArea::sizeHint() const {
    if (!owner_) return QWidget::sizeHint();
    return {owner_->Width(), owner_->Height()};
}

void ContentArea::paintEvent(QPaintEvent* event) {
    if (!owner_) return;
    QPainter painter(this);
    const WindowProperties& p = owner_->Properties();
    if (p.HasBackColor) painter.fillRect(rect(), QColor(p.BackColor.red, p.BackColor.green, p.BackColor.blue));
    if (Ref<Picture> backdrop = owner_->Backdrop())
        DrawImage(painter, event->region(), BackdropImage(*backdrop, TargetFormat(painter)));
}

// A backdrop's pixels are opaque 0xAARRGGBB: RGB32 as they stand, which Qt copies
// straight onto an RGB32 or premultiplied ARGB32 backing store. A store of any other
// format is given a copy in its own format, made again only when the picture changes.
QImage ContentArea::BackdropImage(const Picture& picture, QImage::Format format) {
    const Surface& s = picture.Pixels();
    QImage pixels(reinterpret_cast<const uchar*>(s.Pixels()), s.Width(), s.Height(), QImage::Format_RGB32);
    if (format == QImage::Format_Invalid || format == QImage::Format_RGB32 ||
        format == QImage::Format_ARGB32_Premultiplied)
        return pixels;
    if (converted_.format() != format || convertedFrom_ != s.Id() || convertedVersion_ != s.Version()) {
        converted_ = ConvertedByRows(pixels, format);
        convertedFrom_ = s.Id();
        convertedVersion_ = s.Version();
    }
    return converted_;
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
        Window* w = owner_;
        bool pressed = false;
        GuardedCall([&] { pressed = w->PressKeyControl(isReturn ? Window::Key::Return : Window::Key::Escape); });
        if (pressed) return;
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

namespace {

// The content area is at least MinWidth by MinHeight, whatever Width and Height say.
PaintedBox ContentBox(const Int32Values& value) {
    return {std::max<int64_t>(value("Width"), value("MinWidth")),
            std::max<int64_t>(value("Height"), value("MinHeight"))};
}

}  // namespace

const PropertyKind& Window::Kind() {
    using P = WindowProperties;
    static const PropertyKind kind("Window", &Window::Lookup, {
        NestedField<&Window::props_, &P::Placement>("Placement", 0),
        NestedField<&Window::props_, &P::Width>("Width", 0).Range(0, kGeometryBound).Paints(&ContentBox),
        NestedField<&Window::props_, &P::Height>("Height", 0).Range(0, kGeometryBound).Paints(&ContentBox),
        NestedField<&Window::props_, &P::MinWidth>("MinWidth", 64).Range(0, kGeometryBound).Paints(&ContentBox),
        NestedField<&Window::props_, &P::MinHeight>("MinHeight", 64).Range(0, kGeometryBound).Paints(&ContentBox),
        NestedField<&Window::props_, &P::MaxWidth>("MaxWidth", 32000).Range(0, kGeometryBound),
        NestedField<&Window::props_, &P::MaxHeight>("MaxHeight", 32000).Range(0, kGeometryBound),
        NestedField<&Window::props_, &P::Frame>("Frame", 0),
        NestedField<&Window::props_, &P::Composite>("Composite", false),
        NestedField<&Window::props_, &P::HasBackColor>("HasBackColor", false),
        NestedField<&Window::props_, &P::BackColor>("BackColor", Color{255, 255, 255}),
        NestedField<&Window::props_, &P::Title>("Title", ""),
        NestedField<&Window::props_, &P::Visible>("Visible", true),
        NestedField<&Window::props_, &P::FullScreen>("FullScreen", false),
        NestedField<&Window::props_, &P::MenuBarVisible>("MenuBarVisible", true),
        NestedField<&Window::props_, &P::CloseButton>("CloseButton", true),
        NestedField<&Window::props_, &P::Resizeable>("Resizeable", true),
        NestedField<&Window::props_, &P::LiveResize>("LiveResize", true),
        NestedField<&Window::props_, &P::MaximizeButton>("MaximizeButton", false),
        NestedField<&Window::props_, &P::MinimizeButton>("MinimizeButton", true),
        NestedField<&Window::props_, &P::MacProcID>("MacProcID", 0),
    });
    return kind;
}

Window::Window() : widget_(new WindowWidget(this)) {}

Window::~Window() { Destroy(); }

QWidget* Window::Widget() const { return widget_; }
QWidget* Window::ContentArea() const { return widget_ ? widget_->Content() : nullptr; }

void Window::Destroy() {
    for (auto& list : keyControls_) list.clear();
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
    if (!props_.Resizeable) TellNotResizable(*widget_);
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

Ref<Object> Window::New(ClassRef cls) {
    Ref<Object> made = RuntimeNewObject(cls);
    // A control knows its window from now on, so that its own construction can reach it.
    if (auto control = RuntimeCheckCast<Control>(made)) control->MadeFor(this);
    return made;
}

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
    if (!widget_) return;
    const Ref<qv::MenuBar> shown = props_.MenuBarVisible ? ShownMenuBar() : nullptr;
    ShowMenuBar(*widget_, shown.get());
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

void Window::PropertyApplied(std::string_view name) {
    if (name == "Title" && widget_) widget_->setWindowTitle(ToQString(props_.Title));
    // menuWidget(), unlike menuBar(), does not make an empty bar for a window that has none.
    if (name == "MenuBarVisible" && widget_ && widget_->menuWidget())
        widget_->menuWidget()->setVisible(props_.MenuBarVisible);
}

void Window::SetKeyControl(Key key, Control* control, bool registered) {
    auto& list = keyControls_[static_cast<int>(key)];
    auto it = std::find(list.begin(), list.end(), control);
    if (registered && it == list.end()) list.push_back(control);
    if (!registered && it != list.end()) list.erase(it);
}

bool Window::PressKeyControl(Key key) {
    // A copy: the press may close the window.
    const std::vector<Control*> list = keyControls_[static_cast<int>(key)];
    for (Control* c : list) {
        if (c->Enabled()) {
            Ref<Control> hold(c);
            c->Press();
            return true;
        }
    }
    return false;
}

void Window::ApplyGeometry() {
    if (!widget_) return;
    // Every frame is an ordinary top-level window, none of them modal: its title-bar
    // buttons are those its list asks for. Window managers give dialog and tool
    // windows buttons of their own choosing, so the frame kinds are not told to them.
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (props_.CloseButton) flags |= Qt::WindowCloseButtonHint;
    if (props_.MinimizeButton) flags |= Qt::WindowMinimizeButtonHint;
    if (props_.MaximizeButton) flags |= Qt::WindowMaximizeButtonHint;
    widget_->setWindowFlags(flags);
    widget_->setWindowTitle(ToQString(props_.Title));

    // The lists are held to the bound already; the clamp keeps Qt's sizes sane whatever
    // else set the properties.
    const auto extent = [](int32_t v) { return std::clamp(v, 0, kGeometryBound); };
    const int width = extent(props_.Width), height = extent(props_.Height);
    QWidget* content = widget_->Content();
    if (props_.Resizeable) {
        content->setMinimumSize(extent(props_.MinWidth), extent(props_.MinHeight));
        content->setMaximumSize(extent(props_.MaxWidth), extent(props_.MaxHeight));
        content->resize(width, height);
    } else {
        content->setFixedSize(width, height);
    }
    // A window that is not resizable keeps its size as a whole, menu bar included.
    widget_->layout()->setSizeConstraint(props_.Resizeable ? QLayout::SetDefaultConstraint : QLayout::SetFixedSize);
    widget_->adjustSize();
    if (props_.Resizeable) {
        const QWidget* bar = widget_->menuWidget();
        const int menuHeight = bar && !bar->isHidden() ? bar->sizeHint().height() : 0;
        widget_->resize(width, height + menuHeight);
    }
}

Ref<Control> CreateControl(Window& window, ClassRef cls, std::string_view name, std::string_view list,
                           std::optional<float> textSize, std::optional<int32_t> setIndex) {
    {
        Ref<Control> made = RuntimeCheckCast<Control>(window.New(cls));
        // A control-set member has its index from its construction on: the window finds it by it.
        if (setIndex)
            NotNil(made)->Constructor(*setIndex);
        else
            NotNil(made)->Constructor();
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
