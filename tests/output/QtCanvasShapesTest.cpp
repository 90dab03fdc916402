// Rectangles and lines on a real RGB32 image, pixel by pixel, with the Windows meanings the
// designs were made for.
#include <gtest/gtest.h>

#include <QPainter>

#include "CanvasImages.h"
#include "QtCanvas.h"

namespace orv {
namespace {

using test::Covered;
using test::PixelAt;
using test::WhiteImage;

constexpr CanvasColor kRed = 0x0000FF;  // 0x00BBGGRR
constexpr CanvasColor kYellow = 0x00FFFF;
constexpr uint32_t kRedRgb = 0xFF0000;
constexpr uint32_t kYellowRgb = 0xFFFF00;

TEST(QtCanvasShapes, FillRectCoversLeftToRightMinusOne) {
    QImage image = WhiteImage(20, 20);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, 96);
        canvas.SetBrushColor(kRed);
        canvas.SetBrushStyle(BrushStyle::Clear);  // FillRect fills whatever the style
        canvas.FillRect({2, 3, 7, 5});
        // Empty and inverted rectangles draw nothing.
        canvas.FillRect({10, 10, 10, 15});
        canvas.FillRect({15, 10, 12, 15});
        canvas.FillRect({10, 15, 15, 12});
    }
    const auto red = Covered(image, kRedRgb);
    EXPECT_EQ(red.box, QRect(QPoint(2, 3), QPoint(6, 4)));
    EXPECT_EQ(red.count, 10);
    EXPECT_EQ(Covered(image, 0xFFFFFF, true).count, 10);
}

TEST(QtCanvasShapes, ColoursAreRedInTheLowByte) {
    QImage image = WhiteImage(4, 4);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, 96);
        canvas.SetBrushColor(0x00336699);
        canvas.FillRect({0, 0, 4, 4});
    }
    EXPECT_EQ(PixelAt(image, 1, 1), 0x996633u);
}

TEST(QtCanvasShapes, RectangleOutlineSitsOnItsEdgePixels) {
    QImage image = WhiteImage(40, 30);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, 96);
        // A fresh canvas: black 1-pixel pen, white solid brush.
        canvas.SetBrushColor(kYellow);
        canvas.Rectangle({2, 2, 8, 7});
        canvas.SetBrushStyle(BrushStyle::Clear);
        canvas.Rectangle({20, 2, 26, 7});
        canvas.Rectangle({30, 10, 25, 20});  // inverted: nothing
    }
    const auto black = Covered(image, 0x000000);
    EXPECT_EQ(black.count, 2 * 18);
    EXPECT_EQ(Covered(image, kYellowRgb).box, QRect(QPoint(3, 3), QPoint(6, 5)));
    EXPECT_EQ(Covered(image, kYellowRgb).count, 12);
    for (QPoint corner : {QPoint(2, 2), QPoint(7, 2), QPoint(2, 6), QPoint(7, 6), QPoint(25, 6)}) {
        EXPECT_EQ(PixelAt(image, corner.x(), corner.y()), 0u) << corner.x() << "," << corner.y();
    }
    EXPECT_EQ(PixelAt(image, 8, 2), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(image, 2, 7), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(image, 23, 4), 0xFFFFFFu);  // clear brush: the inside is left alone
}

TEST(QtCanvasShapes, WidePensAreCentredOnTheOutline) {
    QImage image = WhiteImage(60, 40);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, 96);
        canvas.SetBrushStyle(BrushStyle::Clear);
        canvas.SetPenWidth(3);
        canvas.Rectangle({10, 10, 20, 20});  // outline pixels 10..19, one either side
        canvas.SetPenWidth(2);
        canvas.Rectangle({30, 10, 40, 20});  // two: one outside, the outline pixel
        canvas.SetPenWidth(3);
        canvas.MoveTo(10, 30);
        canvas.LineTo(20, 30);
    }
    const QImage first = image.copy(0, 0, 25, 25);
    const auto ring = Covered(first, 0x000000);
    EXPECT_EQ(ring.box, QRect(QPoint(9, 9), QPoint(20, 20)));
    EXPECT_EQ(ring.count, 12 * 12 - 6 * 6);
    const QImage second = image.copy(25, 0, 25, 25);
    const auto thin = Covered(second, 0x000000);
    EXPECT_EQ(thin.box, QRect(QPoint(29 - 25, 9), QPoint(39 - 25, 19)));
    EXPECT_EQ(thin.count, 11 * 11 - 7 * 7);
    // The line: three rows, squared off half the width past both ends.
    const QImage line = image.copy(0, 25, 60, 15);
    EXPECT_EQ(Covered(line, 0x000000).box, QRect(QPoint(9, 4), QPoint(21, 6)));
    EXPECT_EQ(Covered(line, 0x000000).count, 13 * 3);
}

TEST(QtCanvasShapes, LinesLeaveOutTheirEndPoint) {
    QImage image = WhiteImage(40, 20);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, 96);
        canvas.SetPenColor(kRed);
        canvas.MoveTo(2, 5);
        canvas.LineTo(8, 5);  // right: 2..7
        canvas.LineTo(8, 1);  // up from the end: 5..2
        canvas.LineTo(3, 1);  // left: 8..4
        canvas.LineTo(3, 1);  // nowhere: nothing
        canvas.MoveTo(20, 0);
        canvas.LineTo(25, 5);  // diagonal: five pixels
        canvas.MoveTo(30, 10);
        canvas.LineTo(36, 12);
    }
    EXPECT_EQ(Covered(image, kRedRgb).count, 6 + 4 + 5 + 5 + 6);
    for (int x = 2; x <= 7; ++x) EXPECT_EQ(PixelAt(image, x, 5), kRedRgb);
    for (int y = 2; y <= 5; ++y) EXPECT_EQ(PixelAt(image, 8, y), kRedRgb) << y;
    for (int x = 4; x <= 8; ++x) EXPECT_EQ(PixelAt(image, x, 1), kRedRgb) << x;
    EXPECT_EQ(PixelAt(image, 3, 1), 0xFFFFFFu);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(PixelAt(image, 20 + i, i), kRedRgb) << i;
    EXPECT_EQ(PixelAt(image, 25, 5), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(image, 30, 10), kRedRgb);
    EXPECT_EQ(PixelAt(image, 36, 12), 0xFFFFFFu);
}

TEST(QtCanvasShapes, LinesAndOutlinesAreNotAntialiased) {
    QImage image = WhiteImage(60, 60);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, 96);
        canvas.SetPenWidth(5);
        canvas.MoveTo(5, 5);
        canvas.LineTo(50, 37);
        canvas.SetPenWidth(1);
        canvas.LineTo(3, 55);
        canvas.SetBrushStyle(BrushStyle::Clear);
        canvas.SetPenWidth(4);
        canvas.Rectangle({10, 40, 50, 58});
    }
    const int black = Covered(image, 0x000000).count;
    const int white = Covered(image, 0xFFFFFF).count;
    EXPECT_GT(black, 200);
    EXPECT_EQ(black + white, 60 * 60);
}

}  // namespace
}  // namespace orv
