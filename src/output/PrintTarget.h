#pragma once
// What a print run draws on: the current printer (PrinterLayer) or a PDF file (PdfFilePrinter).
// Both make the page the same way, as vector output with text kept as text.
#include <QPainter>
#include <exception>
#include <string>

#include "model/Errors.h"

namespace orv {

class PdfPictures;

// A printing failure; the message says what went wrong in the user's terms.
class PrinterError : public Error {
  public:
    using Error::Error;
};

// The user stopped a job while it was being finished; nothing of it is left.
class JobCancelled : public std::exception {
  public:
    const char* what() const noexcept override { return "cancelled"; }
};

// Horizontal and vertical values of one printer fact (dots per inch, or device dots).
struct DotPair {
    int X = 0;
    int Y = 0;
    bool operator==(const DotPair&) const = default;
};

class PrintTarget {
  public:
    virtual ~PrintTarget() = default;

    // Dots per inch of the page's coordinates.
    virtual DotPair Resolution() = 0;
    // The driver's scaling percentage; drawing uses Resolution × 100 div Scale.
    virtual int Scale() = 0;

    // Starts a job on its first page. PrinterError when it cannot start; nothing is left open then.
    virtual void StartJob(const std::string& title) = 0;
    // The page, in device dots with the origin at the top-left corner of the printable area.
    // Valid from StartJob until EndJob or AbortJob.
    virtual QPainter& Painter() = 0;
    // Ends the page and starts the next one of the same job, the painter's origin again at the
    // printable corner.
    virtual void NewPage() = 0;
    // Completes the job (sends it to the printer, or puts the file in place). PrinterError when
    // that fails; nothing is printed or left behind then.
    virtual void EndJob() = 0;
    // What the user should know of the job EndJob just sent (a printer that holds it), if anything.
    virtual std::string EndedJobNotice() const { return {}; }
    // Drops the job: nothing is printed, no file is left. Never throws; harmless without a job.
    virtual void AbortJob() noexcept = 0;
    virtual bool Printing() const = 0;

    // Where a PDF file keeps the pictures of its pages, to put them in as they are; null when
    // the pictures go in as drawn.
    virtual PdfPictures* Pictures() { return nullptr; }
    // The thinnest line the page may have, in points; 0 when a device dot is thin enough.
    virtual double ThinnestLine() const { return 0; }
    // How far the sheet's background and the pictures at its edge reach past it, in millimetres.
    virtual double BleedMm() const { return 0; }
};

}  // namespace orv
