// A slider. Its range applies before its value whatever the order of the entries;
// "ValueChanged" is raised when the user changes the value (with LiveScroll False,
// when a drag ends or a key or click steps it), never while a list is applied.
#pragma once

#include "Control.h"

namespace qv {

class Slider : public Control {
public:
    static ClassRef Lookup();
    static const PropertyKind& Kind();
    const PropertyKind& TargetKind() const override { return Kind(); }

    int32_t Minimum() const { return minimum_; }
    int32_t Maximum() const { return maximum_; }
    // The value within the range.
    int32_t Value() const;
    void SetValue(int32_t value);
    int32_t LineStep() const { return lineStep_; }
    int32_t PageStep() const { return pageStep_; }
    bool LiveScroll() const { return liveScroll_; }
    int32_t TickStyle() const { return tickStyle_; }

protected:
    QWidget* MakeWidget(QWidget* parent) override;
    void SyncWidget() override;

private:
    // The user moved the slider to the value.
    void UserMoved(int value);
    // Brings the Qt slider in line with the range, the value and the steps.
    void SyncSlider();

    int32_t minimum_ = 0, maximum_ = 100, value_ = 0, lineStep_ = 1, pageStep_ = 20, tickStyle_ = 0;
    bool liveScroll_ = false;
};

}  // namespace qv
