// A canvas shows a backing image that its Graphics draws into, from any thread. The
// image is Width by Height pixels, within the budget a list is held to (kPixelBudget).
#pragma once

#include "Control.h"
#include "Picture.h"

#include <memory>

namespace qv {

class CanvasSurface;

class Canvas : public Control {
public:
    static ClassRef Lookup();
    static const PropertyKind& Kind();
    const PropertyKind& TargetKind() const override { return Kind(); }
    Canvas();

    // Safe to draw into from any thread, also after the window has closed. It lives
    // as long as the canvas.
    const Ref<qv::Graphics>& Graphics() const { return graphics_; }
    // How many repaints drawing has asked the GUI thread for: at most one is
    // outstanding at a time, and the GUI thread shows at most one per frame.
    int RepaintRequests() const;

protected:
    QWidget* MakeWidget(QWidget* parent) override;
    void PropertyApplied(std::string_view name) override;
    void Resized() override;

private:
    std::shared_ptr<CanvasSurface> surface_;
    Ref<qv::Graphics> graphics_;
    bool useFocusRing_ = true, acceptFocus_ = false, acceptTabs_ = false, doubleBuffer_ = false,
         eraseBackground_ = true;
};

}  // namespace qv
