#include "output/OutputJob.h"

namespace orv {

OutputJob JobOfDesign(TData design, int zoom) {
    OutputJob job;
    job.SizeX = design.SizeX;
    job.SizeY = design.SizeY;
    job.Position = {design.PositionX, design.PositionY};
    job.Zoom = zoom;
    job.Design = std::move(design);
    return job;
}

OutputJob JobInMonth(const OutputJob& job, YearMonth month) {
    OutputJob shown = job;
    shown.Design.Year = month.Year;
    shown.Design.Month = month.Month;
    return shown;
}

}  // namespace orv
