// orvalinden-cli export and print: the window's image export, its printing into a PDF file and
// its printing for a saved design, one month or a run of months, through the same driver.
#include <malloc.h>

#include <QGuiApplication>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "cli/Commands.h"
#include "cli/NotingSink.h"
#include "model/AtomicFile.h"
#include "model/DataUnit.h"
#include "model/OldCalendar.h"
#include "model/ProgramPaths.h"
#include "model/VB.h"
#include "output/FontSubstitutes.h"
#include "output/OldCalendarLoad.h"
#include "output/OutputDriver.h"
#include "output/OutputMonths.h"
#include "output/PdfFilePrinter.h"
#include "output/PictureFormats.h"
#include "output/PrinterLayer.h"

namespace orv::cli {

namespace {

struct ExportOptions {
    std::string design;
    std::string output;
    std::optional<int> dpi;
    std::optional<int> year;
    std::optional<int> month;
    int months = 1;
    std::optional<std::string> printer;
    std::optional<std::string> oldCalendar;
    bool cover = false;
    bool pngResolution = false;
    std::optional<std::string> coverPicture;
    std::optional<std::string> coverTitle;
    // For a print shop: what is not asked for is left out.
    std::optional<double> bleedMm;
    bool marks = false;
    bool cmyk = false;
    bool PrintReady() const { return bleedMm || marks || cmyk; }
};

// A whole number within the limits, or nothing.
std::optional<int> NumberIn(const std::string& text, int lowest, int highest) {
    int32_t value = 0;
    if (!TryStrToInt(text, value) || value < lowest || value > highest) return std::nullopt;
    return value;
}

// `files` is how many file names the command takes: the design and the output, or the design.
std::optional<ExportOptions> ParseOptions(const Arguments& args, size_t files, MessageSink& sink) {
    ExportOptions options;
    std::vector<std::string> names;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--cover" || arg == "--png-resolution" || arg == "--marks" || arg == "--cmyk") {
            (arg == "--cover"            ? options.cover
             : arg == "--png-resolution" ? options.pngResolution
             : arg == "--marks"          ? options.marks
                                         : options.cmyk) = true;
            continue;
        }
        if (arg == "--bleed") {
            char* end = nullptr;
            const double mm = hasValue ? std::strtod(args[i + 1].c_str(), &end) : -1;
            if (!hasValue || end == args[i + 1].c_str() || *end != '\0' || !(mm >= 0) ||
                mm > kMaxBleedMm) {
                sink.Report(MessageKind::Error, "--bleed の値は 0 から " +
                                                    std::to_string(int(kMaxBleedMm)) +
                                                    " までの mm で指定してください");
                return std::nullopt;
            }
            options.bleedMm = mm;
            ++i;
            continue;
        }
        const bool texts = arg == "--oldcal" || arg == "--printer" || arg == "--cover-picture" ||
                           arg == "--cover-title";
        const bool known = arg == "--dpi" || arg == "--year" || arg == "--month" ||
                           arg == "--months" || (texts && (files == 1 || arg != "--printer"));
        if (known) {
            if (!hasValue) {
                sink.Report(MessageKind::Error, arg + " の値がありません");
                return std::nullopt;
            }
            const std::string& value = args[++i];
            if (texts) {
                (arg == "--oldcal"          ? options.oldCalendar
                 : arg == "--printer"       ? options.printer
                 : arg == "--cover-picture" ? options.coverPicture
                                            : options.coverTitle) = value;
                // Either of them asks for the cover.
                if (arg != "--oldcal" && arg != "--printer") options.cover = true;
                continue;
            }
            const int highest = arg == "--dpi"      ? 100000
                                : arg == "--year"   ? 9999
                                : arg == "--months" ? kMostMonths
                                                    : 12;
            const std::optional<int> number = NumberIn(value, 1, highest);
            if (!number) {
                sink.Report(MessageKind::Error, arg + " の値 " + value + " は使えません（1 から " +
                                                    std::to_string(highest) + " までの整数）");
                return std::nullopt;
            }
            if (arg == "--months") {
                options.months = *number;
                continue;
            }
            (arg == "--dpi"    ? options.dpi
             : arg == "--year" ? options.year
                               : options.month) = number;
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            sink.Report(MessageKind::Error, arg + " というオプションはありません");
            return std::nullopt;
        } else {
            names.push_back(arg);
        }
    }
    if (names.size() != files) return std::nullopt;
    options.design = names[0];
    if (files > 1) options.output = names[1];
    return options;
}

bool IsPdf(const std::string& path) {
    if (path.size() < 4) return false;
    std::string extension = path.substr(path.size() - 4);
    for (char& c : extension) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return extension == ".PDF";
}

// Qt's own notes (a missing XDG_RUNTIME_DIR and the like) would break the "kind: text" lines
// that callers of the CLI parse; only its real failures go through.
void DropQtChatter(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "error: %s\n", text.toLocal8Bit().constData());
}

}  // namespace

namespace {

// What export and print share: the design loaded with the options applied, the old-calendar data,
// and the environment of the driver. The application object lives as long as this.
class Session {
  public:
    explicit Session(const ExportOptions& options)
        : data_(options.oldCalendar.value_or(OldCalendarDataPath())), app_(argc_, argv_) {}

    // False when the design or the old-calendar data could not be read (reported).
    bool Load(const ExportOptions& options, MessageSink& sink) {
        // A missing design would read as the default one; the user meant a file.
        if (const std::string reason = NotRegularFileReason(options.design); !reason.empty()) {
            sink.Report(MessageKind::Error,
                        WithHeading("ﾃﾞｰﾀﾌｧｲﾙﾛｰﾄﾞｴﾗｰ", options.design + ": " + reason));
            return false;
        }
        RegisterWindowsFontSubstitutes();
        TData design;
        if (!design.LoadFromFile(options.design, sink)) return false;
        CheckLoadedFile(design, sink);
        if (options.year) design.Year = *options.year;
        if (options.month) design.Month = *options.month;
        if (options.pngResolution) design.PngResolution = 1;
        if (options.PrintReady()) {
            design.PdfBleed = static_cast<int32_t>(std::lround(options.bleedMm.value_or(0) * 10));
            design.PdfMarks = options.marks ? 1 : 0;
            design.PdfCmyk = options.cmyk ? 1 : 0;
        }
        dpi_ = options.dpi.value_or(design.PicSaveDPI > 0 ? design.PicSaveDPI : 300);
        state_.Decoder = &decoder_;
        if (options.oldCalendar) {
            const std::string reason = NotRegularFileReason(*options.oldCalendar);
            if (!reason.empty()) {
                sink.Report(MessageKind::Error,
                            WithHeading("旧暦ﾃﾞｰﾀﾛｰﾄﾞｴﾗｰ", *options.oldCalendar + ": " + reason));
                return false;
            }
        }
        data_.MoveInto(state_, sink);
        run_ = {{design.Year, design.Month}, options.months};
        if (options.cover) {
            if (options.coverPicture && !TestLoadPicture(*options.coverPicture)) {
                sink.Report(
                    MessageKind::Error,
                    "この画像ファイルは対応できないフォーマットです。\r\n" + *options.coverPicture);
                return false;
            }
            run_.Cover = CoverPage{options.coverPicture.value_or(""),
                                   options.coverTitle.value_or(CoverTitleOf(run_))};
        }
        job_ = JobOfDesign(std::move(design));
        job_.Name = std::filesystem::path(options.design).stem().string();
        return true;
    }

    OutputEnvironment Environment(MessageSink& sink) {
        return OutputEnvironment{status_, sink, state_};
    }
    const OutputJob& Job() const { return job_; }
    int Dpi() const { return dpi_; }
    const MonthRun& Run() const { return run_; }

  private:
    // Fonts and picture formats need the application object; no window is shown.
    static inline int argc_ = 1;
    static inline char name_[] = "orvalinden-cli";
    static inline char* argv_[] = {name_, nullptr};
    OldCalendarLoad data_;
    QGuiApplication app_;
    RenderState state_;
    const RegistryPictureDecoder decoder_;
    OutputJob job_;
    NullStatusSink status_;
    int dpi_ = 300;
    MonthRun run_;
};

void StartQt() {
    // Bands and row buffers are tens of megabytes, drawn and dropped month after month: kept in
    // the heap, their pages are not faulted in afresh each time.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    qInstallMessageHandler(DropQtChatter);
}

// The closing line of a run of months, as the window shows it.
void ReportRun(MonthsTarget target, const MonthsOutcome& outcome, MessageSink& sink) {
    if (const auto message = MonthsMessage(target, outcome);
        message &&
        !(message->first == MessageKind::Information && outcome.Result == MonthsResult::Done)) {
        sink.Report(message->first, message->second);
    }
}

// Ends the process once the pictures are on disk: what is left is giving back the memory of the
// drawing and the data, which the system takes back faster all at once.
[[noreturn]] void ExitAfterPictures(int code) {
    std::fflush(nullptr);
    std::_Exit(code);
}

}  // namespace

int RunExport(const Arguments& args, MessageSink& target) {
    NotingSink sink(target);
    const std::optional<ExportOptions> options = ParseOptions(args, 2, sink);
    if (!options) return sink.SawError() ? 1 : UsageError(*FindCommand("export"));
    if (options->printer) return UsageError(*FindCommand("export"));
    StartQt();
    Session session(*options);
    if (!session.Load(*options, sink)) return 1;
    OutputEnvironment env = session.Environment(sink);
    const PrintReadyOptions ready =
        options->PrintReady() ? PrintReadyOf(session.Job()) : PrintReadyOptions{};
    if (options->PrintReady() && !IsPdf(options->output)) {
        sink.Report(MessageKind::Error,
                    "--bleed、--marks、--cmyk は PDF に書き出すときだけ使えます");
        return 1;
    }
    if (options->months > 1 || options->cover) {
        const bool pdf = IsPdf(options->output);
        const MonthsOutcome outcome =
            pdf ? SaveMonthsPdf(env, session.Job(), options->output, session.Run(), session.Dpi(),
                                nullptr, ready)
                : SaveMonthImages(env, session.Job(), options->output, session.Run(), session.Dpi(),
                                  nullptr);
        ReportRun(pdf ? MonthsTarget::Pdf : MonthsTarget::Images, outcome, sink);
        const int code = outcome.Result == MonthsResult::Done && !sink.SawError() ? 0 : 1;
        if (!pdf) ExitAfterPictures(code);
        return code;
    }
    if (IsPdf(options->output)) {
        const QSizeF page = LayoutSizeMm(session.Job());
        PdfFilePrinter pdf(options->output, page.width(), page.height(), session.Dpi(), ready);
        const bool printed = OutputPrint(env, session.Job(), pdf, false);
        return printed && !sink.SawError() ? 0 : 1;
    }
    const ImageExportResult result =
        SaveCalendarImageAt(env, session.Job(), options->output, session.Dpi(), nullptr);
    ExitAfterPictures(result == ImageExportResult::Saved && !sink.SawError() ? 0 : 1);
}

int RunPrint(const Arguments& args, MessageSink& target) {
    NotingSink sink(target);
    const std::optional<ExportOptions> options = ParseOptions(args, 1, sink);
    if (!options) return sink.SawError() ? 1 : UsageError(*FindCommand("print"));
    if (options->PrintReady()) return UsageError(*FindCommand("print"));
    StartQt();
    Session session(*options);
    if (!session.Load(*options, sink)) return 1;
    PrinterLayer printer;
    if (options->printer) {
        printer.Printer().setPrinterName(QString::fromStdString(*options->printer));
        printer.Refresh();
        try {
            if (printer.PrinterName() != *options->printer) {
                sink.Report(MessageKind::Error,
                            "プリンタ「" + *options->printer + "」が見つかりません。");
                return 1;
            }
        } catch (const std::exception& e) {
            sink.Report(MessageKind::Error, e.what());
            return 1;
        }
    }
    OutputEnvironment env = session.Environment(sink);
    const MonthsOutcome outcome = PrintMonths(env, session.Job(), printer, session.Run(), nullptr);
    ReportRun(MonthsTarget::Printer, outcome, sink);
    return outcome.Result == MonthsResult::Done && !sink.SawError() ? 0 : 1;
}

}  // namespace orv::cli
