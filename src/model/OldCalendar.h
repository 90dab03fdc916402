#pragma once
// The old-calendar data file (旧暦.ini): the rokuyo and solar-term names of each date, read into
// two lists that the renderer asks for every day cell it draws.
#include <string>

#include "Memorials.h"
#include "MessageSink.h"

namespace orv {

inline constexpr const char* kRokuyoSection = "六曜";
inline constexpr const char* kSolarTermSection = "二十四節気";

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

}  // namespace orv
