// Printing into a PDF file, read back by poppler's tools: a vector page of the sheet's size whose
// text stays text, and nothing left behind by a job that does not finish.
#include <cups/cups.h>
#include <gtest/gtest.h>

#include <QFont>

#include "PdfFilePrinter.h"
#include "PrinterLayer.h"
#include "TempDir.h"

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
    // Qt's writer gives the page whole points: the sheet within 0.2 mm.
    EXPECT_EQ(PageSize(dir.File("a4.pdf")), "595 x 842 pts (A4)");
    EXPECT_NE(Tool("pdftotext", dir.File("a4.pdf") + "' '-").find("2026年1月 Orvalinden"),
              std::string::npos);
    // Vector: no picture of the page (pdfimages lists its two header lines only).
    const std::string images = Tool("pdfimages -list", dir.File("a4.pdf"));
    EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 2) << images;

    PdfFilePrinter wide(dir.File("wide.pdf"), 297, 210, 600);
    PrintPage(wide, QStringLiteral("wide"));
    EXPECT_EQ(PageSize(dir.File("wide.pdf")), "842 x 595 pts (A4)");
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

}  // namespace
}  // namespace orv
