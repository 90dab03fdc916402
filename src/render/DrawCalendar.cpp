#include "render/DrawCalendar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>

#include "render/RenderPass.h"

namespace orv {

namespace {

// No surface is this many device pixels across; a pass that would reach past it (a size, margin or
// place from an edited file) is refused, which also keeps every sum of its coordinates, in pixels
// and in millimetres, inside int.
constexpr double kMostPassUnits = 1 << 28;

bool Beyond(double mm, float pxPerMm) {
    return std::abs(mm) > kMostPassUnits || std::abs(mm * pxPerMm) > kMostPassUnits;
}

void CheckPassExtent(const RenderPass& pass) {
    if (Beyond(pass.W, pass.pxX) || Beyond(pass.H, pass.pxY) || Beyond(pass.sheetLeft, pass.pxX) ||
        Beyond(pass.sheetTop, pass.pxY)) {
        // Told as asked: a size past any integer type is printed whole, not wrapped.
        char size[96];
        std::snprintf(size, sizeof size, "%.0f x %.0f", static_cast<double>(pass.W) * pass.pxX,
                      static_cast<double>(pass.H) * pass.pxY);
        throw Error("カレンダーが大きすぎて描けません（" + std::string(size) + " ピクセル）");
    }
}

void CheckBoxes(const RenderPass& pass) {
    for (const Box* box : {&pass.picture, &pass.calendar, &pass.adjacent}) {
        if (Beyond(box->L, pass.pxX) || Beyond(box->T, pass.pxY) ||
            Beyond(static_cast<double>(box->L) + box->W, pass.pxX) ||
            Beyond(static_cast<double>(box->T) + box->H, pass.pxY)) {
            throw Error("カレンダーの余白や挿絵の配置が大きすぎて描けません");
        }
    }
}

// The pass's scale and place, and the sheet's background on a sheet pass.
void BeginPass(RenderPass& pass) {
    const TData& design = pass.design;
    pass.pxX = F(pass.dpiX / 25.4);
    pass.pxY = F(pass.dpiY / 25.4);
    pass.W = F(Trunc(pass.widthMm * (pass.percent / 100.0)));
    pass.H = F(Trunc(pass.heightMm * (pass.percent / 100.0)));
    CheckPassExtent(pass);
    pass.OX = Trunc(static_cast<double>(pass.sheetLeft) * pass.pxX);
    pass.OY = Trunc(static_cast<double>(pass.sheetTop) * pass.pxY);
    pass.off = F(PictureMargin(design));
    pass.severalMonths = design.PluralEnabled != 0;
    pass.miniatures = design.PrevNextMonthEnabled != 0 && !pass.severalMonths;
    pass.daySize = design.DaySize >= 0 && design.DaySize <= 2 ? design.DaySize : 1;

    Canvas& canvas = pass.canvas;
    if (pass.kind == ckSheet) {
        pass.state.SheetPercent = pass.percent;
        canvas.SetBrushColor(design.CalenderBackColor);
        canvas.SetBrushStyle(BrushStyle::Solid);
        const int bleed = pass.state.Bleed;
        canvas.FillRect({pass.OX - bleed, pass.OY - bleed,
                         pass.OX + Trunc(static_cast<double>(pass.W) * pass.pxX) + bleed,
                         pass.OY + Trunc(static_cast<double>(pass.H) * pass.pxY) + bleed});
        canvas.SetFontColor(0x000000);
    }
    canvas.SetBrushStyle(BrushStyle::Clear);
}

void RunPass(RenderPass& pass) {
    const TData& design = pass.design;
    Canvas& canvas = pass.canvas;
    BeginPass(pass);
    DivideSheet(pass);
    if (pass.miniatures) CutAdjacentMonthsBox(pass);
    PlaceTitleBand(pass);
    CheckBoxes(pass);

    pass.colW = F(pass.calendar.W / 7.0);
    pass.unit = F(pass.calendar.H / 14.0);
    pass.cw = F(static_cast<double>(pass.colW) * pass.pxX);
    pass.rh = F(static_cast<double>(pass.unit) * pass.pxY);
    pass.state.MonthArea = {
        Trunc(pass.calendar.L), Trunc(static_cast<double>(pass.calendar.T) + pass.unit),
        Trunc(pass.calendar.W), Trunc(static_cast<double>(pass.calendar.H) - pass.unit)};

    DrawIllustration(pass);
    if (!pass.severalMonths && !(pass.kind != ckSheet && design.Week != 0)) {
        DrawWeekdayHeader(pass);
    }
    DrawTitle(pass);
    if (!pass.severalMonths) {
        DrawMonthGrid(pass);
        if (pass.miniatures) DrawAdjacentMonths(pass);
    }
    canvas.SetPenWidth(1);
    if (design.Frame != 0) DrawCutFrame(pass);
}

// The cover: the picture filling the sheet within its margin above a band of a fifth of the
// sheet, and the title as large as the band takes it, centred there.
void RunCoverPass(RenderPass& pass, const std::string& title) {
    const TData& design = pass.design;
    Canvas& canvas = pass.canvas;
    BeginPass(pass);
    const float band = F(pass.H / 5.0);
    pass.picture = {pass.off, pass.off, F(pass.W - 2.0 * pass.off), F(pass.H - band - pass.off)};
    pass.calendar = {0, F(pass.H - band), pass.W, band};
    CheckBoxes(pass);
    DrawIllustration(pass);

    const int ppi = canvas.FontPpi();
    const double bandPx = static_cast<double>(band) * pass.pxY;
    const double widthPx = static_cast<double>(pass.W) * pass.pxX;
    int size = Trunc(bandPx * 0.6 * 72 / ppi);
    SelectFont(canvas, design.YearFont, size, design.YearFontB, design.YearFontI);
    TextSize extent = canvas.TextExtent(title);
    if (extent.Width > widthPx * 0.9 && extent.Width > 0) {
        size = Trunc(size * widthPx * 0.9 / extent.Width);
        SelectFont(canvas, design.YearFont, size, design.YearFontB, design.YearFontI);
        extent = canvas.TextExtent(title);
    }
    canvas.SetFontColor(design.StyleBackColor);
    const double top = static_cast<double>(pass.calendar.T) * pass.pxY;
    canvas.TextOut(Trunc(pass.OX + (widthPx - extent.Width) / 2),
                   Trunc(pass.OY + top + (bandPx - extent.Height) / 2), title);
    canvas.SetPenWidth(1);
    if (design.Frame != 0) DrawCutFrame(pass);
}

// Runs a pass; a failure is reported and drops the picture cache.
template <typename Pass>
bool Guarded(RenderState& state, MessageSink& sink, Pass&& run) {
    std::string failure;
    try {
        run();
        return true;
    } catch (const std::exception& e) {
        failure = e.what();
    } catch (...) {
        failure = "unknown error";
    }
    // The next pass that needs the picture decodes it again.
    state.PictureBitmap.reset();
    state.PictureChanged = true;
    sink.Report(MessageKind::Error, WithHeading("描画ｴﾗｰ", failure));
    return false;
}

}  // namespace

const std::string& CalendarPictureFile(const TData& design) {
    const std::string& own = design.MonthPicture[design.Month];
    return own.empty() ? design.PictureFile : own;
}

namespace {

// A pass placed as DrawCalendar places it, run by `run` under the guard.
template <typename Run>
bool PlacedPass(RenderState& state, MessageSink& sink, Canvas& canvas, int dpiX, int dpiY,
                int percent, TCalendarKind kind, int left, int top, int width, int height,
                const TData& design, Run&& run) {
    if (state.Loading) return false;
    RenderPass pass(state, sink, canvas, design);
    pass.dpiX = dpiX;
    pass.dpiY = dpiY;
    pass.percent = percent;
    pass.kind = kind;
    pass.sheetLeft = left;
    pass.sheetTop = top;
    pass.widthMm = width;
    pass.heightMm = height;
    return Guarded(state, sink, [&] { run(pass); });
}

}  // namespace

bool DrawCalendar(RenderState& state, MessageSink& sink, Canvas& canvas, int DpiX, int DpiY,
                  int Percent, TCalendarKind Kind, int Left, int Top, int Width, int Height,
                  const TData& Design) {
    return PlacedPass(state, sink, canvas, DpiX, DpiY, Percent, Kind, Left, Top, Width, Height,
                      Design, [](RenderPass& pass) { RunPass(pass); });
}

bool DrawCover(RenderState& state, MessageSink& sink, Canvas& canvas, int DpiX, int DpiY,
               int Percent, int Left, int Top, int Width, int Height, const TData& Design,
               const std::string& title) {
    return PlacedPass(state, sink, canvas, DpiX, DpiY, Percent, ckSheet, Left, Top, Width, Height,
                      Design, [&title](RenderPass& pass) { RunCoverPass(pass, title); });
}

}  // namespace orv
