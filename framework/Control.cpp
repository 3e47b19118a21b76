#include "Control.h"

#include "Application.h"
#include "ClassTable.h"
#include "Exceptions.h"
#include "Window.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QWidget>

#include <algorithm>
#include <cstdlib>

namespace qv {

namespace {

// The framework's "Control", the base of "RectControl". Like Window's, these tables
// list every operation by name, also those this framework does not carry.
ClassRef ControlBaseClass() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, ObjectClass, [](ClassTable& t) {
        t.name = "Control";
        t.vtable = {"Close", "_SetWindow", "_CallOpenEvent"};
    });
}

}  // namespace

ClassRef Control::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, ControlBaseClass, [](ClassTable& t) {
        t.name = "RectControl";
        for (const char* op : {"DrawInto", "Refresh", "RefreshRect", "SetFocus", "AcceptTextDrop", "AcceptPictureDrop",
                               "AcceptFileDrop", "AcceptMacDataDrop", "AcceptRawDataDrop", "NewDragItem",
                               "_AddMenuHandler", "Constructor", "_Move", "_MouseEnter", "_MouseExit", "_MouseMove",
                               "_MouseWheel", "Invalidate(eraseBackground)",
                               "Invalidate(x, y, width, height, eraseBackground)", "_KeyDown", "__DependencyList",
                               "RectControl", "TrueWindow"})
            t.AddVirtual(op);
        t.events = {"Open", "Close", "MouseEnter", "MouseExit", "MouseMove"};
    });
}

namespace {

PaintedBox WidgetBox(const Int32Values& value) {
    return {std::abs(int64_t{value("Width")}), std::abs(int64_t{value("Height")})};
}

}  // namespace

const std::vector<PropertyInfo>& Control::SharedProperties() {
    static const std::vector<PropertyInfo> shared = {
        Field<&Control::name_>("Name", ""),
        Accessor<&Control::Index, &Control::SetIndex>("Index", INT32_MIN),
        Accessor<&Control::Left, &Control::SetLeft>("Left", 0).Range(-kGeometryBound, kGeometryBound),
        Accessor<&Control::Top, &Control::SetTop>("Top", 0).Range(-kGeometryBound, kGeometryBound),
        // A negative size is kept as given: a line's Width is X2 - X1.
        Accessor<&Control::Width, &Control::SetWidth>("Width", 0)
            .Range(-kGeometryBound, kGeometryBound)
            .Paints(&WidgetBox),
        Accessor<&Control::Height, &Control::SetHeight>("Height", 0)
            .Range(-kGeometryBound, kGeometryBound)
            .Paints(&WidgetBox),
        Field<&Control::lockLeft_>("LockLeft", false),
        Field<&Control::lockTop_>("LockTop", false),
        Field<&Control::lockRight_>("LockRight", false),
        Field<&Control::lockBottom_>("LockBottom", false),
        Field<&Control::tabPanelIndex_>("TabPanelIndex", 0),
        Field<&Control::tabIndex_>("TabIndex", 0),
        Field<&Control::tabStop_>("TabStop", true),
        Field<&Control::visible_>("Visible", true),
        Field<&Control::helpTag_>("HelpTag", ""),
        Field<&Control::autoDeactivate_>("AutoDeactivate", true),
        Field<&Control::enabled_>("Enabled", true),
        Field<&Control::initialParent_>("InitialParent", ""),
        Field<&Control::textFont_>("TextFont", "System"),
        Field<&Control::bold_>("Bold", false),
        Field<&Control::italic_>("Italic", false),
        Field<&Control::underline_>("Underline", false),
    };
    return shared;
}

std::vector<PropertyInfo> Control::PlacedControlHead() {
    return Pick(SharedProperties(), {"Name", "Index", "Left", "Top", "Width", "Height", "LockLeft", "LockTop",
                                     "LockRight", "LockBottom", "TabPanelIndex", "TabIndex"});
}

std::vector<PropertyInfo> Control::TextStyle() {
    return Pick(SharedProperties(), {"TextFont", "Bold", "Italic", "Underline"});
}

Ref<qv::Window> Control::Window() const { return Ref<qv::Window>(window_); }

bool Control::IsTextBearing() const { return TargetKind().TextBearing(); }

void Control::MadeFor(qv::Window* window) { window_ = window; }

void Control::AttachTo(qv::Window* window, std::string_view name) {
    if (widget_) throw RuntimeException("control " + std::string(name) + " already belongs to a window");
    if (window_ && window_ != window)
        throw RuntimeException("control " + std::string(name) + " was made for another window");
    window_ = window;
    name_ = name;
    widget_ = MakeWidget(window->ContentArea());
    naturalFocus_ = widget_->focusPolicy();
    SyncWidget();
    Attached();
}

void Control::Detach() {
    // The widget outlives us until Qt deletes it: a click that still reaches it must
    // no longer call into this control, which may be gone by then, nor into a
    // window that has gone.
    if (widget_ && QCoreApplication::instance()) QObject::disconnect(widget_, nullptr, widget_, nullptr);
    handlers_.clear();
    window_ = nullptr;
    widget_ = nullptr;
}

void Control::SetWidth(int32_t width) {
    width_.store(width, std::memory_order_release);
    Resized();
}

void Control::SetHeight(int32_t height) {
    height_.store(height, std::memory_order_release);
    Resized();
}

void Control::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (widget_) widget_->setEnabled(enabled);
}

void Control::SetVisible(bool visible) {
    visible_ = visible;
    if (widget_) widget_->setVisible(visible);
}

void Control::SetNaturalFocusPolicy(int policy) {
    naturalFocus_ = policy;
    SyncWidget();
}

void Control::SetTextSize(float points) {
    textSize_ = points;
    SyncFont();
}

void Control::InstallEventHandler(std::string_view event, EventEntry entry) {
    handlers_.insert_or_assign(std::string(event), std::move(entry));
}

void InstallInstanceEventHandler(Control& control, std::string_view event, EventEntry entry) {
    control.InstallEventHandler(event, std::move(entry));
}

void Control::RaiseControlEvent(std::string_view event) {
    auto it = handlers_.find(event);
    if (it == handlers_.end()) return;
    // The handler may close our window: both stay alive until it returns.
    Ref<Control> holdControl(this);
    Ref<qv::Window> holdWindow(window_);
    EventEntry entry = it->second;
    entry(*this);
}

void Control::RaiseFromQt(std::string_view event) {
    GuardedCall([this, event] { RaiseControlEvent(event); });
}

void Control::SyncWidget() {
    if (!widget_) return;
    // A widget of negative size is an empty one.
    const auto place = [](int32_t v) { return std::clamp(v, -kGeometryBound, kGeometryBound); };
    const auto extent = [](int32_t v) { return std::clamp(v, 0, kGeometryBound); };
    widget_->setGeometry(place(Left()), place(Top()), extent(Width()), extent(Height()));
    widget_->setEnabled(enabled_);
    widget_->setVisible(visible_);
    widget_->setToolTip(QString::fromStdString(helpTag_));
    widget_->setFocusPolicy(tabStop_ ? static_cast<Qt::FocusPolicy>(naturalFocus_) : Qt::NoFocus);
    SyncFont();
}

void Control::SyncFont() {
    if (!widget_ || !IsTextBearing()) return;
    // "System" is the platform's font; a family the machine lacks falls back to it too.
    QFont font = QFont();
    if (textFont_ != "System" && QFontDatabase::hasFamily(QString::fromStdString(textFont_)))
        font.setFamily(QString::fromStdString(textFont_));
    // The designs measure text in points of 72 to the inch, the same unit as their
    // pixel geometry, so TextUnit 0 (the default) sets one pixel per point and the
    // text fits the boxes it was laid out in. TextUnit 2 asks for real points.
    if (textSize_ > 0) {
        if (textUnit_ == 2)
            font.setPointSizeF(textSize_);
        else
            font.setPixelSize(std::max(1, static_cast<int>(textSize_ + 0.5f)));
    }
    font.setBold(bold_);
    font.setItalic(italic_);
    font.setUnderline(underline_);
    widget_->setFont(font);
}

}  // namespace qv
