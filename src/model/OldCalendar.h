#pragma once
// The old-calendar data file (旧暦.ini): the rokuyo and solar-term names of each date, read into
// two lists that the renderer asks for every day cell it draws.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/Memorials.h"
#include "model/MessageSink.h"

namespace orv {

class AlmanacData;

inline constexpr const char* kRokuyoSection = "六曜";
inline constexpr const char* kSolarTermSection = "二十四節気";
// A data file of 1800–2200 holds about 3 MB: one larger than this is refused unread.
inline constexpr uint64_t kMaxOldCalendarFileBytes = 64ull << 20;

// Reads the sections "六曜" and "二十四節気" of the code page 932 file at `path` into the two
// lists, one entry per line "date=name" in file order (a line without "=" is skipped; only the
// name's first comma-separated field is the name). True when both sections were read whole.
//
// A missing file returns false at once and leaves both lists as they were, without a message.
// A file that cannot be read is reported as "旧暦ﾃﾞｰﾀﾛｰﾄﾞｴﾗｰ" with the reason and also leaves the
// lists alone. A date that is not a valid date stops the load there with the same heading and
// the conversion error's text: the entries above it stay and nothing after it is read.
//
// Either way both lists end up with a date index (TMemorials::BuildDateIndex), so NamesOnDate
// answers without a scan.
bool LoadOldCalendarData(const std::string& path, TMemorials& rokuyoList, TMemorials& solarTermList,
                         MessageSink& sink);

// One section of the data file and the list its lines go to.
struct OldCalendarSection {
    const char* name;  // UTF-8; compared without regard to ASCII case
    TMemorials* list;
};

// The same load for any sections, in one pass over the file's bytes; sections not asked for are
// skipped, and of sections with the same name only the first counts. The sections are read as
// if one after another in the order given: a bad date stops its section there, and the sections
// after it in `sections` end up empty.
//
// With `onlyDays` (day numbers, ascending), only the entries on those days are kept: the rest of
// the file is read for its errors all the same, so the messages, the result and NamesOnDate of
// those days are those of a whole load. A command that answers for a few days needs no more.
bool LoadOldCalendarSections(const std::string& path, std::span<const OldCalendarSection> sections,
                             MessageSink& sink, const std::vector<int64_t>* onlyDays = nullptr);

// LoadOldCalendarData with `onlyDays` as above, and the almanac sections (LoadAlmanacData) of the
// same bytes: what a program needs of the file, read once.
bool LoadOldCalendarFile(const std::string& path, TMemorials& rokuyoList, TMemorials& solarTermList,
                         AlmanacData& almanac, MessageSink& sink,
                         const std::vector<int64_t>* onlyDays = nullptr);

}  // namespace orv
