#pragma once
// Birthdays, anniversaries and events from the files people keep them in (iCalendar, vCard),
// turned into memorial days and merged into a design's list.
#include <string>
#include <string_view>
#include <vector>

#include "model/DataUnit.h"
#include "model/Memorials.h"

namespace orv {

// One date a file gives, ready to become a memorial day.
struct ImportedDay {
    int Year = 0;  // 0: every year
    int Month = 0;
    int Day = 0;
    std::string Name;       // as a design can hold it (see DesignName)
    std::string GivenName;  // as the file has it, when that differs from Name
    // The colours the file carries for the day (a calendar this program wrote); -1: none.
    int32_t DayColor = -1;
    int32_t FontColor = -1;
    int32_t BackColor = -1;
    bool HasColors = false;

    // "0000/05/05" or "2027/03/02", as the memorial tab writes dates.
    std::string DateText() const;
};

struct ImportedDays {
    std::vector<ImportedDay> Days;   // in date order, every-year days first
    int OutsideYears = 0;            // one-off dates left out by the years asked for
    std::vector<std::string> Notes;  // what was passed over, and why (one line each)
};

// The one-off dates taken are those of years First..Last.
struct ImportYears {
    int First = 0;
    int Last = 0;
};

// The name as a design can hold it: line breaks become ¶, the settings file's separators
// (, = ") their full-width forms, other control characters nothing, and a character Shift_JIS
// lacks 〓.
std::string DesignName(std::string_view name);

// The years a design shows by default: those of its month and the eleven after it.
ImportYears YearsOfDesign(const TData& design);

// The bytes of an iCalendar or a vCard file, told by what it holds (not by its name), to read
// with ReadDates as often as the years asked for change. IoError or Error with a Japanese
// reason naming the file when it is neither or cannot be read.
std::string ReadDatesFileBytes(const std::string& path);
// ReadDates of that file.
ImportedDays ReadDatesFile(const std::string& path, ImportYears years);
// The same from the bytes of such a file.
ImportedDays ReadDates(std::string_view bytes, ImportYears years);

// What to do with an imported day whose date already has a memorial day.
enum class ClashRule { Keep, Replace, Join };

struct ImportColors {
    int32_t DayColor = -1;
    int32_t FontColor = -1;
    int32_t BackColor = -1;
};

struct MergeCount {
    int Added = 0;
    int Replaced = 0;
    int Joined = 0;
    int Kept = 0;  // left out: the date had a memorial day, or the name was there already
};

// Adds the days to the list in their order. Days of one date from the import are joined with ¶
// into one entry (a settings file holds one line per date); a name the date already carries is
// not added twice, so importing a file again changes nothing. `colors` apply to days that carry
// none of their own.
MergeCount MergeMemorials(TMemorials& list, const std::vector<ImportedDay>& days,
                          const ImportColors& colors, ClashRule clash);

// A line for the user: 「3 件を追加、1 件を ¶ でつなぎました。」.
std::string MergeSummary(const MergeCount& count);

}  // namespace orv
