#pragma once
// The printer layer: the facts of the current printer and its one print job, over Qt Print Support
// and CUPS. One instance, owned by whoever prints (the window); the print and printer set-up
// dialogs work on Printer() and the owner calls Refresh() when one closes with OK.
//
// Facts are in the printer's own terms, as the drawing needs them:
// - Resolution: the printer's default resolution (or the one chosen in the print dialog), not the
//   1200 dpi that QPrinter::HighResolution claims for every printer.
// - Physical page size and offset in device dots at that resolution; the offset is the driver's
//   unprintable left and top border, and the page's origin lies there (Qt's own 10 pt margin
//   never applies).
// - Scale is always 100: CUPS drivers do not scale.
// Every query fails with NoPrinterError when no printer is installed or no CUPS server answers
// (Qt would quietly turn the printer into a PDF writer instead). When the print dialog chose
// printing to a file, the job becomes that PDF file (at 300 dpi, no unprintable border), printer
// or not.
#include <QPrinter>
#include <memory>
#include <string>
#include <vector>

#include "output/PdfPictures.h"
#include "output/PrintTarget.h"

namespace orv {

class NoPrinterError : public PrinterError {
  public:
    NoPrinterError();
};

// The driver's settings carry no paper size.
class PrinterNotSupportedError : public PrinterError {
  public:
    PrinterNotSupportedError();
};

// The current paper is not in the driver's paper list.
class PaperIndexError : public PrinterError {
  public:
    PaperIndexError();
};

class PdfPage;
class StagedFile;

class PrinterLayer : public PrintTarget {
  public:
    // The system's default printer is current (the first printer when none is the default).
    PrinterLayer();
    ~PrinterLayer() override;

    // The printer the dialogs edit.
    QPrinter& Printer() { return printer_; }
    // Takes up the printer and settings the dialogs chose, and what CUPS now reports.
    void Refresh();

    DotPair Resolution() override;
    int Scale() override;
    DotPair PhysicalPageSize();
    DotPair PhysicalOffset();
    // Printer names in the system's order, and the current printer's position among them.
    std::vector<std::string> PrinterNames();
    int PrinterIndex();
    std::string PrinterName();
    // The driver's paper names, and the current paper's position among them.
    std::vector<std::string> PaperNames();
    int PaperIndex();
    std::string PaperName();

    // The job is drawn into a PDF that goes to CUPS on EndJob; AbortJob sends nothing.
    // Whether the print dialog chose printing into a file.
    bool PrintsToFile() const { return toFile_; }

    void StartJob(const std::string& title) override;
    QPainter& Painter() override;
    void NewPage() override;
    void EndJob() override;
    std::string EndedJobNotice() const override { return notice_; }
    void AbortJob() noexcept override;
    bool Printing() const override { return page_ != nullptr; }
    PdfPictures* Pictures() override { return &pictures_; }
    // A file may go to a press; a printer's dot is a line it prints.
    double ThinnestLine() const override { return toFile_ ? 0.25 : 0; }

  private:
    struct Facts {
        std::vector<std::string> printers;
        int printerIndex = -1;
        DotPair resolution;
        DotPair pageSize;
        DotPair offset;
        std::vector<std::string> papers;
        int paperIndex = -1;
    };
    const Facts& Checked();
    void Forget() noexcept;

    QPrinter printer_;
    Facts facts_;
    bool toFile_ = false;
    std::unique_ptr<StagedFile> file_;  // the file being printed into
    std::unique_ptr<PdfPage> page_;
    PdfPictures pictures_;
    std::string drawn_;  // Qt's file, before its pictures are put in
    std::string jobFile_;
    std::string notice_;
    std::string jobTitle_;
};

}  // namespace orv
