#include "model/AlmanacData.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <functional>
#include <map>

#include "model/Almanac.h"
#include "model/AtomicFile.h"
#include "model/Codec.h"
#include "model/OldCalendar.h"

namespace orv {

namespace {

const char* const kLeap = "閏";
const char* const kPilcrow = "¶";
// No old-calendar month is longer.
constexpr int kLongestMonth = 30;

enum class Section { Other, OldDate, Seasonal, Phase };

Section SectionOf(std::string_view header) {
    static const std::string oldDate = Utf8ToCp932(kOldDateSection);
    static const std::string seasonal = Utf8ToCp932(kSeasonalDaySection);
    static const std::string phase = Utf8ToCp932(kMoonPhaseSection);
    if (header == oldDate) return Section::OldDate;
    if (header == seasonal) return Section::Seasonal;
    if (header == phase) return Section::Phase;
    return Section::Other;
}

bool ParseInt(std::string_view text, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

template <typename Item>
void SortByDay(std::vector<Item>& items) {
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return a.Day < b.Day; });
}

}  // namespace

void AlmanacData::Clear() {
    months_.clear();
    seasonal_.clear();
    phases_.clear();
}

bool AlmanacData::Empty() const {
    return months_.empty() && seasonal_.empty() && phases_.empty();
}

void AlmanacData::Read(std::string_view bytes) {
    Clear();
    // A few dozen distinct names over thousands of lines: each is converted once.
    std::map<std::string, std::string, std::less<>> converted;
    const auto utf8 = [&converted](std::string_view raw) -> const std::string& {
        const auto found = converted.find(raw);
        if (found != converted.end()) return found->second;
        return converted.emplace(std::string(raw), Cp932ToUtf8(raw)).first->second;
    };
    Section section = Section::Other;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find('\n', pos);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty() && line.front() == '[') {
            const size_t close = line.find(']');
            section = close == std::string_view::npos ? Section::Other
                                                      : SectionOf(line.substr(1, close - 1));
            continue;
        }
        if (section == Section::Other) {
            // The rokuyo lines, most of the file: on to the next section header.
            const size_t next = bytes.find("\n[", end);
            pos = next == std::string_view::npos ? bytes.size() : next + 1;
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const auto date = TryParseDateText(line.substr(0, equals));
        if (!date) continue;
        const int64_t day = DaysFromCivil(*date);
        const std::string& value = utf8(line.substr(equals + 1));
        switch (section) {
            case Section::OldDate: {
                MonthStart start{day, 0, 0, false};
                std::string_view text = value;
                if (text.starts_with(kLeap)) {
                    start.Leap = true;
                    text.remove_prefix(std::string_view(kLeap).size());
                }
                const size_t slash = text.find('/');
                if (!text.empty() && (slash == std::string_view::npos ||
                                      !ParseInt(text.substr(0, slash), start.Month) ||
                                      !ParseInt(text.substr(slash + 1), start.DayOfMonth) ||
                                      start.Month < 1 || start.Month > 12 || start.DayOfMonth < 1 ||
                                      start.DayOfMonth > kLongestMonth)) {
                    continue;
                }
                months_.push_back(start);
                break;
            }
            case Section::Seasonal:
                if (!value.empty()) seasonal_.push_back({day, value});
                break;
            case Section::Phase: {
                for (int i = 0; i < kMoonPhaseCount; ++i) {
                    if (value == MoonPhaseName(static_cast<MoonPhase>(i)))
                        phases_.push_back({day, i});
                }
                break;
            }
            case Section::Other:
                break;
        }
    }
    SortByDay(months_);
    SortByDay(seasonal_);
    SortByDay(phases_);
}

std::string AlmanacData::OldDateOn(const CivilDate& date) const {
    const int64_t day = DaysFromCivil(date);
    const auto after = std::upper_bound(months_.begin(), months_.end(), day,
                                        [](int64_t d, const MonthStart& m) { return d < m.Day; });
    if (after == months_.begin()) return "";
    const MonthStart& month = *(after - 1);
    const int64_t dayOfMonth = month.DayOfMonth + (day - month.Day);
    if (month.Month == 0 || dayOfMonth > kLongestMonth) return "";
    return LunarDateText({month.Month, static_cast<int>(dayOfMonth), month.Leap});
}

std::string AlmanacData::SeasonalDaysOn(const CivilDate& date) const {
    const int64_t day = DaysFromCivil(date);
    auto it = std::lower_bound(seasonal_.begin(), seasonal_.end(), day,
                               [](const Named& n, int64_t d) { return n.Day < d; });
    std::string names;
    for (; it != seasonal_.end() && it->Day == day; ++it) {
        if (!names.empty()) names += kPilcrow;
        names += it->Name;
    }
    return names;
}

int AlmanacData::MoonPhaseOn(const CivilDate& date) const {
    const int64_t day = DaysFromCivil(date);
    const auto it = std::lower_bound(phases_.begin(), phases_.end(), day,
                                     [](const Phase& p, int64_t d) { return p.Day < d; });
    return it != phases_.end() && it->Day == day ? it->Index : -1;
}

bool LoadAlmanacData(const std::string& path, AlmanacData& data) {
    data.Clear();
    if (!FileExists(path)) return false;
    try {
        data.Read(ReadWholeFile(path, kMaxOldCalendarFileBytes));
    } catch (const std::exception&) {
        // Unreadable: the old-calendar loader reports it; the almanac stays empty.
        return false;
    }
    return true;
}

}  // namespace orv
