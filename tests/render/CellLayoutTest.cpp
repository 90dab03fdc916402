// Every day cell of every layout the settings allow: its number, lines and moon lie inside the
// cell, clear of its frame and of each other, on the sheet, the several-months cells and the
// miniatures alike; and where lines do not fit they are fitted, in this order: shrunk together,
// set side by side, left out from the least important with a mark.
#include <map>

#include "model/Codec.h"
#include "model/Utf8.h"
#include "render/SeveralMonths.h"
#include "support/RenderFixture.h"

namespace orv::test {
namespace {

constexpr int kExportDpi = 300;
constexpr int kScreenPpi = 96;  // the export images' font resolution
// About 5 points on paper at 300 dpi, in points of a 96 ppi canvas.
constexpr int kLeastPoints = 16;

// March 2027, with every kind of line on the 21st (春分の日, a Sunday) and rokuyo and old dates
// on every day; fonts named by what they draw so that the calls can be told apart.
TData BusyMarch(int sizeX, int sizeY) {
    TData d = NewDesign();
    d.Year = 2027;
    d.Month = 3;
    d.SizeX = sizeX;
    d.SizeY = sizeY;
    d.DayFont = "day";
    d.HolidayFont = "line";
    d.YearFont = "title";
    d.WeekFont = "week";
    d.Rokuyo = 1;
    d.OldDate = 1;
    d.Nijusisekki = 1;
    d.Zassetsu = 1;
    d.MoonPhase = 1;
    d.Holiday = 1;
    d.DayWaku = 1;
    d.PrevNextDays = 1;
    AddMemorial(d, "0/3/21", "お父さんの誕生日¶還暦");
    return d;
}

void ReadBusyAlmanac(RenderState& state) {
    const char* const rokuyo[] = {"先勝", "友引", "先負", "仏滅", "大安", "赤口"};
    std::string oldDates = "[旧暦日付]\r\n2027/02/06=1/1\r\n2027/03/08=2/1\r\n2027/04/07=3/1\r\n";
    for (int month = 2; month <= 4; ++month) {
        for (int day = 1; day <= 31; ++day) {
            if (!IsValidDate(2027, month, day)) continue;
            TMemorial& m = state.RokuyoList.Add();
            m.Date = "2027/" + std::to_string(month) + "/" + std::to_string(day);
            m.Name = month == 3 && day == 21 ? "先負" : rokuyo[(month * 31 + day) % 6];
        }
    }
    state.RokuyoList.BuildDateIndex();
    TMemorial& term = state.SolarTermList.Add();
    term.Date = "2027/3/21";
    term.Name = "春分";
    state.Almanac.Read(Utf8ToCp932(oldDates +
                                   "[雑節]\r\n2027/03/18=彼岸入り\r\n2027/03/21=社日\r\n"
                                   "[月の満ち欠け]\r\n2027/03/08=新月\r\n2027/03/15=上弦\r\n"
                                   "2027/03/21=満月\r\n2027/03/22=満月\r\n2027/03/30=下弦\r\n"));
}

struct DrawnBox {
    Rect box;
    std::string what;
};

// One drawn day: its cell and everything drawn in it.
struct DrawnDay {
    Rect cell;
    bool framed = false;
    std::vector<DrawnBox> boxes;  // the number first
    std::map<std::string, int> lines;
};

Rect TextBox(const Call& call) {
    RecordingCanvas measure(kScreenPpi);
    measure.SetFontSize(call.font.points);
    const TextSize size = measure.TextExtent(call.text);
    return {call.x, call.y, call.x + size.Width, call.y + size.Height};
}

bool IsNumber(const std::string& text) {
    return !text.empty() && text.size() <= 2 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A cell is a fill, maybe its frame, then a number in the day font; what follows in the lines'
// font and the moon's chords are its own, up to the next fill or text of another kind.
std::vector<DrawnDay> DaysDrawn(const RecordingCanvas& canvas) {
    std::vector<DrawnDay> days;
    const std::vector<Call>& calls = canvas.calls;
    for (size_t i = 0; i + 1 < calls.size(); ++i) {
        if (calls[i].op != Op::FillRect) continue;
        size_t at = i + 1;
        const bool framed = calls[at].op == Op::Rectangle;
        if (framed) ++at;
        if (at >= calls.size() || calls[at].op != Op::TextOut || calls[at].font.face != "day" ||
            !IsNumber(calls[at].text)) {
            continue;
        }
        DrawnDay day{calls[i].rect, framed, {{TextBox(calls[at]), calls[at].text}}, {}};
        for (++at; at < calls.size(); ++at) {
            const Call& call = calls[at];
            if (call.op == Op::TextOut && call.font.face == "line") {
                day.boxes.push_back({TextBox(call), call.text});
                ++day.lines[call.text];
            } else if (call.op == Op::Chord) {
                if (call.x == 0) day.boxes.push_back({call.rect, "moon"});  // its outline
            } else {
                break;
            }
        }
        days.push_back(std::move(day));
    }
    return days;
}

std::u32string Characters(const std::string& text) {
    std::u32string characters;
    for (size_t at = 0; at < text.size(); at += Utf8CharLength(text, at)) {
        characters += Utf8Decode(text, at);
    }
    return characters;
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

std::string Describe(const DrawnDay& day, const DrawnBox& box) {
    std::ostringstream out;
    out << "day " << day.boxes[0].what << " cell {" << day.cell.Left << "," << day.cell.Top << ","
        << day.cell.Right << "," << day.cell.Bottom << "} " << box.what << " {" << box.box.Left
        << "," << box.box.Top << "," << box.box.Right << "," << box.box.Bottom << "}";
    return out.str();
}

// Inside the cell, off its one-pixel frame and off the pixel it shares with the next cell; clear
// of every other box of the day.
void ExpectLaidOutInside(const DrawnDay& day, const Rect& sheet) {
    const int frame = day.framed ? 1 : 0;
    const Rect inside{day.cell.Left + frame, day.cell.Top + frame, day.cell.Right - 1 - frame,
                      day.cell.Bottom - 1 - frame};
    EXPECT_TRUE(day.cell.Left >= sheet.Left && day.cell.Top >= sheet.Top &&
                day.cell.Right <= sheet.Right + 1 && day.cell.Bottom <= sheet.Bottom + 1)
        << "cell off the sheet: " << Describe(day, day.boxes[0]);
    for (size_t i = 0; i < day.boxes.size(); ++i) {
        const Rect& b = day.boxes[i].box;
        EXPECT_TRUE(b.Left >= inside.Left && b.Top >= inside.Top && b.Right <= inside.Right &&
                    b.Bottom <= inside.Bottom)
            << "outside: " << Describe(day, day.boxes[i]);
        for (size_t j = i + 1; j < day.boxes.size(); ++j) {
            EXPECT_FALSE(Overlap(b, day.boxes[j].box))
                << Describe(day, day.boxes[i]) << " over " << Describe(day, day.boxes[j]);
        }
    }
}

class CellLayoutMatrix : public testing::Test {
  protected:
    void SetUp() override { ReadBusyAlmanac(state); }

    // The sheet and, for several months, its cells, as an export at 300 dpi draws them.
    void DrawSheet(const TData& d) {
        canvas.calls.clear();
        ASSERT_TRUE(DrawCalendar(state, sink, canvas, kExportDpi, kExportDpi, 100, ckSheet, 0, 0,
                                 d.SizeX, d.SizeY, d));
        if (d.PluralEnabled != 0) {
            ASSERT_TRUE(
                DrawSeveralMonthCells(state, sink, canvas, kExportDpi, kExportDpi, 0, 0, d));
        }
    }

    RenderState state;
    RecordingSink sink;
    RecordingCanvas canvas{kScreenPpi};
};

TEST_F(CellLayoutMatrix, EveryBoxOfEveryDayLiesInsideItsCellAndClearOfTheOthers) {
    struct Sheet {
        const char* name;
        int sizeX, sizeY;
        bool severalMonths;
    };
    const Sheet sheets[] = {
        {"A4", 210, 297, false}, {"ﾊｶﾞｷ", 100, 148, false}, {"3 x 4 months", 297, 420, true}};
    std::u32string wanted = Characters("先負旧2/14春分社日春分の日お父さんの誕生日還暦");
    std::sort(wanted.begin(), wanted.end());
    for (const Sheet& sheet : sheets) {
        const Rect sheetRect{0, 0, sheet.sizeX * kExportDpi * 10 / 254,
                             sheet.sizeY * kExportDpi * 10 / 254};
        for (int dayPosition = 0; dayPosition < 5; ++dayPosition) {
            for (int holidayPosition = 0; holidayPosition < 2; ++holidayPosition) {
                for (int daySize = 0; daySize < 3; ++daySize) {
                    for (int holidaySize = 0; holidaySize < 5; ++holidaySize) {
                        SCOPED_TRACE(std::string(sheet.name) + " day position " +
                                     std::to_string(dayPosition) + " texts " +
                                     std::to_string(holidayPosition) + " day size " +
                                     std::to_string(daySize) + " text size " +
                                     std::to_string(holidaySize));
                        TData d = BusyMarch(sheet.sizeX, sheet.sizeY);
                        d.DayPosition = dayPosition;
                        d.HolidayPosition = holidayPosition;
                        d.DaySize = daySize;
                        d.HolidaySize = holidaySize;
                        d.PluralEnabled = sheet.severalMonths ? 1 : 0;
                        d.Columns = 3;
                        d.Rows = 4;
                        DrawSheet(d);
                        const std::vector<DrawnDay> days = DaysDrawn(canvas);
                        // The month, its neighbours' days and the miniatures (or twelve months).
                        ASSERT_GE(days.size(), sheet.severalMonths ? 365u : 35u + 28 + 30);
                        for (const DrawnDay& day : days) ExpectLaidOutInside(day, sheetRect);
                        // The 21st shows every character of its lines, a long one perhaps
                        // broken, or a mark that there is more.
                        const auto equinox = std::find_if(days.begin(), days.end(), [](auto& day) {
                            return day.boxes[0].what == "21";
                        });
                        ASSERT_NE(equinox, days.end());
                        std::u32string shown;
                        for (size_t i = 1; i < equinox->boxes.size(); ++i) {
                            if (equinox->boxes[i].what != "moon") {
                                shown += Characters(equinox->boxes[i].what);
                            }
                        }
                        std::sort(shown.begin(), shown.end());
                        EXPECT_TRUE(shown == wanted || equinox->lines.count("…") == 1);
                        if (testing::Test::HasFailure()) return;
                    }
                }
            }
        }
    }
}

// The 4th of January 2016 in its 200 x 160 px cell at 254 dpi, where a point is a pixel: its
// number of 48 points at 208, 328; lines of 32 points under it from 386, with 94 px of room down to
// the cell's last row and 192 px across; nothing below 18 points, 5 on paper.
class CellFitting : public RenderTest {
  protected:
    // The lines drawn after the 4th's number.
    std::vector<Call> LinesOf(const std::vector<std::pair<std::string, std::string>>& lines,
                              int dayPosition = 0) {
        TData d = PlainDesign();
        d.DaySize = 0;
        d.HolidaySize = 2;
        d.HolidayPosition = 1;
        d.DayPosition = dayPosition;
        d.HolidayFont = "line";
        d.Rokuyo = 1;
        d.Nijusisekki = 1;
        d.OldDate = 1;
        d.Zassetsu = 1;
        std::string almanac;
        state.RokuyoList.Clear();
        state.SolarTermList.Clear();
        for (const auto& [kind, text] : lines) {
            TMemorial entry;
            entry.Date = "2016/1/4";
            entry.Name = text;
            if (kind == "rokuyo") state.RokuyoList.Add() = entry;
            if (kind == "term") state.SolarTermList.Add() = entry;
            if (kind == "memorial") AddMemorial(d, "2016/1/4", text);
            if (kind == "old") almanac += "[旧暦日付]\r\n2016/01/04=" + text + "\r\n";
            if (kind == "seasonal") almanac += "[雑節]\r\n2016/01/04=" + text + "\r\n";
        }
        state.Almanac.Read(Utf8ToCp932(almanac));
        canvas.calls.clear();
        EXPECT_TRUE(Draw(d));
        std::vector<Call> drawn;
        for (size_t i = canvas.IndexOf(canvas.Text("4")) + 1;
             i < canvas.calls.size() && canvas.calls[i].op == Op::TextOut &&
             canvas.calls[i].font.face == "line";
             ++i) {
            drawn.push_back(canvas.calls[i]);
        }
        return drawn;
    }
};

TEST_F(CellFitting, LinesAreShrunkTogetherThenSetSideBySideThenLeftOutLeastImportantFirst) {
    // Three lines do not fit under the number at 32 points: all three at the 29 that does, one to
    // a row (side by side they would be no larger by a fifth).
    std::vector<Call> drawn = LinesOf({{"rokuyo", "大安"}, {"term", "小寒"}, {"memorial", "母"}});
    ASSERT_EQ(drawn.size(), 3u);
    for (size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_EQ(drawn[i].font.points, 29);
        EXPECT_EQ(drawn[i].x, 208);
        EXPECT_EQ(drawn[i].y, 386 + 31 * static_cast<int>(i)) << i;
    }
    // Six do not fit one to a row even at 18 points: side by side, in their order, two a row.
    drawn = LinesOf({{"rokuyo", "大安"}, {"term", "小寒"}, {"memorial", "母母¶父父¶兄兄¶姉姉"}});
    ASSERT_EQ(drawn.size(), 6u);
    const char* const order[] = {"大安", "小寒", "母母", "父父", "兄兄", "姉姉"};
    for (size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_EQ(drawn[i].text, order[i]);
        EXPECT_EQ(drawn[i].font.points, 29);
        EXPECT_EQ(drawn[i].x, i % 2 == 0 ? 208 : 208 + 58 + 10) << i;
        EXPECT_EQ(drawn[i].y, 386 + 31 * static_cast<int>(i / 2)) << i;
    }
    // Room for four lines of eight characters at the least size: the old date goes first, then
    // the rokuyo; the mark follows what is kept.
    drawn = LinesOf({{"rokuyo", "六曜六曜六曜六曜"},
                     {"old", "1/1二三四五六"},
                     {"term", "節気節気節気節気"},
                     {"seasonal", "雑節雑節雑節雑節"},
                     {"memorial", "記念記念記念記念¶命日命日命日命日"}});
    std::vector<std::string> texts;
    for (const Call& call : drawn) {
        texts.push_back(call.text);
        EXPECT_EQ(call.font.points, 18);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"節気節気節気節気", "雑節雑節雑節雑節",
                                               "記念記念記念記念", "命日命日命日命日", "…"}));
}

TEST_F(CellFitting, ANameBrokenAboveANumberAtTheBottomReadsDownwards) {
    // Over the number in the bottom left corner the rows run upwards; the name still reads from
    // its top row down.
    const std::vector<Call> drawn =
        LinesOf({{"rokuyo", "大安"}, {"memorial", "あいうえおかきくけこさしすせそ"}}, 3);
    std::vector<Call> name;
    for (const Call& call : drawn) {
        if (call.text != "大安") name.push_back(call);
    }
    ASSERT_GE(name.size(), 2u);
    std::sort(name.begin(), name.end(), [](const Call& a, const Call& b) { return a.y < b.y; });
    std::string read;
    for (const Call& call : name) read += call.text;
    EXPECT_EQ(read, "あいうえおかきくけこさしすせそ");
    EXPECT_GT(canvas.Text("大安").y, name.back().y);  // the first line nearest the number
}

}  // namespace
}  // namespace orv::test
