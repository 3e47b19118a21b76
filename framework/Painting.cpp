#include "Painting.h"

#include <QPaintEngine>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cstring>

namespace qv {
namespace {

// Qt blends a drawn image one span (row) at a time, and splits a blend of more than
// about a hundred spans over its thread pool. An image drawn in bands of fewer rows,
// each under a rectangular clip, is blended here whatever its format; in a format Qt
// copies or blends directly, no spans are made at all.
constexpr int kBandRows = 64;

}  // namespace

QImage::Format TargetFormat(QPainter& painter) {
    QPaintEngine* engine = painter.paintEngine();
    QPaintDevice* device = engine ? engine->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image) return QImage::Format_Invalid;
    return static_cast<const QImage*>(device)->format();
}

// Qt converts an image of fewer than 65536 pixels on the calling thread, and a row
// of a picture is far shorter (a picture read from a file is at most 8192 wide).
bool ConvertRows(const QImage& image, QImage::Format format, const std::function<void(int, const uchar*)>& row) {
    for (int y = 0; y < image.height(); ++y) {
        if (image.format() == format) {
            row(y, image.constScanLine(y));
            continue;
        }
        QImage line(image.constScanLine(y), image.width(), 1, image.bytesPerLine(), image.format());
        if (image.colorCount() > 0) line.setColorTable(image.colorTable());
        const QImage converted = line.convertToFormat(format);
        if (converted.isNull()) return false;
        row(y, converted.constBits());
    }
    return true;
}

QImage ConvertedByRows(const QImage& image, QImage::Format format) {
    QImage converted(image.size(), format);
    if (converted.isNull()) return converted;
    const size_t rowBytes = (static_cast<size_t>(image.width()) * static_cast<size_t>(converted.depth()) + 7) / 8;
    if (!ConvertRows(image, format, [&](int y, const uchar* bits) { std::memcpy(converted.scanLine(y), bits, rowBytes); }))
        return QImage();
    return converted;
}

void DrawImage(QPainter& painter, const QRegion& region, const QImage& image) {
    for (const QRect& area : region) {
        const QRect part = area & image.rect();
        for (int top = part.top(); top <= part.bottom(); top += kBandRows) {
            const QRect band(part.left(), top, part.width(), std::min(kBandRows, part.bottom() + 1 - top));
            painter.setClipRect(band);
            painter.drawImage(band.topLeft(), image, band);
        }
    }
    painter.setClipping(false);
}

}  // namespace qv
