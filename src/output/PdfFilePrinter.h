#pragma once
// Printing into a PDF file instead of onto paper: the same page as a print job (vector, text as
// text), one page of the given size in millimetres with its origin at the paper's corner. The file
// is staged under a temporary name and put in place by EndJob; a dropped or failed job leaves no
// file.
#include <functional>
#include <memory>
#include <string>

#include "output/PdfFinishing.h"
#include "output/PdfPictures.h"
#include "output/PrintReady.h"
#include "output/PrintTarget.h"

namespace orv {

class PdfPage;
class StagedFile;

class PdfFilePrinter : public PrintTarget {
  public:
    PdfFilePrinter(std::string path, double widthMm, double heightMm, int dpi,
                   PrintReadyOptions options = {});
    ~PdfFilePrinter() override;

    DotPair Resolution() override { return {dpi_, dpi_}; }
    int Scale() override { return 100; }

    void StartJob(const std::string& title) override;
    QPainter& Painter() override;
    void NewPage() override;
    void EndJob() override;
    void AbortJob() noexcept override;
    bool Printing() const override { return page_ != nullptr; }
    PdfPictures* Pictures() override { return &pictures_; }
    double ThinnestLine() const override;
    double BleedMm() const override { return options_.BleedMm; }

    // Asked now and then while EndJob waits on the CMYK conversion; false stops the job, which
    // then throws JobCancelled and leaves no file.
    void SetKeepGoing(std::function<bool()> keepGoing) { keepGoing_ = std::move(keepGoing); }

  private:
    std::string path_;
    double widthMm_;
    double heightMm_;
    int dpi_;
    PrintReadyOptions options_;
    PdfSheet sheet_;
    int offset_ = 0;
    PdfPictures pictures_;
    std::string title_;
    std::string drawn_;  // Qt's file, before it is finished
    std::unique_ptr<StagedFile> file_;
    std::unique_ptr<PdfPage> page_;
    std::function<bool()> keepGoing_;
};

}  // namespace orv
