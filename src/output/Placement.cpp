#include "output/Placement.h"

#include <cmath>

#include "render/DrawCalendar.h"
#include "render/SeveralMonths.h"

namespace orv {

namespace {

// An entry's design: its settings file (with its own picture) and the window's size, frame,
// almanac switches and memorial days again, its picture (which then stands for every month), and
// its shifted month.
TData EntryDesign(const TData& window, const TMatrix& entry, MessageSink& sink) {
    TData design = window;
    if (!entry.ConfigFile.empty()) {
        design.LoadFromFile(entry.ConfigFile, sink);
        design.SizeX = window.SizeX;
        design.SizeY = window.SizeY;
        design.Frame = window.Frame;
        design.Rokuyo = window.Rokuyo;
        design.Nijusisekki = window.Nijusisekki;
        design.OldDate = window.OldDate;
        design.Zassetsu = window.Zassetsu;
        design.MoonPhase = window.MoonPhase;
        design.Memorials.Assign(window.Memorials);
    }
    // An entry's own picture is meant for whatever month it shows.
    if (!entry.ImageFile.empty()) {
        design.PictureFile = entry.ImageFile;
        design.PictureFrame = entry.Framing;
        design.MonthPicture = {};
    }
    const YearMonth month = ShiftedMonth(window.Year, window.Month, entry.MonthOffset);
    design.Year = month.Year;
    design.Month = month.Month;
    return design;
}

}  // namespace

bool MayShow(const QRect& visible, MmPoint origin, int sizeX, int sizeY, int zoom, int dpiX,
             int dpiY) {
    const double pxX = dpiX / 25.4;
    const double pxY = dpiY / 25.4;
    const double width = std::abs(static_cast<double>(sizeX) * zoom / 100.0 * pxX);
    const double height = std::abs(static_cast<double>(sizeY) * zoom / 100.0 * pxY);
    const double left = origin.X * pxX;
    const double top = origin.Y * pxY;
    return left - width <= visible.right() + 1.0 && left + 2 * width >= visible.left() - 1.0 &&
           top - height <= visible.bottom() + 1.0 && top + 2 * height >= visible.top() - 1.0;
}

PlacedLayout PlaceLayout(const OutputJob& job, MmPoint base, int zoom, MessageSink& sink,
                         const std::function<bool(MmPoint origin)>& mayShow) {
    const TData& window = job.Design;
    PlacedLayout layout;
    layout.SizeX = job.SizeX;
    layout.SizeY = job.SizeY;
    layout.Zoom = zoom;
    layout.Imposed = window.Print != 0 && !job.CoverTitle;
    layout.CoverTitle = job.CoverTitle;
    layout.Calendars.push_back({window, base, false});
    const int entries = layout.Imposed ? window.Matrixs.Count() : 0;
    for (int k = 1; k <= entries; ++k) {
        const TMatrix* entry = window.Matrixs.FindByNumber(k);
        if (entry == nullptr) {
            layout.Calendars.push_back({window, base, false});
            continue;
        }
        const MmPoint origin =
            CalendarOrigin(k, window.Cols, window.Interval, job.SizeX, job.SizeY, zoom, base);
        // A long imposition list would otherwise read and copy every calendar for every repaint,
        // however few of them show.
        if (mayShow && !mayShow(origin)) continue;
        layout.Calendars.push_back({EntryDesign(window, *entry, sink), origin, true, k});
    }
    return layout;
}

bool DrawPlacedLayout(RenderState& state, MessageSink& sink, Canvas& canvas, int dpiX, int dpiY,
                      const PlacedLayout& layout, const std::optional<QRect>& visible) {
    if (layout.Imposed) state.PictureChanged = true;
    if (layout.CoverTitle) {
        const PlacedCalendar& cover = layout.Calendars.front();
        const bool loading = state.Loading;
        return DrawCover(state, sink, canvas, dpiX, dpiY, layout.Zoom, cover.Origin.X,
                         cover.Origin.Y, layout.SizeX, layout.SizeY, cover.Design,
                         *layout.CoverTitle) ||
               loading;
    }
    bool drawn = true;
    for (const PlacedCalendar& calendar : layout.Calendars) {
        if (calendar.Entry && visible &&
            !MayShow(*visible, calendar.Origin, layout.SizeX, layout.SizeY, layout.Zoom, dpiX,
                     dpiY)) {
            continue;
        }
        // Every entry may have a picture of its own.
        if (calendar.Entry) state.PictureChanged = true;
        const bool loading = state.Loading;
        state.Calendar = calendar.Number;
        bool ok =
            DrawCalendar(state, sink, canvas, dpiX, dpiY, layout.Zoom, ckSheet, calendar.Origin.X,
                         calendar.Origin.Y, layout.SizeX, layout.SizeY, calendar.Design);
        // Each calendar's own layout decides, so that an entry whose settings file has several
        // months gets its cells and one with a single month gets none.
        if (ok && calendar.Design.PluralEnabled != 0) {
            ok = DrawSeveralMonthCells(state, sink, canvas, dpiX, dpiY, calendar.Origin.X,
                                       calendar.Origin.Y, calendar.Design);
        }
        if (!ok && !loading) drawn = false;
    }
    state.Calendar = 0;
    return drawn;
}

}  // namespace orv
