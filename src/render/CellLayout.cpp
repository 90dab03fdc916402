#include "render/CellLayout.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <numeric>

#include "model/Utf8.h"

namespace orv {

namespace {

const char* const kMark = "…";

// A box from a corner and an extent, held inside int whatever an edited file's sizes are.
Rect BoxAt(int64_t x, int64_t y, int64_t width, int64_t height) {
    const auto clamp = [](int64_t v) {
        return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
    };
    return {clamp(x), clamp(y), clamp(x + width), clamp(y + height)};
}

bool Inside(const Rect& a, const Rect& box) {
    return a.Left >= box.Left && a.Top >= box.Top && a.Right <= box.Right && a.Bottom <= box.Bottom;
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// Above this many points text grows with its size; the fitting searches there instead of stepping
// down one point at a time, which from an edited file's enormous cell would take billions of
// measurements.
constexpr int kStepBelow = 1024;

// Sets the largest font size from `size` down at which `text` fits `available` pixels (1 when none
// does) and returns it, with the text's extent at that size. The canvas is at `size` on entry.
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

bool AtRight(int position) {
    return position == 1 || position == 4;
}
bool AtBottom(int position) {
    return position == 3 || position == 4;
}

// The lines as the grid has always set them: each on its own, shrunk point by point to the room
// beside or below the number. Nothing when one of them would not be whole and legible there.
std::optional<std::vector<PlacedLine>> AsAlwaysPlaced(Canvas& canvas, const CellLayoutInput& in,
                                                      const Rect& number, const Rect& content) {
    const Rect& r = in.cell;
    const int pad = in.pad;
    const int w88 = in.extent88.Width;
    const int h88 = in.extent88.Height;
    const int position = in.dayPosition;
    const int64_t width = int64_t{r.Right} - r.Left;
    int64_t room = width - pad;
    if (position == 2) {
        room = width - 2 * int64_t{pad};
    } else if (in.beside) {
        room = width - w88 - 2 * int64_t{pad};  // room beside a two-digit number
    }
    const int available = static_cast<int>(std::clamp<int64_t>(room, INT_MIN, INT_MAX));
    const int least = std::min(in.leastPoints, in.startPoints);
    const bool right = AtRight(position);
    const bool bottom = AtBottom(position);

    std::vector<PlacedLine> placed;
    int64_t acc = 0;
    for (const CellLine& line : in.lines) {
        canvas.SetFontSize(in.startPoints);
        TextSize extent;
        const int points = FitFontSize(canvas, line.text, in.startPoints, available, extent);
        const int64_t tw = extent.Width;
        const int64_t th = extent.Height;
        const int64_t below = int64_t{number.Top} + h88 + in.pad2 + acc;
        int64_t x = 0;
        int64_t y = 0;
        if (position == 2) {
            x = r.Left + (width - tw) / 2;
            y = below;
        } else if (in.beside) {
            x = right ? r.Right - w88 - tw - 2 * int64_t{pad} : r.Left + w88 + 2 * int64_t{pad};
            y = bottom ? r.Bottom - th - pad - acc : r.Top + pad + acc;
        } else {
            x = right ? r.Right - tw - pad : r.Left + pad;
            // The number's height is stood for by its point size, taken as pixels.
            y = bottom ? r.Bottom - int64_t{in.numberPoints} - th - 2 * int64_t{pad} - acc : below;
        }
        const Rect box = BoxAt(x, y, tw, th);
        if (points < least || !Inside(box, content) || Overlap(box, number)) return std::nullopt;
        placed.push_back({line.text, line.color, points, box});
        acc += th;
    }
    return placed;
}

// Fits the lines of one day together where they do not fit as always placed. Works in a frame in
// which the number sits at the top (a number at the bottom is mirrored), so that the lines run
// away from the number in every layout.
class Fitter {
  public:
    Fitter(Canvas& canvas, const CellLayoutInput& in, const Rect& content, const Rect& number)
        : canvas_(canvas), in_(in) {
        // As the grid places lines: a pad from the cell's edges on the number's sides, up to its
        // frame on the others, so that a day just too full shrinks by a point, not by its pads.
        const Rect& r = in.cell;
        const bool centre = in.dayPosition == 2;
        const bool right = AtRight(in.dayPosition);
        bottom_ = AtBottom(in.dayPosition);
        area_ = content;
        if (centre || !right) area_.Left = std::max(content.Left, r.Left + in.pad);
        if (centre || right) area_.Right = std::min(content.Right, r.Right - in.pad);
        if (!centre && !bottom_) area_.Top = std::max(content.Top, r.Top + in.pad);
        if (!centre && bottom_) area_.Bottom = std::min(content.Bottom, r.Bottom - in.pad);
        if (area_.Right < area_.Left) area_.Right = area_.Left;
        if (area_.Bottom < area_.Top) area_.Bottom = area_.Top;
        flip_ = int64_t{area_.Top} + area_.Bottom;
        number_ = Canonical(number);
        align_ = in.dayPosition == 2       ? Align::Centre
                 : AtRight(in.dayPosition) ? Align::Right
                                           : Align::Left;
        for (const CellLine& line : in.lines) {
            std::string text = line.text;
            // The padding that lines short holiday names up has no use once lines are fitted.
            while (text.size() > 3 && text.ends_with("　")) text.resize(text.size() - 3);
            texts_.push_back(std::move(text));
            wrappable_.push_back(line.kind == LineKind::Holiday || line.kind == LineKind::Memorial);
        }
        texts_.push_back(kMark);
        wrappable_.push_back(false);
        PlanRegions(number);
    }

    CellLayout Fit() {
        CellLayout layout;
        std::vector<int> all(in_.lines.size());
        std::iota(all.begin(), all.end(), 0);
        const int start = std::max(1, in_.startPoints);
        const int least = std::clamp(in_.leastPoints, 1, start);
        const int tiers = static_cast<int>(tiers_.size());
        for (int tier = 0; tier < tiers; ++tier) {
            // One line to a row as the grid sets them, unless side by side they are clearly
            // larger.
            int stacked = 0;
            if (Largest(all, least, start, false, tier, layout.lines, stacked)) {
                const int better = stacked + std::max(1, stacked / 5);
                std::vector<PlacedLine> side;
                int packed = 0;
                if (better <= start && Largest(all, better, start, true, tier, side, packed)) {
                    layout.lines = std::move(side);
                }
                return layout;
            }
            int packed = 0;
            if (Largest(all, least, start, true, tier, layout.lines, packed)) return layout;
        }
        // Left out from the least important, the later part of a kind first.
        std::vector<int> order = all;
        std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
            const auto rank = [this](int i) { return static_cast<int>(in_.lines[i].kind); };
            return rank(a) > rank(b) || (rank(a) == rank(b) && a > b);
        });
        layout.shortened = true;
        std::vector<int> kept = all;
        for (const int dropped : order) {
            kept.erase(std::find(kept.begin(), kept.end(), dropped));
            std::vector<int> shown = kept;
            shown.push_back(static_cast<int>(in_.lines.size()));  // the mark
            if (TryAt(least, shown, true, tiers - 1, layout.lines)) return layout;
        }
        // The mark alone, being no text to read, may be smaller still.
        const std::vector<int> mark{static_cast<int>(in_.lines.size())};
        for (int points = least - 1; points >= std::max(1, least / 3); --points) {
            if (TryAt(points, mark, true, tiers - 1, layout.lines)) return layout;
        }
        layout.lines.clear();
        return layout;
    }

  private:
    enum class Align { Left, Right, Centre };

    struct Measured {
        int points = 0;
        int height = 0;
        std::vector<int> widths;
    };
    struct Item {
        int line = 0;
        std::string text;
        int width = 0;
    };
    struct Segment {
        Rect box;
        bool asNeeded = false;  // reaches towards the number: rows taken from its far end
    };
    using Tier = std::vector<Segment>;
    struct Row {
        int x0 = 0;
        int x1 = 0;
        int64_t y = 0;  // top, in the frame with the number at the top
        int used = 0;
        std::vector<Item> items;
    };

    int64_t Canonical(int64_t y) const { return bottom_ ? flip_ - y : y; }
    Rect Canonical(const Rect& r) const {
        if (!bottom_) return r;
        return BoxAt(r.Left, flip_ - r.Bottom, int64_t{r.Right} - r.Left,
                     int64_t{r.Bottom} - r.Top);
    }

    // The room the lines take, in the frame with the number at the top, in tiers tried one
    // after the other: first where the grid puts them (below the number, or in the column beside
    // it), then with more room (the band beside the number, the room below the number's column,
    // above and beside a centred number). A tier's segments are filled in order; of a segment
    // that reaches towards the number, only as many rows as needed, those nearest the next.
    void PlanRegions(const Rect& realNumber) {
        const Rect& r = in_.cell;
        const Rect& n = number_;
        const int64_t w88 = in_.extent88.Width;
        const int64_t pad = in_.pad;
        const bool right = AtRight(in_.dayPosition);
        const int64_t beside =
            right ? std::clamp<int64_t>(
                        std::min<int64_t>(r.Right - w88 - 2 * pad, realNumber.Left - pad),
                        area_.Left, area_.Right)
                  : std::clamp<int64_t>(
                        std::max<int64_t>(r.Left + w88 + 2 * pad, realNumber.Right + pad),
                        area_.Left, area_.Right);
        const int64_t belowTop = int64_t{n.Bottom} + in_.pad2;
        const auto region = [](int64_t l, int64_t t, int64_t rr, int64_t b) {
            return BoxAt(l, t, std::max<int64_t>(0, rr - l), std::max<int64_t>(0, b - t));
        };
        const auto column = [&](int64_t top, int64_t bottom) {
            return right ? region(area_.Left, top, beside, bottom)
                         : region(beside, top, area_.Right, bottom);
        };
        const Rect below = region(area_.Left, belowTop, area_.Right, area_.Bottom);
        if (in_.dayPosition == 2) {
            const Rect above =
                region(area_.Left, area_.Top, area_.Right, int64_t{n.Top} - in_.pad2);
            tiers_ = {{{below, false}},
                      {{above, true}, {below, false}},
                      {{above, false},
                       {region(int64_t{n.Right} + pad, n.Top, area_.Right, n.Bottom), false},
                       {region(area_.Left, n.Top, int64_t{n.Left} - pad, n.Bottom), false},
                       {below, false}}};
        } else if (in_.beside) {
            tiers_ = {{{column(area_.Top, area_.Bottom), false}},
                      {{column(area_.Top, belowTop), false}, {below, false}}};
        } else {
            tiers_ = {{{below, false}}, {{column(area_.Top, n.Bottom), true}, {below, false}}};
        }
    }

    const Measured& At(int points) {
        for (const Measured& m : measured_) {
            if (m.points == points) return m;
        }
        canvas_.SetFontSize(points);
        Measured m;
        m.points = points;
        m.height = std::max(1, canvas_.TextExtent("").Height);
        for (const std::string& text : texts_) m.widths.push_back(canvas_.TextExtent(text).Width);
        measured_.push_back(std::move(m));
        return measured_.back();
    }

    int64_t RowsIn(const Rect& region, int height) const {
        return (int64_t{region.Bottom} - region.Top) / height;
    }

    // The rows of `height` of a tier, `nearRows` of its segment that reaches towards the number;
    // never more than the lines could use.
    std::vector<Row> Rows(const Tier& tier, int height, int64_t nearRows, int64_t most) const {
        std::vector<Row> rows;
        for (const Segment& segment : tier) {
            const Rect& box = segment.box;
            const int64_t count = std::min(segment.asNeeded ? nearRows : RowsIn(box, height), most);
            const int64_t top = segment.asNeeded ? int64_t{box.Bottom} - count * height : box.Top;
            for (int64_t i = 0; i < count; ++i) {
                rows.push_back({box.Left, box.Right, top + i * height, 0, {}});
            }
        }
        return rows;
    }

    // The bytes of the longest piece from the start of `text` (from its end with `fromEnd`) that
    // fits `room` at the canvas's size; 0 where none does. No piece of a name, the rest included,
    // is a single character.
    size_t PieceFitting(const std::string& text, int room, bool fromEnd) {
        std::vector<size_t> starts;
        for (size_t at = 0; at < text.size(); at += Utf8CharLength(text, at)) starts.push_back(at);
        const size_t length = starts.size();
        if (length < 4) return 0;
        const auto bytes = [&](size_t characters) {
            return fromEnd ? text.size() - starts[length - characters]
                           : (characters == length ? text.size() : starts[characters]);
        };
        const auto fits = [&](size_t characters) {
            const size_t n = bytes(characters);
            return canvas_.TextExtent(fromEnd ? text.substr(text.size() - n) : text.substr(0, n))
                       .Width <= room;
        };
        size_t fitting = 0;  // characters
        size_t tooMany = length;
        while (tooMany - fitting > 1) {
            const size_t middle = fitting + (tooMany - fitting) / 2;
            (fits(middle) ? fitting : tooMany) = middle;
        }
        fitting = std::min(fitting, length - 2);
        return fitting < 2 ? 0 : bytes(fitting);
    }

    // Puts the lines into the rows in order: one to a row, or side by side where `packed`; a
    // name too long for an empty row is broken between characters.
    bool Fill(std::vector<Row>& rows, const std::vector<int>& lines, const Measured& m,
              bool packed) {
        const int gap = packed ? std::max(1, m.height / 3) : 0;
        canvas_.SetFontSize(m.points);  // for the broken names' parts
        size_t r = 0;
        for (const int line : lines) {
            std::string text = texts_[line];
            int width = m.widths[line];
            bool broken = false;
            for (;;) {
                if (r >= rows.size()) return false;
                Row& row = rows[r];
                const int64_t room = int64_t{row.x1} - row.x0;
                if (row.used > 0) {
                    if (packed && int64_t{row.used} + gap + width <= room) {
                        row.used += gap + width;
                        row.items.push_back({line, std::move(text), width});
                        break;
                    }
                    ++r;
                    continue;
                }
                if (width <= room) {
                    row.used = width;
                    row.items.push_back({line, std::move(text), width});
                    // Nothing shares the last row of a broken name, which then reads as one.
                    if (!packed || broken) ++r;
                    break;
                }
                // Rows run away from the number: at the bottom, upwards, so that a name broken
                // over them is cut from its end to read from top to bottom.
                const size_t cut = wrappable_[line] && room > 0
                                       ? PieceFitting(text, static_cast<int>(room), bottom_)
                                       : 0;
                if (cut > 0) {
                    std::string piece =
                        bottom_ ? text.substr(text.size() - cut) : text.substr(0, cut);
                    const int pieceWidth = canvas_.TextExtent(piece).Width;
                    row.used = pieceWidth;
                    row.items.push_back({line, std::move(piece), pieceWidth});
                    if (bottom_) {
                        text.resize(text.size() - cut);
                    } else {
                        text.erase(0, cut);
                    }
                    width = canvas_.TextExtent(text).Width;
                    broken = true;
                }
                ++r;
            }
        }
        return true;
    }

    std::vector<PlacedLine> Placed(const std::vector<Row>& rows, const Measured& m,
                                   bool packed) const {
        const int gap = packed ? std::max(1, m.height / 3) : 0;
        std::vector<PlacedLine> placed;
        for (const Row& row : rows) {
            if (row.items.empty()) continue;
            int64_t x = row.x0;
            if (align_ == Align::Right) x = int64_t{row.x1} - row.used;
            if (align_ == Align::Centre) x = row.x0 + (int64_t{row.x1} - row.x0 - row.used) / 2;
            const int64_t top = bottom_ ? flip_ - row.y - m.height : row.y;
            for (const Item& item : row.items) {
                const bool mark = item.line == static_cast<int>(in_.lines.size());
                placed.push_back({item.text, mark ? in_.markColor : in_.lines[item.line].color,
                                  m.points, BoxAt(x, top, item.width, m.height)});
                x += item.width + gap;
            }
        }
        return placed;
    }

    bool TryAt(int points, const std::vector<int>& lines, bool packed, int tier,
               std::vector<PlacedLine>& out) {
        const Measured& m = At(points);
        int64_t most = 1;  // rows the lines could use at most: a row per character
        for (const int line : lines) most += static_cast<int64_t>(texts_[line].size()) + 1;
        int64_t nearRows = 0;
        for (const Segment& segment : tiers_[tier]) {
            if (segment.asNeeded) nearRows = std::min(RowsIn(segment.box, m.height), most);
        }
        for (int64_t k = 0; k <= nearRows; ++k) {
            std::vector<Row> rows = Rows(tiers_[tier], m.height, k, most);
            if (Fill(rows, lines, m, packed)) {
                out = Placed(rows, m, packed);
                return true;
            }
        }
        return false;
    }

    // The largest size from `start` down to `least` at which the lines fit.
    bool Largest(const std::vector<int>& lines, int least, int start, bool packed, int tier,
                 std::vector<PlacedLine>& out, int& size) {
        size = start;
        if (TryAt(start, lines, packed, tier, out)) return true;
        std::vector<PlacedLine> found;
        if (least >= start || !TryAt(least, lines, packed, tier, found)) return false;
        int fits = least;
        int tooLarge = start;
        while (tooLarge - fits > 1) {
            const int middle = fits + (tooLarge - fits) / 2;
            std::vector<PlacedLine> tried;
            if (TryAt(middle, lines, packed, tier, tried)) {
                fits = middle;
                found = std::move(tried);
            } else {
                tooLarge = middle;
            }
        }
        out = std::move(found);
        size = fits;
        return true;
    }

    Canvas& canvas_;
    const CellLayoutInput& in_;
    Rect area_;
    bool bottom_ = false;
    int64_t flip_ = 0;
    Rect number_;
    Align align_ = Align::Left;
    std::vector<Tier> tiers_;
    std::vector<std::string> texts_;  // the lines as fitted, then the mark
    std::vector<bool> wrappable_;
    std::vector<Measured> measured_;
};

// A free place near the number for the moon: beside it or under it (over it at the bottom) as
// large as it may be, else at the cell's edge or a corner; nothing where none is free.
std::optional<Rect> PlaceMoon(const CellLayoutInput& in, const Rect& number,
                              const std::vector<PlacedLine>& lines, const Rect& content) {
    if (in.moonSize <= 0) return std::nullopt;
    const bool right = AtRight(in.dayPosition);
    const bool bottom = AtBottom(in.dayPosition);
    const int64_t pad = in.pad;
    const auto free = [&](int64_t x, int64_t y, int64_t size) {
        const Rect box = BoxAt(x, y, size, size);
        // As far from the cell's edges and the lines as from the number.
        const int64_t gap = std::max<int64_t>(1, size / 4);
        const Rect clear = BoxAt(x - gap, y - gap, size + 2 * gap, size + 2 * gap);
        return Inside(clear, content) && !Overlap(box, number) &&
               std::none_of(lines.begin(), lines.end(),
                            [&clear](const PlacedLine& line) { return Overlap(clear, line.box); });
    };
    const int64_t full = in.moonSize;
    const int64_t least = std::clamp<int64_t>(in.leastMoonSize, 1, full);
    const int64_t step = std::max<int64_t>(1, full / 8);
    const int64_t nx = number.Left;
    const int64_t ny = number.Top;
    const int64_t tw = int64_t{number.Right} - number.Left;
    const int64_t th = int64_t{number.Bottom} - number.Top;
    for (const bool nearNumber : {true, false}) {
        for (int64_t size = full; size >= least; size -= step) {
            const int64_t gap = std::max<int64_t>(1, size / 4);
            const int64_t besideX = right ? nx - gap - size : nx + tw + gap;
            const int64_t underY = bottom ? ny - gap - size : ny + th + gap;
            std::vector<std::pair<int64_t, int64_t>> places;
            if (nearNumber) {
                places = {{besideX, ny + (th - size) / 2}, {nx + (tw - size) / 2, underY}};
            } else {
                const int64_t edgeY =
                    bottom ? int64_t{in.cell.Top} + pad : int64_t{in.cell.Bottom} - pad - size;
                const int64_t l = content.Left + pad;
                const int64_t t = content.Top + pad;
                const int64_t r = content.Right - pad - size;
                const int64_t b = content.Bottom - pad - size;
                places = {{besideX, edgeY},
                          {right ? l : r, ny + (th - size) / 2},
                          {right ? l : r, bottom ? t : b},
                          {right ? r : l, bottom ? t : b},
                          {right ? l : r, bottom ? b : t}};
            }
            for (const auto& [x, y] : places) {
                if (free(x, y, size)) return BoxAt(x, y, size, size);
            }
        }
    }
    return std::nullopt;
}

}  // namespace

Rect ContentBox(const Rect& cell, int frameWidth) {
    // The cell's last column and row are its neighbour's first; a frame of width w is centred on
    // the outline, w - w / 2 pixels of it inside the cell at the near edges.
    const int inner = frameWidth > 0 ? frameWidth - frameWidth / 2 : 0;
    const int outer = frameWidth > 0 ? frameWidth / 2 + 1 : 0;
    const int64_t left = int64_t{cell.Left} + inner;
    const int64_t top = int64_t{cell.Top} + inner;
    const int64_t right = std::max<int64_t>(left, int64_t{cell.Right} - 1 - outer);
    const int64_t bottom = std::max<int64_t>(top, int64_t{cell.Bottom} - 1 - outer);
    return BoxAt(left, top, right - left, bottom - top);
}

CellLayout LayOutCell(Canvas& canvas, const CellLayoutInput& in) {
    const Rect content = ContentBox(in.cell, in.frameWidth);
    // The number is kept inside its cell, the left and top edges winning where it is larger.
    int64_t x = in.numberX;
    int64_t y = in.numberY;
    const int64_t tw = in.number.Width;
    const int64_t th = in.number.Height;
    x = std::max<int64_t>(std::min<int64_t>(x, int64_t{content.Right} - tw), content.Left);
    y = std::max<int64_t>(std::min<int64_t>(y, int64_t{content.Bottom} - th), content.Top);

    CellLayout layout;
    layout.number = BoxAt(x, y, tw, th);
    if (!in.lines.empty()) {
        canvas.SetFontName(in.face);
        canvas.SetFontStyle(in.bold, in.italic);
        if (std::optional<std::vector<PlacedLine>> placed =
                AsAlwaysPlaced(canvas, in, layout.number, content)) {
            layout.lines = std::move(*placed);
        } else {
            CellLayout fitted = Fitter(canvas, in, content, layout.number).Fit();
            layout.lines = std::move(fitted.lines);
            layout.shortened = fitted.shortened;
        }
    }
    layout.moon = PlaceMoon(in, layout.number, layout.lines, content);
    return layout;
}

}  // namespace orv
