#include "model/ICalendarDates.h"

#include <libical/ical.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <set>
#include <tuple>

#include "model/CivilDate.h"
#include "model/Errors.h"
#include "model/ProgramVersion.h"
#include "model/VB.h"

namespace orv {

namespace {

struct ComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

struct IteratorFree {
    void operator()(icalrecur_iterator* i) const { icalrecur_iterator_free(i); }
};

// A daily rule from long ago must not hold the window: occurrences past this are not looked at.
constexpr int kMostOccurrences = 200000;
// The days of one event that become memorial days (a holiday trip, not a term of school).
constexpr int kMostDaysOfAnEvent = 62;
constexpr const char* kColorsProperty = "X-ORVALINDEN-COLORS";

bool IsUnset(const short* values) {
    return values[0] == ICAL_RECURRENCE_ARRAY_MAX;
}

bool IsJust(const short* values, int value) {
    return IsUnset(values) || (values[0] == value && values[1] == ICAL_RECURRENCE_ARRAY_MAX);
}

// A time as a moment in the computer's local time; a date or a floating time is as it stands.
struct LocalTime {
    CivilDate day;
    bool midnight = true;
};

LocalTime LocalOf(icaltimetype t) {
    if (icaltime_is_date(t) || t.zone == nullptr) {
        return {{t.year, t.month, t.day},
                t.is_date || (t.hour == 0 && t.minute == 0 && t.second == 0)};
    }
    const time_t moment = icaltime_as_timet_with_zone(t, t.zone);
    struct tm local {};
    localtime_r(&moment, &local);
    return {{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday},
            local.tm_hour == 0 && local.tm_min == 0 && local.tm_sec == 0};
}

// How many days after its first the event's last day is (an end is exclusive).
int ExtraDays(icalcomponent* event, icaltimetype start) {
    const icaltimetype end = icalcomponent_get_dtend(event);
    if (icaltime_is_null_time(end) || icaltime_compare(end, start) <= 0) return 0;
    const int64_t first = DaysFromCivil(LocalOf(start).day);
    const LocalTime last = LocalOf(end);
    int64_t extra = DaysFromCivil(last.day) - first - (last.midnight ? 1 : 0);
    return static_cast<int>(std::clamp<int64_t>(extra, 0, kMostDaysOfAnEvent - 1));
}

bool ValidDate(const CivilDate& d) {
    return d.Year >= 1 && d.Year <= 9999 && IsValidDate(d.Year, d.Month, d.Day);
}

// A rule that gives one date every year, for ever: the day a memorial of year 0 stands for.
bool RepeatsYearlyOnItsDate(const icalrecurrencetype& rule, icaltimetype start) {
    return rule.freq == ICAL_YEARLY_RECURRENCE && rule.interval <= 1 && rule.count == 0 &&
           icaltime_is_null_time(rule.until) && IsUnset(rule.by_day) && IsUnset(rule.by_year_day) &&
           IsUnset(rule.by_week_no) && IsUnset(rule.by_set_pos) &&
           IsJust(rule.by_month, start.month) && IsJust(rule.by_month_day, start.day);
}

std::string Text(const char* text) {
    return text != nullptr ? text : "";
}

struct EventColors {
    bool any = false;
    int32_t day = -1, font = -1, back = -1;
};

EventColors ColorsOf(icalcomponent* event) {
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_X_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(event, ICAL_X_PROPERTY)) {
        if (Text(icalproperty_get_x_name(p)) != kColorsProperty) continue;
        const std::vector<std::string> parts = Split(Text(icalproperty_get_x(p)), ",", false);
        if (parts.size() != 3) continue;
        try {
            return {true, ValInt(parts[0]), ValInt(parts[1]), ValInt(parts[2])};
        } catch (const std::exception&) {
            continue;
        }
    }
    return {};
}

class Reader {
  public:
    explicit Reader(ImportYears years) : years_(years) {}

    void Walk(icalcomponent* root) {
        // Occurrences moved or cancelled by an event of their own are not the rule's.
        ForEachEvent(root, [&](icalcomponent* event) {
            const icaltimetype id = icalcomponent_get_recurrenceid(event);
            if (!icaltime_is_null_time(id)) {
                overridden_.insert(Text(icalcomponent_get_uid(event)) + " " +
                                   Text(icaltime_as_ical_string(id)));
            }
        });
        ForEachEvent(root, [&](icalcomponent* event) { Read(event); });
    }

    ImportedDays Take() {
        auto byDate = [](const ImportedDay& a, const ImportedDay& b) {
            return std::tie(a.Year, a.Month, a.Day) < std::tie(b.Year, b.Month, b.Day);
        };
        std::stable_sort(result_.Days.begin(), result_.Days.end(), byDate);
        // An event listed twice (a rule and its own dates) gives its day once.
        const auto same = [](const ImportedDay& a, const ImportedDay& b) {
            return a.Year == b.Year && a.Month == b.Month && a.Day == b.Day && a.Name == b.Name;
        };
        result_.Days.erase(std::unique(result_.Days.begin(), result_.Days.end(), same),
                           result_.Days.end());
        return std::move(result_);
    }

  private:
    template <typename F>
    static void ForEachEvent(icalcomponent* c, const F& f) {
        if (icalcomponent_isa(c) == ICAL_VEVENT_COMPONENT) return f(c);
        for (icalcomponent* child = icalcomponent_get_first_component(c, ICAL_ANY_COMPONENT);
             child != nullptr; child = icalcomponent_get_next_component(c, ICAL_ANY_COMPONENT)) {
            ForEachEvent(child, f);
        }
    }

    void Read(icalcomponent* event) {
        if (icalcomponent_get_status(event) == ICAL_STATUS_CANCELLED) return;
        const icaltimetype start = icalcomponent_get_dtstart(event);
        const std::string given = Text(icalcomponent_get_summary(event));
        if (icaltime_is_null_time(start) || !icaltime_is_valid_time(start)) {
            result_.Notes.push_back("日付のない予定「" + given + "」は取り込みません。");
            return;
        }
        ImportedDay day;
        day.Name = DesignName(given);
        if (day.Name.find_first_not_of(" ") == std::string::npos) {
            result_.Notes.push_back(PlainDateText(LocalOf(start).day) +
                                    " の件名のない予定は取り込みません。");
            return;
        }
        if (day.Name != given) day.GivenName = given;
        const EventColors colors = ColorsOf(event);
        day.HasColors = colors.any;
        day.DayColor = colors.day;
        day.FontColor = colors.font;
        day.BackColor = colors.back;
        const int extra = ExtraDays(event, start);

        icalproperty* rrule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
        const bool isOverride = !icaltime_is_null_time(icalcomponent_get_recurrenceid(event));
        if (rrule != nullptr && !isOverride) {
            const icalrecurrencetype rule = icalproperty_get_rrule(rrule);
            if (RepeatsYearlyOnItsDate(rule, start)) {
                const int64_t first = DaysFromCivil(LocalOf(start).day);
                for (int i = 0; i <= extra; ++i) {
                    const CivilDate d = CivilFromDays(first + i);
                    AddDay(day, {0, d.Month, d.Day});
                }
                return;
            }
            AddOccurrences(event, rule, start, extra, day);
            return;
        }
        if (!AddDated(day, start, extra)) ++result_.OutsideYears;
    }

    void AddOccurrences(icalcomponent* event, const icalrecurrencetype& rule, icaltimetype start,
                        int extra, const ImportedDay& day) {
        std::vector<icaltimetype> excluded;
        for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY);
             p != nullptr; p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY)) {
            excluded.push_back(icalproperty_get_exdate(p));
        }
        const std::string uid = Text(icalcomponent_get_uid(event));
        const auto taken = [&](icaltimetype at) {
            for (const icaltimetype& ex : excluded) {
                if (icaltime_is_date(ex) ? icaltime_compare_date_only(ex, at) == 0
                                         : icaltime_compare(ex, at) == 0) {
                    return false;
                }
            }
            return overridden_.count(uid + " " + Text(icaltime_as_ical_string(at))) == 0;
        };
        bool inYears = false;
        std::unique_ptr<icalrecur_iterator, IteratorFree> it(icalrecur_iterator_new(rule, start));
        // A rule without a count can start at the years asked for, not at its first date.
        icaltimetype from = start;
        from.year = years_.First - 1;
        from.month = 12;
        from.day = 31;
        if (it != nullptr && rule.count == 0 && icaltime_compare(from, start) > 0) {
            icalrecur_iterator_set_start(it.get(), from);
        }
        for (int n = 0; it != nullptr && n < kMostOccurrences; ++n) {
            icaltimetype at = icalrecur_iterator_next(it.get());
            if (icaltime_is_null_time(at)) break;
            at.zone = start.zone;
            at.is_date = start.is_date;
            if (at.year > years_.Last + 1) break;
            if (taken(at) && AddDated(day, at, extra)) inYears = true;
        }
        for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY);
             p != nullptr; p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
            const icaldatetimeperiodtype rdate = icalproperty_get_rdate(p);
            if (!icaltime_is_null_time(rdate.time) && AddDated(day, rdate.time, extra)) {
                inYears = true;
            }
        }
        if (!inYears) ++result_.OutsideYears;
    }

    // The event's days from `at` that fall in the years asked for; whether there was any.
    bool AddDated(const ImportedDay& day, icaltimetype at, int extra) {
        const int64_t first = DaysFromCivil(LocalOf(at).day);
        bool any = false;
        for (int i = 0; i <= extra; ++i) {
            const CivilDate d = CivilFromDays(first + i);
            if (d.Year < years_.First || d.Year > years_.Last || !ValidDate(d)) continue;
            AddDay(day, d);
            any = true;
        }
        return any;
    }

    void AddDay(const ImportedDay& day, const CivilDate& d) {
        ImportedDay& added = result_.Days.emplace_back(day);
        added.Year = d.Year;
        added.Month = d.Month;
        added.Day = d.Day;
    }

    ImportYears years_;
    ImportedDays result_;
    std::set<std::string> overridden_;
};

std::string UidOf(const std::string& date, const std::string& name) {
    uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : date + "\n" + name) hash = (hash ^ c) * 1099511628211ull;
    char text[40];
    std::snprintf(text, sizeof text, "%016llx@orvalinden", static_cast<unsigned long long>(hash));
    return text;
}

icaltimetype DateValue(const CivilDate& d) {
    icaltimetype t = icaltime_null_date();
    t.year = d.Year;
    t.month = d.Month;
    t.day = d.Day;
    return t;
}

}  // namespace

ImportedDays ReadICalendar(std::string_view text, ImportYears years) {
    icalerror_set_errors_are_fatal(0);
    const std::string terminated(text.substr(0, text.find('\0')));
    Component root(icalparser_parse_string(terminated.c_str()));
    if (root == nullptr) throw Error("iCalendar として読めません");
    Reader reader(years);
    reader.Walk(root.get());
    return reader.Take();
}

std::string WriteICalendar(const TMemorials& list, int firstYear, int* skipped) {
    if (skipped != nullptr) *skipped = 0;
    Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    const std::string prodid =
        std::string("-//Orvalinden//Orvalinden ") + ProgramVersion() + "//JA";
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(prodid.c_str()));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    const icaltimetype now = icaltime_current_time_with_zone(icaltimezone_get_utc_timezone());
    for (int i = 0; i < list.Count(); ++i) {
        const TMemorial& memorial = list.Items(i);
        CivilDate d = MemorialDateParts(memorial.Date).value_or(CivilDate{});
        const bool everyYear = d.Year == 0;
        if (everyYear) {
            d.Year = firstYear;
            while (d.Month == 2 && d.Day == 29 && !IsValidDate(d.Year, 2, 29)) --d.Year;
        }
        if (!ValidDate(d)) {
            if (skipped != nullptr) ++*skipped;
            continue;
        }
        icalcomponent* event = icalcomponent_new_vevent();
        icalcomponent_add_property(
            event, icalproperty_new_uid(UidOf(memorial.Date, memorial.Name).c_str()));
        icalcomponent_add_property(event, icalproperty_new_dtstamp(now));
        icalcomponent_add_property(event, icalproperty_new_dtstart(DateValue(d)));
        icalcomponent_add_property(event, icalproperty_new_dtend(DateValue(AddDays(d, 1))));
        icalcomponent_add_property(
            event, icalproperty_new_summary(ReplaceText(memorial.Name, "¶", "\n").c_str()));
        icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
        if (everyYear) {
            icalcomponent_add_property(
                event, icalproperty_new_rrule(icalrecurrencetype_from_string("FREQ=YEARLY")));
        }
        if (memorial.DayColor != -1 || memorial.FontColor != -1 || memorial.BackColor != -1) {
            const std::string colors = IntToStr(memorial.DayColor) + "," +
                                       IntToStr(memorial.FontColor) + "," +
                                       IntToStr(memorial.BackColor);
            icalproperty* p = icalproperty_new_x(colors.c_str());
            icalproperty_set_x_name(p, kColorsProperty);
            icalcomponent_add_property(event, p);
        }
        icalcomponent_add_component(calendar.get(), event);
    }
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    std::string result(text != nullptr ? text : "");
    icalmemory_free_buffer(text);
    return result;
}

}  // namespace orv
