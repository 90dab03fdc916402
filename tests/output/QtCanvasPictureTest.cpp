// The illustration stretched onto the canvas, and the bands an export is drawn in.
#include <gtest/gtest.h>

#include "CanvasImages.h"
#include "PictureFiles.h"

namespace orv {
namespace {

using test::Covered;
using test::Drawn;
using test::Near;
using test::PixelAt;

TEST(QtCanvasPicture, PictureFillsExactlyItsRectangle) {
    for (int size : {2, 40}) {  // enlarged, shrunk
        const QImage image = Drawn(
            30, 30,
            [&](QtCanvas& canvas) {
                canvas.StretchPicture({5, 6, 15, 16}, test::Quadrants(size, size));
            },
            0x000000);
        const QRect drawn = Covered(image, 0x000000, true).box;
        EXPECT_TRUE(QRect(QPoint(5, 6), QPoint(14, 15)).contains(drawn)) << size;
        EXPECT_TRUE(Near(PixelAt(image, 5, 6), 0xFF0000, 8)) << size;
        EXPECT_TRUE(Near(PixelAt(image, 14, 6), 0x00FF00, 8)) << size;
        EXPECT_TRUE(Near(PixelAt(image, 5, 15), 0x0000FF, 8)) << size;
        EXPECT_TRUE(Near(PixelAt(image, 14, 15), 0xFFFFFF, 8)) << size;
    }
}

TEST(QtCanvasPicture, ShrinkingAveragesEverySourcePixel) {
    // A black and white chequer shrunk about fourteenfold is grey everywhere; a sampling or
    // interpolating scaler gives shades from near black to near white.
    Bitmap chequer{100, 100, {}};
    for (int i = 0; i < 100 * 100; ++i)
        chequer.Pixels.push_back((i + i / 100) % 2 ? ~0u : 0xFF000000);
    const QImage image = Drawn(7, 7, [&](QtCanvas& canvas) {
        canvas.StretchPicture({0, 0, 7, 7}, chequer);
    });
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 7; ++x)
            EXPECT_TRUE(Near(PixelAt(image, x, y), 0x808080, 24)) << x << "," << y;
    }
}

TEST(QtCanvasPicture, EmptyTargetsOrPicturesDrawNothing) {
    const Bitmap picture = test::Quadrants(4, 4);
    const QImage image = Drawn(
        20, 20,
        [&](QtCanvas& canvas) {
            canvas.StretchPicture({5, 5, 5, 10}, picture);
            canvas.StretchPicture({10, 5, 2, 10}, picture);  // would come out mirrored
            canvas.StretchPicture({5, 10, 10, 4}, picture);
            canvas.StretchPicture({0, 0, 10, 10}, Bitmap{});
            canvas.StretchPicture({0, 0, 10, 10}, Bitmap{3, 3, {}});  // no pixels behind the size
            canvas.StretchPicture({-50, -50, -10, -10}, picture);     // off the image
        },
        0x000000);
    EXPECT_EQ(Covered(image, 0x000000, true).count, 0);
}

TEST(QtCanvasPicture, ANewPictureInTheSameMemoryIsNotTakenForTheOld) {
    QtCanvasCache cache;  // kept across repaints, as the preview keeps it
    Bitmap picture{50, 50, std::vector<uint32_t>(2500, 0xFFFF0000)};
    const auto centre = [&] {
        QImage image(20, 20, QImage::Format_RGB32);
        {
            QPainter painter(&image);
            QtCanvas(painter, 96, &cache).StretchPicture({0, 0, 20, 20}, picture);
        }
        return PixelAt(image, 10, 10);
    };
    EXPECT_EQ(centre(), 0xFF0000u);
    std::fill(picture.Pixels.begin(), picture.Pixels.end(), 0xFF0000FF);
    EXPECT_EQ(centre(), 0x0000FFu);
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
    canvas.LineTo(20, 60);
    canvas.SetPenWidth(4);
    canvas.LineTo(150, 200);
    canvas.SetFontName("ＭＳ Ｐゴシック");
    for (int i = 0; i < 6; ++i) {
        canvas.SetFontSize(9 + 3 * i);
        canvas.SetFontColor(0x0000FF * (i % 2));
        canvas.TextOut(12 + 25 * i, 64 + 27 * i, i % 2 ? "祝日" : "28");
    }
}

TEST(QtCanvasBands, BandsGetThePixelsOfTheWholeImage) {
    const Bitmap small = test::Quadrants(7, 5);
    const Bitmap large = test::Quadrants(640, 480);
    const QImage whole =
        Drawn(300, 240, [&](QtCanvas& canvas) { DrawScene(canvas, small, large); });
    QtCanvasCache cache;  // one cache across the bands, as an export keeps it
    for (int top = 0; top < 240; top += 70) {
        const int height = std::min(70, 240 - top);
        QImage band(300, height, QImage::Format_RGB32);
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
