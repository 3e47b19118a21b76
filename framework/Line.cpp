#include "Line.h"

#include "ClassTable.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cstdlib>

namespace qv {

namespace {

// Paints one segment, given in the pane's own coordinates.
class LinePane : public QWidget {
public:
    explicit LinePane(QWidget* parent) : QWidget(parent) {
        // A line is decoration: clicks fall through to what lies beneath it.
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

    void SetSegment(QPoint from, QPoint to, int width, QColor color) {
        from_ = from;
        to_ = to;
        width_ = width;
        color_ = color;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (width_ <= 0) return;
        QPainter painter(this);
        painter.setPen(QPen(color_, width_, Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(from_, to_);
    }

private:
    QPoint from_, to_;
    int width_ = 1;
    QColor color_;
};

// The pane that SyncWidget places: the end points and a pen's width beyond them.
PaintedBox LineBox(const Int32Values& value) {
    const int64_t pen = std::max(value("BorderWidth"), 0);
    return {std::abs(int64_t{value("X2")} - value("X1")) + 1 + 2 * pen,
            std::abs(int64_t{value("Y2")} - value("Y1")) + 1 + 2 * pen};
}

}  // namespace

ClassRef Line::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, Control::Lookup, [](ClassTable& t) {
        t.name = "Line";
        t.factory = FactoryOf<Line>();
    });
}

const PropertyKind& Line::Kind() {
    static const PropertyKind kind("Line", &Line::Lookup, Join({
        Pick(SharedProperties(), {"Name", "Index", "Top", "Left", "Width", "Height"}),
        {Field<&Line::x1_>("X1", 0).Range(-kGeometryBound, kGeometryBound).Paints(&LineBox),
         Field<&Line::x2_>("X2", 0).Range(-kGeometryBound, kGeometryBound).Paints(&LineBox),
         Field<&Line::y1_>("Y1", 0).Range(-kGeometryBound, kGeometryBound).Paints(&LineBox),
         Field<&Line::y2_>("Y2", 0).Range(-kGeometryBound, kGeometryBound).Paints(&LineBox)},
        Pick(SharedProperties(), {"TabPanelIndex", "Visible"}),
        {Field<&Line::borderWidth_>("BorderWidth", 1).Range(-kGeometryBound, kGeometryBound).Paints(&LineBox),
         Field<&Line::lineColor_>("LineColor", Color{0, 0, 0})},
        Pick(SharedProperties(), {"InitialParent"}),
    }));
    return kind;
}

QWidget* Line::MakeWidget(QWidget* parent) { return new LinePane(parent); }

void Line::SyncWidget() {
    Control::SyncWidget();
    auto* pane = static_cast<LinePane*>(Widget());
    if (!pane) return;
    // The end points place the pane, not Left, Top, Width and Height, which may be
    // negative. The pane reaches a pen's width beyond them so that no end is cut off.
    const int pen = std::max(borderWidth_, 0);
    const QRect ends(QPoint(std::min(x1_, x2_), std::min(y1_, y2_)), QPoint(std::max(x1_, x2_), std::max(y1_, y2_)));
    const QRect box = ends.adjusted(-pen, -pen, pen, pen);
    pane->setGeometry(box);
    pane->SetSegment(QPoint(x1_, y1_) - box.topLeft(), QPoint(x2_, y2_) - box.topLeft(), pen,
                     QColor(lineColor_.red, lineColor_.green, lineColor_.blue));
}

}  // namespace qv
