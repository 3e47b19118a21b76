#include "Control.h"

#include "ClassTable.h"
#include "Exceptions.h"
#include "Window.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QWidget>

#include <algorithm>

namespace qv {

ClassRef Control::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, ObjectClass, [](ClassTable& t) {
        t.name = "RectControl";
        t.vtable = {"Constructor", "Refresh", "RefreshRect", "SetFocus", "Close"};
        t.events = {"Open", "Close", "MouseEnter", "MouseExit", "MouseMove"};
    });
}

Ref<qv::Window> Control::Window() const { return Ref<qv::Window>(window_); }

void Control::AttachTo(qv::Window* window, std::string_view name) {
    if (window_) throw RuntimeException("control " + std::string(name) + " already belongs to a window");
    window_ = window;
    name_ = name;
    widget_ = MakeWidget(window->ContentArea());
    naturalFocus_ = widget_->focusPolicy();
    SyncWidget();
}

void Control::Detach() {
    // The widget outlives us until Qt deletes it: a click that still reaches it must
    // no longer call into this control, which may be gone by then.
    if (widget_ && QCoreApplication::instance()) QObject::disconnect(widget_, nullptr, widget_, nullptr);
    window_ = nullptr;
    widget_ = nullptr;
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

bool Control::SetProperty(const PropertyEntry& e) {
    const std::string& n = e.name;
    auto i32 = [&] { return std::get<int32_t>(e.value); };
    auto b = [&] { return std::get<bool>(e.value); };
    auto s = [&] { return std::get<std::string>(e.value); };
    if (n == "Name") name_ = s();
    else if (n == "Index") index_ = i32();
    else if (n == "Left") left_.store(i32(), std::memory_order_relaxed);
    else if (n == "Top") top_.store(i32(), std::memory_order_relaxed);
    else if (n == "Width") width_.store(i32(), std::memory_order_release);
    else if (n == "Height") height_.store(i32(), std::memory_order_release);
    else if (n == "TabIndex") tabIndex_ = i32();
    else if (n == "TabPanelIndex") tabPanelIndex_ = i32();
    else if (n == "Enabled") enabled_ = b();
    else if (n == "Visible") visible_ = b();
    else if (n == "TabStop") tabStop_ = b();
    else if (n == "AutoDeactivate") autoDeactivate_ = b();
    else if (n == "LockLeft") lockLeft_ = b();
    else if (n == "LockTop") lockTop_ = b();
    else if (n == "LockRight") lockRight_ = b();
    else if (n == "LockBottom") lockBottom_ = b();
    else if (n == "HelpTag") helpTag_ = s();
    else if (n == "InitialParent") initialParent_ = s();
    else if (textBearing_ && n == "TextFont") textFont_ = s();
    else if (textBearing_ && n == "Bold") bold_ = b();
    else if (textBearing_ && n == "Italic") italic_ = b();
    else if (textBearing_ && n == "Underline") underline_ = b();
    else return false;
    if (n == "Width" || n == "Height") Resized();
    SyncWidget();
    return true;
}

void Control::SyncWidget() {
    if (!widget_) return;
    widget_->setGeometry(Left(), Top(), Width(), Height());
    widget_->setEnabled(enabled_);
    widget_->setVisible(visible_);
    widget_->setToolTip(QString::fromStdString(helpTag_));
    widget_->setFocusPolicy(tabStop_ ? static_cast<Qt::FocusPolicy>(naturalFocus_) : Qt::NoFocus);
    SyncFont();
}

void Control::SyncFont() {
    if (!widget_ || !textBearing_) return;
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
