#include "CellTexts.h"

#include <vector>

#include "VB.h"

namespace orv {

namespace {

const char* const kPilcrow = "¶";

struct TextLine {
    std::string text;
    CanvasColor color;
};

std::vector<TextLine> CollectLines(const RenderPass& pass, const DayCell& cell) {
    const TData& design = pass.design;
    std::vector<TextLine> lines;
    if (design.Rokuyo != 0) {
        for (std::string& part :
             Split(pass.state.RokuyoList.NamesOnDate(cell.date), kPilcrow, false)) {
            const CanvasColor color = part == "大安" ? design.RokuyoColor2 : design.RokuyoColor1;
            lines.push_back({std::move(part), color});
        }
    }
    if (design.OldDate != 0) {
        const std::string oldDate = pass.state.Almanac.OldDateOn(cell.date);
        if (!oldDate.empty()) lines.push_back({"旧" + oldDate, design.OldDateColor});
    }
    if (design.Nijusisekki != 0) {
        for (std::string& part :
             Split(pass.state.SolarTermList.NamesOnDate(cell.date), kPilcrow, false)) {
            lines.push_back({std::move(part), design.NijusisekkiColor});
        }
    }
    if (design.Zassetsu != 0) {
        for (std::string& part :
             Split(pass.state.Almanac.SeasonalDaysOn(cell.date), kPilcrow, false)) {
            lines.push_back({std::move(part), design.ZassetsuColor});
        }
    }
    if (design.Holiday != 0 && !cell.holiday.empty()) {
        // Short names are padded with full-width spaces to four characters, so that names line
        // up the same whatever their length.
        std::string name = cell.holiday;
        if (Len(name) < 4) name = Left(name + "　　　　", 4);
        lines.push_back({std::move(name), design.HolidayColor});
    }
    if (cell.memorial != nullptr) {
        const CanvasColor color = cell.memorial->FontColor != -1 ? cell.memorial->FontColor
                                  : cell.holiday.empty()         ? design.WeekdayColor
                                                                 : design.HolidayColor;
        for (std::string& part : Split(cell.memorial->Name, kPilcrow, false)) {
            lines.push_back({std::move(part), color});
        }
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

// Above this many points text grows with its size; the fitting searches there instead of stepping
// down one point at a time, which from an edited file's enormous cell would take billions of
// measurements.
constexpr int kStepBelow = 1024;

// Sets the largest font size from `size` down at which `text` fits `available` pixels (1 when none
// does) and returns it, with the text's extent at that size.
int FitFontSize(Canvas& canvas, const std::string& text, int size, int available,
                TextSize& extent) {
    const auto measure = [&](int points) {
        canvas.SetFontSize(points);
        extent = canvas.TextExtent(text);
        return available >= extent.Width;
    };
    extent = canvas.TextExtent(text);
    if (available >= extent.Width || size <= 1) return size;
    if (available < 0) {
        measure(1);  // no text is narrower than nothing
        return 1;
    }
    if (size > kStepBelow) {
        if (measure(kStepBelow)) {
            int fits = kStepBelow;
            int tooWide = size;
            while (tooWide - fits > 1) {
                const int middle = fits + (tooWide - fits) / 2;
                (measure(middle) ? fits : tooWide) = middle;
            }
            measure(fits);
            return fits;
        }
        size = kStepBelow;
    }
    while (available < extent.Width && size > 1) measure(--size);
    return size;
}

}  // namespace

std::vector<Rect> DrawCellTexts(RenderPass& pass, const DayCell& cell) {
    const std::vector<TextLine> lines = CollectLines(pass, cell);
    std::vector<Rect> drawn;
    if (lines.empty()) return drawn;
    const TData& design = pass.design;
    Canvas& canvas = pass.canvas;
    const Rect& r = cell.rect;
    const int pad = Trunc(cell.pad);
    const int pad2 = Trunc(cell.pad2);
    const int w88 = cell.extent88.Width;
    const int h88 = cell.extent88.Height;
    const bool beside = design.HolidayPosition == 0;
    const int position =
        design.DayPosition >= 0 && design.DayPosition <= 4 ? design.DayPosition : 0;

    int available = 0;
    if (position == 2) {
        available = (r.Right - r.Left) - 2 * pad;
    } else if (beside) {
        available = (r.Right - r.Left) - w88 - 2 * pad;  // room beside a two-digit number
    } else {
        available = (r.Right - r.Left) - pad;
    }
    const int startSize = LineSize(design.HolidaySize, BaseSize(pass.daySize, cell.numberSize));

    float acc = 0;
    for (const TextLine& line : lines) {
        SelectFont(canvas, design.HolidayFont, startSize, design.HolidayFontB, design.HolidayFontI);
        canvas.SetFontColor(line.color);
        TextSize extent;
        FitFontSize(canvas, line.text, startSize, available, extent);
        const int tw = extent.Width;
        const int th = extent.Height;
        const int a = Trunc(acc);
        const int below = cell.dayY + h88 + pad2 + a;
        int x = 0;
        int y = 0;
        if (position == 2) {
            x = r.Left + (r.Right - r.Left - tw) / 2;
            y = below;
        } else if (beside) {
            const bool right = position == 1 || position == 4;
            const bool bottom = position == 3 || position == 4;
            x = right ? r.Right - w88 - tw - 2 * pad : r.Left + w88 + 2 * pad;
            y = bottom ? r.Bottom - th - pad - a : r.Top + pad + a;
        } else {
            const bool right = position == 1 || position == 4;
            const bool bottom = position == 3 || position == 4;
            x = right ? r.Right - tw - pad : r.Left + pad;
            // The number's height is stood for by its point size, taken as pixels.
            y = bottom ? r.Bottom - cell.numberSize - th - 2 * pad - a : below;
        }
        canvas.TextOut(x, y, line.text);
        drawn.push_back(
            {x, y, Trunc(static_cast<double>(x) + tw), Trunc(static_cast<double>(y) + th)});
        acc = F(acc + static_cast<double>(th));
    }
    return drawn;
}

}  // namespace orv
