// The old-calendar data file (旧暦.ini), which users edit by hand: the load into the rokuyo and
// solar-term lists, the almanac sections and the date look-ups every day cell makes.
#include <cstdint>

#include "AlmanacData.h"
#include "OldCalendar.h"
#include "ScratchFile.h"

using namespace orv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::ScratchFile file(".ini");
    NullMessageSink sink;
    TMemorials rokuyo;
    TMemorials solarTerms;
    const std::string& path = file.Write(data, size);
    LoadOldCalendarData(path, rokuyo, solarTerms, sink);
    AlmanacData almanac;
    LoadAlmanacData(path, almanac);
    for (const CivilDate date : {CivilDate{2016, 1, 6}, CivilDate{2000, 2, 29}}) {
        rokuyo.NamesOnDate(date);
        solarTerms.NamesOnDate(date);
        almanac.OldDateOn(date);
        almanac.SeasonalDaysOn(date);
        almanac.MoonPhaseOn(date);
    }
    return 0;
}
