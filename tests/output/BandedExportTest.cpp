// Exports drawn band by band give the pixels of one whole-picture draw, report their progress, can
// be cancelled, and leave no file when they do not finish.
#include <gtest/gtest.h>
#include <png.h>

#include <QFont>

#include "BandedExport.h"
#include "Errors.h"
#include "ImageWriter.h"
#include "TempDir.h"

namespace orv {
namespace {

using test::TempDir;

// Something like a calendar sheet: a picture stretched smoothly, a grid of crisp lines, filled
// cells and antialiased Japanese text, much of it crossing band edges.
void DrawSheetLike(QPainter& painter) {
    QImage picture(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) picture.setPixel(x, y, qRgb(x * 4, y * 5, (x + y) * 2));
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(10, 10, 580, 230), picture);
    painter.setPen(QPen(QColor(0, 0, 0), 1));
    for (int row = 0; row <= 6; ++row) painter.drawLine(10, 260 + row * 70, 590, 260 + row * 70);
    for (int col = 0; col <= 7; ++col) painter.drawLine(10 + col * 82, 260, 10 + col * 82, 680);
    painter.fillRect(QRect(10 + 82, 260 + 70, 82, 70), QColor(255, 230, 230));
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(41);
    painter.setFont(font);
    painter.setPen(QColor(200, 0, 0));
    for (int day = 1; day <= 31; ++day) {
        const int cell = day + 2;
        painter.drawText(14 + (cell % 7) * 82, 300 + (cell / 7) * 70, QString::number(day));
    }
    font.setPixelSize(67);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 128));
    painter.drawText(120, 252, QStringLiteral("2026年1月（令和8年）"));
    // Title-sized text of a 1200 dpi export.
    font.setPixelSize(300);
    painter.setFont(font);
    painter.drawText(20, 650, QStringLiteral("1月"));
}

class RecordingProgress : public ExportProgress {
  public:
    explicit RecordingProgress(int cancelAfterCalls = -1) : cancelAfter_(cancelAfterCalls) {}
    bool Continue(int rowsDone, int rowsTotal) override {
        calls.push_back(rowsDone);
        total = rowsTotal;
        return cancelAfter_ < 0 || static_cast<int>(calls.size()) <= cancelAfter_;
    }
    std::vector<int> calls;
    int total = 0;

  private:
    int cancelAfter_;
};

QImage ReadPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_BGRA;
    QImage result(static_cast<int>(image.width), static_cast<int>(image.height),
                  QImage::Format_ARGB32);
    png_image_finish_read(&image, nullptr, result.bits(), result.bytesPerLine(), nullptr);
    return result.convertToFormat(QImage::Format_RGB32);
}

TEST(BandedExport, BandsGiveThePixelsOfOneWholeDraw) {
    TempDir dir;
    const PixelSize size{600, 700};
    const QImage whole = DrawWholePicture(size, DrawSheetLike);
    // Bands of 37 rows (a band edge crosses text, lines and the picture) and of 1 row.
    for (const int bandRows : {37, 1, 150, 700}) {
        SCOPED_TRACE(bandRows);
        const auto writer = MakeImageWriter(ImageFileFormat::Png);
        RecordingProgress progress;
        ASSERT_EQ(ExportInBands(writer.get(), dir.File("banded.png"), size, DrawSheetLike,
                                &progress, static_cast<size_t>(bandRows) * 600 * 4),
                  ExportOutcome::Written);
        const QImage banded = ReadPng(dir.File("banded.png"));
        ASSERT_EQ(banded.size(), whole.size());
        int differing = 0;
        for (int y = 0; y < whole.height(); ++y) {
            for (int x = 0; x < whole.width(); ++x)
                differing += banded.pixel(x, y) != whole.pixel(x, y);
        }
        EXPECT_EQ(differing, 0);
        // Progress before the first band and after each one, up to every row.
        EXPECT_EQ(progress.total, 700);
        EXPECT_EQ(progress.calls.front(), 0);
        EXPECT_EQ(progress.calls.back(), 700);
        EXPECT_EQ(progress.calls.size(), 1u + (700 + bandRows - 1) / bandRows);
    }
}

TEST(BandedExport, CancelledExportLeavesNoFileAndKeepsTheOldOne) {
    TempDir dir;
    const std::string target = dir.Write("calendar.bmp", "the previous export");
    for (const int cancelAt : {0, 1, 3}) {
        const auto writer = MakeImageWriter(ImageFileFormat::Bmp);
        RecordingProgress progress(cancelAt);
        EXPECT_EQ(
            ExportInBands(writer.get(), target, {300, 400}, DrawSheetLike, &progress, 300 * 4 * 50),
            ExportOutcome::Cancelled);
        EXPECT_EQ(static_cast<int>(progress.calls.size()), cancelAt + 1);
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"calendar.bmp"});
        EXPECT_EQ(TempDir::Read(target), "the previous export");
    }
}

TEST(BandedExport, DrawingErrorLeavesNoFile) {
    TempDir dir;
    const auto writer = MakeImageWriter(ImageFileFormat::Png);
    int bands = 0;
    const auto failing = [&](QPainter& painter) {
        if (++bands == 3) throw Error("drawing failed");
        DrawSheetLike(painter);
    };
    EXPECT_THROW(ExportInBands(writer.get(), dir.File("out.png"), {300, 400}, failing, nullptr,
                               300 * 4 * 50),
                 Error);
    EXPECT_TRUE(dir.Entries().empty());
}

TEST(BandedExport, WithoutAWriterThePictureIsDrawnAndNothingWritten) {
    TempDir dir;
    int bands = 0;
    EXPECT_EQ(ExportInBands(
                  nullptr, dir.File("out.jpg"), {300, 400}, [&](QPainter&) { ++bands; }, nullptr,
                  300 * 4 * 100),
              ExportOutcome::Written);
    EXPECT_EQ(bands, 4);
    EXPECT_TRUE(dir.Entries().empty());
    EXPECT_THROW(ExportInBands(nullptr, dir.File("x.png"), {0, 400}, DrawSheetLike), IoError);
}

TEST(BandedExport, BandMemoryStaysWithinItsBudget) {
    // A3 at 1200 dpi: bands of 64 MB hold about 1195 rows of 14031 pixels.
    EXPECT_EQ(BandRows(14031, kBandBytes), 1195);
    EXPECT_EQ(BandRows(100000000, kBandBytes), 1);
    EXPECT_EQ(BandRows(0, 4), 1);
}

}  // namespace
}  // namespace orv
