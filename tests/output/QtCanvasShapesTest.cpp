// Rectangles and lines on a real RGB32 image, pixel by pixel, with the Windows meanings the
// designs were made for.
#include <gtest/gtest.h>

#include "CanvasImages.h"

namespace orv {
namespace {

using test::Covered;
using test::Drawn;
using test::PixelAt;

constexpr uint32_t kBlack = 0x000000;

TEST(QtCanvasShapes, FillRectCoversLeftToRightMinusOne) {
    const QImage image = Drawn(20, 20, [](QtCanvas& canvas) {
        canvas.SetBrushColor(0x00336699);         // red in the low byte
        canvas.SetBrushStyle(BrushStyle::Clear);  // FillRect fills whatever the style
        canvas.FillRect({2, 3, 7, 5});
        canvas.FillRect({10, 10, 10, 15});  // empty and inverted: nothing
        canvas.FillRect({15, 10, 12, 15});
        canvas.FillRect({10, 15, 15, 12});
    });
    const auto fill = Covered(image, 0x996633);
    EXPECT_EQ(fill.box, QRect(QPoint(2, 3), QPoint(6, 4)));
    EXPECT_EQ(fill.count, 10);
    EXPECT_EQ(Covered(image, 0xFFFFFF, true).count, 10);
}

TEST(QtCanvasShapes, RectangleOutlineSitsOnItsEdgePixels) {
    const QImage image = Drawn(40, 30, [](QtCanvas& canvas) {
        // A fresh canvas has a black 1-pixel pen.
        canvas.SetBrushColor(0x00FFFF);
        canvas.Rectangle({2, 2, 8, 7});
        canvas.SetBrushStyle(BrushStyle::Clear);
        canvas.Rectangle({20, 2, 26, 7});
        canvas.Rectangle({30, 10, 25, 20});  // inverted: nothing
    });
    EXPECT_EQ(Covered(image, kBlack).count, 2 * 18);
    EXPECT_EQ(Covered(image, 0xFFFF00).box, QRect(QPoint(3, 3), QPoint(6, 5)));
    EXPECT_EQ(Covered(image, 0xFFFF00).count, 12);
    for (QPoint black : {QPoint(2, 2), QPoint(7, 2), QPoint(2, 6), QPoint(7, 6), QPoint(25, 6)}) {
        EXPECT_EQ(PixelAt(image, black.x(), black.y()), kBlack) << black.x() << "," << black.y();
    }
    for (QPoint white : {QPoint(8, 2), QPoint(2, 7), QPoint(23, 4)}) {
        EXPECT_EQ(PixelAt(image, white.x(), white.y()), 0xFFFFFFu) << white.x() << "," << white.y();
    }
}

TEST(QtCanvasShapes, WidePensAreCentredOnTheOutlineAndNeverBlurred) {
    const QImage image = Drawn(70, 60, [](QtCanvas& canvas) {
        canvas.SetBrushStyle(BrushStyle::Clear);
        canvas.SetPenWidth(3);
        canvas.Rectangle({10, 10, 20, 20});  // outline 10..19 and one pixel either side
        canvas.SetPenWidth(2);
        canvas.Rectangle({30, 10, 40, 20});  // one pixel outside, the outline pixel
        canvas.SetPenWidth(3);
        canvas.MoveTo(10, 30);
        canvas.LineTo(20, 30);
        canvas.SetPenWidth(5);
        canvas.MoveTo(50, 5);
        canvas.LineTo(65, 55);
    });
    const auto three = Covered(image.copy(0, 0, 25, 25), kBlack);
    EXPECT_EQ(three.box, QRect(QPoint(9, 9), QPoint(20, 20)));
    EXPECT_EQ(three.count, 12 * 12 - 6 * 6);
    const auto two = Covered(image.copy(25, 0, 20, 25), kBlack);
    EXPECT_EQ(two.box, QRect(QPoint(4, 9), QPoint(14, 19)));
    EXPECT_EQ(two.count, 11 * 11 - 7 * 7);
    // Three rows, squared off half the width past both ends.
    const auto line = Covered(image.copy(0, 25, 45, 15), kBlack);
    EXPECT_EQ(line.box, QRect(QPoint(9, 4), QPoint(21, 6)));
    EXPECT_EQ(line.count, 13 * 3);
    // Every pixel is black or white: no antialiasing, the slanted line included.
    EXPECT_GT(Covered(image.copy(45, 0, 25, 60), kBlack).count, 150);
    EXPECT_EQ(Covered(image, kBlack).count + Covered(image, 0xFFFFFF).count, 70 * 60);
}

TEST(QtCanvasShapes, LinesLeaveOutTheirEndPoint) {
    const QImage image = Drawn(40, 20, [](QtCanvas& canvas) {
        canvas.SetPenColor(0x0000FF);
        canvas.MoveTo(2, 5);
        canvas.LineTo(8, 5);  // right: 2..7
        canvas.LineTo(8, 1);  // up from there: 5..2
        canvas.LineTo(3, 1);  // left: 8..4
        canvas.LineTo(3, 1);  // nowhere: nothing
        canvas.MoveTo(20, 0);
        canvas.LineTo(25, 5);  // slanted: five pixels
        canvas.MoveTo(30, 10);
        canvas.LineTo(36, 12);
    });
    EXPECT_EQ(Covered(image, 0xFF0000).count, 6 + 4 + 5 + 5 + 6);
    const auto red = [&](int x, int y) { return PixelAt(image, x, y) == 0xFF0000; };
    for (int x = 2; x <= 7; ++x) EXPECT_TRUE(red(x, 5)) << x;
    for (int y = 2; y <= 5; ++y) EXPECT_TRUE(red(8, y)) << y;
    for (int x = 4; x <= 8; ++x) EXPECT_TRUE(red(x, 1)) << x;
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(red(20 + i, i)) << i;
    EXPECT_FALSE(red(3, 1));
    EXPECT_FALSE(red(25, 5));
    EXPECT_TRUE(red(30, 10));
    EXPECT_FALSE(red(36, 12));
}

TEST(QtCanvasShapes, ChordsStayInsideTheirRectangleAndFillTheirHalf) {
    const QImage image = Drawn(60, 30, [](QtCanvas& canvas) {
        canvas.SetPenColor(0x0000FF);
        canvas.SetBrushColor(0x0000FF);
        canvas.SetPenWidth(2);
        canvas.SetBrushStyle(BrushStyle::Clear);
        canvas.Chord({5, 5, 25, 25}, 0, 360);
        canvas.SetBrushStyle(BrushStyle::Solid);
        canvas.Chord({35, 5, 55, 25}, 90, 180);  // the left half
        canvas.Chord({30, 0, 30, 10}, 0, 360);   // empty: nothing
    });
    const auto inked = Covered(image, 0xFFFFFF, true);
    EXPECT_TRUE(QRect(5, 5, 50, 20).contains(inked.box)) << inked.box.x() << "," << inked.box.y();
    EXPECT_EQ(PixelAt(image, 15, 15), 0xFFFFFFu);  // an open circle
    EXPECT_NE(PixelAt(image, 15, 6), 0xFFFFFFu);  // its outline
    EXPECT_EQ(PixelAt(image, 40, 15), 0xFF0000u);  // the left half filled, the right not
    EXPECT_EQ(PixelAt(image, 50, 15), 0xFFFFFFu);
}

}  // namespace
}  // namespace orv
