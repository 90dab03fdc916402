#pragma once
// The Cabinet Office's list of national holidays (「国民の祝日・休日月日」, syukujitsu.csv) read
// and set against the program's own rules, so that a user sees what a law change after the
// release has moved.
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "model/Holidays.h"
#include "model/MessageSink.h"

namespace orv {

// The rows "YYYY/M/D,名称" of the file's bytes, Shift_JIS or UTF-8 (with or without a BOM) as
// they come; a heading row is skipped. Error naming the line for a row that is no date.
std::vector<Holiday> ReadHolidayList(std::string_view bytes);

// The list in the file at `path`; Error naming the file when it cannot be read or a row is no
// date.
std::vector<Holiday> ReadHolidayListFile(const std::string& path);

// The first and the last year of a list; Last < First for an empty one.
struct YearSpan {
    int First = 0;
    int Last = -1;
    bool Holds(int year) const { return year >= First && year <= Last; }
};
YearSpan YearsOf(const std::vector<Holiday>& listed);

struct HolidayDifference {
    CivilDate Date;
    std::string Listed;  // the list's name, empty when the list has no holiday on the date
    std::string Ruled;   // the rules' name, empty when they give none
};

// Every date of the years the list covers on which it and the rules disagree, in date order.
// The list's generic 「休日」 stands for a substitute or citizens' holiday, and its short names
// for the rules' long ones (「結婚の儀」 for 「皇太子明仁親王の結婚の儀」).
std::vector<HolidayDifference> CompareWithRules(const std::vector<Holiday>& listed);

// The holidays a calendar shows: the rules, and for the years an installed list covers, the
// list, so that a law change after the release is followed without a new program.
class HolidaySource {
  public:
    // From now on the list's years (its first to its last) follow `listed`, read from `file`.
    void UseList(const std::vector<Holiday>& listed, std::string file);
    // As HolidayName: the holiday of the date, or the empty text.
    std::string Name(const CivilDate& date, bool applySubstitute) const;
    // The file the holidays of `year` come from; empty when they come from the rules.
    std::string SourceOf(int year) const;

  private:
    std::map<CivilDate, std::string> listed_;
    YearSpan years_;
    std::string file_;
};

// Reads the installed list (InstalledHolidayListPath), if there is one, into `holidays`; one that
// cannot be read is warned of and the rules stay.
void LoadInstalledHolidayList(HolidaySource& holidays, MessageSink& sink);

}  // namespace orv
