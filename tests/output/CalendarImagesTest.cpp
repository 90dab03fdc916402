// Whole calendars drawn through the QPainter canvas at screen and export resolution. The images
// are written as PNG files for a person to look at (the folder is printed); the checks catch a
// picture on the wrong side, a cell that does not scale with the resolution and texts in the
// wrong colour.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "CanvasImages.h"
#include "model/Codec.h"
#include "model/OldCalendar.h"
#include "output/FontSubstitutes.h"
#include "output/PictureFormats.h"
#include "output/QtCanvas.h"
#include "render/DrawCalendar.h"
#include "render/SeveralMonths.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

namespace orv::test {
namespace {

constexpr uint32_t kPictureRgb = 0x20C040;       // the test picture's colour
constexpr CanvasColor kMemorialBack = 0x99CCFF;  // 0x00BBGGRR: light orange cell
constexpr CanvasColor kTaian = 0x0000C0;
constexpr CanvasColor kSolarTerm = 0x008000;

class CalendarImages : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        RegisterWindowsFontSubstitutes();
        QDir().mkpath(kImageDir);
        std::printf("Calendar images are written to %s\n", kImageDir);
    }
    void SetUp() override { state.Decoder = &decoder; }

    // May 2016 with Golden Week, holiday names, a memorial with its own colours.
    TData Design(int sizeX, int sizeY) {
        TData d = NewDesign();
        d.Year = 2016;
        d.Month = 5;
        d.SizeX = sizeX;
        d.SizeY = sizeY;
        d.PrevNextMonthEnabled = 0;
        d.PictureFile = PicturePath();
        TMemorial& m = d.Memorials.Add();
        m.Date = "0000/05/18";
        m.Name = "結婚記念日";
        m.DayColor = 0x800080;
        m.FontColor = 0x800080;
        m.BackColor = kMemorialBack;
        return d;
    }

    // A picture in one flat colour, 4:3, written as a real PNG file.
    std::string PicturePath() {
        const std::string path = dir.File("picture.png");
        if (!QFile::exists(QString::fromStdString(path))) {
            QImage picture(400, 300, QImage::Format_RGB32);
            picture.fill(0xFF000000u | kPictureRgb);
            picture.save(QString::fromStdString(path));
        }
        return path;
    }

    // The sheet as the export draws it: a white image of the sheet's size, the sheet pass, then
    // the month cells of the several-months layout.
    QImage Render(const TData& d, int dpi, const std::string& name) {
        QImage image(static_cast<int>(d.SizeX / 25.4 * dpi), static_cast<int>(d.SizeY / 25.4 * dpi),
                     QImage::Format_RGB32);
        image.fill(0xFFFFFFFFu);
        {
            QPainter painter(&image);
            QtCanvas canvas(painter, 96);
            state.PictureChanged = true;
            EXPECT_TRUE(DrawCalendar(state, sink, canvas, dpi, dpi, 100, ckSheet, 0, 0, d.SizeX,
                                     d.SizeY, d));
            sheetArea = state.MonthArea;
            if (d.PluralEnabled != 0) {
                EXPECT_TRUE(DrawSeveralMonthCells(state, sink, canvas, dpi, dpi, 0, 0, d));
            }
        }
        const QString file =
            QString("%1/%2-%3dpi.png").arg(kImageDir).arg(QString::fromStdString(name)).arg(dpi);
        EXPECT_TRUE(image.save(file));
        return image;
    }

    static constexpr const char* kImageDir = ORV_TEST_IMAGE_DIR;
    MonthAreaRect sheetArea;  // of the last sheet pass
    TempDir dir;
    RegistryPictureDecoder decoder;
    RenderState state;
    RecordingSink sink;
};

TEST_F(CalendarImages, PictureOnEachSideAtScreenAndExportResolution) {
    struct Case {
        const char* name;
        int side, row, sizeX, sizeY;
    };
    const Case cases[] = {{"picture-top", 0, 1, 90, 95},
                          {"picture-left", 1, 0, 150, 100},
                          {"picture-bottom", 2, 2, 100, 148},
                          {"picture-right", 3, 1, 148, 100}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TData d = Design(c.sizeX, c.sizeY);
        d.PicturePosition = c.side;
        d.YearPosition = c.row;
        d.PictureSize = 45;
        QRect cell[2];
        for (int i = 0; i < 2; ++i) {
            const QImage image = Render(d, i == 0 ? 96 : 300, c.name);
            const QRect picture = Covered(image, kPictureRgb).box;
            const QPoint centre = picture.center();
            ASSERT_FALSE(picture.isEmpty());
            const bool onItsSide[] = {
                centre.y() < image.height() / 2, centre.x() < image.width() / 2,
                centre.y() > image.height() / 2, centre.x() > image.width() / 2};
            EXPECT_TRUE(onItsSide[c.side]);
            cell[i] = Covered(image, 0xFFCC99).box;  // the memorial's background
            ASSERT_FALSE(cell[i].isEmpty());
        }
        // The cell is where it was, 300 / 96 times as far and as large, give or take the
        // 1-pixel frame and truncation at screen resolution.
        const double scale = 300.0 / 96;
        EXPECT_NEAR(cell[1].left(), cell[0].left() * scale, 3 * scale);
        EXPECT_NEAR(cell[1].top(), cell[0].top() * scale, 3 * scale);
        EXPECT_NEAR(cell[1].width(), cell[0].width() * scale, 3 * scale);
        EXPECT_NEAR(cell[1].height(), cell[0].height() * scale, 3 * scale);
    }
}

TEST_F(CalendarImages, APictureFillingItsBoxCoversItCroppedAroundItsFocus) {
    // A grey 4:3 picture with a magenta mark at (220, 140), in a 3:2 box (120 × 80 mm).
    QImage photo(400, 300, QImage::Format_RGB32);
    photo.fill(0xFF808080u);
    QPainter(&photo).fillRect(216, 136, 8, 8, QColor(0xFF00FF));
    const std::string path = dir.File("photo.png");
    ASSERT_TRUE(photo.save(QString::fromStdString(path)));
    TData d = Design(120, 100);
    d.PictureFile = path;
    d.PictureSize = 80;
    d.PictureOffset = 0;
    std::vector<PictureSpot> spots;
    state.PictureSpots = &spots;
    for (const int dpi : {96, 300}) {
        SCOPED_TRACE(dpi);
        d.PictureFrame = {};
        spots.clear();
        const QImage whole = Render(d, dpi, "picture-whole");
        ASSERT_EQ(spots.size(), 1u);
        const QRect box = [&] {
            const Rect r = spots[0].Box;
            return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
        }();
        EXPECT_NEAR(box.width() * 2.0, box.height() * 3.0, 3);
        EXPECT_GT(Covered(whole.copy(box), 0xFFFFFF).count, 0) << "bands above and below";

        d.PictureFrame = {1, 550, 467, 150};
        spots.clear();
        const QImage filled = Render(d, dpi, "picture-filled");
        const QImage inside = filled.copy(box);
        EXPECT_EQ(Covered(inside, 0xFFFFFF).count, 0) << "no sheet inside the box";
        const QRect mark = Covered(inside, 0xFF00FF).box;
        ASSERT_FALSE(mark.isEmpty());
        EXPECT_NEAR(mark.center().x(), box.width() / 2.0, 2 + dpi / 96);
        EXPECT_NEAR(mark.center().y(), box.height() / 2.0, 2 + dpi / 96);
        // Nothing of the picture below its box, where the cropped part would have gone.
        const QImage below = filled.copy(box.left(), box.bottom() + 2, box.width(), 3);
        EXPECT_EQ(Covered(below, 0x808080).count, 0);
    }
}

TEST_F(CalendarImages, MiniaturesAndTwelveMonths) {
    TData miniatures = Design(100, 148);  // the new design's miniatures: right of the picture
    miniatures.PrevNextMonthEnabled = 1;
    TData year = Design(210, 297);
    year.PluralEnabled = 1;
    year.Columns = 3;
    year.Rows = 4;
    year.Month = 1;
    year.PictureSize = 25;
    for (const int dpi : {96, 300}) {
        const QImage mini = Render(miniatures, dpi, "miniatures");
        EXPECT_GT(Covered(mini, kPictureRgb).count, 0);
        const QImage months = Render(year, dpi, "months-3x4");
        // Every cell of the month area holds a month: its rules in the line colour.
        const double px = dpi / 25.4;
        const int cellWidth = sheetArea.Width / 3;
        const int cellHeight = sheetArea.Height / 4;
        for (int j = 0; j < 4; ++j) {
            for (int i = 0; i < 3; ++i) {
                const QImage cell = months.copy(
                    static_cast<int>((sheetArea.Left + i * cellWidth) * px),
                    static_cast<int>((sheetArea.Top + j * cellHeight) * px),
                    static_cast<int>(cellWidth * px), static_cast<int>(cellHeight * px));
                EXPECT_GT(Covered(cell, 0x000000).count, 10 * cellWidth) << i << "," << j;
            }
        }
    }
}

TEST_F(CalendarImages, RokuyoSolarTermsAndMemorials) {
    // A small old-calendar file: the rokuyo cycle through May 2016 and two solar terms.
    const char* cycle[] = {"先勝", "友引", "先負", "仏滅", "大安", "赤口"};
    std::string file = "[六曜]\r\n";
    for (int day = 1; day <= 31; ++day) {
        file += "2016/05/" + std::string(day < 10 ? "0" : "") + std::to_string(day) + "=" +
                cycle[day % 6] + "\r\n";
    }
    file += "[二十四節気]\r\n2016/05/05=立夏\r\n2016/05/20=小満\r\n";
    const std::string path = dir.Write("旧暦.ini", Utf8ToCp932(file));
    ASSERT_TRUE(LoadOldCalendarData(path, state.RokuyoList, state.SolarTermList, sink));

    TData d = Design(210, 297);
    d.PictureSize = 30;
    d.Rokuyo = 1;
    d.RokuyoColor1 = 0x404040;
    d.RokuyoColor2 = kTaian;
    d.Nijusisekki = 1;
    d.NijusisekkiColor = kSolarTerm;
    d.HolidayPosition = 1;
    d.DaySize = 0;  // room for three lines under the number
    TMemorial& two = d.Memorials.Add();
    two.Date = "2016/05/27";
    two.Name = "創立記念日¶社内行事";
    two.DayColor = -1;
    two.FontColor = 0xC00000;
    two.BackColor = -1;
    for (const int dpi : {96, 300}) {
        const QImage image = Render(d, dpi, "old-calendar");
        // Text is smoothed: count the pixels in the lines' own colours, 0xRRGGBB.
        const int least = dpi == 300 ? 50 : 1;
        EXPECT_GE(Covered(image, 0xC00000).count, least);  // 大安 in its own colour
        EXPECT_GE(Covered(image, 0x008000).count, least);  // the solar terms
        EXPECT_GE(Covered(image, 0x0000C0).count, least);  // the memorial's two lines
    }
}

// Draws through the QPainter canvas and keeps where each text went and how wide it set.
class PlacedTexts : public Canvas {
  public:
    explicit PlacedTexts(QtCanvas& canvas) : canvas_(canvas) {}
    struct Placed {
        int x, y;
        std::string text;
        TextSize extent;
    };
    std::vector<Placed> texts;

    void SetBrushColor(CanvasColor c) override { canvas_.SetBrushColor(c); }
    void SetBrushStyle(BrushStyle s) override { canvas_.SetBrushStyle(s); }
    void SetPenColor(CanvasColor c) override { canvas_.SetPenColor(c); }
    void SetPenWidth(int w) override { canvas_.SetPenWidth(w); }
    void SetFontName(const std::string& f) override { canvas_.SetFontName(f); }
    void SetFontSize(int p) override { canvas_.SetFontSize(p); }
    void SetFontStyle(bool b, bool i) override { canvas_.SetFontStyle(b, i); }
    void SetFontColor(CanvasColor c) override { canvas_.SetFontColor(c); }
    void FillRect(const Rect& r) override { canvas_.FillRect(r); }
    void Rectangle(const Rect& r) override { canvas_.Rectangle(r); }
    void MoveTo(int x, int y) override { canvas_.MoveTo(x, y); }
    void LineTo(int x, int y) override { canvas_.LineTo(x, y); }
    void TextOut(int x, int y, const std::string& text) override {
        texts.push_back({x, y, text, canvas_.TextExtent(text)});
        canvas_.TextOut(x, y, text);
    }
    TextSize TextExtent(const std::string& text) override { return canvas_.TextExtent(text); }
    void StretchPicture(const Rect& r, const Bitmap& b) override { canvas_.StretchPicture(r, b); }
    void StretchPictureClipped(const Rect& r, const Bitmap& b, const Rect& clip) override {
        canvas_.StretchPictureClipped(r, b, clip);
    }
    void Chord(const Rect& r, int a, int b) override { canvas_.Chord(r, a, b); }
    int FontPpi() const override { return canvas_.FontPpi(); }

  private:
    QtCanvas& canvas_;
};

TEST_F(CalendarImages, MiniatureNumbersStandApartInTheirRows) {
    // A new design's card: its miniatures' narrow columns once set 10 11 12 touching.
    TData d = NewDesign();
    d.Year = 2026;
    d.Month = 12;
    for (const int dpi : {96, 300}) {
        SCOPED_TRACE(dpi);
        QImage image(static_cast<int>(d.SizeX / 25.4 * dpi), static_cast<int>(d.SizeY / 25.4 * dpi),
                     QImage::Format_RGB32);
        QPainter painter(&image);
        QtCanvas qt(painter, 96);
        PlacedTexts canvas(qt);
        ASSERT_TRUE(
            DrawCalendar(state, sink, canvas, dpi, dpi, 100, ckSheet, 0, 0, d.SizeX, d.SizeY, d));
        const auto from = std::find_if(canvas.texts.begin(), canvas.texts.end(),
                                       [](const auto& t) { return t.text == "11月"; });
        ASSERT_NE(from, canvas.texts.end());
        int pairs = 0;
        for (auto t = from + 1; t + 1 != canvas.texts.end(); ++t) {
            const auto& next = *(t + 1);
            if (t->y != next.y || !std::isdigit(static_cast<unsigned char>(next.text[0]))) continue;
            EXPECT_GE(next.x - (t->x + t->extent.Width), t->extent.Height / 5)
                << t->text << " and " << next.text;
            ++pairs;
        }
        EXPECT_GT(pairs, 40);  // the rows of November and of January
    }
}

}  // namespace
}  // namespace orv::test
