// The miniature previous/next months: their box beside the picture or the dates, and their passes.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "render/RenderPass.h"

namespace orv {

namespace {

int MiniatureCount(const TData& design) {
    return design.View == 1 ? 1 : 2;
}

std::vector<int> MonthOffsets(const TData& design) {
    switch (design.View) {
        case 1:
            return {1};
        case 2:
            return {1, 2};
        default:
            return {-1, 1};
    }
}

bool InARow(const TData& design) {
    return design.Position2 == 0 || design.Position2 == 1;
}

// Lines the miniatures up along the side they sit on, inside `room` (the box they were cut from,
// as it now stands). `edgeGap` is what right or bottom alignment adds.
void AlignAlongSide(RenderPass& pass, const Box& room, double edgeGap) {
    const TData& design = pass.design;
    const int n = MiniatureCount(design);
    const double off = pass.off;
    Box& a = pass.adjacent;
    if (InARow(design)) {
        const double total = n * static_cast<double>(a.W) + off;
        if (design.PNMonthAlign == 1) a.L = F(a.L + (room.W - total) / 2);
        if (design.PNMonthAlign == 2) a.L = F(a.L + room.W - total + edgeGap);
        if (design.PNMonthAlign == 3) a.W = F(room.W / static_cast<double>(n));
    } else {
        const double total = n * static_cast<double>(a.H) + off;
        if (design.PNMonthAlign == 1) a.T = F(a.T + (room.H - total) / 2);
        if (design.PNMonthAlign == 2) a.T = F(a.T + room.H - total + edgeGap);
        if (design.PNMonthAlign == 3) a.H = F(room.H / static_cast<double>(n));
    }
}

void CutFromPicture(RenderPass& pass) {
    const TData& design = pass.design;
    const double share = design.PrevNextMonthSize / 100.0;
    const double halfOff = pass.off / 2.0;
    Box& p = pass.picture;
    Box& a = pass.adjacent;
    a.W = F(share * p.W);
    a.H = F(share * p.H);
    switch (design.Position2) {
        case 0:
            a.L = p.L;
            a.T = p.T;
            p.T = F(p.T + a.H);
            p.H = F(p.H - a.H);
            break;
        case 1:
            a.L = p.L;
            a.T = F(p.T + p.H - a.H + halfOff);
            p.H = F(p.H - a.H);
            break;
        case 2:
            a.L = p.L;
            a.T = p.T;
            p.L = F(p.L + a.W + halfOff);
            p.W = F(p.W - a.W - halfOff);
            break;
        default:
            a.L = F(p.L + p.W - a.W + halfOff);
            a.T = p.T;
            p.W = F(p.W - a.W);
            break;
    }
    AlignAlongSide(pass, p, halfOff);
}

void CutFromDates(RenderPass& pass) {
    const TData& design = pass.design;
    const double share = design.PrevNextMonthSize / 100.0;
    const double off = pass.off;
    const double u = pass.unit;
    Box& c = pass.calendar;
    Box& a = pass.adjacent;
    a.W = F(share * c.W);
    a.H = F(share * c.H);
    switch (design.Position2) {
        case 0:
            a.L = c.L;
            a.T = F(c.T + u);
            if (design.YearPosition == 0 || design.YearPosition == 2) a.T = F(a.T + off / 2);
            c.T = F(c.T + u / 2 + a.H);
            c.H = F(c.H - u / 2 - a.H);
            break;
        case 1:
            a.L = c.L;
            a.T = F(c.T + c.H + u / 2 - a.H);
            c.H = F(c.H - a.H);
            break;
        case 2:
            a.L = c.L;
            a.T = F(c.T + u);
            c.L = F(c.L + a.W + off);
            c.W = F(c.W - a.W - off);
            break;
        default:
            a.L = F(c.L + c.W - a.W + off);
            a.T = F(c.T + u);
            c.W = F(c.W - a.W);
            break;
    }
    AlignAlongSide(pass, c, 0.0);
}

}  // namespace

void CutAdjacentMonthsBox(RenderPass& pass) {
    const TData& design = pass.design;
    // A side or anchor the window cannot show (a file without those keys) places no miniatures.
    if (design.Position2 < 0 || design.Position2 > 3) return;
    if (design.Position1 == 0) {
        CutFromPicture(pass);
    } else if (design.Position1 == 1) {
        CutFromDates(pass);
    } else {
        return;
    }
    pass.hasAdjacentBox = true;
}

void DrawAdjacentMonths(RenderPass& pass) {
    if (!pass.hasAdjacentBox) return;
    const TData& design = pass.design;
    TData mini;
    mini.CopyFrom(design);
    mini.Frame = 0;
    mini.PictureOffset = 0;
    mini.PictureFile.clear();
    mini.MonthPicture = {};
    mini.PictureSize = 0;
    mini.PrevNextMonthEnabled = 0;
    mini.PluralEnabled = 0;
    mini.WeekSize = 2;
    mini.DayPosition = 2;
    mini.DaySize = 2;
    mini.DayWaku = 0;
    mini.WeekFrame = 0;
    mini.PrevNextDays = 0;
    mini.Week = design.Week;

    const Box& a = pass.adjacent;
    const int off = PictureMargin(design);
    const int w = Trunc(a.W);
    const int h = Trunc(a.H);
    int k = 0;
    for (const int offset : MonthOffsets(design)) {
        const CivilDate month = AddMonths(design.Year, design.Month, offset);
        mini.Year = month.Year;
        mini.Month = month.Month;
        int64_t x = Trunc(a.L);
        int64_t y = Trunc(a.T);
        if (InARow(design)) {
            x += int64_t{off + w} * k;
        } else {
            y += int64_t{off + h} * k;
        }
        // Lined up to fill their side, the last one ends a margin past it, which at the sheet's
        // edge would cut its last week off: each is kept on the sheet.
        const int64_t sheetW = Trunc(pass.W);
        const int64_t sheetH = Trunc(pass.H);
        const int64_t left = std::clamp<int64_t>(x, 0, sheetW);
        const int64_t top = std::clamp<int64_t>(y, 0, sheetH);
        const int64_t width = std::min<int64_t>(x + w, sheetW) - left;
        const int64_t height = std::min<int64_t>(y + h, sheetH) - top;
        if (width > 0 && height > 0) {
            DrawCalendar(pass.state, pass.sink, pass.canvas, pass.dpiX, pass.dpiY, 100,
                         ckAdjacentMonth, static_cast<int>(left + pass.sheetLeft),
                         static_cast<int>(top + pass.sheetTop), static_cast<int>(width),
                         static_cast<int>(height), mini);
        }
        ++k;
    }
}

}  // namespace orv
