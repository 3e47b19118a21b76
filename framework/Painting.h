// Images drawn and converted on the GUI thread. Internal to the framework.
//
// Qt's raster engine hands a large blend or conversion to a pool of worker threads
// and waits for them. Where the system refuses new threads (a per-user process limit,
// a container's pids limit) a pool without a thread never answers, and the GUI thread
// would wait for good. Everything here keeps that work on the calling thread.
#pragma once

#include <QImage>

#include <functional>

class QPainter;
class QRegion;

namespace qv {

// The format of the image the painter draws into (a window's backing store while
// the window paints), or Format_Invalid when it draws into something else.
QImage::Format TargetFormat(QPainter& painter);

// Hands each row of the image, converted to format, to row in turn; false when a
// row could not be converted. The converted image is null then.
bool ConvertRows(const QImage& image, QImage::Format format, const std::function<void(int y, const uchar* bits)>& row);
QImage ConvertedByRows(const QImage& image, QImage::Format format);

// Draws the image with its top-left corner at the painter's origin, over region only.
// In the target's format, or premultiplied ARGB32 onto a 32-bit target, it is copied
// or blended straight onto the target.
void DrawImage(QPainter& painter, const QRegion& region, const QImage& image);

}  // namespace qv
