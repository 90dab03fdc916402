// Text on a real image through the real font database: where a text lands, how it is measured,
// and how point sizes become pixels at the canvas's font resolution.
#include <gtest/gtest.h>

#include <QPainter>
#include <QPdfWriter>

#include "CanvasImages.h"
#include "QtCanvas.h"
#include "TempDir.h"

namespace orv {
namespace {

using test::Covered;
using test::PixelAt;
using test::WhiteImage;

const std::string kGothic = "ＭＳ Ｐゴシック";
const std::string kFixedGothic = "ＭＳ ゴシック";

struct Font {
    std::string face = kGothic;
    int points = 12;
    bool bold = false;
    bool italic = false;
};

TextSize Measure(const std::string& text, const Font& font, int ppi = 96) {
    QImage image = WhiteImage(4, 4);
    QPainter painter(&image);
    QtCanvas canvas(painter, ppi);
    canvas.SetFontName(font.face);
    canvas.SetFontSize(font.points);
    canvas.SetFontStyle(font.bold, font.italic);
    return canvas.TextExtent(text);
}

QImage Draw(const std::string& text, const Font& font, int x, int y, int width, int height) {
    QImage image = WhiteImage(width, height);
    QPainter painter(&image);
    QtCanvas canvas(painter, 96);
    canvas.SetFontName(font.face);
    canvas.SetFontSize(font.points);
    canvas.SetFontStyle(font.bold, font.italic);
    canvas.TextOut(x, y, text);
    return image;
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
    EXPECT_GT(Measure("ii", {}).Width, 0);
    // The Windows name measures like the face it stands for.
    EXPECT_EQ(Measure("2024年12月", {}), Measure("2024年12月", {.face = "IPAPGothic"}));
}

TEST(QtCanvasText, PointsBecomePixelsAtTheCanvasResolution) {
    EXPECT_EQ(Measure("日本", {}, 300).Width, 100);      // 50-pixel em
    EXPECT_EQ(Measure("日", {.points = 10}).Width, 13);  // 13.3 rounds down
    EXPECT_EQ(Measure("日", {.points = 11}).Width, 15);  // 14.7 rounds up, as Windows does
    EXPECT_LE(Measure("日", {.points = 0}).Height, 2);
    EXPECT_LE(Measure("日", {.points = -5}).Height, 2);

    QImage image = WhiteImage(4, 4);
    QPainter painter(&image);
    EXPECT_EQ(QtCanvas(painter, 96).FontPpi(), 96);
    EXPECT_EQ(QtCanvas(painter, 600).PixelSizeOf(12), 100);
}

TEST(QtCanvasText, TextHangsFromTheTopLeftOfItsCell) {
    const Font font{.points = 24};  // 32 pixels
    const TextSize cell = Measure("日本", font);
    const QImage image = Draw("日本", font, 10, 20, 120, 80);
    const QRect ink = Covered(image, 0xFFFFFF, true).box;
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.top(), 20);
    EXPECT_LE(ink.top(), 20 + cell.Height / 4);
    EXPECT_LT(ink.bottom(), 20 + cell.Height);
    EXPECT_GE(ink.left(), 10);
    EXPECT_LE(ink.left(), 10 + cell.Height / 4);  // the glyph's own side bearing
    EXPECT_LT(ink.right(), 10 + cell.Width);
}

TEST(QtCanvasText, TextIsAntialiasedInItsColourOverWhatIsThere) {
    QImage image = WhiteImage(100, 50);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, 96);
        canvas.SetBrushColor(0x00FFFF);  // yellow
        canvas.FillRect({0, 0, 100, 50});
        canvas.SetFontName(kGothic);
        canvas.SetFontSize(18);
        canvas.SetFontColor(0x0000FF);  // red
        canvas.TextOut(5, 5, "祝日");
    }
    const int red = Covered(image, 0xFF0000).count;
    const int yellow = Covered(image, 0xFFFF00).count;
    EXPECT_GT(red, 20);
    EXPECT_GT(yellow, 100 * 50 / 2);
    EXPECT_GT(100 * 50 - red - yellow, 10);  // edge pixels between the two
    // Red over yellow: only green varies, nothing of another colour (no background box).
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 100; ++x) ASSERT_EQ(PixelAt(image, x, y) & 0xFF00FF, 0xFF0000u);
    }
}

TEST(QtCanvasText, FontChangesTakeEffectAndComeBack) {
    QImage image = WhiteImage(300, 60);
    QPainter painter(&image);
    QtCanvas canvas(painter, 96);
    canvas.SetFontName(kGothic);
    canvas.SetFontSize(12);
    const TextSize first = canvas.TextExtent("令和6年");
    canvas.SetFontSize(24);
    EXPECT_EQ(canvas.TextExtent("令和6年"), Measure("令和6年", {.points = 24}));
    canvas.SetFontName(kFixedGothic);
    EXPECT_EQ(canvas.TextExtent("令和6年"),
              Measure("令和6年", {.face = kFixedGothic, .points = 24}));
    canvas.SetFontName(kGothic);
    canvas.SetFontSize(12);
    EXPECT_EQ(canvas.TextExtent("令和6年"), first);

    // Bold and italic reach the drawing: more ink, and ink leaning right.
    const Font regular{.points = 20};
    const int plainInk = Covered(Draw("国民の祝日", regular, 2, 2, 200, 40), 0xFFFFFF, true).count;
    const int boldInk =
        Covered(Draw("国民の祝日", {.points = 20, .bold = true}, 2, 2, 200, 40), 0xFFFFFF, true)
            .count;
    EXPECT_GT(boldInk, plainInk * 11 / 10);
    EXPECT_NE(Draw("I", {.points = 20, .italic = true}, 2, 2, 40, 40),
              Draw("I", regular, 2, 2, 40, 40));
}

TEST(QtCanvasText, APdfPageTakesTheSameDrawing) {
    test::TempDir dir;
    const std::string path = dir.File("page.pdf");
    {
        QPdfWriter pdf(QString::fromStdString(path));
        pdf.setResolution(300);
        QPainter painter(&pdf);
        QtCanvas canvas(painter, 300);
        canvas.SetFontName(kGothic);
        canvas.SetFontSize(12);
        EXPECT_EQ(canvas.TextExtent("日本").Width, 100);
        canvas.TextOut(100, 100, "日本");
        canvas.Rectangle({50, 50, 600, 400});
        Bitmap picture{2, 1, {0xFFFF0000, 0xFF0000FF}};
        canvas.StretchPicture({100, 200, 500, 300}, picture);
    }
    const std::string bytes = test::TempDir::Read(path);
    EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
    EXPECT_GT(bytes.size(), 1000u);
}

}  // namespace
}  // namespace orv
