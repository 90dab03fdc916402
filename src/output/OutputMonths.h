#pragma once
// A run of consecutive months from one job: printed as one job of one page per month, written as
// one PDF file of as many pages, or as one picture file per month. Each month is drawn by the
// output driver exactly as the single-month output draws a copy of the job set to that month
// (imposition entries keep their months relative to it); pages and files are drawn and written one
// after another, so memory does not grow with the number of months.
#include <optional>
#include <string>
#include <utility>

#include "output/Imposition.h"
#include "output/OutputDriver.h"
#include "output/PrintReady.h"

namespace orv {

struct MonthRun {
    MonthRun() = default;
    MonthRun(YearMonth start, int count, std::optional<CoverPage> cover = std::nullopt)
        : Start(start), Count(count), Cover(std::move(cover)) {}

    YearMonth Start;
    int Count = 12;
    // A first page before the months, which counts as none of them.
    std::optional<CoverPage> Cover;
};

// The title a run's cover proposes: its year, 「2027」, or its years, 「2027–2028」.
std::string CoverTitleOf(const MonthRun& run);

// The most months one run takes.
inline constexpr int kMostMonths = 120;

// Told how far a run is; answers whether to go on.
class MonthProgress {
  public:
    virtual ~MonthProgress() = default;
    // Before each month, now and then while one is drawn, and once after the last; false cancels.
    virtual bool ContinueMonths(int monthsDone, int monthsTotal) = 0;
};

enum class MonthsResult {
    Done,       // every month is printed or written
    Cancelled,  // through the progress: a job is aborted; files already complete stay
    Failed,     // the reason was reported; as for a cancel
};

struct MonthsOutcome {
    MonthsResult Result = MonthsResult::Done;
    int Done = 0;  // months printed, or picture files written
    int Total = 0;
    bool Started = false;  // a picture was begun at the run's resolution (past the size checks)
};

enum class MonthsTarget { Printer, Pdf, Images };

// Every month on a page of one job titled "Orvalinden" (at the print position unless
// `atPrintPosition` is false), with "印刷中... (3/12)" in the status. The job is sent only when
// every page is drawn; otherwise it is aborted.
MonthsOutcome PrintMonths(OutputEnvironment& env, const OutputJob& job, PrintTarget& printer,
                          const MonthRun& run, MonthProgress* progress,
                          bool atPrintPosition = true);

// One PDF file at `path` with a page of the layout's own size per month, at `dpi`; put in place
// only when complete. With `ready`, the pages as a print shop asks for them.
MonthsOutcome SaveMonthsPdf(OutputEnvironment& env, const OutputJob& job, const std::string& path,
                            const MonthRun& run, int dpi, MonthProgress* progress,
                            const PrintReadyOptions& ready = {});

// One PNG, BMP or JPEG file per month (and the cover first) (by the extension of `path`) at `dpi`,
// named by MonthImagePath, each put in place when complete. Nothing is written for another
// extension (with a warning).
MonthsOutcome SaveMonthImages(OutputEnvironment& env, const OutputJob& job, const std::string& path,
                              const MonthRun& run, int dpi, MonthProgress* progress);

// NAME-YYYY-MM.ext beside NAME.ext; the cover's NAME-cover.ext.
std::string MonthImagePath(const std::string& path, YearMonth month);
std::string CoverImagePath(const std::string& path);

// What to tell the user at the end of a run; nothing when the failure itself has been reported
// and nothing was written.
std::optional<std::pair<MessageKind, std::string>> MonthsMessage(MonthsTarget target,
                                                                 const MonthsOutcome& outcome);

}  // namespace orv
