#include "output/PrintReady.h"

#include <algorithm>

#include "output/Imposition.h"

namespace orv {

PrintReadyOptions PrintReadyOf(const OutputJob& job) {
    const TData& design = job.Design;
    PrintReadyOptions options;
    options.BleedMm = std::clamp(design.PdfBleed, 0, static_cast<int>(kMaxBleedMm * 10)) / 10.0;
    options.Marks = design.PdfMarks != 0;
    options.Cmyk = design.PdfCmyk != 0;
    if (design.Print != 0 && design.Matrixs.Count() > 0 && !job.CoverTitle) {
        const int cols = design.Cols < 1 ? 1 : design.Cols;
        for (int k = 0; k <= design.Matrixs.Count(); ++k) {
            const MmPoint at =
                CalendarOrigin(k, cols, design.Interval, job.SizeX, job.SizeY, 100, {0, 0});
            options.CalendarsMm.push_back({static_cast<double>(at.X), static_cast<double>(at.Y),
                                           static_cast<double>(job.SizeX),
                                           static_cast<double>(job.SizeY)});
        }
    }
    return options;
}

}  // namespace orv
