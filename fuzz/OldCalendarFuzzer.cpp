// The old-calendar data file (旧暦.ini), which users edit by hand: the load into the rokuyo and
// solar-term lists and the date look-ups every day cell makes.
#include <cstdint>

#include "OldCalendar.h"
#include "ScratchFile.h"

using namespace orv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::ScratchFile file(".ini");
    NullMessageSink sink;
    TMemorials rokuyo;
    TMemorials solarTerms;
    LoadOldCalendarData(file.Write(data, size), rokuyo, solarTerms, sink);
    for (const CivilDate date : {CivilDate{2016, 1, 6}, CivilDate{2000, 2, 29}}) {
        rokuyo.NamesOnDate(date);
        solarTerms.NamesOnDate(date);
    }
    return 0;
}
