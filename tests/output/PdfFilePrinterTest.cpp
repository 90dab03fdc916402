// Printing into a PDF file, read back by poppler's tools: a vector page of the sheet's size whose
// text stays text, and nothing left behind by a job that does not finish.
#include <cups/cups.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QFont>
#include <QPainter>
#include <array>
#include <cstring>
#include <map>

#include "app/SizePresets.h"
#include "output/FontSubstitutes.h"
#include "output/OutputDriver.h"
#include "output/PdfFilePrinter.h"
#include "output/PictureFormats.h"
#include "output/PrinterLayer.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

namespace orv {
namespace {

using test::TempDir;

std::string Tool(const std::string& command, const std::string& path) {
    std::string out;
    FILE* pipe = popen((command + " '" + path + "' 2>&1").c_str(), "r");
    char buffer[4096];
    for (size_t n; pipe != nullptr && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, n);
    }
    if (pipe != nullptr) pclose(pipe);
    return out;
}

std::string PageSize(const std::string& pdf) {
    const std::string info = Tool("pdfinfo", pdf);
    const size_t at = info.find("Page size:");
    if (at == std::string::npos) return info;
    const size_t start = info.find_first_not_of(' ', at + 10);
    return info.substr(start, info.find('\n', start) - start);
}

void PrintPage(PrintTarget& target, const QString& text) {
    target.StartJob("Orvalinden");
    QPainter& painter = target.Painter();
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(14 * target.Resolution().Y / 72);
    painter.setFont(font);
    painter.drawText(100, 100 + painter.fontMetrics().ascent(), text);
    painter.drawRect(0, 0, 1000, 1000);
    target.EndJob();
}

TEST(PdfPrinting, PageHasTheSheetsSizeAndKeepsTextAsText) {
    TempDir dir;
    PdfFilePrinter portrait(dir.File("a4.pdf"), 210, 297, 300);
    PrintPage(portrait, QStringLiteral("2026年1月 Orvalinden"));
    EXPECT_EQ(PageSize(dir.File("a4.pdf")), "595.276 x 841.89 pts (A4)");
    EXPECT_NE(Tool("pdftotext", dir.File("a4.pdf") + "' '-").find("2026年1月 Orvalinden"),
              std::string::npos);
    // Vector: no picture of the page (pdfimages lists its two header lines only).
    const std::string images = Tool("pdfimages -list", dir.File("a4.pdf"));
    EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 2) << images;

    PdfFilePrinter wide(dir.File("wide.pdf"), 297, 210, 600);
    PrintPage(wide, QStringLiteral("wide"));
    EXPECT_EQ(PageSize(dir.File("wide.pdf")), "841.89 x 595.276 pts (A4)");
}

TEST(PdfPrinting, JobThatDoesNotFinishLeavesNoFileAndKeepsTheOldOne) {
    TempDir dir;
    const std::string path = dir.Write("calendar.pdf", "the previous file");
    {
        PdfFilePrinter pdf(path, 100, 100, 300);
        pdf.StartJob("Orvalinden");
        pdf.AbortJob();
        EXPECT_FALSE(pdf.Printing());
        EXPECT_THROW(pdf.EndJob(), PrinterError);
        pdf.StartJob("Orvalinden");  // dropped by going out of scope
    }
    PdfFilePrinter nowhere(dir.File("missing/calendar.pdf"), 100, 100, 300);
    EXPECT_THROW(nowhere.StartJob("Orvalinden"), PrinterError);
    PdfFilePrinter sizeless(dir.File("empty.pdf"), 0, 100, 300);
    EXPECT_THROW(sizeless.StartJob("Orvalinden"), PrinterError);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"calendar.pdf"});
    EXPECT_EQ(TempDir::Read(path), "the previous file");
}

// The print dialog's "print to file" makes the job a PDF file, with or without a printer.
TEST(PdfPrinting, PrintToFileChosenInTheDialogWritesThatFile) {
    setenv("CUPS_SERVER", "/nonexistent/orvalinden-test-cups.sock", 1);
    cupsSetServer(nullptr);
    TempDir dir;
    PrinterLayer printer;
    printer.Printer().setOutputFormat(QPrinter::PdfFormat);
    printer.Printer().setOutputFileName(QString::fromStdString(dir.File("printed.pdf")));
    printer.Printer().setPageSize(QPageSize(QPageSize::A5));
    printer.Refresh();
    EXPECT_TRUE(printer.PrintsToFile());
    EXPECT_EQ(printer.PhysicalOffset(), (DotPair{0, 0}));
    PrintPage(printer, QStringLiteral("to a file"));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"printed.pdf"});
    EXPECT_EQ(PageSize(dir.File("printed.pdf")), "420 x 595 pts (A5)");
    unsetenv("CUPS_SERVER");
    cupsSetServer(nullptr);
}

class NoStatus : public StatusSink {
  public:
    void ShowStatus(const std::string&) override {}
};

// A card-sized calendar design through the output driver.
class PdfOutput : public testing::Test {
  protected:
    PdfOutput() {
        RegisterWindowsFontSubstitutes();
        design.Year = 2026;
        design.Month = 1;
        design.SizeX = 86;
        design.SizeY = 54;
        design.Frame = 1;
    }
    OutputEnvironment Env() {
        job = JobOfDesign(design);
        return {status, sink, state};
    }
    // The design printed into a PDF of its size; the messages when that failed.
    std::string Print(const std::string& path, int dpi) {
        OutputEnvironment env = Env();
        PdfFilePrinter pdf(path, design.SizeX, design.SizeY, dpi);
        const bool printed = OutputPrint(env, job, pdf, false);
        std::string text;
        for (const auto& message : sink.Take()) text += message.text + "\n";
        return printed || !text.empty() ? text : "failed";
    }
    // The PDF's page drawn by poppler at `dpi`, in grey.
    QImage Raster(const std::string& pdf, int dpi) {
        Tool("pdftoppm -gray -singlefile -r " + std::to_string(dpi), pdf + "' '" + pdf);
        return QImage(QString::fromStdString(pdf + ".pgm"));
    }

    TData design = NewDesign();
    TempDir dir;
    OutputJob job;
    NoStatus status;
    test::RecordingSink sink;
    RenderState state;
};

// Left, bottom, right, top of a box as pdfinfo -box gives it.
std::array<double, 4> BoxOf(const std::string& boxes, const char* name) {
    std::array<double, 4> box{};
    const size_t at = boxes.find(name);
    if (at != std::string::npos) {
        sscanf(boxes.c_str() + at + strlen(name), "%lf %lf %lf %lf", &box[0], &box[1], &box[2],
               &box[3]);
    }
    return box;
}

TEST_F(PdfOutput, EveryPresetIsTheSheetExactlyWithItsBleedAroundIt) {
    constexpr double kPt = 72 / 25.4;
    // pdfinfo rounds each edge to hundredths; a size is the difference of two.
    const auto near = [](double a, double b) { return std::abs(a - b) <= 0.011; };
    for (const SizePreset& preset : SizePresets()) {
        const double w = preset.Width * kPt, h = preset.Height * kPt;
        for (const bool ready : {false, true}) {
            const std::string path = dir.File("sheet.pdf");
            PrintReadyOptions options;
            options.BleedMm = ready ? 3 : 0;
            options.Marks = ready;
            PdfFilePrinter pdf(path, preset.Width, preset.Height, 600, options);
            pdf.StartJob("Orvalinden");
            pdf.EndJob();
            const std::string boxes = Tool("pdfinfo -box", path);
            const auto media = BoxOf(boxes, "MediaBox:");
            const auto trim = BoxOf(boxes, "TrimBox:");
            const auto bleed = BoxOf(boxes, "BleedBox:");
            EXPECT_TRUE(near(trim[2] - trim[0], w) && near(trim[3] - trim[1], h))
                << preset.Name << boxes;
            const double b = ready ? 3 * kPt : 0;
            EXPECT_TRUE(near(bleed[2] - bleed[0], w + 2 * b) &&
                        near(bleed[3] - bleed[1], h + 2 * b))
                << preset.Name << boxes;
            EXPECT_TRUE(near(bleed[0] + b, trim[0]) && near(bleed[3] - b, trim[3])) << boxes;
            if (!ready) {
                EXPECT_TRUE(near(media[0], 0) && near(media[2], w) && near(media[3], h))
                    << preset.Name << boxes;
            } else {
                // Room for the marks outside the bleed.
                EXPECT_TRUE(media[0] < bleed[0] - 10 * kPt && media[3] > bleed[3] + 10 * kPt)
                    << boxes;
            }
        }
    }
    // The cut frame of a postcard at 600 dpi: its right and bottom lines on the page.
    design.SizeX = 100;
    design.SizeY = 148;
    ASSERT_EQ(Print(dir.File("card.pdf"), 600), "");
    const QImage page = Raster(dir.File("card.pdf"), 150);
    // A dark pixel within the last three before the sheet's edge, across or down.
    const auto lineAt = [&](int edge, bool across) {
        for (int at = edge - 2; at <= edge; ++at) {
            const QPoint p = across ? QPoint(at, page.height() / 2) : QPoint(page.width() / 2, at);
            if (page.valid(p) && qGray(page.pixel(p)) < 160) return true;
        }
        return false;
    };
    EXPECT_TRUE(lineAt(static_cast<int>(100 / 25.4 * 150), true));
    EXPECT_TRUE(lineAt(static_cast<int>(148 / 25.4 * 150), false));
}

TEST_F(PdfOutput, FailedWriteNamesTheFileAndTheSystemsReason) {
    const std::string target = dir.Write("calendar.pdf", "the previous file");
    // The disk fills up (a file size limit stands in for it).
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto* handler = signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old;
    limited.rlim_cur = 2048;
    setrlimit(RLIMIT_FSIZE, &limited);
    const std::string message = Print(target, 300);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, handler);
    EXPECT_NE(message.find(target + ": File too large"), std::string::npos) << message;
    EXPECT_EQ(TempDir::Read(target), "the previous file");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"calendar.pdf"});
}

TEST_F(PdfOutput, PagesAndPicturesBeyondTwoHundredInchesAreRefused) {
    design.SizeX = 5100;
    EXPECT_NE(Print(dir.File("long.pdf"), 1).find("200 インチ"), std::string::npos);
    design.SizeX = 210;
    design.Print = 1;
    design.Cols = 25;  // 25 sheets across: 5.3 m
    OutputEnvironment env = Env();
    EXPECT_EQ(SaveCalendarImageAt(env, job, dir.File("wide.png"), 10, nullptr),
              ImageExportResult::NotStarted);
    const auto messages = sink.Take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find("200 インチ"), std::string::npos) << messages[0].text;
    EXPECT_TRUE(dir.Entries().empty());
}

// A picture goes into the PDF losslessly, at its own pixels.
TEST_F(PdfOutput, PictureGoesInLosslessAtItsOwnPixels) {
    QImage picture(12, 12, QImage::Format_RGB32);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) picture.setPixel(x, y, qRgb(20 * x, 20 * y, 128));
    }
    ASSERT_TRUE(picture.save(QString::fromStdString(dir.File("small.png"))));
    design.PictureFile = dir.File("small.png");
    design.PictureSize = 60;
    design.PicturePosition = 1;
    const RegistryPictureDecoder decoder;
    state.Decoder = &decoder;
    // 12 pixels over about 34 mm: the warning names the picture and what it prints at.
    const std::string said = Print(dir.File("picture.pdf"), 300);
    EXPECT_NE(said.find("画像「small.png」は紙の上で約 9 dpi です。200 dpi 未満"),
              std::string::npos)
        << said;
    const std::string list = Tool("pdfimages -list", dir.File("picture.pdf"));
    int width = 0;
    char encoding[16] = {};
    ASSERT_EQ(sscanf(list.c_str() + list.rfind("-\n") + 2, "%*d %*d %*s %d %*d %*s %*d %*d %15s",
                     &width, encoding),
              2)
        << list;
    EXPECT_STREQ(encoding, "image") << list;  // Flate, not JPEG
    EXPECT_EQ(width, 12) << list;
}

// Ink of a page (0 white .. 255 black per pixel) over the sheet.
double Ink(const QImage& image) {
    double ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) ink += 255 - qGray(image.pixel(x, y));
    }
    return ink;
}

// Bold text holds as much more ink than regular on screen, in the images at every resolution and
// in the PDF.
TEST_F(PdfOutput, BoldLooksTheSameOnEverySurface) {
    design.SizeX = 100;  // a postcard: the dates are over 64 pixels high at 600 dpi
    design.SizeY = 148;
    std::map<std::string, double> ratios;
    const auto surfaces = [&](int bold) {
        design.YearFontB = design.WeekFontB = design.DayFontB = design.HolidayFontB = bold;
        std::map<std::string, double> ink;
        OutputEnvironment env = Env();
        QImage preview(400, 600, QImage::Format_RGB32);
        {
            QPainter painter(&preview);
            EXPECT_TRUE(OutputPreview(env, job, painter, {400, 600}));
        }
        ink["preview"] = Ink(preview);
        for (int dpi : {96, 300, 600}) {
            ink["image " + std::to_string(dpi)] = Ink(DrawCalendarImage(env, job, dpi));
        }
        EXPECT_EQ(Print(dir.File("bold.pdf"), 300), "");
        ink["pdf"] = Ink(Raster(dir.File("bold.pdf"), 300));
        return ink;
    };
    const auto regular = surfaces(0);
    const auto bold = surfaces(1);
    for (const auto& [surface, ink] : regular) {
        ratios[surface] = (bold.at(surface) - ink) / ink;
        EXPECT_GT(ratios[surface], 0.04) << surface;
    }
    // Alike at the same resolution; not less at a higher one, where the lines weigh less.
    EXPECT_NEAR(ratios["preview"], ratios["image 96"], 0.01);
    EXPECT_NEAR(ratios["pdf"], ratios["image 300"], 0.05);
    EXPECT_GE(ratios["image 600"], ratios["image 300"]);
}

}  // namespace
}  // namespace orv
