#pragma once
// The one renderer: draws a calendar design onto a canvas at any resolution and zoom.
#include "model/DataUnit.h"
#include "model/MessageSink.h"
#include "render/Canvas.h"
#include "render/RenderState.h"

namespace orv {

// What one pass draws.
enum TCalendarKind {
    ckSheet = 0,          // a whole sheet: background, picture, title, months, cut frame
    ckAdjacentMonth = 1,  // a miniature previous/next month (no background, no cell texts)
    ckMonthCell = 2,      // one month of the several-months layout
};

// Draws `Design` with its top-left corner at (Left, Top) millimetres of the canvas (not scaled by
// Percent) and a size of Width x Height millimetres scaled by Percent / 100. DpiX and DpiY are the
// canvas's device pixels per inch.
//
// Returns false without touching the canvas while state.Loading is set. Any failure during the
// pass (a date that cannot be formed, a canvas that throws) is reported through `sink` as
// "描画ｴﾗｰ" CR LF and the error's text; the picture cache is dropped and the result is false; what
// was drawn before the failure stays.
//
// Writes state.MonthArea (the calendar box without its title band, whole scaled millimetres
// relative to the sheet's origin); the miniature months are passes of their own and write it too,
// so it is read right after a sheet pass of the several-months layout, which has none. Uses and
// refreshes the picture cache of `state` (decoded again only while PictureChanged is set).
// A pass larger than 2^28 device pixels (or millimetres) across, or placed or boxed that far out,
// fits no surface and fails as above. DaySize outside 0..2 reads as 1; Picture.Offset outside
// -99..999 as the nearer end; when a design asks for several months and miniatures both, it gets
// several months, as the window shows it.
// The picture a calendar of the design's month draws: that month's own picture when it has one,
// else Picture.File. A several-months sheet is drawn with its first month, so it takes that one's.
const std::string& CalendarPictureFile(const TData& design);

bool DrawCalendar(RenderState& state, MessageSink& sink, Canvas& canvas, int DpiX, int DpiY,
                  int Percent, TCalendarKind Kind, int Left, int Top, int Width, int Height,
                  const TData& Design);

// The cover of a run of months on the same sheet, placed and failing as DrawCalendar: its
// background and cut frame, its picture (as a calendar of the design would draw it, in its
// framing) filling the sheet within the picture margin above a band, and `title` in the title's
// font and colour centred in the band.
bool DrawCover(RenderState& state, MessageSink& sink, Canvas& canvas, int DpiX, int DpiY,
               int Percent, int Left, int Top, int Width, int Height, const TData& Design,
               const std::string& title);

}  // namespace orv
