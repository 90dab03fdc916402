#include "output/PdfFilePrinter.h"

#include <QPageLayout>
#include <QPageSize>
#include <cmath>

#include "model/StagedFile.h"
#include "output/ExportSize.h"
#include "output/PdfCmyk.h"
#include "output/PdfPage.h"

namespace orv {

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;
// Thinner lines break up on a press, and on paper from a home printer look grey.
constexpr double kThinnestLinePoints = 0.25;

// Qt's writer gives a page whole points; the page is made large enough for what is drawn, and
// the finishing sets the exact boxes.
int WholePointsAbove(double points) {
    return static_cast<int>(std::ceil(points - 1e-6));
}

}  // namespace

PdfFilePrinter::PdfFilePrinter(std::string path, double widthMm, double heightMm, int dpi,
                               PrintReadyOptions options)
    : path_(std::move(path)),
      widthMm_(widthMm),
      heightMm_(heightMm),
      dpi_(dpi),
      options_(std::move(options)) {}

PdfFilePrinter::~PdfFilePrinter() {
    AbortJob();
}

double PdfFilePrinter::ThinnestLine() const {
    return kThinnestLinePoints;
}

void PdfFilePrinter::StartJob(const std::string& title) {
    AbortJob();
    title_ = title;
    if (dpi_ < 1) throw PrinterError(path_ + ": 解像度は 1 dpi 以上で指定してください。");
    if (const auto refusal = PageSizeRefusal(widthMm_, heightMm_)) throw PrinterError(*refusal);
    if (!(options_.BleedMm >= 0 && options_.BleedMm <= kMaxBleedMm)) {
        throw PrinterError(path_ + ": 塗り足しは 0 から " + std::to_string(int(kMaxBleedMm)) +
                           " mm までで指定してください。");
    }
    sheet_ = PdfSheet{};
    sheet_.Bleed = options_.BleedMm * kPointsPerMm;
    sheet_.Marks = options_.Marks;
    for (const PointRect& c : options_.CalendarsMm) {
        sheet_.Calendars.push_back({c.Left * kPointsPerMm, c.Top * kPointsPerMm,
                                    c.Width * kPointsPerMm, c.Height * kPointsPerMm});
    }
    const double margin = PdfPageMargin(sheet_);
    offset_ = static_cast<int>(std::ceil(margin * dpi_ / 72.0 - 1e-9));
    const double corner = offset_ * 72.0 / dpi_;
    sheet_.Trim = {corner, corner, widthMm_ * kPointsPerMm, heightMm_ * kPointsPerMm};
    const int pageWidth = WholePointsAbove(corner + sheet_.Trim.Width + margin);
    const int pageHeight = WholePointsAbove(corner + sheet_.Trim.Height + margin);
    sheet_.PageHeight = pageHeight;
    try {
        file_ = std::make_unique<StagedFile>(path_);
    } catch (const Error& e) {
        throw PrinterError(e.what());
    }
    pictures_ = PdfPictures();
    drawn_.clear();
    const QPageSize size(QSize(pageWidth, pageHeight), QString(), QPageSize::ExactMatch);
    try {
        page_ = std::make_unique<PdfPage>(drawn_, path_,
                                          QPageLayout(size, QPageLayout::Portrait, QMarginsF()),
                                          DotPair{dpi_, dpi_}, QPoint(offset_, offset_), title);
    } catch (...) {
        file_.reset();
        throw;
    }
}

QPainter& PdfFilePrinter::Painter() {
    if (!page_) throw PrinterError("no print job has been started");
    return page_->Painter();
}

void PdfFilePrinter::NewPage() {
    if (!page_) throw PrinterError("no print job has been started");
    page_->NewPage();
}

void PdfFilePrinter::EndJob() {
    if (!page_) throw PrinterError("no print job has been started");
    try {
        page_->Finish();
        page_.reset();
        if (options_.Cmyk) {
            FinishCmykPdf(drawn_, sheet_, pictures_, title_, *file_, keepGoing_);
        } else {
            FinishPdf(drawn_, sheet_, pictures_, *file_);
        }
        drawn_.clear();
        file_->Commit();
    } catch (const PrinterError&) {
        AbortJob();
        throw;
    } catch (const JobCancelled&) {
        AbortJob();
        throw;
    } catch (const Error& e) {
        AbortJob();
        throw PrinterError(e.what());
    }
    file_.reset();
}

void PdfFilePrinter::AbortJob() noexcept {
    if (page_) page_->Close();
    page_.reset();
    file_.reset();
    drawn_.clear();
}

}  // namespace orv
