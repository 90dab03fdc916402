#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "cli/Commands.h"
#include "cli/NotingSink.h"
#include "model/Almanac.h"
#include "model/AlmanacData.h"
#include "model/AtomicFile.h"
#include "model/CivilDate.h"
#include "model/Eras.h"
#include "model/HolidayList.h"
#include "model/Holidays.h"
#include "model/OldCalendar.h"
#include "model/ProgramPaths.h"

namespace orv::cli {

namespace {

// YYYY-MM-DD (month and day may have one digit); nothing for any other text or a day that does
// not exist.
std::optional<CivilDate> ParseIsoDate(const std::string& text) {
    int parts[3] = {0, 0, 0};
    int count = 0;
    size_t i = 0;
    while (count < 3) {
        const size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 4) {
            parts[count] = parts[count] * 10 + (text[i] - '0');
            ++i;
        }
        if (i == start) return std::nullopt;
        if (++count < 3) {
            if (i >= text.size() || text[i] != '-') return std::nullopt;
            ++i;
        }
    }
    if (i != text.size() || !IsValidDate(parts[0], parts[1], parts[2])) return std::nullopt;
    return CivilDate{parts[0], parts[1], parts[2]};
}

}  // namespace

int RunDay(const Arguments& args, MessageSink& sink) {
    std::optional<std::string> dataFile;
    std::vector<CivilDate> dates;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--oldcal") {
            if (i + 1 >= args.size()) return UsageError(*FindCommand("day"));
            dataFile = args[++i];
            continue;
        }
        const auto date = ParseIsoDate(args[i]);
        if (!date) {
            std::fprintf(stderr, "orvalinden-cli: %s は YYYY-MM-DD の日付ではありません\n",
                         args[i].c_str());
            return 2;
        }
        dates.push_back(*date);
    }
    if (dates.empty()) return UsageError(*FindCommand("day"));

    // A file named on the command line must be there; the usual one may be missing.
    if (dataFile) {
        if (const std::string reason = NotRegularFileReason(*dataFile); !reason.empty()) {
            std::fprintf(stderr, "orvalinden-cli: %s: %s\n", dataFile->c_str(), reason.c_str());
            return 1;
        }
    }
    NotingSink noting(sink);
    TMemorials rokuyo;
    TMemorials solarTerms;
    const std::string path = dataFile.value_or(OldCalendarDataPath());
    // Only the days asked for are kept: the file is still read whole, for its messages.
    std::vector<int64_t> days;
    for (const CivilDate& date : dates) days.push_back(DaysFromCivil(date));
    std::sort(days.begin(), days.end());
    AlmanacData almanac;
    LoadOldCalendarFile(path, rokuyo, solarTerms, almanac, noting, &days);
    HolidaySource holidays;
    LoadInstalledHolidayList(holidays, noting);

    for (const CivilDate& date : dates) {
        const std::string holiday = holidays.Name(date, true);
        const int phase = almanac.MoonPhaseOn(date);
        std::printf("%04d-%02d-%02d\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n", date.Year, date.Month, date.Day,
                    holiday.c_str(), EraText(date).c_str(), rokuyo.NamesOnDate(date).c_str(),
                    solarTerms.NamesOnDate(date).c_str(), almanac.OldDateOn(date).c_str(),
                    almanac.SeasonalDaysOn(date).c_str(),
                    phase < 0 ? "" : MoonPhaseName(static_cast<MoonPhase>(phase)));
    }
    if (std::fflush(stdout) != 0) return 1;
    return noting.SawError() ? 1 : 0;
}

}  // namespace orv::cli
