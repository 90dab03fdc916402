#include <gtest/gtest.h>

#include "model/Errors.h"
#include "model/Matrixs.h"
#include "model/Memorials.h"
#include "support/RecordingSink.h"

namespace orv {
namespace {

TEST(MemorialList, KeysKeepCountingAcrossClears) {
    TMemorials list;
    for (int i = 0; i < 3; ++i) list.Add();
    list.Clear();
    EXPECT_EQ(list.Add().Key, "key4");
    EXPECT_EQ(list.Add().Key, "key5");
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0).Key, "key5");
}

TEST(MemorialList, ValueTextRoundTrips) {
    test::RecordingSink sink;
    TMemorial a;
    a.Name = "A";
    a.DayColor = 255;
    a.FontColor = -1;
    a.BackColor = -1;
    EXPECT_EQ(a.GetProperty(), "A,255,-1,-1");
    TMemorial b;
    b.SetProperty(a.GetProperty(), sink);
    EXPECT_EQ(b.GetProperty(), "A,255,-1,-1");

    // A bare name leaves the colours as they were.
    b.SetProperty("B", sink);
    EXPECT_EQ(b.GetProperty(), "B,255,-1,-1");
    // A name with a comma is cut there; the next piece is read as the day colour.
    b.SetProperty("x,y,5", sink);
    EXPECT_EQ(b.GetProperty(), "x,0,5,-1");
}

TEST(MemorialList, AColourBeyondThirtyTwoBitsIsReportedAndTheRestKept) {
    test::RecordingSink sink;
    TMemorial m;
    m.SetProperty("Name,1,99999999999,3", sink);
    EXPECT_EQ(m.Name, "Name");
    EXPECT_EQ(m.DayColor, 1);
    EXPECT_EQ(m.FontColor, 0);
    EXPECT_EQ(m.BackColor, 0);
    const auto messages = sink.Take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, MessageKind::Error);
    EXPECT_EQ(messages[0].text, "TMemorial.SetProperty ｴﾗｰ\r\n99999999999 は整数として読めません");
}

TEST(MemorialList, FindByDateComparesThePartsAsNumbers) {
    TMemorials list;
    list.Add().Date = "2016/05/05";
    list.Add().Date = "0000/05/05";
    EXPECT_EQ(list.FindByDate("0/5/5"), &list.Items(1));
    EXPECT_EQ(list.FindByDate("/05/05"), &list.Items(1));
    EXPECT_EQ(list.FindByDate("2016/5/5"), &list.Items(0));
    EXPECT_EQ(list.FindByDate("2016/5/6"), nullptr);
    EXPECT_EQ(list.FindByDate("abc"), nullptr);
}

TEST(MemorialList, AnEntryAppliesToItsDayEveryYearOrInItsYear) {
    TMemorials list;
    list.Add().Date = "0000/02/29";
    list.Add().Date = "2016/05/05";
    list.Add().Date = "0000/05/05";
    list.Add().Date = "5/5";
    EXPECT_EQ(list.AppliesTo({2020, 2, 29}), &list.Items(0));
    EXPECT_EQ(list.AppliesTo({2016, 5, 5}), &list.Items(1));  // the first in list order
    EXPECT_EQ(list.AppliesTo({2017, 5, 5}), &list.Items(2));
    EXPECT_EQ(list.AppliesTo({2017, 5, 6}), nullptr);
    TMemorials only;
    only.Add().Date = "2016/02/29";
    EXPECT_EQ(only.AppliesTo({2020, 2, 29}), nullptr);
}

TEST(MemorialList, NamesOnDateJoinsAllEntriesOfTheDateInOrder) {
    TMemorials list;
    list.Add() = {"", "2016/1/6", "小寒", 0, 0, 0};
    list.Add() = {"", "2016/01/06", "大安", 0, 0, 0};
    list.Add() = {"", "2016/01/07", "赤口", 0, 0, 0};
    for (bool indexed : {false, true}) {
        if (indexed) list.BuildDateIndex();
        EXPECT_EQ(list.NamesOnDate("2016/1/6"), "小寒¶大安");
        EXPECT_EQ(list.NamesOnDate(CivilDate{2016, 1, 7}), "赤口");
        EXPECT_EQ(list.NamesOnDate("2016/1/8"), "");
        EXPECT_THROW(list.NamesOnDate("2016/2/30"), ConversionError);
    }
    list.Add();
    EXPECT_FALSE(list.HasDateIndex());
}

TEST(MemorialList, AssignCopiesInOrderWithFreshKeys) {
    TMemorials source;
    source.Add() = {"", "2016/05/05", "A", 1, 2, 3};
    source.Add() = {"", "0000/01/01", "B", -1, -1, -1};
    TMemorials target;
    target.Add();
    target.Assign(source);
    target.Assign(source);
    ASSERT_EQ(target.Count(), 2);
    EXPECT_EQ(target.Items(0).GetProperty(), "A,1,2,3");
    EXPECT_EQ(target.Items(1).Date, "0000/01/01");
    EXPECT_EQ(target.Items(1).Key, "key5");
}

TEST(ImpositionList, ValueTextAndNumbers) {
    test::RecordingSink sink;
    TMatrixs list;
    TMatrix& e = list.Add();
    e.Number = 1;
    e.MonthOffset = 3;
    EXPECT_EQ(e.GetProperty(), "3,,");
    e.ImageFile = "a.jpg";
    EXPECT_EQ(e.GetProperty(), "3,a.jpg,");
    e.SetProperty("5", sink);
    EXPECT_EQ(e.GetProperty(), "5,a.jpg,");
    e.SetProperty("6,/p/a,b.jpg,c.sav", sink);  // a comma in a path cuts it
    EXPECT_EQ(e.ImageFile, "/p/a");
    EXPECT_EQ(e.ConfigFile, "b.jpg");

    list.Add().Number = 2;
    list.Add().Number = 2;
    EXPECT_EQ(list.FindByNumber(2), &list.Items(1));
    EXPECT_EQ(list.FindByNumber(4), nullptr);
    list.Clear();
    EXPECT_EQ(list.Add().Key, "key4");
}

TEST(ImpositionList, AnOffsetBeyondThirtyTwoBitsIsReported) {
    test::RecordingSink sink;
    TMatrix e;
    e.SetProperty("99999999999,x,y", sink);
    EXPECT_EQ(e.ImageFile, "");
    const auto messages = sink.Take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "TMatrix.SetProperty ｴﾗｰ\r\n99999999999 は整数として読めません");
}

}  // namespace
}  // namespace orv
