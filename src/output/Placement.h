#pragma once
// A layout placed once for all the bands, pages and repaints that draw it: the job's design at
// its place and, with imposition on, every entry at its place in the grid with its own settings
// file, picture and month applied. Drawing the list reads no file and no control.
#include <QRect>
#include <functional>
#include <optional>
#include <vector>

#include "model/MessageSink.h"
#include "output/OutputJob.h"
#include "render/Canvas.h"
#include "render/RenderState.h"

namespace orv {

struct PlacedCalendar {
    TData Design;
    MmPoint Origin;      // millimetres of the surface
    bool Entry = false;  // an imposition entry's, which may have a picture of its own
    int Number = 0;      // the entry's Number; 0 for the job's own design
};

struct PlacedLayout {
    std::vector<PlacedCalendar> Calendars;  // in drawing order, the job's design first
    int SizeX = 0;                          // of each calendar, millimetres before the zoom
    int SizeY = 0;
    int Zoom = 100;
    bool Imposed = false;
    std::optional<std::string> CoverTitle;  // a cover of the job's design alone
};

// Places the job with the job's design at `base` (mm) and the grid's pitch scaled by `zoom`.
// Each entry's settings file is read once here (its messages go to `sink`). Entries for which
// `mayShow` (given their origin) says no are left out unread. An entry number that no entry has
// draws the job's design again at `base`, as it always has.
PlacedLayout PlaceLayout(const OutputJob& job, MmPoint base, int zoom, MessageSink& sink,
                         const std::function<bool(MmPoint origin)>& mayShow = {});

// Draws every calendar and its several-months cells; with `visible` (device pixels), entries that
// lie wholly outside it, a sheet's size of room around each, are skipped. False when a calendar
// could not be drawn (the renderer has reported why).
bool DrawPlacedLayout(RenderState& state, MessageSink& sink, Canvas& canvas, int dpiX, int dpiY,
                      const PlacedLayout& layout,
                      const std::optional<QRect>& visible = std::nullopt);

// Whether a calendar at `origin` with a sheet's size of room around it reaches into `visible`.
bool MayShow(const QRect& visible, MmPoint origin, int sizeX, int sizeY, int zoom, int dpiX,
             int dpiY);

}  // namespace orv
