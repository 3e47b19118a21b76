#include "Canvas.h"

#include "ClassTable.h"
#include "Exceptions.h"
#include "GuiThread.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <atomic>
#include <string>

namespace qv {

class CanvasWidget;

// The canvas's backing image. Drawing threads and the GUI thread meet here, so every
// access to the pixels holds the lock, and a change asks for at most one repaint at
// a time.
class CanvasSurface : public Surface, public std::enable_shared_from_this<CanvasSurface> {
public:
    std::unique_lock<std::mutex> Lock() override { return std::unique_lock(mutex_); }

    void Changed() override {
        if (repaintPending_.exchange(true, std::memory_order_acq_rel)) return;
        requests_.fetch_add(1, std::memory_order_relaxed);
        std::weak_ptr<CanvasSurface> weak = weak_from_this();
        auto repaint = [weak] {
            if (auto self = weak.lock()) self->Repaint();
        };
        if (OnGuiThread())
            repaint();
        else if (!PostToGuiThread(repaint))
            repaintPending_.store(false, std::memory_order_release);
    }

    void SetSize(int32_t width, int32_t height) {
        auto lock = Lock();
        if (width == Width() && height == Height()) return;
        // Transparent until something is drawn: the window's backdrop shows through.
        Resize(width, height, 0x00000000u);
    }

    // GUI thread only.
    void SetWidget(CanvasWidget* w) { widget_ = w; }
    int Requests() const { return requests_.load(std::memory_order_relaxed); }

private:
    void Repaint();

    std::mutex mutex_;
    std::atomic<bool> repaintPending_{false};
    std::atomic<int> requests_{0};
    CanvasWidget* widget_ = nullptr;
};

class CanvasWidget : public QWidget {
public:
    CanvasWidget(std::shared_ptr<CanvasSurface> surface, QWidget* parent)
        : QWidget(parent), surface_(std::move(surface)) {
        surface_->SetWidget(this);
    }
    ~CanvasWidget() override { surface_->SetWidget(nullptr); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        auto lock = surface_->Lock();
        QImage image(reinterpret_cast<const uchar*>(surface_->Pixels()), surface_->Width(), surface_->Height(),
                     QImage::Format_ARGB32);
        painter.drawImage(0, 0, image);
    }

private:
    std::shared_ptr<CanvasSurface> surface_;
};

void CanvasSurface::Repaint() {
    repaintPending_.store(false, std::memory_order_release);
    if (widget_) widget_->update();
}

ClassRef Canvas::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, Control::Lookup, [](ClassTable& t) {
        t.name = "Canvas";
        t.factory = FactoryOf<Canvas>();
        t.events.insert(t.events.end(), {"Paint", "MouseDown", "MouseDrag", "MouseUp", "KeyDown"});
    });
}

Canvas::Canvas() : surface_(std::make_shared<CanvasSurface>()) {
    graphics_ = RuntimeNewObject<qv::Graphics>();
    graphics_->Attach(surface_);
}

int Canvas::RepaintRequests() const { return surface_->Requests(); }

const PropertyKind& Canvas::Kind() {
    static const PropertyKind kind("Canvas", &Canvas::Lookup, Join({
        PlacedControlHead(),
        Pick(SharedProperties(), {"TabStop", "Visible", "HelpTag", "AutoDeactivate", "Enabled"}),
        {Field<&Canvas::useFocusRing_>("UseFocusRing", true), Field<&Canvas::acceptFocus_>("AcceptFocus", false),
         Field<&Canvas::acceptTabs_>("AcceptTabs", false), Field<&Canvas::doubleBuffer_>("DoubleBuffer", false),
         Field<&Canvas::eraseBackground_>("EraseBackground", true)},
        Pick(SharedProperties(), {"InitialParent"}),
    }));
    return kind;
}

void Canvas::PropertyApplied(std::string_view name) {
    if (name == "AcceptFocus") SetNaturalFocusPolicy(acceptFocus_ ? Qt::StrongFocus : Qt::NoFocus);
    Control::PropertyApplied(name);
}

QWidget* Canvas::MakeWidget(QWidget* parent) {
    auto* w = new CanvasWidget(surface_, parent);
    w->setFocusPolicy(Qt::NoFocus);
    return w;
}

namespace {

int64_t BackingPixels(int32_t width, int32_t height) {
    return int64_t{std::max(width, 0)} * int64_t{std::max(height, 0)};
}

}  // namespace

std::string Canvas::Refusal(const PropertyInfo& info, const PropertyValue& value) const {
    const bool width = info.name == "Width";
    if (!width && info.name != "Height") return {};
    const int32_t w = width ? std::get<int32_t>(value) : Width();
    const int32_t h = width ? Height() : std::get<int32_t>(value);
    if (BackingPixels(w, h) <= MaxPixels) return {};
    return "would make the canvas " + std::to_string(w) + " x " + std::to_string(h) + ", more than " +
           std::to_string(MaxPixels) + " pixels";
}

void Canvas::Resized() {
    // Lists are refused before they get here; this guards the setters called directly.
    if (BackingPixels(Width(), Height()) > MaxPixels)
        throw RuntimeException("a canvas of " + std::to_string(Width()) + " x " + std::to_string(Height()) +
                               " pixels is too large");
    surface_->SetSize(Width(), Height());
}

}  // namespace qv
