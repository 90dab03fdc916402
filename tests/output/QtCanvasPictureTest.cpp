// The illustration stretched onto the canvas, and the bands an export is drawn in.
#include <gtest/gtest.h>

#include <QPainter>

#include "CanvasImages.h"
#include "PictureFiles.h"
#include "QtCanvas.h"

namespace orv {
namespace {

using test::Covered;
using test::Near;
using test::PixelAt;

QImage BlackImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(0xFF000000u);
    return image;
}

Bitmap QuadrantBitmap(int width, int height) {
    const auto quadrants = test::Quadrants(width, height);
    Bitmap bitmap{width, height, {}};
    for (uint32_t rgb : quadrants.pixels) bitmap.Pixels.push_back(0xFF000000u | rgb);
    return bitmap;
}

// Everything outside `rect` is still black.
void ExpectOnlyInside(const QImage& image, const QRect& rect) {
    const auto drawn = Covered(image, 0x000000, true);
    EXPECT_TRUE(rect.contains(drawn.box)) << drawn.box.x() << "," << drawn.box.y() << " "
                                          << drawn.box.width() << "x" << drawn.box.height();
}

TEST(QtCanvasPicture, PictureFillsExactlyItsRectangle) {
    for (QSize size : {QSize(2, 2), QSize(40, 40)}) {  // enlarged, shrunk
        SCOPED_TRACE(size.width());
        QImage image = BlackImage(30, 30);
        {
            QPainter painter(&image);
            QtCanvas canvas(painter, 96);
            canvas.StretchPicture({5, 6, 15, 16}, QuadrantBitmap(size.width(), size.height()));
        }
        ExpectOnlyInside(image, QRect(QPoint(5, 6), QPoint(14, 15)));
        EXPECT_TRUE(Near(PixelAt(image, 5, 6), 0xFF0000, 8));
        EXPECT_TRUE(Near(PixelAt(image, 14, 6), 0x00FF00, 8));
        EXPECT_TRUE(Near(PixelAt(image, 5, 15), 0x0000FF, 8));
        EXPECT_TRUE(Near(PixelAt(image, 14, 15), 0xFFFFFF, 8));
    }
}

TEST(QtCanvasPicture, ShrinkingAveragesEverySourcePixel) {
    // Alternating black and white pixels shrunk tenfold are grey everywhere; a sampling scaler
    // would give black or white.
    Bitmap stripes{100, 100, {}};
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x)
            stripes.Pixels.push_back((x + y) % 2 ? 0xFFFFFFFF : 0xFF000000);
    }
    QImage image = BlackImage(10, 10);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, 96);
        canvas.StretchPicture({0, 0, 10, 10}, stripes);
    }
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x)
            EXPECT_TRUE(Near(PixelAt(image, x, y), 0x808080, 24)) << x << "," << y;
    }
}

TEST(QtCanvasPicture, EmptyTargetsOrPicturesDrawNothing) {
    QImage image = BlackImage(20, 20);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, 96);
        const Bitmap picture = QuadrantBitmap(4, 4);
        canvas.StretchPicture({5, 5, 5, 10}, picture);
        canvas.StretchPicture({10, 5, 2, 10}, picture);  // a mirrored box
        canvas.StretchPicture({5, 10, 10, 4}, picture);
        canvas.StretchPicture({0, 0, 10, 10}, Bitmap{});
        canvas.StretchPicture({0, 0, 10, 10}, Bitmap{3, 3, {}});  // no pixels behind the size
        canvas.StretchPicture({-50, -50, -10, -10}, picture);     // off the image
    }
    EXPECT_EQ(Covered(image, 0x000000, true).count, 0);
}

TEST(QtCanvasPicture, ANewPictureInTheSameMemoryIsNotTakenForTheOld) {
    QtCanvasCache cache;
    Bitmap picture{50, 50, std::vector<uint32_t>(2500, 0xFFFF0000)};
    const auto draw = [&] {
        QImage image = BlackImage(20, 20);
        {
            QPainter painter(&image);
            QtCanvas canvas(painter, 96, &cache);
            canvas.StretchPicture({0, 0, 20, 20}, picture);
        }
        return PixelAt(image, 10, 10);
    };
    EXPECT_EQ(draw(), 0xFF0000u);
    std::fill(picture.Pixels.begin(), picture.Pixels.end(), 0xFF0000FF);
    EXPECT_EQ(draw(), 0x0000FFu);
}

// A sheet with everything a calendar draws.
void DrawScene(Canvas& canvas, const Bitmap& small, const Bitmap& large) {
    canvas.SetBrushColor(0xE0F0FF);
    canvas.FillRect({0, 0, 300, 240});
    canvas.StretchPicture({10, 10, 290, 90}, large);
    canvas.StretchPicture({200, 100, 290, 235}, small);
    canvas.SetBrushStyle(BrushStyle::Clear);
    canvas.SetPenWidth(3);
    canvas.Rectangle({5, 95, 180, 230});
    canvas.SetPenWidth(1);
    for (int y = 120; y < 230; y += 22) {
        canvas.MoveTo(5, y);
        canvas.LineTo(180, y);
    }
    canvas.MoveTo(5, 95);
    canvas.LineTo(180, 230);
    canvas.SetPenWidth(4);
    canvas.LineTo(20, 60);
    canvas.SetFontName("ＭＳ Ｐゴシック");
    for (int i = 0; i < 6; ++i) {
        canvas.SetFontSize(9 + 3 * i);
        canvas.SetFontColor(0x0000FF * (i % 2));
        canvas.TextOut(12 + 25 * i, 64 + 27 * i, i % 2 ? "祝日" : "28");
    }
}

TEST(QtCanvasBands, BandsGetThePixelsOfTheWholeImage) {
    const Bitmap small = QuadrantBitmap(7, 5);
    const Bitmap large = QuadrantBitmap(640, 480);
    QImage whole(300, 240, QImage::Format_RGB32);
    {
        QPainter painter(&whole);
        QtCanvas canvas(painter, 96);
        DrawScene(canvas, small, large);
    }
    QtCanvasCache cache;  // one cache across the bands, as an export keeps it
    for (int top = 0; top < 240; top += 70) {
        const int height = std::min(70, 240 - top);
        QImage band(300, height, QImage::Format_RGB32);
        band.fill(0xFF123456u);
        {
            QPainter painter(&band);
            painter.translate(0, -top);
            painter.setClipRect(QRect(0, top, 300, height));
            QtCanvas canvas(painter, 96, &cache);
            DrawScene(canvas, small, large);
        }
        EXPECT_EQ(band, whole.copy(0, top, 300, height)) << "band at " << top;
    }
}

}  // namespace
}  // namespace orv
