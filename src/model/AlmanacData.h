#pragma once
// The almanac sections of the old-calendar data file, beside its rokuyo and solar terms:
//   [旧暦日付]       "yyyy/mm/dd=M/D" on the first day of the file and of every old-calendar month
//                    ("閏M/D" in a leap month), the days between counting on; a last line with
//                    nothing after "=" ends the data.
//   [雑節]           "yyyy/mm/dd=name", one line per seasonal day.
//   [月の満ち欠け]   "yyyy/mm/dd=name" (新月, 上弦, 満月 or 下弦), one line per phase.
// Code page 932 and CR LF like the rest of the file. A file without these sections gives none of
// them; lines that cannot be read are passed over.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/CivilDate.h"

namespace orv {

inline constexpr const char* kOldDateSection = "旧暦日付";
inline constexpr const char* kSeasonalDaySection = "雑節";
inline constexpr const char* kMoonPhaseSection = "月の満ち欠け";

class AlmanacData {
  public:
    // Replaces what is held by the sections found in the file's bytes.
    void Read(std::string_view fileBytes);
    void Clear();
    bool Empty() const;

    // "12/3" or "閏11/3"; "" for a day the data does not cover.
    std::string OldDateOn(const CivilDate& day) const;
    // The seasonal days of the day, joined by "¶"; "" for none.
    std::string SeasonalDaysOn(const CivilDate& day) const;
    // 0 新月, 1 上弦, 2 満月, 3 下弦; -1 for none.
    int MoonPhaseOn(const CivilDate& day) const;

  private:
    struct MonthStart {
        int64_t Day = 0;
        int Month = 0;  // 0: no data from this day on
        int DayOfMonth = 0;
        bool Leap = false;
    };
    struct Named {
        int64_t Day = 0;
        std::string Name;
    };
    struct Phase {
        int64_t Day = 0;
        int Index = 0;
    };
    std::vector<MonthStart> months_;
    std::vector<Named> seasonal_;
    std::vector<Phase> phases_;
};

// Reads the almanac sections of the data file at `path`; a missing or unreadable file leaves
// `data` empty and gives false.
bool LoadAlmanacData(const std::string& path, AlmanacData& data);

}  // namespace orv
