// Division of the sheet into picture box, calendar box and title band; the picture; background,
// cut frame, zoom and the pass's failure handling.
#include "support/RenderFixture.h"

namespace orv::test {
namespace {

struct SideCase {
    int side;
    int row;
    Rect picture;  // where the exactly fitting picture lands
    MonthAreaRect area;
    int titleX, titleY;
    Rect header;  // first weekday cell: the calendar box's left and its unit 1
};

// 102 x 144 mm (picture top/bottom) or 144 x 144 mm (left/right), margin 2, half the sheet for the
// picture: calendar boxes of 98 x 70 mm (unit 5) and 70 x 140 mm (unit 10), picture boxes of
// 98 x 68 and 68 x 130 mm.
const SideCase kSides[] = {
    {0, 0, {20, 70, 1000, 750}, {2, 77, 98, 65}, 20, 9, {20, 770, 161, 821}},
    {0, 1, {20, 20, 1000, 700}, {2, 77, 98, 65}, 20, 709, {20, 770, 161, 821}},
    {0, 2, {20, 20, 1000, 700}, {2, 72, 98, 65}, 20, 1379, {20, 720, 161, 771}},
    {2, 0, {20, 740, 1000, 1420}, {2, 7, 98, 65}, 20, 19, {20, 70, 161, 121}},
    {2, 1, {20, 740, 1000, 1420}, {2, 2, 98, 65}, 20, 699, {20, 20, 161, 71}},
    {2, 2, {20, 690, 1000, 1370}, {2, 2, 98, 65}, 20, 1379, {20, 20, 161, 71}},
    {1, 0, {20, 120, 700, 1420}, {72, 12, 70, 130}, 720, 44, {720, 120, 821, 221}},
    {1, 1, {20, 20, 700, 1320}, {72, 2, 70, 130}, 720, 1354, {720, 20, 821, 121}},
    {3, 0, {740, 120, 1420, 1420}, {2, 12, 70, 130}, 20, 44, {20, 120, 121, 221}},
    {3, 1, {740, 20, 1420, 1320}, {2, 2, 70, 130}, 20, 1354, {20, 20, 121, 121}},
};

TEST_F(RenderTest, EachPictureSideAndTitleRowDividesTheSheet) {
    for (const SideCase& c : kSides) {
        SCOPED_TRACE("side " + std::to_string(c.side) + " row " + std::to_string(c.row));
        const bool beside = c.side == 1 || c.side == 3;
        TData d = PlainDesign(beside ? 144 : 102, 144);
        d.PictureOffset = 2;
        d.PictureSize = 50;
        d.PicturePosition = c.side;
        d.YearPosition = c.row;
        d.PictureFile = beside ? Picture(34, 65) : Picture(49, 34);
        state.PictureChanged = true;
        canvas.calls.clear();
        ASSERT_TRUE(Draw(d));
        ASSERT_EQ(canvas.Of(Op::StretchPicture).size(), 1u);
        EXPECT_EQ(canvas.Of(Op::StretchPicture)[0].rect, c.picture);
        EXPECT_EQ(state.MonthArea, c.area);
        const Call& title = canvas.Text("2016年1月");
        EXPECT_EQ(title.x, c.titleX);
        EXPECT_EQ(title.y, c.titleY);
        // The sheet background is the first fill; the weekday row's seven cells follow.
        EXPECT_EQ(canvas.Of(Op::FillRect)[1].rect, c.header);
    }
}

TEST_F(RenderTest, PictureIsFittedCentredAndDecodedOnceUntilChanged) {
    TData d = PlainDesign(102, 144);
    d.PictureOffset = 2;
    d.PictureSize = 50;
    d.YearPosition = 1;                 // picture box 2, 2, 98 x 68 mm
    d.PictureFile = Picture(100, 100);  // scaled by 0.68: 68 mm square, 15 mm in from each side
    ASSERT_TRUE(Draw(d));
    ASSERT_TRUE(Draw(d));
    // The top lands on 1.9999996 mm in single precision, so on pixel 19.
    const Rect fitted{170, 19, 850, 699};
    ASSERT_EQ(canvas.Of(Op::StretchPicture).size(), 2u);
    EXPECT_EQ(canvas.Of(Op::StretchPicture)[1].rect, fitted);
    EXPECT_EQ(decoder.decodes, 1);
    EXPECT_FALSE(state.PictureChanged);

    state.PictureChanged = true;
    dir.Write("picture.bmp", "50 25");  // now twice as wide as high: 98 x 49 mm, centred
    ASSERT_TRUE(Draw(d));
    EXPECT_EQ(decoder.decodes, 2);
    // 98 / 50 rounds up in single precision, which puts the left edge at 1.999999 mm.
    EXPECT_EQ(canvas.Of(Op::StretchPicture)[2].rect, (Rect{19, 115, 999, 605}));
}

TEST_F(RenderTest, UnusablePicturesLeaveTheirBoxEmptyWithoutAMessage) {
    TData d = PlainDesign(102, 144);
    d.PictureSize = 50;
    d.PictureFile = dir.Write("broken.bmp", "not a picture");
    ASSERT_TRUE(Draw(d));
    ASSERT_TRUE(Draw(d));
    EXPECT_EQ(decoder.decodes, 2);  // retried on every pass while it fails
    EXPECT_TRUE(state.PictureChanged);

    d.PictureFile = dir.File("missing.jpg");
    ASSERT_TRUE(Draw(d));
    d.PictureOffset = 2;
    // No picture band at all: the box is -4 mm high, and the picture is not drawn mirrored.
    d.PictureFile = Picture(10, 10);
    d.PictureSize = 0;
    ASSERT_TRUE(Draw(d));
    EXPECT_TRUE(canvas.Of(Op::StretchPicture).empty());
    EXPECT_EQ(decoder.decodes, 2);
    // The calendar did not grow into the empty box.
    EXPECT_EQ(state.MonthArea.Height, 131);
}

TEST_F(RenderTest, ZoomScalesTheSheetButNotItsPlace) {
    TData d = PlainDesign(100, 140);
    d.Frame = 1;
    d.DayWaku = 1;
    d.LineColor = 0x0000AA;
    d.LineWidth = 3;
    d.CalenderBackColor = 0x00CCFF;
    ASSERT_TRUE(Draw(d, 50, 10, 20));
    // 50 x 70 mm at (10, 20) mm.
    const Call& background = canvas.calls[0];
    EXPECT_EQ(background.op, Op::FillRect);
    EXPECT_EQ(background.rect, (Rect{100, 200, 600, 900}));
    EXPECT_EQ(background.brushColor, 0x00CCFF);
    EXPECT_EQ(state.MonthArea, (MonthAreaRect{0, 5, 50, 65}));

    // The cut frame: four 1-pixel lines in the colour the cell frames left, the far edges inside.
    std::vector<std::vector<int>> frame;
    for (auto call = canvas.calls.end() - 8; call != canvas.calls.end(); ++call) {
        frame.push_back({call->op == Op::LineTo, call->x, call->y, call->penWidth, call->penColor});
    }
    const std::vector<std::vector<int>> expected = {{0, 100, 200, 1, 0xAA}, {1, 599, 200, 1, 0xAA},
                                                    {0, 100, 200, 1, 0xAA}, {1, 100, 899, 1, 0xAA},
                                                    {0, 599, 200, 1, 0xAA}, {1, 599, 899, 1, 0xAA},
                                                    {0, 100, 899, 1, 0xAA}, {1, 599, 899, 1, 0xAA}};
    EXPECT_EQ(frame, expected);
}

TEST_F(RenderTest, AFailingPassIsReportedAndDropsThePictureCache) {
    state.Loading = true;  // nothing at all while a design is loaded into the window
    EXPECT_FALSE(Draw(PlainDesign()));
    EXPECT_TRUE(canvas.calls.empty());
    state.Loading = false;

    TData d = PlainDesign(102, 144);
    d.PictureSize = 50;
    d.PictureFile = Picture(10, 10);
    ASSERT_TRUE(Draw(d));
    ASSERT_TRUE(state.PictureBitmap);

    d.Month = 13;
    EXPECT_FALSE(Draw(d));
    std::vector<Message> messages = sink.Take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, MessageKind::Error);
    EXPECT_EQ(messages[0].text, "描画ｴﾗｰ\r\n2016/13/1 は日付ではありません");
    EXPECT_FALSE(state.PictureBitmap);
    EXPECT_TRUE(state.PictureChanged);

    d.Month = 1;
    canvas.failOnText = "15";
    EXPECT_FALSE(Draw(d));
    messages = sink.Take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "描画ｴﾗｰ\r\ndevice lost");
    // What was drawn before the failure stays.
    EXPECT_EQ(canvas.Texts().back(), "14");
}

}  // namespace
}  // namespace orv::test
