// A picture for each month and a run of months: each page or file of a run is what the single
// month's output draws, month pictures are chosen by the month each calendar shows, and a cancel
// or failure leaves only complete files.
#include <gtest/gtest.h>
#include <QColor>
#include <QImage>
#include <QProcess>

#include "output/FontSubstitutes.h"
#include "output/OutputMonths.h"
#include "output/PdfFilePrinter.h"
#include "output/PictureFormats.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

namespace orv {
namespace {

using test::RecordingSink;
using test::TempDir;

class Statuses : public StatusSink {
  public:
    void ShowStatus(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

class StopAt : public MonthProgress {
  public:
    explicit StopAt(int month) : month_(month) {}
    bool ContinueMonths(int done, int) override { return done < month_; }

  private:
    int month_;
};

constexpr QRgb kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kGreen = 0xFF00FF00, kYellow = 0xFFFFFF00;

class MonthRun_ : public testing::Test {
  protected:
    MonthRun_() {
        RegisterWindowsFontSubstitutes();
        sink.AllowCoarsePictures();
        state.Decoder = &decoder;
        design = NewDesign();
        design.Year = 2026;
        design.Month = 1;
        design.SizeX = 100;
        design.SizeY = 148;
        design.PicSaveDPI = 40;
        design.PrevNextMonthEnabled = 1;
        design.PictureFile = Picture("all.png", kRed);
        design.MonthPicture.Set(2, Picture("feb.png", kBlue));
        design.MonthPicture.Set(7, Picture("jul.png", kGreen));
        for (int day = 1; day <= 10; ++day) {
            TMemorial& memorial = design.Memorials.Add();
            memorial.Date = "0/" + std::to_string(day) + "/" + std::to_string(day * 2);
            memorial.Name = "記念日";
            memorial.DayColor = 0x0000C0;
            memorial.FontColor = -1;
            memorial.BackColor = 0xE0F0FF;
        }
    }

    std::string Picture(const std::string& name, QRgb color) {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(color);
        image.save(QString::fromStdString(dir.File(name)));
        return dir.File(name);
    }

    // Imposition: the window's calendar and entries 1 (its own picture) and 2, one row.
    void Impose() {
        design.Print = 1;
        design.Cols = 3;
        design.Interval = 4;
        design.Matrixs.Add() = {"", 1, 1, Picture("own.png", kYellow), "", {}};
        design.Matrixs.Add() = {"", 2, 6, "", "", {}};
    }

    OutputEnvironment Env() { return {status, sink, state}; }

    // The picture's colour in the middle of the picture band of calendar `k` of one row.
    QRgb PictureColor(const QImage& image, int k, int dpi) {
        const double px = dpi / 25.4;
        const int pitch = design.Print != 0 ? design.SizeX + design.Interval : 0;
        return image.pixel(static_cast<int>((k * pitch + design.SizeX / 2.0) * px),
                           static_cast<int>(design.SizeY / 4.0 * px));
    }

    // Every page of a PDF as a picture at 96 DPI, rendered by poppler.
    std::vector<QImage> Pages(const std::string& pdf, const std::string& prefix) {
        QProcess::execute("pdftoppm", {"-r", "96", QString::fromStdString(pdf),
                                       QString::fromStdString(dir.File(prefix))});
        std::vector<QImage> pages;
        for (const std::string& name : dir.Entries()) {
            if (name.rfind(prefix + "-", 0) == 0 && name.ends_with(".ppm")) {
                pages.emplace_back(QString::fromStdString(dir.File(name)));
            }
        }
        return pages;
    }

    TempDir dir;
    TData design;
    Statuses status;
    RecordingSink sink;
    RenderState state;
    const RegistryPictureDecoder decoder;
};

TEST_F(MonthRun_, EachMonthDrawsItsOwnPictureOrTheDesignsAndAnEntryKeepsItsOwn) {
    for (const auto& [month, color] : {std::pair{1, kRed}, {2, kBlue}, {3, kRed}, {7, kGreen}}) {
        design.Month = month;
        const OutputJob job = JobOfDesign(design);
        OutputEnvironment env = Env();
        EXPECT_EQ(PictureColor(DrawCalendarImage(env, job, 40), 0, 40), color) << month;
    }
    // A sheet of several months takes its first month's picture.
    design.Month = 7;
    design.PluralEnabled = 1;
    {
        const OutputJob job = JobOfDesign(design);
        OutputEnvironment env = Env();
        EXPECT_EQ(PictureColor(DrawCalendarImage(env, job, 40), 0, 40), kGreen);
    }
    design.PluralEnabled = 0;
    // January, February (the entry's own picture wins) and July.
    design.Month = 1;
    Impose();
    const OutputJob job = JobOfDesign(design);
    OutputEnvironment env = Env();
    const QImage sheet = DrawCalendarImage(env, job, 40);
    EXPECT_EQ(PictureColor(sheet, 0, 40), kRed);
    EXPECT_EQ(PictureColor(sheet, 1, 40), kYellow);
    EXPECT_EQ(PictureColor(sheet, 2, 40), kGreen);
    EXPECT_TRUE(sink.Take().empty());
}

TEST(JobTitle, NamesTheDesignAndTheMonthsItShows) {
    const struct {
        const char* name;
        int month, months;
        const char* title;
    } cases[] = {
        {"家族カレンダー", 1, 1, "家族カレンダー 2027年1月"},
        {"家族カレンダー", 1, 12, "家族カレンダー 2027年1月–12月"},
        {"学校", 4, 13, "学校 2027年4月–2028年4月"},
        {"", 12, 25, "Orvalinden 2027年12月–2029年12月"},
    };
    for (const auto& c : cases) {
        OutputJob job;
        job.Name = c.name;
        job.Design.Year = 2027;
        job.Design.Month = c.month;
        EXPECT_EQ(JobTitle(job, c.months), c.title);
    }
}

TEST_F(MonthRun_, EveryPdfPageIsTheSingleMonthsPdfWithImpositionOffAndOn) {
    for (const bool imposed : {false, true}) {
        if (imposed) Impose();
        const std::string tag = imposed ? "on" : "off";
        const MonthRun run{{2026, 1}, 12};
        {
            const OutputJob job = JobOfDesign(design);
            OutputEnvironment env = Env();
            const MonthsOutcome outcome =
                SaveMonthsPdf(env, job, dir.File(tag + ".pdf"), run, 96, nullptr);
            EXPECT_EQ(outcome.Result, MonthsResult::Done);
            EXPECT_EQ(outcome.Done, 12);
        }
        QStringList singles;
        for (int k = 0; k < 12; ++k) {
            TData single = design;
            single.Month = k + 1;
            const OutputJob job = JobOfDesign(single);
            OutputEnvironment env = Env();
            const QSizeF page = LayoutSizeMm(job);
            singles << QString::fromStdString(dir.File(tag + "-" + std::to_string(k) + ".pdf"));
            PdfFilePrinter pdf(singles.back().toStdString(), page.width(), page.height(), 96);
            ASSERT_TRUE(OutputPrint(env, job, pdf, false));
        }
        // The single months' pages side by side in one file, rendered in one go as the run's.
        QProcess::execute("pdfunite",
                          singles << QString::fromStdString(dir.File(tag + "-1by1.pdf")));
        const std::vector<QImage> pages = Pages(dir.File(tag + ".pdf"), tag + "-year");
        const std::vector<QImage> expected = Pages(dir.File(tag + "-1by1.pdf"), tag + "-single");
        ASSERT_EQ(pages.size(), 12u);
        ASSERT_EQ(expected.size(), 12u);
        for (int k = 0; k < 12; ++k) {
            EXPECT_TRUE(pages[k] == expected[k]) << tag << " month " << k + 1;
        }
    }
    EXPECT_EQ(status.shown[0], "印刷中... (1/12)");
    EXPECT_EQ(status.shown[11], "印刷中... (12/12)");
    EXPECT_TRUE(sink.Take().empty());
}

TEST_F(MonthRun_, EachImageIsTheSingleMonthsExportAndACancelKeepsTheCompleteOnes) {
    design.Year = 2026;
    design.Month = 11;
    const MonthRun run{{2026, 11}, 4};
    const OutputJob job = JobOfDesign(design);
    OutputEnvironment env = Env();
    MonthsOutcome outcome = SaveMonthImages(env, job, dir.File("cal.png"), run, 40, nullptr);
    EXPECT_EQ(outcome.Result, MonthsResult::Done);
    EXPECT_EQ(MonthsMessage(MonthsTarget::Images, outcome)->second, "保存しました。");
    for (const auto& [year, month] : {std::pair{2026, 11}, {2026, 12}, {2027, 1}, {2027, 2}}) {
        TData single = design;
        single.Year = year;
        single.Month = month;
        const OutputJob one = JobOfDesign(single);
        OutputEnvironment oneEnv = Env();
        ASSERT_EQ(SaveCalendarImageAt(oneEnv, one, dir.File("one.png"), 40, nullptr),
                  ImageExportResult::Saved);
        const std::string name = MonthImagePath(dir.File("cal.png"), {year, month});
        EXPECT_EQ(TempDir::Read(name), TempDir::Read(dir.File("one.png"))) << name;
    }
    EXPECT_EQ(sink.Take().size(), 4u);  // the single exports' own "保存しました。"
    EXPECT_EQ(MonthImagePath("/a.b/cal", {2027, 2}), "/a.b/cal-2027-02");
    EXPECT_EQ(MonthImagePath("x/.hidden", {987, 10}), "x/.hidden-0987-10");

    TempDir other;
    StopAt third(3);
    outcome = SaveMonthImages(env, job, other.File("y.bmp"), {{2026, 1}, 12}, 40, &third);
    EXPECT_EQ(outcome.Result, MonthsResult::Cancelled);
    EXPECT_EQ(other.Entries(),
              (std::vector<std::string>{"y-2026-01.bmp", "y-2026-02.bmp", "y-2026-03.bmp"}));
    EXPECT_EQ(MonthsMessage(MonthsTarget::Images, outcome)->second,
              "中止しました。12 か月のうち 3 か月分の画像を保存しました。");

    // A cancelled or failed PDF leaves no file.
    EXPECT_EQ(SaveMonthsPdf(env, job, other.File("y.pdf"), {{2026, 1}, 12}, 96, &third).Result,
              MonthsResult::Cancelled);
    EXPECT_EQ(other.Entries().size(), 3u);
    // A failure after two files says how many there are.
    design.Year = 9999;
    const OutputJob late = JobOfDesign(design);
    OutputEnvironment lateEnv = Env();
    // January 10000 cannot be drawn.
    outcome = SaveMonthImages(lateEnv, late, other.File("z.png"), {{9999, 11}, 4}, 40, nullptr);
    EXPECT_EQ(outcome.Result, MonthsResult::Failed);
    EXPECT_EQ(outcome.Done, 2);
    EXPECT_EQ(MonthsMessage(MonthsTarget::Images, outcome)->second,
              "4 か月のうち 2 か月分の画像を保存しました。");
    EXPECT_EQ(other.Entries().size(), 5u);
    const auto reported = sink.Take();
    ASSERT_FALSE(reported.empty());
    EXPECT_NE(reported[0].text.find("描画ｴﾗｰ"), std::string::npos);
}

}  // namespace
}  // namespace orv
