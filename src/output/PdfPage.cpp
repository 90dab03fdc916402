#include "output/PdfPage.h"

#include <algorithm>
#include <exception>

#include "model/ProgramVersion.h"
#include "model/StagedFile.h"

namespace orv {

// Qt's writer takes any device but does not pass on why a write failed; this one keeps the reason.
class PdfPage::Output : public QIODevice {
  public:
    explicit Output(StagedFile& file) : file_(&file) { open(QIODevice::WriteOnly); }
    explicit Output(std::string& memory) : memory_(&memory) { open(QIODevice::WriteOnly); }
    bool isSequential() const override { return true; }

    const std::string& Error() const { return error_; }
    // A complete file begins with its header and ends with its trailer.
    bool Complete() const {
        return error_.empty() && head_.starts_with("%PDF-") &&
               tail_.find("%%EOF") != std::string::npos;
    }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (!error_.empty()) return -1;
        try {
            if (file_ != nullptr) {
                file_->Append(data, static_cast<size_t>(size));
            } else {
                memory_->append(data, static_cast<size_t>(size));
            }
        } catch (const std::exception& e) {
            error_ = e.what();
            return -1;
        }
        if (head_.size() < 5) head_.append(data, std::min<size_t>(5 - head_.size(), size));
        tail_.append(data, static_cast<size_t>(size));
        if (tail_.size() > 32) tail_.erase(0, tail_.size() - 32);
        return size;
    }

  private:
    StagedFile* file_ = nullptr;
    std::string* memory_ = nullptr;
    std::string error_;
    std::string head_;
    std::string tail_;
};

PdfPage::PdfPage(StagedFile& file, const QPageLayout& layout, DotPair dpi, QPoint origin,
                 const std::string& title)
    : target_(file.Target()),
      output_(std::make_unique<Output>(file)),
      writer_(std::make_unique<QPdfWriter>(output_.get())) {
    Begin(layout, dpi, origin, title);
}

PdfPage::PdfPage(std::string& memory, const std::string& target, const QPageLayout& layout,
                 DotPair dpi, QPoint origin, const std::string& title)
    : target_(target),
      output_(std::make_unique<Output>(memory)),
      writer_(std::make_unique<QPdfWriter>(output_.get())) {
    Begin(layout, dpi, origin, title);
}

void PdfPage::Begin(const QPageLayout& layout, DotPair dpi, QPoint origin,
                    const std::string& title) {
    if (dpi.X < 1 || dpi.Y < 1)
        throw PrinterError(target_ + ": 解像度は 1 dpi 以上で指定してください。");
    writer_->setTitle(QString::fromStdString(title));
    writer_->setCreator(QStringLiteral("Orvalinden ") + QString::fromLatin1(ProgramVersion()));
    writer_->setResolution(dpi.X);
    // No margin of Qt's own between the paper's edge and the origin; the printable corner is set
    // by the translation below instead.
    QPageLayout paper(layout.pageSize(), layout.orientation(), QMarginsF(0, 0, 0, 0));
    paper.setMinimumMargins(QMarginsF(0, 0, 0, 0));
    writer_->setPageLayout(paper);
    if (!painter_.begin(writer_.get())) {
        throw PrinterError(target_ + ": PDF のページを始められませんでした。");
    }
    dpi_ = dpi;
    origin_ = origin;
    PlaceOrigin();
}

void PdfPage::PlaceOrigin() {
    painter_.resetTransform();
    // Down the page a coordinate is a dot of the vertical resolution.
    if (dpi_.Y != dpi_.X) painter_.scale(1.0, static_cast<double>(dpi_.X) / dpi_.Y);
    painter_.translate(origin_);
}

void PdfPage::NewPage() {
    if (!writer_->newPage())
        throw PrinterError(target_ + ": PDF の次のページを始められませんでした。");
    PlaceOrigin();
}

PdfPage::~PdfPage() {
    Close();
}

void PdfPage::Close() noexcept {
    if (painter_.isActive()) painter_.end();
}

void PdfPage::Finish() {
    const bool ended = painter_.end();
    if (!output_->Error().empty()) throw PrinterError(output_->Error());
    if (!ended || !output_->Complete()) {
        throw PrinterError(target_ + ": PDF ファイルを最後まで書けませんでした。");
    }
}

}  // namespace orv
