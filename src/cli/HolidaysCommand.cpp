#include <charconv>
#include <cstdio>

#include "cli/Commands.h"
#include "model/HolidayList.h"
#include "model/Holidays.h"

namespace orv::cli {

namespace {

bool ParseYear(const std::string& text, int& year) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, year);
    return ec == std::errc() && ptr == end && year >= 1 && year <= 9999;
}

const char* NameOrNone(const std::string& name) {
    return name.empty() ? "（なし）" : name.c_str();
}

// holidays --check FILE: the differences between the list and the rules, one a line, as diff
// answers: 0 for none, 1 for some, 2 for a file that could not be read.
int CheckList(const std::string& path, MessageSink& sink) {
    std::vector<Holiday> listed;
    try {
        listed = ReadHolidayListFile(path);
    } catch (const std::exception& e) {
        sink.Report(MessageKind::Error, e.what());
        return 2;
    }
    if (listed.empty()) {
        sink.Report(MessageKind::Error, path + ": 祝日の行がありません");
        return 2;
    }
    const std::vector<HolidayDifference> differences = CompareWithRules(listed);
    for (const HolidayDifference& d : differences) {
        std::printf("%04d-%02d-%02d\t一覧: %s\tプログラム: %s\n", d.Date.Year, d.Date.Month,
                    d.Date.Day, NameOrNone(d.Listed), NameOrNone(d.Ruled));
    }
    const YearSpan years = YearsOf(listed);
    std::printf("%d〜%d 年: 一覧の %zu 日のうち、違いは %zu 日です。\n", years.First, years.Last,
                listed.size(), differences.size());
    if (std::fflush(stdout) != 0) return 2;
    return differences.empty() ? 0 : 1;
}

}  // namespace

int RunHolidays(const Arguments& args, MessageSink& sink) {
    if (args.size() == 2 && args[0] == "--check") return CheckList(args[1], sink);
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
