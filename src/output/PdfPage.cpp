#include "PdfPage.h"

#include <QFile>

#include "PrintTarget.h"

namespace orv {

PdfPage::PdfPage(const std::string& path, const QPageLayout& layout, int dpi, QPoint origin,
                 const std::string& title)
    : path_(path), printer_(QPrinter::HighResolution), origin_(origin) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(QString::fromStdString(path));
    printer_.setDocName(QString::fromStdString(title));
    printer_.setCreator(QStringLiteral("Orvalinden"));
    printer_.setResolution(dpi);
    // Full page: Qt would otherwise put a margin of its own between the paper's edge and the
    // origin; the printable corner is set by the translation below instead.
    printer_.setFullPage(true);
    QPageLayout paper(layout.pageSize(), layout.orientation(), QMarginsF(0, 0, 0, 0));
    paper.setMinimumMargins(QMarginsF(0, 0, 0, 0));
    printer_.setPageLayout(paper);
    if (!painter_.begin(&printer_)) {
        throw PrinterError(path + ": the PDF page could not be started");
    }
    painter_.translate(origin);
}

void PdfPage::NewPage() {
    if (!printer_.newPage()) throw PrinterError(path_ + ": the next PDF page could not be started");
    painter_.resetTransform();
    painter_.translate(origin_);
}

PdfPage::~PdfPage() {
    Close();
}

void PdfPage::Close() noexcept {
    if (painter_.isActive()) painter_.end();
}

void PdfPage::Finish() {
    const bool ended = painter_.end();
    // Qt's writer does not report every write error; a complete file ends with its trailer.
    QFile file(QString::fromStdString(path_));
    bool complete = false;
    if (ended && file.open(QIODevice::ReadOnly) && file.size() > 16) {
        const QByteArray head = file.read(5);
        file.seek(file.size() - 16);
        complete = head == "%PDF-" && file.read(16).contains("%%EOF");
    }
    if (!complete) throw PrinterError(path_ + ": the PDF file could not be written completely");
}

}  // namespace orv
