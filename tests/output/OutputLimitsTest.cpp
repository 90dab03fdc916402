// What the output driver does with designs beyond what the window lets the user enter: pictures
// too large to export are refused with a message before anything is drawn, absurd numbers from an
// edited file still give a preview, and long imposition lists draw only what shows.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <climits>
#include <functional>

#include "CanvasImages.h"
#include "output/FontSubstitutes.h"
#include "output/OutputDriver.h"
#include "output/PreviewSizing.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

namespace orv {
namespace {

using test::Message;
using test::ReadPng;
using test::RecordingSink;
using test::TempDir;

class NoStatus : public StatusSink {
  public:
    void ShowStatus(const std::string&) override {}
};

TData SmallDesign(int sizeX, int sizeY) {
    TData d = NewDesign();
    d.Year = 2026;
    d.Month = 3;
    d.SizeIndex = -1;
    d.SizeX = sizeX;
    d.SizeY = sizeY;
    d.PicSaveDPI = 300;
    d.Holiday = 1;
    d.Rokuyo = 1;
    return d;
}

void AddEntries(TData& d, int count, int cols) {
    d.Print = 1;
    d.Cols = cols;
    d.Interval = 2;
    for (int i = 1; i <= count; ++i) {
        TMatrix& entry = d.Matrixs.Add();
        entry.Number = i;
        entry.MonthOffset = i % 24;
    }
}

class OutputLimits : public testing::Test {
  protected:
    OutputLimits() {
        RegisterWindowsFontSubstitutes();
        // Rokuyo for the years the designs show, so that none is drawn without its data.
        for (int year = 2025; year <= 2029; ++year) {
            for (int month = 1; month <= 12; ++month) {
                for (int day = 1; day <= DaysInMonth(year, month); ++day) {
                    TMemorial& entry = state.RokuyoList.Add();
                    entry.Date = std::to_string(year) + "/" + std::to_string(month) + "/" +
                                 std::to_string(day);
                    entry.Name = "大安";
                }
            }
        }
        state.RokuyoList.BuildDateIndex();
    }

    // The export as the window's prompt answered with `dpi` starts it.
    ImageExportResult Export(const TData& design, int dpi, const std::string& name) {
        class Answer : public ResolutionAsker {
          public:
            explicit Answer(int dpi) : dpi_(dpi) {}
            std::optional<std::string> Ask(const std::string&, const std::string&,
                                           const std::string&) override {
                return std::to_string(dpi_);
            }

          private:
            int dpi_;
        } answer(dpi);
        OutputJob job = JobOfDesign(design);
        OutputEnvironment env{status, sink, state};
        const ImageExportResult result =
            SaveCalendarImage(env, job, dir.File(name), answer, nullptr, nullptr);
        lastDpi = job.Design.PicSaveDPI;
        return result;
    }

    // The preview of `design` at `zoom`, painted onto `box` pixels with `prepare` run on the
    // painter first (a clip, as a partial repaint has).
    QImage Preview(const TData& design, int zoom, QSize box,
                   const std::function<void(QPainter&)>& prepare = {}) {
        OutputEnvironment env{status, sink, state};
        QImage image(box, QImage::Format_RGB32);
        image.fill(0xFF808080u);
        QPainter painter(&image);
        if (prepare) prepare(painter);
        drawn = OutputPreview(env, JobOfDesign(design, zoom), painter, {box.width(), box.height()});
        return image;
    }

    TempDir dir;
    NoStatus status;
    RecordingSink sink;
    RenderState state;
    int lastDpi = 0;
    bool drawn = false;
};

TEST_F(OutputLimits, PicturesOverThirtyThousandPixelsOnASideAreRefusedBeforeDrawing) {
    // 1 x 250 mm: 118 x 29527 pixels at 3000 dpi, 122 x 30511 at 3100.
    const TData tall = SmallDesign(1, 250);
    EXPECT_EQ(Export(tall, 3000, "within.png"), ImageExportResult::Saved);
    EXPECT_EQ(sink.Take().size(), 1u);  // 保存しました。
    EXPECT_EQ(lastDpi, 3000);

    EXPECT_EQ(Export(tall, 3100, "over.png"), ImageExportResult::NotStarted);
    std::vector<Message> messages = sink.Take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(messages[0].text,
              "画像が大きすぎます（122 x 30511 ピクセル）。\r\n"
              "縦横とも 30000 ピクセル以下になるよう、解像度を下げてください。");
    EXPECT_EQ(lastDpi, 300);  // the refused resolution is not offered next time

    // An imposition grid is as wide as its columns, however few calendars fill them.
    TData grid = SmallDesign(100, 100);
    AddEntries(grid, 1, 30);
    grid.Interval = 0;
    EXPECT_EQ(Export(grid, 300, "grid.png"), ImageExportResult::NotStarted);
    messages = sink.Take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find("（35430 x 1181 ピクセル）"), std::string::npos);

    // Sizes whose pixels do not fit in an integer are refused the same way, at once.
    EXPECT_EQ(Export(SmallDesign(INT_MAX, INT_MAX), 100000, "huge.bmp"),
              ImageExportResult::NotStarted);
    EXPECT_EQ(sink.Take().size(), 1u);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"within.png"});
}

TEST_F(OutputLimits, AbsurdNumbersFromAnEditedFileStillGiveAPreview) {
    const std::vector<std::pair<const char*, std::function<void(TData&)>>> edits = {
        {"line width", [](TData& d) { d.LineWidth = INT_MAX; }},
        {"sheet size", [](TData& d) { d.SizeX = d.SizeY = INT_MAX; }},
        {"negative sheet", [](TData& d) { d.SizeX = d.SizeY = INT_MIN; }},
        {"picture margin", [](TData& d) { d.PictureOffset = INT_MAX; }},
        {"picture share", [](TData& d) { d.PictureSize = INT_MIN; }},
        {"miniature size",
         [](TData& d) {
             d.PrevNextMonthEnabled = 1;
             d.PrevNextMonthSize = INT_MAX;
         }},
        {"month count",
         [](TData& d) {
             d.PluralEnabled = 1;
             d.Columns = d.Rows = INT_MAX;
         }},
        {"styles",
         [](TData& d) {
             d.DaySize = d.HolidaySize = d.WeekSize = d.YearStyle = d.WeekStyle = INT_MAX;
             d.DayPosition = d.YearPosition = d.PicturePosition = INT_MIN;
         }},
        {"imposition",
         [](TData& d) {
             AddEntries(d, 3, INT_MAX);
             d.Interval = INT_MAX;
             d.Matrixs.Items(1).MonthOffset = INT_MAX;
             d.Matrixs.Items(2).Number = INT_MIN;
         }},
    };
    for (const auto& [what, edit] : edits) {
        TData design = SmallDesign(90, 95);
        edit(design);
        for (const int zoom : {200, 10}) {
            Preview(design, zoom, {300, 300});
            // A date out of the calendar's range may be reported, once; nothing else.
            const std::vector<Message> messages = sink.Take();
            EXPECT_LE(messages.size(), 1u) << what;
            for (const Message& m : messages) EXPECT_EQ(m.text.rfind("描画ｴﾗｰ", 0), 0u) << what;
        }
    }
}

TEST_F(OutputLimits, ARepaintOfPartOfALongImpositionListDrawsWhatAWholeRepaintDraws) {
    TData design = SmallDesign(30, 30);
    AddEntries(design, 60, 8);
    const QSize box(8 * 121, 8 * 121);  // 30 mm and a 2 mm gap are about 121 pixels at 96 dpi
    const QImage whole = Preview(design, 100, box);
    ASSERT_TRUE(drawn);
    const QRect part(300, 420, 250, 180);
    const QImage clipped =
        Preview(design, 100, box, [&](QPainter& painter) { painter.setClipRect(part); });
    ASSERT_TRUE(drawn);
    for (int y = part.top(); y <= part.bottom(); ++y) {
        for (int x = part.left(); x <= part.right(); ++x) {
            ASSERT_EQ(clipped.pixel(x, y), whole.pixel(x, y)) << x << ", " << y;
        }
    }

    // The same holds for the bands of an export.
    const OutputJob job = JobOfDesign(design);
    OutputEnvironment env{status, sink, state};
    ASSERT_EQ(SaveCalendarImageAt(env, job, dir.File("banded.png"), 150, nullptr, 1400 * 4 * 30),
              ImageExportResult::Saved);
    sink.Take();
    const QImage reference = DrawCalendarImage(env, job, 150);
    EXPECT_TRUE(ReadPng(dir.File("banded.png")) == reference);
}

TEST_F(OutputLimits, PreviewSizesOfAbsurdDesignsStayInRange) {
    const PixelSize huge = PreviewCalendarSize("2147483647", "-2147483648", 200, 96);
    EXPECT_EQ(huge, (PixelSize{INT_MAX, INT_MIN}));
    const PreviewImposition grid{true, INT_MAX, "2147483647", "2147483647"};
    EXPECT_EQ(PreviewBoxSize({800, 600}, grid, 200, 96), (PixelSize{INT_MAX, INT_MAX}));
    const PreviewImposition overlapping{true, 5, "3", "-2147483648"};
    EXPECT_EQ(PreviewBoxSize({800, 600}, overlapping, 100, 96), (PixelSize{800, 600}));
    EXPECT_EQ(CentredBoxPosition({INT_MAX, 100}, {INT_MIN + 1, 50}), (PixelPoint{INT_MAX, 25}));
}

}  // namespace
}  // namespace orv
