// A canvas shows a backing image that its Graphics draws into, from any thread.
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

    // The backing image holds at most 16 Mi pixels (64 MiB): a Width or Height that
    // would make it larger is refused.
    static constexpr int64_t MaxPixels = int64_t{16} * 1024 * 1024;

    // Safe to draw into from any thread, also after the window has closed. It lives
    // as long as the canvas.
    const Ref<qv::Graphics>& Graphics() const { return graphics_; }
    // How many repaints drawing has asked the GUI thread for: at most one is
    // outstanding at a time, and the GUI thread shows at most one per frame.
    int RepaintRequests() const;

protected:
    QWidget* MakeWidget(QWidget* parent) override;
    void PropertyApplied(std::string_view name) override;
    std::string Refusal(const PropertyInfo& info, const PropertyValue& value) const override;
    void Resized() override;

private:
    std::shared_ptr<CanvasSurface> surface_;
    Ref<qv::Graphics> graphics_;
    bool useFocusRing_ = true, acceptFocus_ = false, acceptTabs_ = false, doubleBuffer_ = false,
         eraseBackground_ = true;
};

}  // namespace qv
