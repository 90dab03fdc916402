#include "output/PrinterLayer.h"

#include <unistd.h>
#include <QDir>
#include <QPageLayout>
#include <QPrintEngine>
#include <QPrinterInfo>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "model/AtomicFile.h"
#include "model/StagedFile.h"
#include "output/CupsQueries.h"
#include "output/PdfFinishing.h"
#include "output/PdfPage.h"

namespace orv {

NoPrinterError::NoPrinterError()
    : PrinterError("プリンタがインストールされていません。（印刷システム CUPS が応答しません）") {}

PrinterNotSupportedError::PrinterNotSupportedError()
    : PrinterError("このプリンタは用紙サイズの設定に対応していません。") {}

PaperIndexError::PaperIndexError() : PrinterError("現在の用紙がプリンタの用紙一覧にありません。") {}

namespace {

// Where Qt's print dialog leaves the driver options it collected (name, value, name, value...).
const auto kCupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

CupsOptions DialogOptions(QPrinter& printer) {
    CupsOptions options;
    if (printer.outputFormat() != QPrinter::NativeFormat) return options;
    const QStringList list = printer.printEngine()->property(kCupsOptionsKey).toStringList();
    for (qsizetype i = 0; i + 1 < list.size(); i += 2) {
        options.emplace_back(list[i].toStdString(), list[i + 1].toStdString());
    }
    return options;
}

int Dots(double points, int dpi) {
    return static_cast<int>(std::lround(points * dpi / 72.0));
}

}  // namespace

PrinterLayer::PrinterLayer() {
    Refresh();
}

PrinterLayer::~PrinterLayer() {
    AbortJob();
}

void PrinterLayer::Refresh() {
    Facts facts;
    const QStringList names = QPrinterInfo::availablePrinterNames();
    for (const QString& name : names) facts.printers.push_back(name.toStdString());
    toFile_ =
        printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty();
    if (toFile_) {
        facts.resolution = {300, 300};
        const QSizeF paper = printer_.pageLayout().fullRectPoints().size();
        facts.pageSize = {Dots(paper.width(), 300), Dots(paper.height(), 300)};
        facts.printerIndex = static_cast<int>(names.indexOf(printer_.printerName()));
        facts_ = std::move(facts);
        return;
    }
    if (names.isEmpty()) {
        facts_ = std::move(facts);
        return;
    }
    QString current =
        printer_.outputFormat() == QPrinter::NativeFormat ? printer_.printerName() : QString();
    if (!names.contains(current)) {
        current = QPrinterInfo::defaultPrinterName();
        if (!names.contains(current)) current = names.first();
        printer_.setPrinterName(current);
    }
    facts.printerIndex = static_cast<int>(names.indexOf(current));

    DotPair resolution;
    for (const auto& [name, value] : DialogOptions(printer_)) {
        if (name == "Resolution") resolution = ParseResolutionOption(value);
    }
    if (resolution.X <= 0) resolution = CupsDefaultResolution(current.toStdString());
    // A printer that tells nothing of itself is taken as an ordinary 300 dpi one.
    if (resolution.X <= 0) resolution = {300, 300};
    facts.resolution = resolution;

    QPageLayout layout = printer_.pageLayout();
    const QSizeF paperPoints = layout.fullRectPoints().size();
    const QSizeF exact = layout.pageSize().size(QPageSize::Point);
    const bool turned = layout.orientation() == QPageLayout::Landscape;
    const double widthPt = turned ? exact.height() : exact.width();
    const double heightPt = turned ? exact.width() : exact.height();
    facts.pageSize = {Dots(exact.isValid() ? widthPt : paperPoints.width(), facts.resolution.X),
                      Dots(exact.isValid() ? heightPt : paperPoints.height(), facts.resolution.Y)};
    layout.setUnits(QPageLayout::Point);
    const QMarginsF minimum = layout.minimumMargins();
    facts.offset = {Dots(minimum.left(), facts.resolution.X),
                    Dots(minimum.top(), facts.resolution.Y)};

    const QPrinterInfo info(printer_);
    const QList<QPageSize> papers = info.supportedPageSizes();
    const QPageSize paper = printer_.pageLayout().pageSize();
    for (qsizetype i = 0; i < papers.size(); ++i) {
        facts.papers.push_back(papers[i].name().toStdString());
        if (facts.paperIndex < 0 && papers[i].key() == paper.key()) {
            facts.paperIndex = static_cast<int>(i);
        }
    }
    for (qsizetype i = 0; facts.paperIndex < 0 && i < papers.size(); ++i) {
        if (papers[i].isEquivalentTo(paper)) facts.paperIndex = static_cast<int>(i);
    }
    facts_ = std::move(facts);
}

const PrinterLayer::Facts& PrinterLayer::Checked() {
    if (facts_.printers.empty() && !toFile_) throw NoPrinterError();
    return facts_;
}

DotPair PrinterLayer::Resolution() {
    return Checked().resolution;
}

int PrinterLayer::Scale() {
    Checked();
    return 100;
}

DotPair PrinterLayer::PhysicalPageSize() {
    return Checked().pageSize;
}
DotPair PrinterLayer::PhysicalOffset() {
    return Checked().offset;
}
std::vector<std::string> PrinterLayer::PrinterNames() {
    return Checked().printers;
}
int PrinterLayer::PrinterIndex() {
    return Checked().printerIndex;
}

std::string PrinterLayer::PrinterName() {
    const Facts& facts = Checked();
    if (facts.printerIndex < 0) throw NoPrinterError();
    return facts.printers[facts.printerIndex];
}

std::vector<std::string> PrinterLayer::PaperNames() {
    const Facts& facts = Checked();
    if (facts.papers.empty()) throw PrinterNotSupportedError();
    return facts.papers;
}

int PrinterLayer::PaperIndex() {
    const Facts& facts = Checked();
    if (facts.papers.empty()) throw PrinterNotSupportedError();
    if (facts.paperIndex < 0) throw PaperIndexError();
    return facts.paperIndex;
}

std::string PrinterLayer::PaperName() {
    return facts_.papers[PaperIndex()];
}

void PrinterLayer::StartJob(const std::string& title) {
    AbortJob();
    notice_.clear();
    // The printer may have gone since the last look; a job must not start into nothing.
    Refresh();
    const Facts& facts = Checked();
    if (toFile_) {
        try {
            file_ = std::make_unique<StagedFile>(printer_.outputFileName().toStdString());
        } catch (const Error& e) {
            throw PrinterError(e.what());
        }
        try {
            page_ = std::make_unique<PdfPage>(drawn_, file_->Target(), printer_.pageLayout(),
                                              facts.resolution, QPoint(0, 0), title);
        } catch (...) {
            file_.reset();
            throw;
        }
        return;
    }
    // A queue that refuses jobs is said before the pages are drawn for nothing.
    if (const CupsQueueState queue = CupsQueue(PrinterName()); !queue.Accepting) {
        throw PrinterError(RejectingQueueText(PrinterName(), queue.Message));
    }
    std::string path = QDir::tempPath().toStdString() + "/orvalinden-job-XXXXXX";
    const int fd = mkstemp(path.data());
    if (fd < 0) throw PrinterError(path + ": " + SystemErrorText(errno));
    close(fd);
    jobFile_ = path;
    jobTitle_ = title;
    try {
        file_ = std::make_unique<StagedFile>(path);
        const DotPair dpi{facts.resolution.X * 100 / Scale(), facts.resolution.Y * 100 / Scale()};
        page_ = std::make_unique<PdfPage>(drawn_, file_->Target(), printer_.pageLayout(), dpi,
                                          QPoint(facts.offset.X, facts.offset.Y), title);
    } catch (const IoError& e) {
        Forget();
        throw PrinterError(e.what());
    } catch (...) {
        Forget();
        throw;
    }
}

QPainter& PrinterLayer::Painter() {
    if (!page_) throw PrinterError("no print job has been started");
    return page_->Painter();
}

void PrinterLayer::NewPage() {
    if (!page_) throw PrinterError("no print job has been started");
    page_->NewPage();
}

void PrinterLayer::EndJob() {
    if (!page_) throw PrinterError("no print job has been started");
    try {
        page_->Finish();
        PdfSheet paper;
        paper.KeepPage = true;
        FinishPdf(drawn_, paper, pictures_, *file_);
        drawn_.clear();
        try {
            file_->Commit();
        } catch (const IoError& e) {
            throw PrinterError(e.what());
        }
        if (jobFile_.empty()) {
            Forget();
            return;
        }
        CupsOptions options = DialogOptions(printer_);
        options.emplace_back("media", printer_.pageLayout().pageSize().key().toStdString());
        if (printer_.copyCount() > 1) {
            options.emplace_back("copies", std::to_string(printer_.copyCount()));
            if (printer_.collateCopies()) options.emplace_back("Collate", "True");
        }
        switch (printer_.duplex()) {
            case QPrinter::DuplexLongSide:
                options.emplace_back("sides", "two-sided-long-edge");
                break;
            case QPrinter::DuplexShortSide:
                options.emplace_back("sides", "two-sided-short-edge");
                break;
            default:
                break;
        }
        CupsSubmitPdf(PrinterName(), jobFile_, jobTitle_, options);
        if (const CupsQueueState queue = CupsQueue(PrinterName()); queue.Paused) {
            notice_ = PausedQueueText(PrinterName(), queue.Message);
        }
    } catch (...) {
        Forget();
        throw;
    }
    Forget();
}

void PrinterLayer::AbortJob() noexcept {
    if (page_) page_->Close();
    Forget();
}

void PrinterLayer::Forget() noexcept {
    page_.reset();
    pictures_ = PdfPictures();
    drawn_.clear();
    file_.reset();
    if (!jobFile_.empty()) unlink(jobFile_.c_str());
    jobFile_.clear();
    jobTitle_.clear();
}

}  // namespace orv
