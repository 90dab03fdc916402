#include "model/HolidayList.h"

#include <algorithm>
#include <map>

#include "model/AtomicFile.h"
#include "model/Codec.h"
#include "model/Errors.h"
#include "model/ProgramPaths.h"

namespace orv {

namespace {

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r\"");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\"") - first + 1);
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool SameHoliday(const std::string& listed, const std::string& ruled) {
    if (listed == ruled || (!listed.empty() && EndsWith(ruled, listed))) return true;
    // The list calls every day off that has no name of its own 「休日」.
    if (listed == "休日") return ruled == "振替休日" || ruled == "国民の休日";
    return listed == "休日（祝日扱い）" && !ruled.empty();
}

}  // namespace

std::vector<Holiday> ReadHolidayList(std::string_view bytes) {
    const std::string text = Utf8OrCp932ToUtf8(bytes);
    std::vector<Holiday> holidays;
    size_t lineNumber = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string_view line(text.data() + start, end - start);
        start = end + 1;
        ++lineNumber;
        if (Trimmed(line).empty()) continue;
        const size_t comma = line.find(',');
        const std::string_view date = Trimmed(line.substr(0, comma));
        const std::optional<CivilDate> day = TryParseDateText(date);
        if (!day) {
            if (holidays.empty()) continue;  // the heading
            throw Error(std::to_string(lineNumber) + " 行目: " + NotADateText(date));
        }
        const std::string_view name =
            comma == std::string_view::npos ? std::string_view() : Trimmed(line.substr(comma + 1));
        holidays.push_back({*day, std::string(name)});
    }
    return holidays;
}

std::vector<Holiday> ReadHolidayListFile(const std::string& path) {
    // The published list is about 20 KB; anything far larger is no such list.
    constexpr uint64_t kMostListBytes = 4 << 20;
    const std::string bytes = ReadWholeFile(path, kMostListBytes);  // IoError names the file
    try {
        return ReadHolidayList(bytes);
    } catch (const Error& e) {
        throw Error(path + ": " + e.what());
    }
}

YearSpan YearsOf(const std::vector<Holiday>& listed) {
    if (listed.empty()) return {};
    const auto [first, last] = std::minmax_element(
        listed.begin(), listed.end(),
        [](const Holiday& a, const Holiday& b) { return a.Date.Year < b.Date.Year; });
    return {first->Date.Year, last->Date.Year};
}

std::vector<HolidayDifference> CompareWithRules(const std::vector<Holiday>& listed) {
    const YearSpan years = YearsOf(listed);
    std::map<CivilDate, std::pair<std::string, std::string>> days;
    for (const Holiday& holiday : listed) days[holiday.Date].first = holiday.Name;
    for (int year = years.First; year <= years.Last; ++year) {
        for (Holiday& holiday : HolidaysOfYear(year)) days[holiday.Date].second = holiday.Name;
    }
    std::vector<HolidayDifference> differences;
    for (const auto& [date, names] : days) {
        if (!SameHoliday(names.first, names.second)) {
            differences.push_back({date, names.first, names.second});
        }
    }
    return differences;
}

void HolidaySource::UseList(const std::vector<Holiday>& listed, std::string file) {
    listed_.clear();
    for (const Holiday& holiday : listed) listed_[holiday.Date] = holiday.Name;
    years_ = YearsOf(listed);
    file_ = std::move(file);
}

std::string HolidaySource::Name(const CivilDate& date, bool applySubstitute) const {
    std::string ruled = HolidayName(date.Year, date.Month, date.Day, applySubstitute);
    if (!years_.Holds(date.Year)) return ruled;
    const auto listed = listed_.find(date);
    if (listed == listed_.end()) return {};
    // The rules' own name where they agree: 「振替休日」 rather than the list's bare 「休日」.
    return SameHoliday(listed->second, ruled) ? ruled : listed->second;
}

std::string HolidaySource::SourceOf(int year) const {
    return years_.Holds(year) ? file_ : std::string();
}

void LoadInstalledHolidayList(HolidaySource& holidays, MessageSink& sink) {
    const std::string list = InstalledHolidayListPath();
    if (list.empty()) return;
    try {
        holidays.UseList(ReadHolidayListFile(list), list);
    } catch (const std::exception& e) {
        sink.Report(
            MessageKind::Warning,
            "祝日の一覧を読めないため、プログラムの祝日を使います。\r\n" + std::string(e.what()));
    }
}

}  // namespace orv
