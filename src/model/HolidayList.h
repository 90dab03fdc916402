#pragma once
// The Cabinet Office's list of national holidays (「国民の祝日・休日月日」, syukujitsu.csv) read
// and set against the program's own rules, so that a user sees what a law change after the
// release has moved.
#include <string>
#include <string_view>
#include <vector>

#include "model/Holidays.h"

namespace orv {

// The rows "YYYY/M/D,名称" of the file's bytes, Shift_JIS or UTF-8 (with or without a BOM) as
// they come; a heading row is skipped. Error naming the line for a row that is no date.
std::vector<Holiday> ReadHolidayList(std::string_view bytes);

struct HolidayDifference {
    CivilDate Date;
    std::string Listed;  // the list's name, empty when the list has no holiday on the date
    std::string Ruled;   // the rules' name, empty when they give none
};

// Every date of the years the list covers on which it and the rules disagree, in date order.
// The list's generic 「休日」 stands for a substitute or citizens' holiday, and its short names
// for the rules' long ones (「結婚の儀」 for 「皇太子明仁親王の結婚の儀」).
std::vector<HolidayDifference> CompareWithRules(const std::vector<Holiday>& listed);

}  // namespace orv
