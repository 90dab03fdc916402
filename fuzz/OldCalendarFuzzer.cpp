// The old-calendar data file (旧暦.ini), which users edit by hand: the load into the rokuyo and
// solar-term lists, the almanac sections and the date look-ups every day cell makes. The fast
// reader must hold and report what the settings-file reader would; any difference stops the run.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ScratchFile.h"
#include "model/AlmanacData.h"
#include "model/CivilDate.h"
#include "model/OldCalendar.h"
#include "support/IniOldCalendarReader.h"

using namespace orv;

namespace {

class Recorder : public MessageSink {
  public:
    void Report(MessageKind kind, const std::string& text) override {
        texts.push_back(std::to_string(static_cast<int>(kind)) + text);
    }
    std::vector<std::string> texts;
};

bool SameList(const TMemorials& a, const TMemorials& b) {
    if (a.Count() != b.Count()) return false;
    for (int i = 0; i < a.Count(); ++i) {
        const TMemorial& x = a.Items(i);
        const TMemorial& y = b.Items(i);
        if (x.Date != y.Date || x.Name != y.Name || x.DayColor != y.DayColor ||
            x.FontColor != y.FontColor || x.BackColor != y.BackColor ||
            a.NamesOnDate(x.Date) != b.NamesOnDate(y.Date)) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::ScratchFile file(".ini");
    const std::string& path = file.Write(data, size);
    Recorder fastSink, slowSink;
    TMemorials rokuyo, solarTerms, slowRokuyo, slowSolarTerms;
    const bool fast = LoadOldCalendarData(path, rokuyo, solarTerms, fastSink);
    const bool slow = test::LoadOldCalendarThroughIniFile(
        path, {{kRokuyoSection, &slowRokuyo}, {kSolarTermSection, &slowSolarTerms}}, slowSink);
    if (fast != slow || fastSink.texts != slowSink.texts || !SameList(rokuyo, slowRokuyo) ||
        !SameList(solarTerms, slowSolarTerms)) {
        std::abort();
    }
    // A load of two days only must answer for them as the whole load.
    Recorder someSink;
    TMemorials someRokuyo, someSolarTerms;
    const OldCalendarSection sections[] = {{kRokuyoSection, &someRokuyo},
                                           {kSolarTermSection, &someSolarTerms}};
    const std::vector<int64_t> days{DaysFromCivil({2000, 2, 29}), DaysFromCivil({2016, 1, 6})};
    if (LoadOldCalendarSections(path, sections, someSink, &days) != fast ||
        someSink.texts != fastSink.texts) {
        std::abort();
    }
    // The file read once for the lists and the almanac gives the same as reading it twice.
    AlmanacData almanac, alone;
    Recorder onceSink;
    TMemorials onceRokuyo, onceSolarTerms;
    LoadAlmanacData(path, alone);
    if (LoadOldCalendarFile(path, onceRokuyo, onceSolarTerms, almanac, onceSink) != fast ||
        onceSink.texts != fastSink.texts || !SameList(onceRokuyo, rokuyo)) {
        std::abort();
    }
    for (const CivilDate date : {CivilDate{2016, 1, 6}, CivilDate{2000, 2, 29}}) {
        if (rokuyo.NamesOnDate(date) != slowRokuyo.NamesOnDate(date) ||
            solarTerms.NamesOnDate(date) != slowSolarTerms.NamesOnDate(date) ||
            someRokuyo.NamesOnDate(date) != rokuyo.NamesOnDate(date) ||
            someSolarTerms.NamesOnDate(date) != solarTerms.NamesOnDate(date)) {
            std::abort();
        }
        if (almanac.OldDateOn(date) != alone.OldDateOn(date) ||
            almanac.SeasonalDaysOn(date) != alone.SeasonalDaysOn(date) ||
            almanac.MoonPhaseOn(date) != alone.MoonPhaseOn(date)) {
            std::abort();
        }
    }
    return 0;
}
