#pragma once
// One PDF page drawn through Qt's PDF writer, for both print targets: the page size, resolution
// and orientation are given, the origin is moved to the printable corner, and the finished file
// is checked before anyone relies on it. The bytes go into a staged file, so that a failed write
// reports the file the user named and the system's reason.
#include <QIODevice>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <memory>
#include <string>

#include "output/PrintTarget.h"

namespace orv {

class StagedFile;

class PdfPage {
  public:
    // `layout` gives the paper and orientation; its margins are ignored. `dpi` is the resolution
    // of the page's coordinates, which may differ across and down (a printer of 600 × 300 dpi).
    // `origin` is the printable corner in those coordinates. `file` outlives the page.
    PdfPage(StagedFile& file, const QPageLayout& layout, DotPair dpi, QPoint origin,
            const std::string& title);
    // The same into `memory`, for a file that is finished afterwards; `target` names it in
    // errors.
    PdfPage(std::string& memory, const std::string& target, const QPageLayout& layout, DotPair dpi,
            QPoint origin, const std::string& title);
    // Ends the painter if still active (the file is then incomplete).
    ~PdfPage();
    PdfPage(const PdfPage&) = delete;
    PdfPage& operator=(const PdfPage&) = delete;

    QPainter& Painter() { return painter_; }
    // Ends this page and starts the next one of the same size in the same file.
    void NewPage();
    // Ends the page and checks the file; PrinterError when the writer failed.
    void Finish();
    // Ends the painter without checking; for a job being dropped.
    void Close() noexcept;

  private:
    class Output;
    void Begin(const QPageLayout& layout, DotPair dpi, QPoint origin, const std::string& title);
    void PlaceOrigin();
    std::string target_;
    std::unique_ptr<Output> output_;
    std::unique_ptr<QPdfWriter> writer_;
    QPainter painter_;
    DotPair dpi_;
    QPoint origin_;
};

}  // namespace orv
