// Exports drawn band by band give the pixels of one whole-picture draw, report their progress and
// can be cancelled without leaving a file.
#include <gtest/gtest.h>

#include <QFont>

#include "CanvasImages.h"
#include "output/BandedExport.h"
#include "support/TempDir.h"

namespace orv {
namespace {

using test::ReadPng;
using test::TempDir;

// Like a calendar sheet: a smoothly stretched picture, crisp lines, a filled cell and antialiased
// Japanese text from small to title size, much of it across band edges.
void DrawSheetLike(QPainter& painter) {
    QImage picture(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) picture.setPixel(x, y, qRgb(x * 4, y * 5, (x + y) * 2));
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(10, 10, 580, 230), picture);
    for (int row = 0; row <= 6; ++row) painter.drawLine(10, 260 + row * 70, 590, 260 + row * 70);
    painter.fillRect(QRect(92, 330, 82, 70), QColor(255, 230, 230));
    QFont font(QStringLiteral("IPAPGothic"));
    for (const int size : {41, 67, 300}) {
        font.setPixelSize(size);
        painter.setFont(font);
        painter.drawText(20, 200 + size * 3 / 2, QStringLiteral("2026年1月（令和8年）31"));
    }
}

class RecordingProgress : public ExportProgress {
  public:
    explicit RecordingProgress(int callsBeforeCancel = -1) : allowed_(callsBeforeCancel) {}
    bool Continue(int rowsDone, int rowsTotal) override {
        rows.push_back(rowsDone);
        total = rowsTotal;
        return allowed_ < 0 || static_cast<int>(rows.size()) <= allowed_;
    }
    std::vector<int> rows;
    int total = 0;

  private:
    int allowed_;
};

TEST(BandedExport, BandsGiveThePixelsOfOneWholeDraw) {
    TempDir dir;
    const PixelSize size{600, 700};
    const QImage whole = DrawWholePicture(size, DrawSheetLike);
    for (const int bandRows : {1, 37, 150, 700}) {
        const auto writer = MakeImageWriter(ImageFileFormat::Png);
        RecordingProgress progress;
        ASSERT_EQ(ExportInBands(writer.get(), dir.File("banded.png"), size, DrawSheetLike,
                                &progress, static_cast<size_t>(bandRows) * 600 * 4),
                  ExportOutcome::Written);
        EXPECT_TRUE(ReadPng(dir.File("banded.png")) == whole) << "bands of " << bandRows;
        // Before the first band and after each one, up to every row.
        EXPECT_EQ(progress.total, 700);
        EXPECT_EQ(progress.rows.front(), 0);
        EXPECT_EQ(progress.rows.back(), 700);
        EXPECT_EQ(progress.rows.size(), 1u + (700 + bandRows - 1) / bandRows);
    }
}

TEST(BandedExport, CancelledOrFailedExportLeavesNoFileAndKeepsTheOldOne) {
    TempDir dir;
    const std::string target = dir.Write("calendar.bmp", "the previous export");
    for (const int cancelAt : {0, 1, 3}) {
        const auto writer = MakeImageWriter(ImageFileFormat::Bmp);
        RecordingProgress progress(cancelAt);
        EXPECT_EQ(
            ExportInBands(writer.get(), target, {300, 400}, DrawSheetLike, &progress, 300 * 4 * 50),
            ExportOutcome::Cancelled);
        EXPECT_EQ(int(progress.rows.size()), cancelAt + 1);
    }
    int bands = 0;
    const auto failing = [&](QPainter& painter) {
        if (++bands == 3) throw std::runtime_error("drawing failed");
        DrawSheetLike(painter);
    };
    const auto writer = MakeImageWriter(ImageFileFormat::Png);
    EXPECT_THROW(ExportInBands(writer.get(), target, {300, 400}, failing, nullptr, 300 * 4 * 50),
                 std::runtime_error);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"calendar.bmp"});
    EXPECT_EQ(TempDir::Read(target), "the previous export");
}

}  // namespace
}  // namespace orv
