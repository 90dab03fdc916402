#pragma once
// The last step of a PDF file: Qt's writer gives a page whole points and draws pictures as they
// were handed to it, so its file is rewritten with the page boxes exact to a hundredth of a point
// (the sheet, its bleed, room for crop marks), the Japanese crop marks (トンボ) drawn in
// registration colour, and the pictures put in for their placeholders (see PdfPictures.h).
#include <string>
#include <vector>

#include "model/StagedFile.h"
#include "output/PdfPictures.h"

namespace orv {

// A rectangle in points, from the top-left corner, y down.
struct PointRect {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
};

struct PdfSheet {
    // A printer's page keeps the paper Qt gave it; only its pictures are put in.
    bool KeepPage = false;
    double PageHeight = 0;  // of Qt's page, in points
    // The sheet (the trim) on Qt's page, from its top-left corner.
    PointRect Trim;
    double Bleed = 0;  // points past the trim on every side
    bool Marks = false;
    // The calendars cut from the sheet, from the trim's corner, for their own marks; empty: the
    // sheet is one.
    std::vector<PointRect> Calendars;
};

// 3 mm: where the outer corner marks stand when no wider bleed is asked, and the usual bleed.
inline constexpr double kStandardBleedMm = 3.0;

// The points around the trim the page needs for the bleed and the marks.
double PdfPageMargin(const PdfSheet& sheet);

enum class PdfInk {
    AsDrawn,
    BlackInkGreys,  // greys as black ink alone (PdfBlackInk.h), for a conversion to CMYK
};

// Rewrites Qt's file `qtPdf` (its bytes) into `out`: every page given the boxes of `sheet`, its
// marks, and its placeholders replaced by `pictures`. Error (PrinterError) when the file cannot be
// read or a picture cannot be put in.
void FinishPdf(const std::string& qtPdf, const PdfSheet& sheet, const PdfPictures& pictures,
               StagedFile& out, PdfInk ink = PdfInk::AsDrawn);

// A finished file (`pdf`, its bytes) that another program has rewritten, with its page boxes set
// to those of `sheet` again, into `out`.
void RestorePageBoxes(const std::string& pdf, const PdfSheet& sheet, StagedFile& out);

}  // namespace orv
