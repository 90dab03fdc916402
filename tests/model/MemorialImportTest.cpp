// Memorial days from the files calendars and address books export, as those programs write them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "model/Codec.h"
#include "model/Errors.h"
#include "model/ICalendarDates.h"
#include "model/MemorialImport.h"
#include "support/TempDir.h"

namespace orv {
namespace {

// The calendars are read in Japan's time, whatever the machine's zone.
class JapanTime {
  public:
    JapanTime() {
        const char* old = std::getenv("TZ");
        if (old != nullptr) old_ = old;
        had_ = old != nullptr;
        setenv("TZ", "JST-9", 1);
        tzset();
    }
    ~JapanTime() {
        if (had_)
            setenv("TZ", old_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

  private:
    std::string old_;
    bool had_ = false;
};

std::string Crlf(std::string text) {
    std::string out;
    for (const char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// Google Calendar's birthday calendar: rules spelt out, 29 February as the month's last day, a
// name folded over two lines.
const char* const kGoogleBirthdays = R"(BEGIN:VCALENDAR
PRODID:-//Google Inc//Google Calendar 70.9054//EN
VERSION:2.0
CALSCALE:GREGORIAN
METHOD:PUBLISH
X-WR-CALNAME:誕生日
X-WR-TIMEZONE:Asia/Tokyo
BEGIN:VEVENT
DTSTART;VALUE=DATE:20270412
DTEND;VALUE=DATE:20270413
RRULE:FREQ=YEARLY;WKST=SU;INTERVAL=1;BYMONTH=4;BYMONTHDAY=12
DTSTAMP:20261201T000000Z
UID:2_4d2a@google.com
X-GOOGLE-CALENDAR-CONTENT-DISPLAY:CHIP
SUMMARY:山田 太郎さんの誕生日
TRANSP:TRANSPARENT
END:VEVENT
BEGIN:VEVENT
DTSTART;VALUE=DATE:20240229
DTEND;VALUE=DATE:20240301
RRULE:FREQ=YEARLY;WKST=SU;BYMONTH=2;BYMONTHDAY=-1
UID:2_77b1@google.com
SUMMARY:佐藤 花子さんの誕生日
END:VEVENT
BEGIN:VEVENT
DTSTART;VALUE=DATE:19800105
RRULE:FREQ=YEARLY
UID:2_9c03@google.com
SUMMARY:𠮷野 一郎さんの誕
 生日
END:VEVENT
END:VCALENDAR
)";

// Thunderbird: a yearly all-day day, a rule on a weekday, a trip of three days, a flight booked
// in Los Angeles time, a time in UTC, a cancelled meeting and one of another year.
const char* const kThunderbird = R"(BEGIN:VCALENDAR
PRODID:-//Mozilla.org/NONSGML Mozilla Calendar V1.1//EN
VERSION:2.0
BEGIN:VTIMEZONE
TZID:America/Los_Angeles
BEGIN:DAYLIGHT
TZOFFSETFROM:-0800
TZOFFSETTO:-0700
TZNAME:PDT
DTSTART:19700308T020000
RRULE:FREQ=YEARLY;BYDAY=2SU;BYMONTH=3
END:DAYLIGHT
BEGIN:STANDARD
TZOFFSETFROM:-0700
TZOFFSETTO:-0800
TZNAME:PST
DTSTART:19701101T020000
RRULE:FREQ=YEARLY;BYDAY=1SU;BYMONTH=11
END:STANDARD
END:VTIMEZONE
BEGIN:VEVENT
CREATED:20200101T000000Z
UID:a1
SUMMARY:結婚記念日
RRULE:FREQ=YEARLY
DTSTART;VALUE=DATE:20100605
DTEND;VALUE=DATE:20100606
TRANSP:TRANSPARENT
X-MOZ-GENERATION:1
END:VEVENT
BEGIN:VEVENT
UID:a2
SUMMARY:町内会の総会
RRULE:FREQ=YEARLY;BYMONTH=5;BYDAY=2SU
DTSTART:20250511T100000
DTEND:20250511T120000
END:VEVENT
BEGIN:VEVENT
UID:a3
SUMMARY:家族旅行
DTSTART;VALUE=DATE:20270803
DTEND;VALUE=DATE:20270806
END:VEVENT
BEGIN:VEVENT
UID:a4
SUMMARY:帰国便\, 成田着
DTSTART;TZID=America/Los_Angeles:20270301T180000
DTEND;TZID=America/Los_Angeles:20270301T230000
END:VEVENT
BEGIN:VEVENT
UID:a5
SUMMARY:電話会議
DTSTART:20270310T160000Z
DTEND:20270310T170000Z
END:VEVENT
BEGIN:VEVENT
UID:a6
SUMMARY:中止の会
STATUS:CANCELLED
DTSTART;VALUE=DATE:20270401
END:VEVENT
BEGIN:VEVENT
UID:a7
SUMMARY:去年の会
DTSTART;VALUE=DATE:20260401
END:VEVENT
END:VCALENDAR
)";

// Contacts: Google's vCard 3.0, a vCard 4.0 without a year, Apple's year left out and its
// labelled anniversary, and a Japanese phone's vCard 2.1 in quoted-printable Shift_JIS.
const char* const kContacts = R"(BEGIN:VCARD
VERSION:3.0
FN:山田 太郎
N:山田;太郎;;;
BDAY:1985-04-12
END:VCARD
BEGIN:VCARD
VERSION:4.0
FN:鈴木 次郎
BDAY:--0705
ANNIVERSARY:20090808
END:VCARD
BEGIN:VCARD
VERSION:3.0
N:田中;三郎;;;
FN:田中 三郎
BDAY;X-APPLE-OMIT-YEAR=1604:1604-11-23
item1.X-ABDATE;type=pref:2001-06-10
item1.X-ABLabel:_$!<Anniversary>!$_
END:VCARD
BEGIN:VCARD
VERSION:2.1
N;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=8D=B2=93=A1;=89=D4=8Eq
BDAY:19880229
END:VCARD
BEGIN:VCARD
VERSION:4.0
FN:伊藤 四郎
BDAY;VALUE=text:春ごろ
END:VCARD
)";

ImportedDay Day(int year, int month, int day, const char* name) {
    ImportedDay d;
    d.Year = year;
    d.Month = month;
    d.Day = day;
    d.Name = name;
    return d;
}

std::vector<std::string> Lines(const TMemorials& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i) {
        lines.push_back(list.Items(i).Date + "=" + list.Items(i).GetProperty());
    }
    return lines;
}

TEST(MemorialImport, FilesAsCalendarsAndContactsExportThemGiveTheirDaysInOrder) {
    JapanTime japan;
    test::TempDir dir;
    const struct {
        const char* name;
        std::string bytes;
        std::vector<std::string> memorials;
        int outside;
        size_t notes;
    } cases[] = {
        {"birthdays.ics",
         Crlf(kGoogleBirthdays),
         {"0000/01/05=〓野 一郎さんの誕生日,-1,-1,-1", "0000/04/12=山田 太郎さんの誕生日,-1,-1,-1",
          "2027/02/28=佐藤 花子さんの誕生日,-1,-1,-1"},
         0,
         0},
        {"thunderbird.ics",
         Crlf(kThunderbird),
         {"0000/06/05=結婚記念日,-1,-1,-1", "2027/03/02=帰国便， 成田着,-1,-1,-1",
          "2027/03/11=電話会議,-1,-1,-1", "2027/05/09=町内会の総会,-1,-1,-1",
          "2027/08/03=家族旅行,-1,-1,-1", "2027/08/04=家族旅行,-1,-1,-1",
          "2027/08/05=家族旅行,-1,-1,-1"},
         1,
         0},
        {"contacts.vcf",
         Crlf(kContacts),
         {"0000/02/29=佐藤 花子 誕生日,-1,-1,-1", "0000/04/12=山田 太郎 誕生日,-1,-1,-1",
          "0000/06/10=田中 三郎 記念日,-1,-1,-1", "0000/07/05=鈴木 次郎 誕生日,-1,-1,-1",
          "0000/08/08=鈴木 次郎 記念日,-1,-1,-1", "0000/11/23=田中 三郎 誕生日,-1,-1,-1"},
         0,
         1},
        // Phones of a few years ago wrote the whole file in Shift_JIS.
        {"sjis.vcf",
         Utf8ToCp932("BEGIN:VCARD\r\nVERSION:2.1\r\nN:高橋;健\r\nBDAY:19700101\r\nEND:VCARD\r\n"),
         {"0000/01/01=高橋 健 誕生日,-1,-1,-1"},
         0,
         0},
    };
    for (const auto& c : cases) {
        const ImportedDays read = ReadDatesFile(dir.Write(c.name, c.bytes), {2027, 2027});
        TMemorials list;
        MergeMemorials(list, read.Days, {}, ClashRule::Keep);
        EXPECT_EQ(Lines(list), c.memorials) << c.name;
        EXPECT_EQ(read.OutsideYears, c.outside) << c.name;
        EXPECT_EQ(read.Notes.size(), c.notes) << c.name;
    }
    // The name Shift_JIS cannot hold is listed with what the file said.
    const ImportedDays google = ReadDates(kGoogleBirthdays, {2027, 2027});
    EXPECT_EQ(google.Days[0].GivenName, "𠮷野 一郎さんの誕生日");
    EXPECT_EQ(google.Days[1].GivenName, "");

    EXPECT_THROW(ReadDates("2027/1/1,元日\n", {2027, 2027}), Error);
}

TEST(MemorialImport, ClashesAreKeptReplacedOrJoinedAndAnImportTwiceAddsNothing) {
    const std::vector<ImportedDay> days = {Day(0, 4, 12, "太郎 誕生日"),
                                           Day(0, 4, 12, "花子 誕生日"), Day(2027, 5, 1, "旅行")};
    const struct {
        ClashRule rule;
        std::vector<std::string> memorials;
        MergeCount count;
    } cases[] = {
        {ClashRule::Keep, {"0/4/12=父,255,-1,-1", "2027/05/01=旅行,-1,16711680,-1"}, {1, 0, 0, 2}},
        {ClashRule::Replace,
         {"0/4/12=太郎 誕生日¶花子 誕生日,-1,16711680,-1", "2027/05/01=旅行,-1,16711680,-1"},
         {1, 1, 1, 0}},
        {ClashRule::Join,
         {"0/4/12=父¶太郎 誕生日¶花子 誕生日,255,-1,-1", "2027/05/01=旅行,-1,16711680,-1"},
         {1, 0, 2, 0}},
    };
    for (const auto& c : cases) {
        TMemorials list;
        TMemorial& father = list.Add();
        father.Date = "0/4/12";
        father.Name = "父";
        father.DayColor = 255;
        father.FontColor = father.BackColor = -1;
        const MergeCount count = MergeMemorials(list, days, {-1, 0xFF0000, -1}, c.rule);
        EXPECT_EQ(Lines(list), c.memorials);
        EXPECT_EQ(std::tie(count.Added, count.Replaced, count.Joined, count.Kept),
                  std::tie(c.count.Added, c.count.Replaced, c.count.Joined, c.count.Kept));
        const MergeCount again = MergeMemorials(list, days, {}, c.rule);
        EXPECT_EQ(Lines(list), c.memorials) << "again";
        EXPECT_EQ(again.Added + again.Replaced + again.Joined, 0);
    }
    EXPECT_EQ(MergeSummary({1, 1, 2, 3}),
              "記念日を 1 件追加し、1 件置き換え、2 件を ¶ でつなぎました"
              "（3 件は同じ日にすでにあるため取り込みませんでした）。");
}

TEST(MemorialImport, WrittenAsACalendarTheDaysReadBackTheSame) {
    TMemorials list;
    const struct {
        const char* date;
        const char* name;
        int32_t day, font, back;
    } entries[] = {
        {"0000/01/05", "祖母¶誕生日", 255, -1, 65535}, {"0000/02/29", "うるう日", -1, -1, -1},
        {"2027/03/02", "出張 大阪", -1, 16711680, -1}, {"2028/12/31", "大晦日", -1, -1, -1},
        {"2027/13/01", "日付でない", -1, -1, -1},
    };
    for (const auto& e : entries) {
        TMemorial& m = list.Add();
        m.Date = e.date;
        m.Name = e.name;
        m.DayColor = e.day;
        m.FontColor = e.font;
        m.BackColor = e.back;
    }
    int skipped = 0;
    const std::string calendar = WriteICalendar(list, 2027, &skipped);
    EXPECT_EQ(skipped, 1);
    EXPECT_NE(calendar.find("DTSTART;VALUE=DATE:20240229\r\n"), std::string::npos);
    TMemorials back;
    MergeMemorials(back, ReadDates(calendar, {2027, 2028}).Days, {}, ClashRule::Keep);
    EXPECT_EQ(Lines(back),
              (std::vector<std::string>{
                  "0000/01/05=祖母¶誕生日,255,-1,65535", "0000/02/29=うるう日,-1,-1,-1",
                  "2027/03/02=出張 大阪,-1,16711680,-1", "2028/12/31=大晦日,-1,-1,-1"}));
}

}  // namespace
}  // namespace orv
