#include <gtest/gtest.h>

#include <unistd.h>
#include <cerrno>

#include "model/CivilDate.h"
#include "model/Codec.h"
#include "model/DataUnit.h"
#include "model/SettingsKeys.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

namespace orv {
namespace {

// A record in which every field holds a value of its own, so that a field written to or read
// from the wrong key shows.
TData DistinctDesign() {
    TData data;
    int n = 0;
    for (const SettingKey& key : SettingKeys()) {
        ++n;
        if (key.kind == SettingKey::Kind::Integer) {
            data.*key.integerField = key.flag ? n % 2 : 1000 + n;
        }
        if (key.kind == SettingKey::Kind::Text)
            data.*key.textField = "値" + std::to_string(n) + "¶ﾃｷｽﾄ";
    }
    data.DayBackColor = -1;
    data.Memorials.Add() = {"", "2016/05/05", "誕生日¶太郎", 255, -1, -1};
    data.Memorials.Add() = {"", "0000/12/24", "B", 0, 16777215, 0x80};
    data.Matrixs.Add() = {"", 1, 3, "/pics/a.jpg", "", {}};
    data.Matrixs.Add() = {"", 2, 12, "", "/designs/b.sav", {}};
    return data;
}

void ExpectSameDesign(const TData& a, const TData& b) {
    for (const SettingKey& key : SettingKeys()) {
        if (key.kind == SettingKey::Kind::Integer) {
            EXPECT_EQ(a.*key.integerField, b.*key.integerField) << key.key;
        }
        if (key.kind == SettingKey::Kind::Text && std::string(key.section) != "About") {
            EXPECT_EQ(a.*key.textField, b.*key.textField) << key.key;
        }
    }
    ASSERT_EQ(a.Memorials.Count(), b.Memorials.Count());
    for (int i = 0; i < a.Memorials.Count(); ++i) {
        EXPECT_EQ(a.Memorials.Items(i).Date, b.Memorials.Items(i).Date);
        EXPECT_EQ(a.Memorials.Items(i).GetProperty(), b.Memorials.Items(i).GetProperty());
    }
    ASSERT_EQ(a.Matrixs.Count(), b.Matrixs.Count());
    for (int i = 0; i < a.Matrixs.Count(); ++i) {
        EXPECT_EQ(a.Matrixs.Items(i).Number, b.Matrixs.Items(i).Number);
        EXPECT_EQ(a.Matrixs.Items(i).GetProperty(), b.Matrixs.Items(i).GetProperty());
    }
}

TEST(SettingsFile, SavingAndLoadingGivesBackEveryField) {
    test::TempDir dir;
    test::RecordingSink sink;
    TData saved = DistinctDesign();
    ASSERT_TRUE(saved.SaveToFile(dir.File("a.sav"), sink));
    EXPECT_EQ(saved.FileName, dir.File("a.sav"));

    TData loaded;
    ASSERT_TRUE(loaded.LoadFromFile(dir.File("a.sav"), sink));
    ExpectSameDesign(saved, loaded);
    EXPECT_EQ(loaded.Signature, "Orvalinden");
    EXPECT_EQ(loaded.Version, "1.11");
    EXPECT_EQ(loaded.FileName, dir.File("a.sav"));
}

TEST(SettingsFile, ADefaultDesignIsWrittenInTheWindowsLayout) {
    test::TempDir dir;
    test::RecordingSink sink;
    TData data = NewDesign();
    data.Year = 2016;
    data.Month = 1;
    ASSERT_TRUE(data.SaveToFile(dir.File("new.sav"), sink));
    const std::string expected =
        "[About]\r\nSignature=Orvalinden\r\nVersion=1.11\r\n"
        "[Calender]\r\nSizeIndex=0\r\nSizeX=90\r\nSizeY=95\r\nBackColor=16777215\r\nFrame=1\r\n"
        "PositionX=0\r\nPositionY=0\r\nYear=2016\r\nMonth=1\r\nPicSaveDPI=300\r\n"
        "[Picture]\r\nFile=\r\nOffset=2\r\nSize=50\r\nPosition=0\r\n"
        "[Style]\r\nYearStyle=0\r\nYearPosition=0\r\nYearAlignment=1\r\nYearFont=ＭＳ "
        "Ｐゴシック\r\n"
        "YearFontI=0\r\nYearFontB=0\r\nBackColor=0\r\nWeekStyle=0\r\nWeekSize=2\r\n"
        "WeekFont=ＭＳ Ｐゴシック\r\nWeekFontI=0\r\nWeekFontB=0\r\nWeekFrame=0\r\nDayPosition=0\r\n"
        "DaySize=1\r\nDayFont=ＭＳ Ｐゴシック\r\nDayFontI=0\r\nDayFontB=0\r\nHoliday=1\r\n"
        "HolidayPosition=0\r\nHolidaySize=1\r\nHolidayFont=ＭＳ Ｐゴシック\r\nHolidayFontI=0\r\n"
        "HolidayFontB=0\r\nPrevNextDays=1\r\nDayWaku=1\r\nRokuyo=0\r\nRokuyoColor1=0\r\n"
        "RokuyoColor2=128\r\nNijusisekki=0\r\nNijusisekkiColor=0\r\n"
        "[Color]\r\nLineColor=0\r\nLineWidth=1\r\nWeekdayColor=0\r\nSaturdayColor=16711680\r\n"
        "HolidayColor=255\r\nDayBackColor=16777215\r\n"
        "[Plural]\r\nEnabled=0\r\nColumns=2\r\nRows=2\r\n"
        "[PrevNextMonth]\r\nEnabled=1\r\nView=0\r\nPosition1=0\r\nPosition2=3\r\nPNMonthAlign=3\r\n"
        "Size=30\r\nWeek=1\r\n"
        "[Matrix]\r\nPrint=0\r\nCols=2\r\nInterval=0\r\n";
    EXPECT_EQ(test::TempDir::Read(dir.File("new.sav")), Utf8ToCp932(expected));
}

TEST(SettingsFile, AlmanacSwitchesAreWrittenAfterTheSolarTermsOnlyWhenChanged) {
    test::TempDir dir;
    test::RecordingSink sink;
    TData data = NewDesign();
    data.OldDate = 1;
    data.Zassetsu = 1;
    data.MoonPhase = 1;
    data.MoonPhaseColor = 0x123456;
    ASSERT_TRUE(data.SaveToFile(dir.File("on.sav"), sink));
    // Those at their defaults stay out (loading them back is the round trip of every key above).
    const std::string text = Cp932ToUtf8(test::TempDir::Read(dir.File("on.sav")));
    EXPECT_NE(text.find("NijusisekkiColor=0\r\nOldDate=1\r\nZassetsu=1\r\nMoonPhase=1\r\n"
                        "MoonPhaseColor=1193046\r\n[Color]"),
              std::string::npos);
}

TEST(SettingsFile, ListsAreWrittenBetweenPrevNextMonthAndMatrix) {
    test::TempDir dir;
    test::RecordingSink sink;
    TData data = NewDesign();
    data.Memorials.Add() = {"", "2016/05/05", "A", 255, -1, -1};
    data.Memorials.Add() = {"", "2016/05/05", "later", -1, -1, -1};  // same key: one line
    data.Matrixs.Add() = {"", 1, 3, "", "", {}};
    ASSERT_TRUE(data.SaveToFile(dir.File("l.sav"), sink));
    const std::string text = Cp932ToUtf8(test::TempDir::Read(dir.File("l.sav")));
    EXPECT_NE(text.find("Week=1\r\n[Memorial]\r\n2016/05/05=later,-1,-1,-1\r\n"
                        "[MatrixData]\r\n1=3,,\r\n[Matrix]\r\n"),
              std::string::npos)
        << text;
}

std::string HandMadeFile(const std::string& version) {
    std::string about =
        version.empty() ? "" : "[about]\nsignature=Orvalinden\nversion=" + version + "\n\n";
    return Utf8ToCp932(about +
                       "[calender]\nsizex=0x5A\n\nsizey=$64\nyear=abc\nmonth=7\n"
                       "[style]\nholidaysize=2\nyearfont=ＭＳ 明朝\n"
                       "[color]\ndaybackcolor=-1\n"
                       "[memorial]\n0000/05/05=こどもの日¶おめでとう,255,-1,16777215\n"
                       "2016/01/02=A=B,1,2,3\n");
}

TEST(SettingsFile, AHandMadeFileLoadsWithDefaultsAndUpgrade) {
    test::TempDir dir;
    test::RecordingSink sink;
    TData data;
    ASSERT_TRUE(data.LoadFromFile(dir.Write("hand.sav", HandMadeFile("")), sink));
    EXPECT_EQ(data.SizeX, 90);
    EXPECT_EQ(data.SizeY, 100);
    EXPECT_EQ(data.Year, Today().Year);
    EXPECT_EQ(data.Month, 7);
    EXPECT_EQ(data.HolidaySize, 3);  // no version: raised one step
    EXPECT_EQ(data.YearFont, "ＭＳ 明朝");
    EXPECT_EQ(data.WeekFont, "ＭＳ Ｐゴシック");
    EXPECT_EQ(data.DayBackColor, -1);
    EXPECT_EQ(data.Position1, 3);
    EXPECT_EQ(data.PicSaveDPI, 300);
    EXPECT_EQ(data.Frame, 1);
    EXPECT_EQ(data.Signature, "");
    ASSERT_EQ(data.Memorials.Count(), 2);
    EXPECT_EQ(data.Memorials.Items(0).Name, "こどもの日¶おめでとう");
    EXPECT_EQ(data.Memorials.Items(0).BackColor, 16777215);
    // A name holding "=" keeps only what comes before it.
    EXPECT_EQ(data.Memorials.Items(1).Name, "A");
    EXPECT_EQ(data.Memorials.Items(1).DayColor, 0);

    CheckLoadedFile(data, sink);
    const auto messages = sink.Take();
    ASSERT_EQ(messages.size(), 2u);
    // year=abc: the default, said by section and key.
    EXPECT_EQ(messages[0].text, "[Calender] Year の値が数として読めないため、既定値を使いました。");
    EXPECT_EQ(messages[1].kind, MessageKind::Warning);
    EXPECT_EQ(messages[1].text,
              "本ソフトのデータファイルとして認識できません、エラーが表示される可能性があります。");
}

TEST(SettingsFile, VersionsAreComparedAsTexts) {
    test::TempDir dir;
    test::RecordingSink sink;
    TData newer;
    ASSERT_TRUE(newer.LoadFromFile(dir.Write("n.sav", HandMadeFile("1.12")), sink));
    EXPECT_EQ(newer.HolidaySize, 2);
    CheckLoadedFile(newer, sink);
    const auto messages = sink.Take();
    ASSERT_EQ(messages.size(), 2u);  // year=abc, then the version
    EXPECT_EQ(
        messages[1].text,
        "上位のバージョンで作成されたデータファイルです、エラーが表示される可能性があります。");

    TData older;
    ASSERT_TRUE(older.LoadFromFile(dir.Write("o.sav", HandMadeFile("1.10")), sink));
    EXPECT_EQ(older.HolidaySize, 3);
    CheckLoadedFile(older, sink);

    TData later;  // "1.2" sorts after "1.11"
    ASSERT_TRUE(later.LoadFromFile(dir.Write("l.sav", HandMadeFile("1.2")), sink));
    EXPECT_EQ(later.HolidaySize, 2);
    sink.Take();
}

TEST(SettingsFile, LoadingAMissingFileGivesTheDefaults) {
    test::TempDir dir;
    test::RecordingSink sink;
    TData data;
    ASSERT_TRUE(data.LoadFromFile(dir.File("none.sav"), sink));
    EXPECT_EQ(data.Signature, "");
    EXPECT_EQ(data.CalenderBackColor, 0xFFFFFF);
    EXPECT_EQ(data.HolidaySize, 2);  // the missing 1, upgraded because the version is missing too
    EXPECT_EQ(data.Cols, 2);
    EXPECT_EQ(data.Position2, 3);
}

TEST(SettingsFile, SavingNeverLeavesAPartialFile) {
    test::TempDir dir;
    test::RecordingSink sink;
    TData old = NewDesign();
    const std::string path = dir.File("design.sav");
    ASSERT_TRUE(old.SaveToFile(path, sink));
    const std::string before = test::TempDir::Read(path);

    TData changed = DistinctDesign();
    int calls = 0;
    auto failHalfWay = [&](int fd, const char* data, size_t size) -> ssize_t {
        if (++calls > 1) {
            errno = ENOSPC;
            return -1;
        }
        return write(fd, data, size / 2);
    };
    EXPECT_FALSE(changed.SaveToFile(path, sink, failHalfWay));
    const auto messages = sink.Take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, MessageKind::Error);
    EXPECT_EQ(messages[0].text.rfind("ﾃﾞｰﾀﾌｧｲﾙｾｰﾌﾞｴﾗｰ\r\n", 0), 0u);
    EXPECT_NE(messages[0].text.find("No space left on device"), std::string::npos);
    EXPECT_EQ(test::TempDir::Read(path), before);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"design.sav"});
}

TEST(SettingsFile, SavingIntoAFolderThatIsAFileFails) {
    test::TempDir dir;
    test::RecordingSink sink;
    dir.Write("plain", "x");
    TData data = NewDesign();
    EXPECT_FALSE(data.SaveToFile(dir.File("plain/design.sav"), sink));
    const auto messages = sink.Take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find("Not a directory"), std::string::npos);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"plain"});
}

TEST(SettingsFile, ATextCodePage932CannotHoldFailsTheSaveAndNamesIt) {
    test::TempDir dir;
    test::RecordingSink sink;
    TData data = NewDesign();
    data.Memorials.Add() = {"", "0000/01/01", "新年🎍", -1, -1, -1};
    EXPECT_FALSE(data.SaveToFile(dir.File("x.sav"), sink));
    data.Memorials.Clear();
    data.DayFont = "Noto Sans ☃ JP";
    EXPECT_FALSE(data.SaveToFile(dir.File("x.sav"), sink));
    // One short line each: where, and which character.
    const auto messages = sink.Take();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(
        messages[0].text,
        "ﾃﾞｰﾀﾌｧｲﾙｾｰﾌﾞｴﾗｰ\r\n[Memorial] 0000/01/01 の「🎍」は Shift_JIS で保存できない文字です");
    EXPECT_EQ(messages[1].text,
              "ﾃﾞｰﾀﾌｧｲﾙｾｰﾌﾞｴﾗｰ\r\n[Style] DayFont の「☃」は Shift_JIS で保存できない文字です");
    EXPECT_TRUE(dir.Entries().empty());
}

TEST(SettingsFile, GarbageLoadsWithoutACrash) {
    test::TempDir dir;
    test::RecordingSink sink;
    std::string binary;
    for (int i = 0; i < 100000; ++i) binary += static_cast<char>((i * 7919) % 256);
    TData a;
    EXPECT_TRUE(a.LoadFromFile(dir.Write("bin.sav", binary), sink));
    EXPECT_EQ(a.SizeX, 0);

    TData b;
    EXPECT_TRUE(b.LoadFromFile(
        dir.Write("long.sav", "[Calender]\nSizeX=" + std::string(10 << 20, '9')), sink));
    EXPECT_EQ(b.SizeX, 0);
    const auto unread = sink.Take();
    ASSERT_EQ(unread.size(), 1u);
    EXPECT_EQ(unread[0].text, "[Calender] SizeX の値が数として読めないため、既定値を使いました。");

    std::string equals = "[Memorial]\n";
    for (int i = 0; i < 1000; ++i) equals += "=\n";
    TData c;
    EXPECT_TRUE(c.LoadFromFile(dir.Write("eq.sav", equals), sink));
    // One date, its first line read; the others said.
    EXPECT_EQ(c.Memorials.Count(), 1);
    const auto repeated = sink.Take();
    ASSERT_EQ(repeated.size(), 1u);
    EXPECT_EQ(repeated[0].text, " の記念日が 1000 件あります。最初の 1 件だけを読み込みました。");

    TData d;
    EXPECT_TRUE(d.LoadFromFile(dir.Write("col.sav", "[Memorial]\n2016/1/1=A,99999999999\n"), sink));
    EXPECT_EQ(d.Memorials.Items(0).Name, "A");
    ASSERT_EQ(sink.Take().size(), 1u);

    // An imposition number beyond 32 bits is not inside SetProperty: the load fails.
    TData e;
    EXPECT_FALSE(e.LoadFromFile(
        dir.Write("mx.sav", "[MatrixData]\n99999999999=1,,\n[Matrix]\nCols=5\n"), sink));
    const auto messages = sink.Take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "ﾃﾞｰﾀﾌｧｲﾙﾛｰﾄﾞｴﾗｰ\r\n99999999999 は整数として読めません");
    EXPECT_EQ(e.Cols, 0);

    TData f;
    EXPECT_FALSE(f.LoadFromFile(dir.Path(), sink));
    ASSERT_EQ(sink.Take().size(), 1u);
}

// Hand-edited or damaged values: each said once, by section and key, and read as the default.
TEST(SettingsFile, ValuesThatAreNoNumbersAndRepeatedDatesAreSaid) {
    test::TempDir dir;
    test::RecordingSink sink;
    const std::string file = std::string(
                                 "[Calender]\r\nYear=20\0"
                                 "16\r\nMonth=\r\n",
                                 32) +
                             "[Picture]\r\nPosition=1\x81\r\n"
                             "[Memorial]\r\n2016/5/10=A\r\n2016/5/10=B\r\n2016/5/11=C\r\n";
    TData data;
    ASSERT_TRUE(data.LoadFromFile(dir.Write("edited.sav", file), sink));
    EXPECT_EQ(data.Year, Today().Year);
    EXPECT_EQ(data.PicturePosition, NewDesign().PicturePosition);
    ASSERT_EQ(data.Memorials.Count(), 2);
    EXPECT_EQ(data.Memorials.Items(0).Name, "A");
    std::vector<std::string> texts;
    for (const auto& m : sink.Take()) texts.push_back(m.text);
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "[Calender] Year の値が数として読めないため、既定値を使いました。",
                         "[Picture] Position の値が数として読めないため、既定値を使いました。",
                         "2016/5/10 の記念日が 2 件あります。最初の 1 件だけを読み込みました。"}));
}

TEST(SettingsFile, MonthPicturesAreASectionOfTheSetMonthsAlone) {
    test::TempDir dir;
    test::RecordingSink sink;
    TData data = NewDesign();
    data.MonthPicture.Set(2, "/写真/二月.jpg");
    data.MonthPicture.Set(7, "/pics/july.png");
    data.MonthPicture.Set(13, "/pics/none.png");
    ASSERT_TRUE(data.SaveToFile(dir.File("m.sav"), sink));
    const std::string bytes = test::TempDir::Read(dir.File("m.sav"));
    EXPECT_NE(bytes.find(Utf8ToCp932("[MonthPicture]\r\n2=/写真/二月.jpg\r\n7=/pics/july.png\r\n")),
              std::string::npos);
    EXPECT_EQ(bytes.find("none"), std::string::npos);

    TData loaded = NewDesign();
    loaded.MonthPicture.Set(5, "/stale.png");
    ASSERT_TRUE(loaded.LoadFromFile(dir.File("m.sav"), sink));
    EXPECT_EQ(loaded.MonthPicture, data.MonthPicture);
    EXPECT_EQ(loaded.MonthPicture[2], "/写真/二月.jpg");
    EXPECT_EQ(loaded.MonthPicture[5], "");
    ASSERT_TRUE(loaded.SaveToFile(dir.File("again.sav"), sink));
    EXPECT_EQ(test::TempDir::Read(dir.File("again.sav")), bytes);

    // Cleared again, the design saves as one that never had any.
    loaded.MonthPicture = {};
    ASSERT_TRUE(loaded.SaveToFile(dir.File("none.sav"), sink));
    EXPECT_EQ(test::TempDir::Read(dir.File("none.sav")).find("MonthPicture"), std::string::npos);
    EXPECT_TRUE(sink.Take().empty());
}

TEST(SettingsFile, PictureFramingsAreASectionOfWhatIsNotWhole) {
    test::TempDir dir;
    test::RecordingSink sink;
    TData data = NewDesign();
    data.PictureFrame = {1, 400, 300, 150};
    data.MonthPicture.Set(4, "/pics/april.jpg");
    data.MonthPicture.SetFrame(4, {1, 500, 500, 100});
    data.Matrixs.Add() = {"", 1, 0, "/pics/a.jpg", "", {1, 0, 1000, 800}};
    data.Matrixs.Add() = {"", 2, 1, "/pics/b.jpg", "", {}};
    ASSERT_TRUE(data.SaveToFile(dir.File("f.sav"), sink));
    const std::string bytes = test::TempDir::Read(dir.File("f.sav"));
    EXPECT_NE(bytes.find("[PictureFraming]\r\nPicture=1,400,300,150\r\nMonth4=1,500,500,100\r\n"
                         "Entry1=1,0,1000,800\r\n"),
              std::string::npos);

    TData loaded = NewDesign();
    ASSERT_TRUE(loaded.LoadFromFile(dir.File("f.sav"), sink));
    EXPECT_EQ(loaded.PictureFrame, data.PictureFrame);
    EXPECT_EQ(loaded.MonthPicture, data.MonthPicture);
    EXPECT_EQ(loaded.Matrixs.Items(0).Framing, data.Matrixs.Items(0).Framing);
    EXPECT_TRUE(loaded.Matrixs.Items(1).Framing.IsDefault());
    EXPECT_EQ(SettingsText(loaded), SettingsText(data));

    // Values out of range are brought into it; what is no framing reads as the whole picture.
    for (const auto& [text, read] : std::vector<std::pair<std::string, PictureFraming>>{
             {"7,-5,1200,50", {1, 0, 1000, 100}},
             {"0,500,500,9999", {0, 500, 500, PictureFraming::kZoomMax}},
             {"1,2,3", {}},
             {"1,a,3,100", {}},
             {"", {}}}) {
        ASSERT_TRUE(
            loaded.LoadFromFile(dir.Write("h.sav", "[PictureFraming]\r\nPicture=" + text), sink));
        EXPECT_EQ(loaded.PictureFrame, read) << text;
    }

    // Whole again, the design saves as one that never had any.
    data.PictureFrame = {};
    data.MonthPicture.SetFrame(4, {});
    data.Matrixs.Items(0).Framing = {};
    ASSERT_TRUE(data.SaveToFile(dir.File("none.sav"), sink));
    EXPECT_EQ(test::TempDir::Read(dir.File("none.sav")).find("Framing"), std::string::npos);
    EXPECT_TRUE(sink.Take().empty());
}

TEST(PictureFraming, TheCropStaysInThePictureAndFollowsTheDrag) {
    // A 400 × 300 picture filling a 120 × 80 box: the whole width shows, 266.7 of the height.
    const PictureFraming centred{1, 500, 500, 100};
    const PictureCrop crop = CropOfFill(centred, 400, 300, 120, 80);
    EXPECT_DOUBLE_EQ(crop.Width, 400);
    EXPECT_NEAR(crop.Height, 266.67, 0.01);
    EXPECT_NEAR(crop.Top, 16.67, 0.01);
    EXPECT_DOUBLE_EQ(CropOfFill({1, 500, 0, 100}, 400, 300, 120, 80).Top, 0);
    EXPECT_NEAR(CropOfFill({1, 500, 1000, 200}, 400, 300, 120, 80).Top, 166.67, 0.01);

    // Dragging the picture down 4 box units shows 13.3 picture pixels more of its top; far past
    // the edge it stops there, and dragging back moves at once.
    const PictureFraming down = FramingMovedBy(centred, 400, 300, 120, 80, 0, 4);
    EXPECT_NEAR(CropOfFill(down, 400, 300, 120, 80).Top, 3.33, 0.2);  // focus in per mille
    EXPECT_EQ(down.FocusY, 456);
    const PictureFraming far = FramingMovedBy(centred, 400, 300, 120, 80, 500, 500);
    EXPECT_EQ(far.FocusX, 500);
    EXPECT_EQ(far.FocusY, 444);
    EXPECT_EQ(FramingMovedBy(far, 400, 300, 120, 80, 0, -8).FocusY, 533);
}

TEST(SettingsRecord, CopyFromLeavesTheLayoutAndImpositionFieldsAlone) {
    TData source = DistinctDesign();
    TData target;
    target.CopyFrom(source);
    target.CopyFrom(source);
    EXPECT_EQ(target.PluralEnabled, 0);
    EXPECT_EQ(target.Columns, 0);
    EXPECT_EQ(target.Rows, 0);
    EXPECT_EQ(target.Print, 0);
    EXPECT_EQ(target.Cols, 0);
    EXPECT_EQ(target.Interval, 0);
    EXPECT_EQ(target.PNMonthAlign, 0);
    EXPECT_EQ(target.Week, 0);
    EXPECT_EQ(target.FileName, "");
    EXPECT_EQ(target.Signature, "");
    EXPECT_EQ(target.SizeX, source.SizeX);
    EXPECT_EQ(target.HolidayFont, source.HolidayFont);
    EXPECT_EQ(target.PrevNextMonthSize, source.PrevNextMonthSize);
    EXPECT_EQ(target.NijusisekkiColor, source.NijusisekkiColor);
    EXPECT_EQ(target.PicSaveDPI, source.PicSaveDPI);
    ASSERT_EQ(target.Memorials.Count(), 2);
    EXPECT_EQ(target.Memorials.Items(1).GetProperty(), source.Memorials.Items(1).GetProperty());
    EXPECT_EQ(target.Matrixs.Count(), 2);
}

}  // namespace
}  // namespace orv
