// Images converted a row at a time for the GUI thread come out as Qt converts them whole.
#include "Painting.h"

#include <QImage>
#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(PaintingTest, ARowByRowConversionMatchesQtsOwn) {
    // An odd width, so that rows of 16- and 24-bit pixels end between words.
    QImage source(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) source.setPixel(x, y, qRgb(50 * x, 90 * y, 255 - 20 * x - y));
    for (const QImage::Format format : {QImage::Format_RGB16, QImage::Format_RGB888, QImage::Format_BGR30,
                                        QImage::Format_ARGB32_Premultiplied, QImage::Format_Grayscale8}) {
        SCOPED_TRACE(format);
        const QImage converted = ConvertedByRows(source, format);
        EXPECT_EQ(converted.format(), format);
        EXPECT_EQ(converted, source.convertToFormat(format));
    }
    const QImage indexed = source.convertToFormat(QImage::Format_Indexed8);
    EXPECT_EQ(ConvertedByRows(indexed, QImage::Format_RGB32), indexed.convertToFormat(QImage::Format_RGB32));
}

}  // namespace
}  // namespace qv
