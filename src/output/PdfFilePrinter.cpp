#include "output/PdfFilePrinter.h"

#include <QPageLayout>
#include <QPageSize>
#include <cmath>

#include "model/StagedFile.h"
#include "output/ExportSize.h"
#include "output/PdfPage.h"

namespace orv {

namespace {

// Qt's writer gives a page whole points, to the nearest; the sheet's last fraction of a point, and
// the cut frame's line in it, would fall off. The page is rounded up instead.
int WholePointsAbove(double mm) {
    return static_cast<int>(std::ceil(mm * 72.0 / 25.4 - 1e-6));
}

}  // namespace

PdfFilePrinter::PdfFilePrinter(std::string path, double widthMm, double heightMm, int dpi)
    : path_(std::move(path)), widthMm_(widthMm), heightMm_(heightMm), dpi_(dpi) {}

PdfFilePrinter::~PdfFilePrinter() {
    AbortJob();
}

void PdfFilePrinter::StartJob(const std::string& title) {
    AbortJob();
    if (dpi_ < 1) throw PrinterError(path_ + ": 解像度は 1 dpi 以上で指定してください。");
    if (const auto refusal = PageSizeRefusal(widthMm_, heightMm_)) throw PrinterError(*refusal);
    try {
        file_ = std::make_unique<StagedFile>(path_);
    } catch (const Error& e) {
        throw PrinterError(e.what());
    }
    const QPageSize size(QSize(WholePointsAbove(widthMm_), WholePointsAbove(heightMm_)), QString(),
                         QPageSize::ExactMatch);
    try {
        page_ =
            std::make_unique<PdfPage>(*file_, QPageLayout(size, QPageLayout::Portrait, QMarginsF()),
                                      DotPair{dpi_, dpi_}, QPoint(0, 0), title);
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
        file_->Commit();
    } catch (const PrinterError&) {
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
}

}  // namespace orv
