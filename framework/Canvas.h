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

    // Safe to draw into from any thread, also after the window has closed.
    Ref<qv::Graphics> Graphics() const { return graphics_; }
    // How many repaints drawing has asked the GUI thread for (coalesced).
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
