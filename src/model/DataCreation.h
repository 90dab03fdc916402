#pragma once
// The two runs that build sections of the old-calendar data file from yearly source tables in a
// development folder:
//   <folder>/六曜/<year>.txt          -> <folder>/六曜/六曜.ini           ("[Rokuyo]")
//   <folder>/二十四節気/24sk<year>.htm -> <folder>/二十四節気/二十四節気.ini ("[二十四節気]")
// for the years 1997 to 2010. Sources and results are code page 932; results end lines in CR LF.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/MessageSink.h"

namespace orv {

inline constexpr int kDataCreationFirstYear = 1997;
inline constexpr int kDataCreationLastYear = 2010;

// One result line: the date text year "/" two-digit month "/" two-digit day, and the name.
struct DataRow {
    std::string Date;
    std::string Name;
};

// Optional hooks for a dialog that shows the run as it goes.
struct DataCreationCallbacks {
    std::function<void(int year)> YearStarted;         // before the year's source is read
    std::function<void(const DataRow& row)> RowAdded;  // each row, in source order
};

struct DataCreationResult {
    // True when the run went through every year and its result file was written.
    bool Written = false;
    // The rows added, sorted by date text as the dialog's list shows them; after a stop, the
    // rows added before it.
    std::vector<DataRow> Rows;
    std::string ResultPath;
};

// The rokuyo run. Each source's lines up to and including "start:" are skipped; after it every
// line that is not empty and does not begin with "<" holds day D (1, 2, ...) of each month that
// has a day D, one "/" per month, the name being the two characters four after the "/".
//
// Any failure stops the run and writes nothing (an earlier result file stays as it was): a
// missing or unreadable source, a data line with fewer "/" than months to fill, a result that
// cannot be written. It is reported through `sink` as "ｴﾗｰ", CR LF and the reason.
DataCreationResult CreateRokuyoData(const std::string& folder, MessageSink& sink,
                                    const DataCreationCallbacks& callbacks = {});

// The solar-term run. A source's table starts at the first line that contains "～" and ends at
// the line "</table>"; with the cell tags taken out, a line "name MM/DD" gives one row. Failures
// as for the rokuyo run; a row whose date is not a valid date is one of them.
DataCreationResult CreateSolarTermData(const std::string& folder, MessageSink& sink,
                                       const DataCreationCallbacks& callbacks = {});

// One year's source (code page 932 bytes) read as the runs read it: its rows in source order.
// Throws Error where the run would stop; `sourceName` only labels that error.
std::vector<DataRow> ReadRokuyoSource(std::string_view bytes, int year,
                                      const std::string& sourceName = {});
std::vector<DataRow> ReadSolarTermSource(std::string_view bytes, int year,
                                         const std::string& sourceName = {});

}  // namespace orv
