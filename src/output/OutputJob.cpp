#include "output/OutputJob.h"

#include "render/DrawCalendar.h"

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

std::string JobTitle(const OutputJob& job, int months) {
    const auto month = [](int year, int m, bool withYear) {
        return (withYear ? std::to_string(year) + "年" : std::string()) + std::to_string(m) + "月";
    };
    const int year = job.Design.Year;
    const int first = job.Design.Month;
    std::string shown = month(year, first, true);
    if (months > 1) {
        const int last = first - 1 + months - 1;
        const int lastYear = year + last / 12;
        shown += "–" + month(lastYear, last % 12 + 1, lastYear != year);
    }
    return (job.Name.empty() ? std::string("Orvalinden") : job.Name) + " " + shown;
}

OutputJob CoverJob(const OutputJob& job, const CoverPage& cover) {
    OutputJob shown = job;
    TData& design = shown.Design;
    if (!cover.Picture.empty()) {
        design.PictureFile = cover.Picture;
        design.PictureFrame = PictureFraming{1};
    } else {
        // The month's own picture when it has one, with its crop.
        const PictureFraming framing = CalendarPictureFraming(design);
        design.PictureFile = std::string(CalendarPictureFile(design));
        design.PictureFrame = framing;
        design.PictureFrame.Fill = 1;
    }
    design.MonthPicture = {};
    shown.CoverTitle = cover.Title;
    return shown;
}

OutputJob JobInMonth(const OutputJob& job, YearMonth month) {
    OutputJob shown = job;
    shown.Design.Year = month.Year;
    shown.Design.Month = month.Month;
    return shown;
}

}  // namespace orv
