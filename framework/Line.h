// A line from (X1, Y1) to (X2, Y2) in window coordinates, BorderWidth wide, in
// LineColor. Its Width and Height may be negative (X2 - X1, Y2 - Y1): they are kept
// as given, and the widget covers the line's end points whatever they are.
#pragma once

#include "Control.h"

namespace qv {

class Line : public Control {
public:
    static ClassRef Lookup();
    static const PropertyKind& Kind();
    const PropertyKind& TargetKind() const override { return Kind(); }

    int32_t X1() const { return x1_; }
    int32_t Y1() const { return y1_; }
    int32_t X2() const { return x2_; }
    int32_t Y2() const { return y2_; }
    int32_t BorderWidth() const { return borderWidth_; }
    Color LineColor() const { return lineColor_; }

protected:
    QWidget* MakeWidget(QWidget* parent) override;
    void SyncWidget() override;

private:
    int32_t x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0, borderWidth_ = 1;
    Color lineColor_{0, 0, 0};
};

}  // namespace qv
