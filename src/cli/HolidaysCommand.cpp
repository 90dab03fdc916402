#include <charconv>
#include <cstdio>

#include "cli/Commands.h"
#include "model/Holidays.h"

namespace orv::cli {

namespace {

bool ParseYear(const std::string& text, int& year) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, year);
    return ec == std::errc() && ptr == end && year >= 1 && year <= 9999;
}

}  // namespace

int RunHolidays(const Arguments& args, MessageSink&) {
    int from = 0;
    int to = 0;
    if (args.size() != 2 || !ParseYear(args[0], from) || !ParseYear(args[1], to)) {
        return UsageError(*FindCommand("holidays"));
    }
    if (from > to) {
        std::fprintf(stderr, "orvalinden-cli: はじめの年 %d が終わりの年 %d より後です\n", from,
                     to);
        return 2;
    }
    for (int year = from; year <= to; ++year) {
        for (const Holiday& holiday : HolidaysOfYear(year)) {
            std::printf("%04d-%02d-%02d\t%s\n", holiday.Date.Year, holiday.Date.Month,
                        holiday.Date.Day, holiday.Name.c_str());
        }
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace orv::cli
