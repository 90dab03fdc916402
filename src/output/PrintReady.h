#pragma once
// What a print shop asks of a PDF besides the sheet itself, as a design remembers it.
#include <vector>

#include "output/OutputJob.h"
#include "output/PdfFinishing.h"

namespace orv {

// A bleed wider than this is no bleed a print shop asks for, and only empties the page.
inline constexpr double kMaxBleedMm = 20;

struct PrintReadyOptions {
    double BleedMm = 0;  // how far the background and the pictures at the edge reach past it
    bool Marks = false;  // crop marks
    bool Cmyk = false;   // PDF/X with the colours of the press
    // The calendars cut from the sheet, in millimetres from its corner, each with its own marks;
    // empty: the sheet is one.
    std::vector<PointRect> CalendarsMm;
};

// The job's design's print-shop settings, with the calendars of its imposition.
PrintReadyOptions PrintReadyOf(const OutputJob& job);

}  // namespace orv
