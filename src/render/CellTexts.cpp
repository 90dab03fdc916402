#include "render/CellTexts.h"

#include <cmath>
#include <vector>

#include "model/VB.h"
#include "render/CellLayout.h"

namespace orv {

namespace {

const char* const kPilcrow = "¶";

std::vector<CellLine> CollectLines(const RenderPass& pass, const DayCell& cell) {
    const TData& design = pass.design;
    std::vector<CellLine> lines;
    const auto add = [&lines](const std::string& joined, CanvasColor color, LineKind kind) {
        for (std::string& part : Split(joined, kPilcrow, false)) {
            lines.push_back({std::move(part), color, kind});
        }
    };
    if (design.Rokuyo != 0) {
        for (std::string& part :
             Split(pass.state.RokuyoList.NamesOnDate(cell.date), kPilcrow, false)) {
            const CanvasColor color = part == "大安" ? design.RokuyoColor2 : design.RokuyoColor1;
            lines.push_back({std::move(part), color, LineKind::Rokuyo});
        }
    }
    if (design.OldDate != 0) {
        const std::string oldDate = pass.state.Almanac.OldDateOn(cell.date);
        if (!oldDate.empty()) {
            lines.push_back({"旧" + oldDate, design.OldDateColor, LineKind::OldDate});
        }
    }
    if (design.Nijusisekki != 0) {
        add(pass.state.SolarTermList.NamesOnDate(cell.date), design.NijusisekkiColor,
            LineKind::SolarTerm);
    }
    if (design.Zassetsu != 0) {
        add(pass.state.Almanac.SeasonalDaysOn(cell.date), design.ZassetsuColor, LineKind::Zassetsu);
    }
    if (design.Holiday != 0 && !cell.holiday.empty()) {
        // Short names are padded with full-width spaces to four characters, so that names line
        // up the same whatever their length.
        std::string name = cell.holiday;
        if (Len(name) < 4) name = Left(name + "　　　　", 4);
        lines.push_back({std::move(name), design.HolidayColor, LineKind::Holiday});
    }
    if (cell.memorial != nullptr) {
        const CanvasColor color = cell.memorial->FontColor != -1 ? cell.memorial->FontColor
                                  : cell.holiday.empty()         ? design.WeekdayColor
                                                                 : design.HolidayColor;
        add(cell.memorial->Name, color, LineKind::Memorial);
    }
    return lines;
}

int BaseSize(int daySize, int numberSize) {
    if (daySize == 0) return Trunc(numberSize / 1.5);
    if (daySize == 2) return numberSize / 5;
    return numberSize / 3;
}

int LineSize(int holidaySize, int base) {
    switch (holidaySize) {
        case 0:
            return Trunc(base * 0.5);
        case 1:
            return Trunc(base * 0.75);
        case 3:
            return Trunc(base * 1.5);
        case 4:
            return base * 2;
        default:
            return base;
    }
}

// The least size at which a line stays legible on paper, about 5 points, in the canvas's points
// (a surface whose font resolution is not its own turns them into another size on paper) and at
// the zoom the sheet is drawn at, so that the preview keeps and leaves out what the print does.
int LeastLegibleSize(const RenderPass& pass) {
    constexpr double kLeastPaperPoints = 5.0;
    const int ppi = pass.canvas.FontPpi();
    if (ppi <= 0 || pass.dpiY <= 0) return 1;
    const double points =
        kLeastPaperPoints * pass.state.SheetPercent / 100.0 * pass.dpiY / static_cast<double>(ppi);
    return std::max(1, Trunc(std::ceil(points)));
}

}  // namespace

void DrawDayContents(RenderPass& pass, const DayCell& cell) {
    const TData& design = pass.design;
    Canvas& canvas = pass.canvas;
    const int position =
        design.DayPosition >= 0 && design.DayPosition <= 4 ? design.DayPosition : 0;
    const bool carriesTexts = pass.kind != ckAdjacentMonth;

    CellLayoutInput in;
    in.cell = cell.rect;
    in.frameWidth = design.DayWaku != 0 ? LinePenWidth(design) : 0;
    in.dayPosition = position;
    in.beside = design.HolidayPosition == 0;
    in.numberX = cell.numberX;
    in.numberY = cell.numberY;
    in.number = cell.extent;
    in.extent88 = cell.extent88;
    in.numberPoints = cell.numberSize;
    in.pad = Trunc(cell.pad);
    in.pad2 = Trunc(cell.pad2);
    const int ppi = canvas.FontPpi();
    int phase = -1;
    if (carriesTexts) {
        in.lines = CollectLines(pass, cell);
        in.face = design.HolidayFont;
        in.bold = design.HolidayFontB != 0;
        in.italic = design.HolidayFontI != 0;
        // A neighbouring month's day has the month's own text size beside its smaller number.
        in.startPoints = LineSize(design.HolidaySize, BaseSize(pass.daySize, cell.monthSize));
        in.leastPoints = LeastLegibleSize(pass);
        in.markColor = design.WeekdayColor;
        if (design.MoonPhase != 0) phase = pass.state.Almanac.MoonPhaseOn(cell.date);
        if (phase >= 0) {
            // Half the number's em: about the height of its digits' bowls.
            const int em = Trunc(static_cast<double>(cell.numberSize) * ppi / 72.0);
            in.moonSize = std::max(3, em / 2);
            in.leastMoonSize =
                std::max(3, Trunc(static_cast<double>(in.leastPoints) * ppi / 72.0 * 0.75));
        }
    }
    // The number's font is the canvas's now; the layout measures in the lines' font.
    const CellLayout layout = LayOutCell(canvas, in);
    canvas.SetFontName(design.DayFont);
    canvas.SetFontStyle(design.DayFontB != 0, design.DayFontI != 0);
    canvas.SetFontSize(cell.numberSize);
    canvas.TextOut(layout.number.Left, layout.number.Top, cell.number);

    if (!layout.lines.empty()) {
        SelectFont(canvas, design.HolidayFont, layout.lines.front().points, design.HolidayFontB,
                   design.HolidayFontI);
        for (const PlacedLine& line : layout.lines) {
            canvas.SetFontSize(line.points);
            canvas.SetFontColor(line.color);
            canvas.TextOut(line.box.Left, line.box.Top, line.text);
        }
    }
    if (layout.moon) DrawMoonSymbol(pass, *layout.moon, phase);
}

}  // namespace orv
