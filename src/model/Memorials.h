#pragma once
// Memorial days (a date, a name and three optional colours) and their ordered list; the same
// list type holds the rokuyo and solar-term tables of the old-calendar data file.
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/CivilDate.h"
#include "model/MessageSink.h"

namespace orv {

struct TMemorial {
    std::string Key;   // "key<n>", given by TMemorials::Add; not saved, not copied
    std::string Date;  // year "/" month "/" day as written; year 0 (or empty) means every year
    std::string Name;  // "¶" marks a line break
    int32_t DayColor = 0;   // 0x00BBGGRR, -1 = not set
    int32_t FontColor = 0;  // -1 = not set
    int32_t BackColor = 0;  // -1 = not set

    // Copies Date, Name and the colours; not Key.
    void Assign(const TMemorial& source);
    // Name "," DayColor "," FontColor "," BackColor.
    std::string GetProperty() const;
    // Reads such a value text. A colour part beyond 32 bits is reported as
    // "TMemorial.SetProperty ｴﾗｰ" through `sink`; what was read before it stays.
    void SetProperty(const std::string& value, MessageSink& sink);
};

// The year, month and day parts of a memorial's date text as the sheet matches them (missing
// parts 0, year 0 for every year; no check that they form a date); nothing for a part beyond 32
// bits.
std::optional<CivilDate> MemorialDateParts(const std::string& dateText);

class TMemorials {
  public:
    // Appends an entry with the next running key. The reference stays valid until the entry is
    // deleted or the list cleared.
    TMemorial& Add();
    TMemorial& Items(int index) { return items_[index]; }
    const TMemorial& Items(int index) const { return items_[index]; }
    int Count() const { return static_cast<int>(items_.size()); }
    void Delete(int index);
    // Empties the list; the running key number goes on counting.
    void Clear();
    // Replaces the entries by copies of the source's, with fresh keys.
    void Assign(const TMemorials& source);

    // First entry whose year, month and day parts (ValInt, missing parts 0) equal those of
    // DateText: 0000/05/05, 0/5/5 and /05/05 find the same entry.
    TMemorial* FindByDate(const std::string& dateText);
    int IndexOfDate(const std::string& dateText) const;
    // Names of all entries on the date of DateText, joined by "¶" in list order. Raises
    // ConversionError for a text that is not a date, or an entry whose Date is not one.
    std::string NamesOnDate(const std::string& dateText) const;
    std::string NamesOnDate(const CivilDate& date) const;
    // The entry that applies to a drawn day: the first whose month and day equal the day's and
    // whose year part is 0 or the day's year. nullptr when none applies.
    const TMemorial* AppliesTo(const CivilDate& date) const;

    // Builds a date index so that NamesOnDate costs no scan. Every entry's Date must be a valid
    // date (ConversionError otherwise). Any change to the list drops the index.
    void BuildDateIndex();
    // The same from the day number of each entry, in list order, as a reader already has them.
    void BuildDateIndex(std::span<const int64_t> days);
    bool HasDateIndex() const { return indexed_; }

    int NextKeyNumber() const { return nextKeyNumber_; }

  private:
    void DropIndex() {
        indexed_ = false;
        index_.clear();
        joined_.clear();
        dense_.clear();
    }
    // The slot of a day of the index; kNoSlot when the list has nothing on it.
    int32_t SlotOf(int64_t day) const;
    static constexpr int32_t kNoSlot = INT32_MIN;

    // A day of the index: `slot` >= 0 is the one entry on it, < 0 names joined_[-slot - 1].
    struct IndexedDay {
        int64_t day;
        int32_t slot;
    };

    std::deque<TMemorial> items_;
    int nextKeyNumber_ = 1;
    bool indexed_ = false;
    std::vector<IndexedDay> index_;    // by day number, ascending
    std::vector<std::string> joined_;  // names of the days with more than one entry
    // Where the days run on with few gaps (the rokuyo, one a day): the slot of every day from the
    // index's first, so that a day cell finds its names without a search.
    std::vector<int32_t> dense_;
};

}  // namespace orv
