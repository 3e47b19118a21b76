#include "Canvas.h"

#include "ClassTable.h"
#include "Exceptions.h"
#include "GuiThread.h"
#include "Painting.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <string>

namespace qv {
namespace {

using FrameClock = std::chrono::steady_clock;
// A screen shows about sixty frames a second; a canvas is repainted no more often.
constexpr std::chrono::milliseconds kFrame{16};

}  // namespace

class CanvasWidget;

// The canvas's backing image. Drawing threads and the GUI thread meet here, so every
// access to the pixels holds the lock. A change asks the GUI thread for a frame, and
// no further change asks again until that frame is about to be painted: however fast
// threads draw, the GUI thread hears from a canvas at most once a frame.
class CanvasSurface : public Surface, public std::enable_shared_from_this<CanvasSurface> {
public:
    CanvasSurface() : Surface(true) {}

    void Changed() override {
        // Nearly every change finds a frame already asked for; the plain load sees
        // that without a locked instruction.
        if (framePending_.load(std::memory_order_acquire) || framePending_.exchange(true, std::memory_order_acq_rel))
            return;
        requests_.fetch_add(1, std::memory_order_relaxed);
        std::weak_ptr<CanvasSurface> weak = weak_from_this();
        auto wanted = [weak] {
            if (auto self = weak.lock()) self->FrameWanted();
        };
        if (OnGuiThread())
            wanted();
        else if (!PostToGuiThread(wanted))
            framePending_.store(false, std::memory_order_release);
    }

    void SetSize(int32_t width, int32_t height) {
        auto lock = Lock();
        if (width == Width() && height == Height()) return;
        // Transparent until something is drawn: the window's backdrop shows through.
        Resize(width, height, 0x00000000u);
        blankVersion_ = Version();
    }
    // Under the lock: true while nothing has been drawn since the image was cleared.
    bool Blank() const { return Version() == blankVersion_; }

    // GUI thread only. A new widget has not been asked for a frame yet; while there
    // is none, the request stays pending, so drawing into a closed window's canvas
    // stops asking.
    void SetWidget(CanvasWidget* w) {
        widget_ = w;
        if (w) FrameTaken();
    }
    // GUI thread: the frame asked for is about to be painted, so the next change asks anew.
    void FrameTaken() { framePending_.store(false, std::memory_order_release); }
    int Requests() const { return requests_.load(std::memory_order_relaxed); }

private:
    void FrameWanted();

    uint64_t blankVersion_ = 0;  // guarded by Lock()
    std::atomic<bool> framePending_{false};
    std::atomic<int> requests_{0};
    CanvasWidget* widget_ = nullptr;
};

class CanvasWidget : public QWidget {
public:
    CanvasWidget(std::shared_ptr<CanvasSurface> surface, QWidget* parent)
        : QWidget(parent), surface_(std::move(surface)) {
        frameTimer_.setSingleShot(true);
        frameTimer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&frameTimer_, &QTimer::timeout, this, [this] { ScheduleFrame(); });
        surface_->SetWidget(this);
    }
    ~CanvasWidget() override { surface_->SetWidget(nullptr); }

    // A frame is wanted: it is painted now if the last one is a frame's time old,
    // else once it is.
    void ScheduleFrame() {
        const FrameClock::time_point now = FrameClock::now();
        const FrameClock::time_point due = lastFrame_ + kFrame;
        if (now >= due) {
            lastFrame_ = now;
            surface_->FrameTaken();
            update();
        } else if (!frameTimer_.isActive()) {
            frameTimer_.start(std::chrono::ceil<std::chrono::milliseconds>(due - now));
        }
    }

protected:
    // The lock is held only to copy the pixels out; Qt paints from the copy. They are
    // opaque or wholly transparent, so they are premultiplied as they stand, the
    // format Qt blends straight onto a 32-bit backing store.
    void paintEvent(QPaintEvent* event) override {
        {
            auto lock = surface_->Lock();
            if (surface_->Blank()) {
                shown_ = QImage();
            } else if (surface_->Version() != shownVersion_ || shown_.isNull()) {
                const int w = surface_->Width(), h = surface_->Height();
                if (shown_.width() != w || shown_.height() != h)
                    shown_ = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
                if (shown_.isNull()) return;
                const auto rowBytes = sizeof(uint32_t) * static_cast<size_t>(w);
                const uint32_t* in = surface_->Pixels();
                if (static_cast<size_t>(shown_.bytesPerLine()) == rowBytes) {
                    std::memcpy(shown_.bits(), in, rowBytes * static_cast<size_t>(h));
                } else {
                    for (int y = 0; y < h; ++y) std::memcpy(shown_.scanLine(y), in + static_cast<size_t>(y) * w, rowBytes);
                }
                shownVersion_ = surface_->Version();
            }
        }
        if (shown_.isNull()) return;
        QPainter painter(this);
        DrawImage(painter, event->region(), shown_);
    }

private:
    std::shared_ptr<CanvasSurface> surface_;
    QImage shown_;               // the pixels as of the last paint
    uint64_t shownVersion_ = 0;  // the surface's version they were copied at
    QTimer frameTimer_;
    FrameClock::time_point lastFrame_ = FrameClock::time_point::min();
};

void CanvasSurface::FrameWanted() {
    if (widget_) widget_->ScheduleFrame();
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

void Canvas::Resized() {
    // Lists are refused before they get here; this guards the setters called directly.
    if (BackingPixels(Width(), Height()) > kPixelBudget)
        throw RuntimeException("a canvas of " + std::to_string(Width()) + " x " + std::to_string(Height()) +
                               " pixels is too large");
    surface_->SetSize(Width(), Height());
}

}  // namespace qv
