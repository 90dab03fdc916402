// What an edited settings file can ask of the renderer beyond what the window lets the user enter:
// counts, line widths and sheets far too large. Each must draw as the nearest sensible design or
// stop with one message, never run for hours.
#include <algorithm>
#include <climits>

#include "model/VB.h"
#include "render/SeveralMonths.h"
#include "support/RenderFixture.h"

namespace orv::test {
namespace {

// Folds every call and the state it is made in into one number, so that whole layouts of
// thousands of passes can be compared without keeping them.
class HashingCanvas : public Canvas {
  public:
    void SetBrushColor(CanvasColor color) override { Mix(1, color); }
    void SetBrushStyle(BrushStyle style) override { Mix(2, static_cast<int>(style)); }
    void SetPenColor(CanvasColor color) override { Mix(3, color); }
    void SetPenWidth(int width) override {
        Mix(4, width);
        widest = std::max(widest, width);
    }
    void SetFontName(const std::string& face) override { Mix(5, Text(face)); }
    void SetFontSize(int points) override {
        Mix(6, points);
        points_ = points;
    }
    void SetFontStyle(bool bold, bool italic) override { Mix(7, bold * 2 + italic); }
    void SetFontColor(CanvasColor color) override { Mix(8, color); }
    void FillRect(const Rect& r) override { Mix(9, r.Left, r.Top, r.Right, r.Bottom); }
    void Rectangle(const Rect& r) override { Mix(10, r.Left, r.Top, r.Right, r.Bottom); }
    void MoveTo(int x, int y) override { Mix(11, x, y); }
    void LineTo(int x, int y) override { Mix(12, x, y); }
    void TextOut(int x, int y, const std::string& text) override {
        Mix(13, x, y, Text(text));
        ++texts;
    }
    // As the QPainter canvas: no font is made larger than 16384 pixels.
    TextSize TextExtent(const std::string& text) override {
        ++measurements;
        const int64_t px = std::clamp<int64_t>(points_, 1, 16384);
        return {static_cast<int>(std::min<int64_t>(px * Len(text), INT_MAX)),
                static_cast<int>(px + 2)};
    }
    void StretchPicture(const Rect& r, const Bitmap&) override {
        Mix(14, r.Left, r.Top, r.Right, r.Bottom);
    }
    void StretchPictureClipped(const Rect& r, const Bitmap& b, const Rect& clip) override {
        StretchPicture(r, b);
        Mix(17, clip.Left, clip.Top, clip.Right, clip.Bottom);
    }
    void Chord(const Rect& r, int start, int span) override {
        Mix(15, r.Left, r.Top, r.Right, r.Bottom);
        Mix(16, start, span);
    }
    int FontPpi() const override { return 72; }

    uint64_t hash = 1469598103934665603ull;
    int widest = 0;
    int64_t measurements = 0;
    int64_t texts = 0;

  private:
    static int64_t Text(const std::string& s) {
        return static_cast<int64_t>(std::hash<std::string>()(s));
    }
    template <typename... Values>
    void Mix(Values... values) {
        for (const int64_t v : {static_cast<int64_t>(values)...}) {
            hash = (hash ^ static_cast<uint64_t>(v)) * 1099511628211ull;
        }
    }
    int points_ = 0;
};

class DesignLimits : public testing::Test {
  protected:
    // A sheet pass and, for several months, the month cells, as the output driver draws them.
    HashingCanvas Layout(const TData& d) {
        HashingCanvas canvas;
        if (DrawCalendar(state, sink, canvas, kDpi, kDpi, 100, ckSheet, 0, 0, d.SizeX, d.SizeY,
                         d) &&
            d.PluralEnabled != 0) {
            DrawSeveralMonthCells(state, sink, canvas, kDpi, kDpi, 0, 0, d);
        }
        return canvas;
    }

    RenderState state;
    RecordingSink sink;
};

TData SeveralMonths(int columns, int rows) {
    TData d = PlainDesign(60, 60);
    d.PluralEnabled = 1;
    d.Columns = columns;
    d.Rows = rows;
    return d;
}

TEST_F(DesignLimits, MonthCountsBeyondTheWindowsRangeDrawAsItsNearestEnd) {
    const HashingCanvas most = Layout(SeveralMonths(99, 99));
    EXPECT_EQ(Layout(SeveralMonths(INT_MAX, INT_MAX)).hash, most.hash);
    EXPECT_EQ(Layout(SeveralMonths(100, 5000)).hash, Layout(SeveralMonths(99, 99)).hash);
    EXPECT_NE(Layout(SeveralMonths(98, 99)).hash, most.hash);
    EXPECT_EQ(Layout(SeveralMonths(0, INT_MIN)).hash, Layout(SeveralMonths(1, 1)).hash);
    // The title's year range counts the months drawn: 99 x 99 from January 2016.
    RecordingCanvas titles;
    TData d = SeveralMonths(INT_MAX, INT_MAX);
    ASSERT_TRUE(DrawCalendar(state, sink, titles, kDpi, kDpi, 100, ckSheet, 0, 0, 60, 60, d));
    EXPECT_EQ(titles.Texts(), std::vector<std::string>{"2016-2832年"});
}

TEST_F(DesignLimits, MonthsRunningPastTheLastYearStopTheLayoutWithOneMessage) {
    TData d = SeveralMonths(3, 3);
    d.Year = 9999;
    d.Month = 11;
    const HashingCanvas canvas = Layout(d);
    const std::vector<Message> messages = sink.Take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "描画ｴﾗｰ\r\n10000/1/1 は日付ではありません");
    EXPECT_GT(canvas.texts, 0);  // November and December were drawn
}

TEST_F(DesignLimits, LinesWiderThanTheWindowAllowsDrawAtItsWidest) {
    TData d = PlainDesign();
    d.DayWaku = 1;
    d.LineWidth = 999;
    const HashingCanvas widest = Layout(d);
    EXPECT_EQ(widest.widest, 999);
    d.LineWidth = INT_MAX;
    EXPECT_EQ(Layout(d).hash, widest.hash);
    d.LineWidth = 1;
    const HashingCanvas thin = Layout(d);
    for (const int width : {0, -5, INT_MIN}) {
        d.LineWidth = width;
        EXPECT_EQ(Layout(d).hash, thin.hash) << width;
    }
}

// A memorial's name in a huge cell: the largest size that fits is found without measuring the
// text at every point size on the way down.
TEST_F(DesignLimits, TextInAHugeCellTakesTheLargestSizeThatFits) {
    TData d = PlainDesign(25000, 3500);  // columns of 35714 pixels, names from 2000 points
    d.HolidaySize = 4;
    AddMemorial(d, "2016/01/13", "二十文字の長い名前が大きな日付の枠に入ります");
    RecordingCanvas canvas;
    ASSERT_TRUE(DrawCalendar(state, sink, canvas, kDpi, kDpi, 100, ckSheet, 0, 0, d.SizeX,
                             d.SizeY, d));
    const Call& name = canvas.Text("二十文字の長い名前が大きな日付の枠に入ります");
    // Beside the number the line has the room from its start to the cell's right edge.
    Rect cell;
    for (int i = canvas.IndexOf(name); i >= 0; --i) {
        if (canvas.calls[i].op == Op::FillRect) {
            cell = canvas.calls[i].rect;
            break;
        }
    }
    const int room = cell.Right - name.x;
    const int characters = 22;
    EXPECT_GT(name.font.points, 1024);
    EXPECT_LT(name.font.points, 2000);
    EXPECT_LE(characters * name.font.points, room);
    EXPECT_GT(characters * (name.font.points + 1), room);

    // Ten kilometres a side: names from millions of points, and one too long to fit even at the
    // largest font a canvas makes, are measured a few times each, not once a point.
    d = PlainDesign(10'000'000, 10'000'000);
    d.Holiday = 1;
    std::string longName;
    for (int i = 0; i < 1000; ++i) longName += "記";
    AddMemorial(d, "0/1/20", longName);
    const HashingCanvas huge = Layout(d);
    EXPECT_GT(huge.texts, 31);
    EXPECT_LT(huge.measurements, 20000);
}

TEST_F(DesignLimits, SheetsBeyondAnySurfaceAreRefusedWithAMessage) {
    for (const int size : {INT_MAX / 2, INT_MIN}) {
        EXPECT_EQ(Layout(PlainDesign(size, 100)).texts, 0);
        const std::vector<Message> messages = sink.Take();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text.rfind("描画ｴﾗｰ\r\nカレンダーが大きすぎて描けません（", 0), 0u)
            << messages[0].text;
    }
    // Placed beyond them, as an imposition entry far down a long list can be.
    HashingCanvas canvas;
    const TData d = PlainDesign();
    EXPECT_FALSE(DrawCalendar(state, sink, canvas, kDpi, kDpi, 100, ckSheet, 0, 30'000'000,
                              d.SizeX, d.SizeY, d));
    EXPECT_EQ(sink.Take().size(), 1u);
}

}  // namespace
}  // namespace orv::test
