#pragma once
// One PDF page drawn through Qt's PDF writer, for both print targets: the page size, resolution
// and orientation are given, the origin is moved to the printable corner, and the finished file
// is checked before anyone relies on it.
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <memory>
#include <string>

namespace orv {

class PdfPage {
  public:
    // `layout` gives the paper and orientation; its margins are ignored. `origin` is the printable
    // corner in device dots.
    PdfPage(const std::string& path, const QPageLayout& layout, int dpi, QPoint origin,
            const std::string& title);
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
    std::string path_;
    QPrinter printer_;
    QPainter painter_;
    QPoint origin_;
};

}  // namespace orv
