// Text on a real image through the real font database: where a text lands, how it is measured,
// and how point sizes become pixels at the canvas's font resolution.
#include <gtest/gtest.h>

#include <QPdfWriter>

#include "CanvasImages.h"
#include "support/TempDir.h"

namespace orv {
namespace {

using test::Covered;
using test::Drawn;
using test::PixelAt;

const std::string kGothic = "ＭＳ Ｐゴシック";
const std::string kFixedGothic = "ＭＳ ゴシック";

struct Font {
    std::string face = kGothic;
    int points = 12;
    bool bold = false;
    bool italic = false;
    void SetOn(Canvas& canvas) const {
        canvas.SetFontName(face);
        canvas.SetFontSize(points);
        canvas.SetFontStyle(bold, italic);
    }
};

TextSize Measure(const std::string& text, const Font& font, int ppi = 96) {
    QImage image(4, 4, QImage::Format_RGB32);
    QPainter painter(&image);
    QtCanvas canvas(painter, ppi);
    font.SetOn(canvas);
    return canvas.TextExtent(text);
}

QImage Written(const std::string& text, const Font& font) {
    return Drawn(200, 60, [&](QtCanvas& canvas) {
        font.SetOn(canvas);
        canvas.TextOut(2, 2, text);
    });
}

TEST(QtCanvasText, ExtentsAreAdvanceByCellHeightInAJapaneseFace) {
    // 12 points at 96 pixels per inch: a 16-pixel em; kanji are one em wide.
    const TextSize kanji = Measure("日本", {});
    EXPECT_EQ(kanji.Width, 32);
    EXPECT_GE(kanji.Height, 16);
    EXPECT_LE(kanji.Height, 20);
    EXPECT_EQ(Measure("", {}), (TextSize{0, kanji.Height}));
    // The fixed face gives Latin letters half an em, the proportional one less for "i".
    EXPECT_EQ(Measure("ii", {.face = kFixedGothic}).Width, 16);
    EXPECT_LT(Measure("ii", {}).Width, 16);
    EXPECT_EQ(Measure("2024年12月", {}), Measure("2024年12月", {.face = "IPAPGothic"}));
}

TEST(QtCanvasText, PointsBecomePixelsAtTheCanvasResolution) {
    EXPECT_EQ(Measure("日本", {}, 300).Width, 100);      // a 50-pixel em
    EXPECT_EQ(Measure("日", {.points = 10}).Width, 13);  // 13.3 rounds down
    EXPECT_EQ(Measure("日", {.points = 11}).Width, 15);  // 14.7 rounds up, as on Windows
    EXPECT_LE(Measure("日", {.points = 0}).Height, 2);
    EXPECT_LE(Measure("日", {.points = -5}).Height, 2);
}

TEST(QtCanvasText, TextHangsFromTheTopLeftOfItsCellInItsColourOnly) {
    const TextSize cell = Measure("日本", {.points = 24});
    const QImage image = Drawn(
        120, 80,
        [](QtCanvas& canvas) {
            canvas.SetFontName(kGothic);
            canvas.SetFontSize(24);
            canvas.SetFontColor(0x0000FF);
            canvas.TextOut(10, 20, "日本");
        },
        0xFFFF00);
    const QRect ink = Covered(image, 0xFFFF00, true).box;
    EXPECT_GE(ink.top(), 20);
    EXPECT_LE(ink.top(), 20 + cell.Height / 4);
    EXPECT_LT(ink.bottom(), 20 + cell.Height);
    EXPECT_GE(ink.left(), 10);
    EXPECT_LE(ink.left(), 10 + cell.Height / 4);  // the glyph's own side bearing
    EXPECT_LT(ink.right(), 10 + cell.Width);
    // Red on yellow, antialiased: only green varies, with shades between; no background box.
    EXPECT_GT(Covered(image, 0xFF0000).count, 20);
    EXPECT_GT(120 * 80 - Covered(image, 0xFF0000).count - Covered(image, 0xFFFF00).count, 10);
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 120; ++x) ASSERT_EQ(PixelAt(image, x, y) & 0xFF00FF, 0xFF0000u);
    }
}

TEST(QtCanvasText, FontChangesTakeEffectAndComeBack) {
    QImage image(4, 4, QImage::Format_RGB32);
    QPainter painter(&image);
    QtCanvas canvas(painter, 96);
    Font{}.SetOn(canvas);
    const TextSize first = canvas.TextExtent("令和6年");
    canvas.SetFontSize(24);
    EXPECT_EQ(canvas.TextExtent("令和6年"), Measure("令和6年", {.points = 24}));
    canvas.SetFontName(kFixedGothic);
    EXPECT_EQ(canvas.TextExtent("令和6年"),
              Measure("令和6年", {.face = kFixedGothic, .points = 24}));
    Font{}.SetOn(canvas);
    EXPECT_EQ(canvas.TextExtent("令和6年"), first);
    // Bold and italic reach the drawing: more ink, and ink leaning over.
    const int plain = Covered(Written("国民の祝日", {.points = 20}), 0xFFFFFF, true).count;
    EXPECT_GT(Covered(Written("国民の祝日", {.points = 20, .bold = true}), 0xFFFFFF, true).count,
              plain * 11 / 10);
    EXPECT_NE(Written("I", {.points = 20, .italic = true}), Written("I", {.points = 20}));
}

TEST(QtCanvasText, APdfPageTakesTheSameDrawing) {
    test::TempDir dir;
    {
        QPdfWriter pdf(QString::fromStdString(dir.File("page.pdf")));
        pdf.setResolution(300);
        QPainter painter(&pdf);
        QtCanvas canvas(painter, 300);
        Font{}.SetOn(canvas);
        EXPECT_EQ(canvas.TextExtent("日本").Width, 50 * 2);
        canvas.TextOut(100, 100, "日本");
        canvas.Rectangle({50, 50, 600, 400});
        canvas.StretchPicture({100, 200, 500, 300}, Bitmap{2, 1, {0xFFFF0000, 0xFF0000FF}});
    }
    const std::string bytes = test::TempDir::Read(dir.File("page.pdf"));
    EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
    EXPECT_GT(bytes.size(), 1000u);
}

}  // namespace
}  // namespace orv
