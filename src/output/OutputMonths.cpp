#include "output/OutputMonths.h"

#include <cstdio>
#include <future>
#include <memory>
#include <optional>
#include <utility>

#include "output/ImageWriter.h"
#include "output/OutputTexts.h"
#include "output/PdfFilePrinter.h"

namespace orv {

namespace {

// The run shows its own status with the month count; the single-month texts stay out of it.
class QuietStatus : public StatusSink {
  public:
    explicit QuietStatus(StatusSink& status) : status_(status) {}
    void ShowStatus(const std::string&) override {}
    void ProcessEvents() override { status_.ProcessEvents(); }

  private:
    StatusSink& status_;
};

class BandProgress : public ExportProgress {
  public:
    BandProgress(MonthProgress* progress, int done, int total)
        : progress_(progress), done_(done), total_(total) {}
    bool Continue(int, int) override {
        return progress_ == nullptr || progress_->ContinueMonths(done_, total_);
    }

  private:
    MonthProgress* progress_;
    int done_;
    int total_;
};

enum class MonthStep { Drawn, Cancelled, Failed };

// The one loop over the months: each month's job is a copy of the run's with that month.
template <typename DrawMonth>
MonthsOutcome ForEachMonth(OutputEnvironment& env, const OutputJob& job, const MonthRun& run,
                           const char* statusText, MonthProgress* progress, DrawMonth&& draw) {
    MonthsOutcome outcome{MonthsResult::Done, 0, run.Count};
    QuietStatus quiet(env.Status);
    std::set<std::string> warned;
    for (int k = 0; k < run.Count; ++k) {
        // The count first, so that a progress shown beside it agrees with it.
        env.Status.ShowStatus(std::string(statusText) + " (" + std::to_string(k + 1) + "/" +
                              std::to_string(run.Count) + ")");
        if (progress != nullptr && !progress->ContinueMonths(k, run.Count)) {
            outcome.Result = MonthsResult::Cancelled;
            break;
        }
        env.Status.ProcessEvents();
        const YearMonth month = ShiftedMonth(run.Start.Year, run.Start.Month, k);
        OutputEnvironment monthEnv{quiet,         env.Messages,    env.State,
                                   env.ScreenPpi, env.ScreenCache, &warned};
        const MonthStep step = draw(monthEnv, JobInMonth(job, month), month, k);
        if (step != MonthStep::Drawn) {
            outcome.Result =
                step == MonthStep::Cancelled ? MonthsResult::Cancelled : MonthsResult::Failed;
            break;
        }
        ++outcome.Done;
    }
    if (outcome.Result == MonthsResult::Done && progress != nullptr) {
        progress->ContinueMonths(run.Count, run.Count);
    }
    env.Status.ShowStatus("");
    return outcome;
}

bool ValidRun(OutputEnvironment& env, const MonthRun& run) {
    // A run starts at the design's month unless one is given, and only a file can hold 13.
    if (run.Start.Month < 1 || run.Start.Month > 12) {
        env.Messages.Report(MessageKind::Error,
                            "デザインの月が " + std::to_string(run.Start.Month) +
                                " です。月は 1 から 12 までで指定してください。");
        return false;
    }
    if (run.Count >= 1 && run.Count <= kMostMonths) return true;
    env.Messages.Report(MessageKind::Warning, "月数は 1 から " + std::to_string(kMostMonths) +
                                                  " までで指定してください。");
    return false;
}

}  // namespace

MonthsOutcome PrintMonths(OutputEnvironment& env, const OutputJob& job, PrintTarget& printer,
                          const MonthRun& run, MonthProgress* progress, bool atPrintPosition) {
    if (!ValidRun(env, run)) return {MonthsResult::Failed, 0, run.Count};
    MonthsOutcome outcome{MonthsResult::Failed, 0, run.Count};
    try {
        printer.StartJob(JobTitle(JobInMonth(job, run.Start), run.Count));
        if (run.Cover && !DrawPrintPage(env, CoverJob(JobInMonth(job, run.Start), *run.Cover),
                                        printer, atPrintPosition)) {
            printer.AbortJob();
            return outcome;
        }
        outcome = ForEachMonth(
            env, job, run, kStatusPrint, progress,
            [&](OutputEnvironment& monthEnv, const OutputJob& monthJob, YearMonth, int k) {
                if (k > 0 || run.Cover) printer.NewPage();
                return DrawPrintPage(monthEnv, monthJob, printer, atPrintPosition)
                           ? MonthStep::Drawn
                           : MonthStep::Failed;
            });
        if (outcome.Result != MonthsResult::Done) {
            printer.AbortJob();
            return outcome;
        }
        EndPrintJob(printer, env.Messages);
        env.Status.ShowStatus("");  // the conversion's
    } catch (const JobCancelled&) {
        printer.AbortJob();
        env.Status.ShowStatus("");
        return {MonthsResult::Cancelled, 0, run.Count};
    } catch (const std::exception& e) {
        printer.AbortJob();
        env.Status.ShowStatus("");
        env.Messages.Report(MessageKind::Error, e.what());
        return {MonthsResult::Failed, 0, run.Count};
    }
    return outcome;
}

MonthsOutcome SaveMonthsPdf(OutputEnvironment& env, const OutputJob& job, const std::string& path,
                            const MonthRun& run, int dpi, MonthProgress* progress,
                            const PrintReadyOptions& ready) {
    const QSizeF page = LayoutSizeMm(job);
    PdfFilePrinter pdf(path, page.width(), page.height(), dpi, ready);
    if (ready.Cmyk && progress != nullptr) {
        pdf.SetKeepGoing([&env, progress, total = run.Count, shown = false]() mutable {
            if (!std::exchange(shown, true)) env.Status.ShowStatus(kStatusCmyk);
            return progress->ContinueMonths(total, total);
        });
    }
    return PrintMonths(env, job, pdf, run, progress, false);
}

MonthsOutcome SaveMonthImages(OutputEnvironment& env, const OutputJob& job, const std::string& path,
                              const MonthRun& run, int dpi, MonthProgress* progress) {
    if (!ValidRun(env, run)) return {MonthsResult::Failed, 0, run.Count};
    if (ImageFormatOfFileName(path) == ImageFileFormat::Unsupported) {
        env.Messages.Report(MessageKind::Warning, kUnsupportedExtension);
        return {MonthsResult::Failed, 0, run.Count};
    }
    // Each file is finished in the background while the next month is drawn; a month counts
    // once its file is in place.
    struct Finishing {
        std::unique_ptr<ImageWriter> writer;
        std::future<void> done;
    };
    std::optional<Finishing> finishing;
    int written = 0;
    bool started = false;
    bool finishFailed = false;
    const auto settle = [&] {
        if (!finishing) return true;
        try {
            finishing->done.get();
            ++written;
        } catch (const std::exception& e) {
            env.Messages.Report(MessageKind::Error, WithHeading(kFileSaveErrorHeading, e.what()));
            finishFailed = true;
        }
        finishing.reset();
        return !finishFailed;
    };
    if (run.Cover) {
        // Written whole before the months: a run whose cover fails writes nothing else.
        const ImageExportResult result =
            WriteCalendarImageAt(env, CoverJob(JobInMonth(job, run.Start), *run.Cover),
                                 CoverImagePath(path), dpi, nullptr, kBandBytes);
        if (result != ImageExportResult::NotStarted) started = true;
        if (result != ImageExportResult::Saved) {
            return {MonthsResult::Failed, 0, run.Count, started};
        }
    }
    MonthsOutcome outcome = ForEachMonth(
        env, job, run, kStatusImage, progress,
        [&](OutputEnvironment& monthEnv, const OutputJob& monthJob, YearMonth month, int k) {
            BandProgress bands(progress, k, run.Count);
            std::unique_ptr<ImageWriter> unfinished;
            const ImageExportResult result =
                WriteCalendarImageAt(monthEnv, monthJob, MonthImagePath(path, month), dpi, &bands,
                                     kBandBytes, &unfinished);
            if (result != ImageExportResult::NotStarted) started = true;
            if (!settle()) return MonthStep::Failed;  // `unfinished` drops its file
            switch (result) {
                case ImageExportResult::Saved:
                    finishing.emplace();
                    finishing->done = unfinished->FinishInBackground();
                    finishing->writer = std::move(unfinished);
                    return MonthStep::Drawn;
                case ImageExportResult::Cancelled:
                    return MonthStep::Cancelled;
                default:
                    return MonthStep::Failed;
            }
        });
    if (!settle() && outcome.Result == MonthsResult::Done) outcome.Result = MonthsResult::Failed;
    outcome.Done = written;
    outcome.Started = started;
    return outcome;
}

namespace {

// `suffix` between a file's name and its extension.
std::string WithSuffix(const std::string& path, const std::string& suffix) {
    const size_t slash = path.find_last_of('/');
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) ||
        dot == (slash == std::string::npos ? 0 : slash + 1)) {
        dot = path.size();
    }
    return path.substr(0, dot) + suffix + path.substr(dot);
}

}  // namespace

std::string MonthImagePath(const std::string& path, YearMonth month) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, "-%04d-%02d", month.Year, month.Month);
    return WithSuffix(path, suffix);
}

std::string CoverImagePath(const std::string& path) {
    return WithSuffix(path, "-cover");
}

std::string CoverTitleOf(const MonthRun& run) {
    const int last = ShiftedMonth(run.Start.Year, run.Start.Month, std::max(run.Count, 1) - 1).Year;
    const std::string first = std::to_string(run.Start.Year);
    return last == run.Start.Year ? first : first + "–" + std::to_string(last);
}

std::optional<std::pair<MessageKind, std::string>> MonthsMessage(MonthsTarget target,
                                                                 const MonthsOutcome& outcome) {
    using Message = std::pair<MessageKind, std::string>;
    const bool done = outcome.Result == MonthsResult::Done;
    const bool cancelled = outcome.Result == MonthsResult::Cancelled;
    switch (target) {
        case MonthsTarget::Printer:
            if (done) return Message{MessageKind::Information, "印刷しました。"};
            if (cancelled) return Message{MessageKind::Information, "印刷を中止しました。"};
            return Message{MessageKind::Warning, "印刷に失敗しました。"};
        case MonthsTarget::Pdf:
            if (done) return Message{MessageKind::Information, kSaved};
            if (cancelled) {
                return Message{MessageKind::Information,
                               "保存を中止しました。ファイルは作成されていません。"};
            }
            return std::nullopt;
        case MonthsTarget::Images:
            break;
    }
    if (done) return Message{MessageKind::Information, kSaved};
    if (outcome.Done == 0 && !cancelled) return std::nullopt;
    const std::string written = std::to_string(outcome.Total) + " か月のうち " +
                                std::to_string(outcome.Done) + " か月分の画像を保存しました。";
    if (cancelled) return Message{MessageKind::Information, "中止しました。" + written};
    return Message{MessageKind::Warning, written};
}

}  // namespace orv
