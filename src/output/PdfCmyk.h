#pragma once
// A PDF for a press that prints CMYK: the finished page (PdfFinishing.h) with its greys in black
// ink, converted by Ghostscript's pdfwrite into PDF/X-3 with the colours of the press and an
// output intent naming its profile. Qt's writer knows only RGB, and a conversion of colours and
// pictures with a colour profile is the work of a colour engine, which Ghostscript is.
#include <functional>
#include <string>

#include "model/StagedFile.h"
#include "output/PdfFinishing.h"
#include "output/PdfPictures.h"

namespace orv {

// FinishPdf's work, in CMYK as PDF/X-3, into `out`. PrinterError when Ghostscript is missing or
// fails, with what it said. While Ghostscript works, `keepGoing` (if any) is asked now and then;
// false stops it and throws JobCancelled.
void FinishCmykPdf(const std::string& qtPdf, const PdfSheet& sheet, const PdfPictures& pictures,
                   const std::string& title, StagedFile& out,
                   const std::function<bool()>& keepGoing = {});

}  // namespace orv
