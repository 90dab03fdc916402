// Prints through the printer layer for cups_print_test.sh, which runs a CUPS server of its own and
// checks what comes out. One mode per run; facts go to standard output as name=value lines.
#include <cups/cups.h>

#include <QFont>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>

#include "output/OutputDriver.h"
#include "output/OutputMonths.h"
#include "output/PrinterLayer.h"
#include "output/PrinterSummary.h"

using namespace orv;

namespace {

void Say(const std::string& name, const std::string& value) {
    std::printf("%s=%s\n", name.c_str(), value.c_str());
}

// A line of text with its cell's top-left at (x, y), about 12 points high.
void DrawLine(PrintTarget& target, int x, int y, const QString& text) {
    QPainter& painter = target.Painter();
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(12 * target.Resolution().Y / 72);
    painter.setFont(font);
    painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

int Facts(PrinterLayer& printer) {
    Say("printer", printer.PrinterName());
    Say("printers", std::to_string(printer.PrinterNames().size()));
    Say("resolution", ResolutionText(printer.Resolution()));
    Say("scale", std::to_string(printer.Scale()));
    const DotPair page = printer.PhysicalPageSize();
    Say("page", std::to_string(page.X) + " x " + std::to_string(page.Y));
    const DotPair offset = printer.PhysicalOffset();
    Say("offset", std::to_string(offset.X) + " x " + std::to_string(offset.Y));
    Say("margin", std::to_string(MarginMm(offset.X, printer.Resolution().X)) + " x " +
                      std::to_string(MarginMm(offset.Y, printer.Resolution().Y)));
    Say("paper", printer.PaperName());
    Say("summary", SummariseCurrentPrinter(printer).Size);
    return 0;
}

int Print(PrinterLayer& printer) {
    printer.StartJob("Orvalinden");
    const int line = 20 * printer.Resolution().Y / 72;
    DrawLine(printer, 0, 0, QStringLiteral("ORIGINMARK"));
    DrawLine(printer, 0, 2 * line, QStringLiteral("Orvalinden printer layer page"));
    DrawLine(printer, 0, 3 * line, QStringLiteral("2026 12 31"));
    printer.EndJob();
    std::printf("printed\n");
    return 0;
}

int Abort(PrinterLayer& printer) {
    printer.StartJob("Orvalinden");
    DrawLine(printer, 0, 0, QStringLiteral("This page must never print"));
    printer.AbortJob();
    std::printf("aborted\n");
    return 0;
}

// The printing system goes away between the start and the end of a job.
int Refused(PrinterLayer& printer) {
    printer.StartJob("Orvalinden");
    DrawLine(printer, 0, 0, QStringLiteral("Refused"));
    cupsSetServer("/nonexistent/orvalinden-cups.sock");
    try {
        printer.EndJob();
    } catch (const PrinterError& e) {
        std::printf("refused: %s\n", e.what());
        return printer.Printing() ? 1 : 0;
    }
    std::printf("the refused job was reported as printed\n");
    return 1;
}

class NoStatus : public StatusSink {
  public:
    void ShowStatus(const std::string&) override {}
};

class PrintingSink : public MessageSink {
  public:
    void Report(MessageKind, const std::string& text) override {
        std::printf("message: %s\n", text.c_str());
    }
};

// A whole calendar design: January 2026 on A5 with the cut frame, through the output driver.
struct A5Calendar {
    A5Calendar() {
        TData design = NewDesign();
        design.Year = 2026;
        design.Month = 1;
        design.SizeX = 148;
        design.SizeY = 210;
        design.Frame = 1;
        design.PositionX = 10;
        design.PositionY = 20;
        job = JobOfDesign(design);
    }
    OutputJob job;
    NoStatus status;
    PrintingSink sink;
    RenderState state;
    OutputEnvironment env{status, sink, state};
};

int Calendar(PrinterLayer& printer) {
    A5Calendar calendar;
    if (!OutputPrint(calendar.env, calendar.job, printer)) return 1;
    std::printf("printed\n");
    return 0;
}

// Twelve months of it, cancelled when three pages are drawn.
int CancelledMonths(PrinterLayer& printer) {
    class StopAfterThree : public MonthProgress {
      public:
        bool ContinueMonths(int done, int) override { return done < 3; }
    } progress;
    A5Calendar calendar;
    const MonthsOutcome outcome =
        PrintMonths(calendar.env, calendar.job, printer, {{2026, 1}, 12}, &progress);
    std::printf("cancelled after %d pages\n", outcome.Done);
    return outcome.Result == MonthsResult::Cancelled && !printer.Printing() ? 0 : 1;
}

int NoPrinter(PrinterLayer& printer) {
    const std::vector<std::pair<const char*, std::function<void()>>> queries = {
        {"Resolution", [&] { printer.Resolution(); }},
        {"Scale", [&] { printer.Scale(); }},
        {"PhysicalPageSize", [&] { printer.PhysicalPageSize(); }},
        {"PhysicalOffset", [&] { printer.PhysicalOffset(); }},
        {"PrinterNames", [&] { printer.PrinterNames(); }},
        {"PrinterIndex", [&] { printer.PrinterIndex(); }},
        {"PaperNames", [&] { printer.PaperNames(); }},
        {"PaperIndex", [&] { printer.PaperIndex(); }},
        {"StartJob", [&] { printer.StartJob("Orvalinden"); }},
    };
    int failures = 0;
    std::string message;
    for (const auto& [name, query] : queries) {
        try {
            query();
            std::printf("%s answered without a printer\n", name);
            ++failures;
        } catch (const NoPrinterError& e) {
            message = e.what();
        }
    }
    if (failures == 0) std::printf("no printer: %s\n", message.c_str());
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "";
    try {
        PrinterLayer printer;
        if (mode == "facts") return Facts(printer);
        if (mode == "print") return Print(printer);
        if (mode == "abort") return Abort(printer);
        if (mode == "refused") return Refused(printer);
        if (mode == "noprinter") return NoPrinter(printer);
        if (mode == "calendar") return Calendar(printer);
        if (mode == "cancelled-months") return CancelledMonths(printer);
    } catch (const std::exception& e) {
        std::printf("error: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr,
                 "usage: %s facts|print|calendar|abort|cancelled-months|refused|noprinter\n",
                 argv[0]);
    return 2;
}
