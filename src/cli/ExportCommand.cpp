// orvalinden-cli export: the window's image export (or its printing into a PDF file) for a saved
// design, through the same driver.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "AtomicFile.h"
#include "Commands.h"
#include "DataUnit.h"
#include "FontSubstitutes.h"
#include "NotingSink.h"
#include "OldCalendar.h"
#include "OutputDriver.h"
#include "PdfFilePrinter.h"
#include "PictureFormats.h"
#include "ProgramPaths.h"
#include "RecordDesignSource.h"
#include "VB.h"

namespace orv::cli {

namespace {

class NoStatus : public StatusSink {
  public:
    void ShowStatus(const std::string&) override {}
};

struct ExportOptions {
    std::string design;
    std::string output;
    std::optional<int> dpi;
    std::optional<int> year;
    std::optional<int> month;
    std::optional<std::string> oldCalendar;
};

// A whole number within the limits, or nothing.
std::optional<int> NumberIn(const std::string& text, int lowest, int highest) {
    int32_t value = 0;
    if (!TryStrToInt(text, value) || value < lowest || value > highest) return std::nullopt;
    return value;
}

std::optional<ExportOptions> ParseOptions(const Arguments& args, MessageSink& sink) {
    ExportOptions options;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--dpi" || arg == "--year" || arg == "--month" || arg == "--oldcal") {
            if (!hasValue) {
                sink.Report(MessageKind::Error, arg + " needs a value");
                return std::nullopt;
            }
            const std::string& value = args[++i];
            if (arg == "--oldcal") {
                options.oldCalendar = value;
                continue;
            }
            const std::optional<int> number = arg == "--dpi"    ? NumberIn(value, 1, 100000)
                                              : arg == "--year" ? NumberIn(value, 1, 9999)
                                                                : NumberIn(value, 1, 12);
            if (!number) {
                sink.Report(MessageKind::Error, arg + ": '" + value + "' is out of range");
                return std::nullopt;
            }
            (arg == "--dpi"    ? options.dpi
             : arg == "--year" ? options.year
                               : options.month) = number;
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            sink.Report(MessageKind::Error, "unknown option " + arg);
            return std::nullopt;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) return std::nullopt;
    options.design = files[0];
    options.output = files[1];
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

int RunExport(const Arguments& args, MessageSink& target) {
    NotingSink sink(target);
    const std::optional<ExportOptions> options = ParseOptions(args, sink);
    if (!options) return sink.SawError() ? 1 : UsageError(*FindCommand("export"));
    // A missing design would read as the default one; the user meant a file.
    if (!FileExists(options->design)) {
        sink.Report(MessageKind::Error,
                    WithHeading("ﾃﾞｰﾀﾌｧｲﾙﾛｰﾄﾞｴﾗｰ", options->design + ": No such file"));
        return 1;
    }

    // Fonts and picture formats need the application object; no window is shown.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    qInstallMessageHandler(DropQtChatter);
    int argc = 1;
    char name[] = "orvalinden-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    RegisterWindowsFontSubstitutes();

    TData design;
    if (!design.LoadFromFile(options->design, sink)) return 1;
    CheckLoadedFile(design, sink);
    if (options->year) design.Year = *options->year;
    if (options->month) design.Month = *options->month;
    const int dpi = options->dpi.value_or(design.PicSaveDPI > 0 ? design.PicSaveDPI : 300);

    RenderState state;
    const RegistryPictureDecoder decoder;
    state.Decoder = &decoder;
    if (options->oldCalendar && !FileExists(*options->oldCalendar)) {
        sink.Report(MessageKind::Error,
                    WithHeading("旧暦ﾃﾞｰﾀﾛｰﾄﾞｴﾗｰ", *options->oldCalendar + ": No such file"));
        return 1;
    }
    const std::string oldCalendar = options->oldCalendar.value_or(OldCalendarDataPath());
    LoadOldCalendarData(oldCalendar, state.RokuyoList, state.SolarTermList, sink);
    LoadAlmanacData(oldCalendar, state.Almanac);

    RecordDesignSource source(std::move(design));
    NoStatus status;
    OutputEnvironment env{source, status, sink, state};
    if (IsPdf(options->output)) {
        const QSizeF page = LayoutSizeMm(env);
        PdfFilePrinter pdf(options->output, page.width(), page.height(), dpi);
        const bool printed = OutputPrint(env, pdf, false);
        return printed && !sink.SawError() ? 0 : 1;
    }
    const ImageExportResult result = SaveCalendarImageAt(env, options->output, dpi, nullptr);
    return result == ImageExportResult::Saved && !sink.SawError() ? 0 : 1;
}

}  // namespace orv::cli
