#pragma once
// The Japanese old calendar as it is reckoned today: a month begins on the JST day of a new
// moon; the month that holds the winter solstice is month 11; when thirteen months lie between
// two months 11, the first of them that holds no principal term (中気) is a leap month and
// repeats the number of the month before it. On the days of 2033–2034 where the traditional rules
// conflict, this gives the 閏11月 after month 11 of 2033 that was adopted in Japan.
#include <string>
#include <vector>

#include "model/CivilDate.h"
#include "model/SolarTerms.h"

namespace orv {

struct LunarMonth {
    CivilDate FirstDay;  // the JST day of its new moon
    int Number = 0;      // 1..12
    bool Leap = false;
};

struct LunarDate {
    int Month = 0;  // 1..12
    int Day = 0;    // 1..30
    bool Leap = false;

    bool operator==(const LunarDate&) const = default;
};

class LunisolarCalendar {
  public:
    // Computes the months and terms that cover every day of the Gregorian years
    // firstYear..lastYear (the astronomy reaches a little into the years around them).
    LunisolarCalendar(int firstYear, int lastYear);

    // In order; the first begins on or before 1 January of firstYear.
    const std::vector<LunarMonth>& Months() const { return months_; }
    // The solar terms of the years firstYear..lastYear, in order.
    const std::vector<SolarTerm>& Terms() const { return terms_; }

    // The old-calendar date of a day of the covered years; std::out_of_range outside them.
    LunarDate DateOf(const CivilDate& day) const;

    int FirstYear() const { return firstYear_; }
    int LastYear() const { return lastYear_; }

  private:
    int firstYear_;
    int lastYear_;
    std::vector<LunarMonth> months_;
    CivilDate end_;  // first day of the month after the last
    std::vector<SolarTerm> terms_;
};

// The rokuyo of a day: (month + day) mod 6 over 大安 赤口 先勝 友引 先負 仏滅; a leap month counts
// as its number.
int RokuyoIndex(const LunarDate& date);
// UTF-8 name of index 0..5 (大安, 赤口, 先勝, 友引, 先負, 仏滅); "" otherwise.
const char* RokuyoName(int index);

}  // namespace orv
