// Printing into a PDF file: a vector page of the sheet's size whose text stays text, read back by
// poppler's own tools.
#include <cups/cups.h>
#include <gtest/gtest.h>

#include <QFont>
#include <array>
#include <cstdio>

#include "PdfFilePrinter.h"
#include "PrinterLayer.h"
#include "TempDir.h"

namespace orv {
namespace {

using test::TempDir;

std::string ShellQuote(const std::string& s) {
    std::string quoted = "'";
    for (char c : s) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string RunTool(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    std::array<char, 4096> buffer{};
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
    pclose(pipe);
    return out;
}

std::string PageSize(const std::string& pdf) {
    const std::string info = RunTool("pdfinfo " + ShellQuote(pdf) + " 2>/dev/null");
    const size_t at = info.find("Page size:");
    if (at == std::string::npos) return "";
    const size_t start = info.find_first_not_of(' ', at + 10);
    return info.substr(start, info.find('\n', start) - start);
}

void DrawText(PrintTarget& target, int x, int y, const QString& text) {
    QPainter& painter = target.Painter();
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(14 * target.Resolution().Y / 72);
    painter.setFont(font);
    painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

TEST(PdfPrinting, PageHasTheSheetsSizeAndKeepsTextAsText) {
    TempDir dir;
    const std::string path = dir.File("calendar.pdf");
    PdfFilePrinter pdf(path, 210, 297, 300);
    EXPECT_EQ(pdf.Resolution(), (DotPair{300, 300}));
    EXPECT_EQ(pdf.Scale(), 100);
    pdf.StartJob("Orvalinden");
    EXPECT_TRUE(pdf.Printing());
    DrawText(pdf, 100, 100, QStringLiteral("2026年1月 Orvalinden"));
    pdf.Painter().drawRect(0, 0, 2480 - 1, 3508 - 1);
    pdf.EndJob();
    EXPECT_FALSE(pdf.Printing());

    // Qt's writer gives the page whole points: 210 x 297 mm within 0.2 mm.
    EXPECT_EQ(PageSize(path), "595 x 842 pts (A4)");
    EXPECT_NE(RunTool("pdftotext " + ShellQuote(path) + " -").find("2026年1月 Orvalinden"),
              std::string::npos);
    // Vector: no picture of the page inside (pdfimages lists a header and nothing else).
    const std::string images = RunTool("pdfimages -list " + ShellQuote(path) + " 2>&1");
    EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 2) << images;
}

TEST(PdfPrinting, WideSheetGivesAWidePage) {
    TempDir dir;
    const std::string path = dir.File("wide.pdf");
    PdfFilePrinter pdf(path, 297, 210, 600);
    pdf.StartJob("Orvalinden");
    DrawText(pdf, 0, 0, QStringLiteral("wide"));
    pdf.EndJob();
    EXPECT_EQ(PageSize(path), "842 x 595 pts (A4)");
}

TEST(PdfPrinting, DroppedOrFailedJobLeavesNoFileAndKeepsTheOldOne) {
    TempDir dir;
    const std::string path = dir.Write("calendar.pdf", "the previous file");
    {
        PdfFilePrinter pdf(path, 100, 100, 300);
        pdf.StartJob("Orvalinden");
        DrawText(pdf, 0, 0, QStringLiteral("dropped"));
        pdf.AbortJob();
        EXPECT_FALSE(pdf.Printing());
        pdf.AbortJob();  // harmless twice
        EXPECT_THROW(pdf.EndJob(), PrinterError);
        // Dropped by going out of scope half-way.
        pdf.StartJob("Orvalinden");
    }
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"calendar.pdf"});
    EXPECT_EQ(TempDir::Read(path), "the previous file");

    PdfFilePrinter nowhere(dir.File("missing/calendar.pdf"), 100, 100, 300);
    try {
        nowhere.StartJob("Orvalinden");
        ADD_FAILURE() << "a PDF was started in a folder that does not exist";
    } catch (const PrinterError& e) {
        EXPECT_NE(std::string(e.what()).find("No such file or directory"), std::string::npos);
    }
    EXPECT_FALSE(nowhere.Printing());

    PdfFilePrinter sizeless(dir.File("empty.pdf"), 0, 100, 300);
    EXPECT_THROW(sizeless.StartJob("Orvalinden"), PrinterError);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"calendar.pdf"});
}

// The print dialog's "print to file" makes the job a PDF file, with or without a printer.
TEST(PdfPrinting, PrintToFileChosenInTheDialogWritesThatFile) {
    setenv("CUPS_SERVER", "/nonexistent/orvalinden-test-cups.sock", 1);
    cupsSetServer(nullptr);
    TempDir dir;
    PrinterLayer printer;
    EXPECT_THROW(printer.Resolution(), NoPrinterError);
    printer.Printer().setOutputFormat(QPrinter::PdfFormat);
    printer.Printer().setOutputFileName(QString::fromStdString(dir.File("printed.pdf")));
    printer.Printer().setPageSize(QPageSize(QPageSize::A5));
    printer.Refresh();
    EXPECT_TRUE(printer.PrintsToFile());
    EXPECT_EQ(printer.Resolution(), (DotPair{300, 300}));
    EXPECT_EQ(printer.PhysicalOffset(), (DotPair{0, 0}));
    EXPECT_THROW(printer.PrinterName(), NoPrinterError);

    printer.StartJob("Orvalinden");
    DrawText(printer, 0, 0, QStringLiteral("to a file"));
    EXPECT_EQ(dir.Entries().size(), 1u);  // only the staged file so far
    EXPECT_NE(dir.Entries()[0], "printed.pdf");
    printer.EndJob();
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"printed.pdf"});
    EXPECT_EQ(PageSize(dir.File("printed.pdf")), "420 x 595 pts (A5)");
    EXPECT_NE(RunTool("pdftotext " + ShellQuote(dir.File("printed.pdf")) + " -").find("to a file"),
              std::string::npos);

    // Dropped half-way: nothing new.
    printer.Printer().setOutputFileName(QString::fromStdString(dir.File("dropped.pdf")));
    printer.Refresh();
    printer.StartJob("Orvalinden");
    printer.AbortJob();
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"printed.pdf"});
    unsetenv("CUPS_SERVER");
    cupsSetServer(nullptr);
}

}  // namespace
}  // namespace orv
