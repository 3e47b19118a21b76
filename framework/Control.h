// Controls: real Qt widgets at their design positions in a window's content area.
// Each kind is a small subclass that makes its widget and applies its own properties.
#pragma once

#include "Color.h"
#include "Delegate.h"
#include "Object.h"
#include "PropertyKind.h"
#include "PropertyList.h"

#include <atomic>
#include <climits>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace qv {

class Window;

// How far, in pixels, a control's or a window's geometry may reach either way: a list
// that goes beyond it is refused, and Qt, whose rectangles overflow near the ends of
// int, is never handed more.
inline constexpr int32_t kGeometryBound = 32000;

class Control : public PropertyTarget {
public:
    static ClassRef Lookup();
    bool GuiAffine() const override { return true; }
    // The properties every kind of control shares, for the kinds to pick from.
    static const std::vector<PropertyInfo>& SharedProperties();
    // Name to TabIndex: how the lists of every kind but the line begin.
    static std::vector<PropertyInfo> PlacedControlHead();
    // TextFont, Bold, Italic, Underline, in that order, on the text-bearing kinds.
    static std::vector<PropertyInfo> TextStyle();

    // RectControl.Constructor: run once on each new control before the window takes it.
    virtual void Constructor() {}
    // A control-set member's construction: its Index, then the default construction.
    virtual void Constructor(int32_t index) {
        SetIndex(index);
        Control::Constructor();
    }

    const std::string& Name() const { return name_; }
    int32_t Index() const { return index_; }
    void SetIndex(int32_t index) { index_ = index; }
    // The window the control was made for (Window::New), from then until the window has gone.
    Ref<qv::Window> Window() const;

    int32_t Left() const { return left_.load(std::memory_order_relaxed); }
    void SetLeft(int32_t left) { left_.store(left, std::memory_order_relaxed); }
    int32_t Top() const { return top_.load(std::memory_order_relaxed); }
    void SetTop(int32_t top) { top_.store(top, std::memory_order_relaxed); }
    // Width and Height may be read from any thread.
    int32_t Width() const { return width_.load(std::memory_order_acquire); }
    void SetWidth(int32_t width);
    int32_t Height() const { return height_.load(std::memory_order_acquire); }
    void SetHeight(int32_t height);
    int32_t TabIndex() const { return tabIndex_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    const std::string& HelpTag() const { return helpTag_; }
    bool TabStop() const { return tabStop_; }

    // Text-bearing controls.
    float TextSize() const { return textSize_; }
    void SetTextSize(float points);
    int32_t TextUnit() const { return textUnit_; }
    void SetTextUnit(int32_t unit) {
        textUnit_ = unit;
        SyncFont();
    }
    const std::string& TextFont() const { return textFont_; }

    // From then on the entry is called, with this control, each time it raises the event.
    void InstallEventHandler(std::string_view event, EventEntry entry);
    // Raises the event. The control and its window are held until the handler returns.
    void RaiseControlEvent(std::string_view event);
    // What a key that stands for the control does (Return for a default button).
    virtual void Press() {}

    QWidget* Widget() const { return widget_; }
    bool IsTextBearing() const;

protected:
    virtual QWidget* MakeWidget(QWidget* parent) = 0;
    // Brings the widget in line with every stored property.
    virtual void SyncWidget();
    void SyncFont();
    void PropertyApplied(std::string_view) override { SyncWidget(); }
    // The focus policy (a Qt::FocusPolicy) the widget has while TabStop is True.
    void SetNaturalFocusPolicy(int policy);
    virtual void Resized() {}
    // Runs once the widget exists in the window's content area.
    virtual void Attached() {}
    // Where Qt tells us of a user's action: raises the event inside GuardedCall.
    void RaiseFromQt(std::string_view event);
    qv::Window* OwnerWindow() const { return window_; }

private:
    friend class Window;
    void MadeFor(qv::Window* window);
    void AttachTo(qv::Window* window, std::string_view name);
    void Detach();

    std::string name_;
    int32_t index_ = INT32_MIN;
    std::atomic<int32_t> left_{0}, top_{0}, width_{0}, height_{0};
    int32_t tabIndex_ = 0, tabPanelIndex_ = 0;
    bool enabled_ = true, visible_ = true, tabStop_ = true, autoDeactivate_ = true;
    bool lockLeft_ = false, lockTop_ = false, lockRight_ = false, lockBottom_ = false;
    std::string helpTag_, initialParent_;
    float textSize_ = 0;
    int32_t textUnit_ = 0;
    std::string textFont_ = "System";
    bool bold_ = false, italic_ = false, underline_ = false;
    int naturalFocus_ = 0;

    qv::Window* window_ = nullptr;  // the window owns the control
    QWidget* widget_ = nullptr;     // owned by the window's widget tree
    std::map<std::string, EventEntry, std::less<>> handlers_;
};

void InstallInstanceEventHandler(Control& control, std::string_view event, EventEntry entry);

// The opening step of a control event handler: Me is the control that raised the
// event, Self the control's window.
template <class W, class C>
struct SelfAndMe {
    Ref<W> Self;
    Ref<C> Me;
};

template <class W, class C>
SelfAndMe<W, C> RuntimeSwapSelfAndMe(Object& sender) {
    auto me = RuntimeCheckCast<C>(&sender);
    if (!me) RaiseNilObjectException();
    Ref<W> self = RuntimeCheckCast<W>(Ref<Object>(me->Window().get()));
    if (!self) RaiseNilObjectException();
    return {std::move(self), std::move(me)};
}

}  // namespace qv
