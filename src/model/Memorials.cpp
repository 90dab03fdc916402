#include "model/Memorials.h"

#include <algorithm>
#include <charconv>
#include <exception>

#include "model/VB.h"

namespace orv {

namespace {

struct DateParts {
    int32_t year, month, day;
};

DateParts PartsOf(const std::string& dateText) {
    std::vector<std::string> parts = Split(dateText, "/", true, 3);
    parts.insert(parts.end(), 3, "0");
    return {ValInt(parts[0]), ValInt(parts[1]), ValInt(parts[2])};
}

// Memorial dates from a settings file may hold any text; a part beyond 32 bits never matches.
bool TryPartsOf(const std::string& dateText, DateParts& parts) {
    try {
        parts = PartsOf(dateText);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

const std::string kPilcrow = "¶";

}  // namespace

std::optional<CivilDate> MemorialDateParts(const std::string& dateText) {
    DateParts parts{};
    if (!TryPartsOf(dateText, parts)) return std::nullopt;
    return CivilDate{parts.year, parts.month, parts.day};
}

void TMemorial::Assign(const TMemorial& source) {
    Date = source.Date;
    Name = source.Name;
    DayColor = source.DayColor;
    FontColor = source.FontColor;
    BackColor = source.BackColor;
}

std::string TMemorial::GetProperty() const {
    return Name + "," + IntToStr(DayColor) + "," + IntToStr(FontColor) + "," + IntToStr(BackColor);
}

void TMemorial::SetProperty(const std::string& value, MessageSink& sink) {
    // A bare name, as every line of the old-calendar file holds, needs no splitting.
    if (!value.empty() && value.find_first_of(",\"") == std::string::npos) {
        Name = value;
        return;
    }
    try {
        const std::vector<std::string> fields = Split(value, ",", true, 4);
        if (!fields.empty()) Name = fields[0];
        if (fields.size() >= 2) DayColor = ValInt(fields[1]);
        if (fields.size() >= 3) FontColor = ValInt(fields[2]);
        if (fields.size() >= 4) BackColor = ValInt(fields[3]);
    } catch (const std::exception& e) {
        sink.Report(MessageKind::Error, WithHeading("TMemorial.SetProperty ｴﾗｰ", e.what()));
    }
}

TMemorial& TMemorials::Add() {
    DropIndex();
    TMemorial& item = items_.emplace_back();
    // Data files add tens of thousands of entries: no temporary strings.
    char key[24] = "key";
    const auto end = std::to_chars(key + 3, key + sizeof key, nextKeyNumber_++).ptr;
    item.Key.assign(key, end);
    return item;
}

void TMemorials::Delete(int index) {
    DropIndex();
    items_.erase(items_.begin() + index);
}

void TMemorials::Clear() {
    DropIndex();
    items_.clear();
}

void TMemorials::Assign(const TMemorials& source) {
    if (&source == this) return;
    Clear();
    for (const TMemorial& item : source.items_) Add().Assign(item);
}

int TMemorials::IndexOfDate(const std::string& dateText) const {
    DateParts wanted{};
    if (!TryPartsOf(dateText, wanted)) return -1;
    for (int i = 0; i < Count(); ++i) {
        DateParts parts{};
        if (TryPartsOf(items_[i].Date, parts) && parts.year == wanted.year &&
            parts.month == wanted.month && parts.day == wanted.day) {
            return i;
        }
    }
    return -1;
}

TMemorial* TMemorials::FindByDate(const std::string& dateText) {
    const int index = IndexOfDate(dateText);
    return index < 0 ? nullptr : &items_[index];
}

std::string TMemorials::NamesOnDate(const std::string& dateText) const {
    return NamesOnDate(ParseDateText(dateText));
}

std::string TMemorials::NamesOnDate(const CivilDate& date) const {
    if (indexed_) {
        const int32_t slot = SlotOf(DaysFromCivil(date));
        if (slot == kNoSlot) return std::string();
        return slot >= 0 ? items_[slot].Name : joined_[-slot - 1];
    }
    std::string result;
    for (const TMemorial& item : items_) {
        if (ParseDateText(item.Date) == date) {
            if (!result.empty()) result += kPilcrow;
            result += item.Name;
        }
    }
    return result;
}

const TMemorial* TMemorials::AppliesTo(const CivilDate& date) const {
    for (const TMemorial& item : items_) {
        DateParts parts{};
        if (!TryPartsOf(item.Date, parts)) continue;
        if (parts.month == date.Month && parts.day == date.Day &&
            (parts.year == 0 || parts.year == date.Year)) {
            return &item;
        }
    }
    return nullptr;
}

void TMemorials::BuildDateIndex() {
    std::vector<int64_t> days;
    days.reserve(items_.size());
    for (const TMemorial& item : items_) days.push_back(DaysFromCivil(ParseDateText(item.Date)));
    BuildDateIndex(days);
}

void TMemorials::BuildDateIndex(std::span<const int64_t> dayOfEntry) {
    if (dayOfEntry.size() != items_.size()) return BuildDateIndex();
    // A flat sorted table: the old-calendar lists hold tens of thousands of days, one node each
    // in a hash map cost more to build than the file takes to read.
    std::vector<IndexedDay> days;
    days.reserve(dayOfEntry.size());
    for (size_t i = 0; i < dayOfEntry.size(); ++i) {
        days.push_back({dayOfEntry[i], static_cast<int32_t>(i)});
    }
    const auto byDay = [](const IndexedDay& a, const IndexedDay& b) { return a.day < b.day; };
    if (!std::is_sorted(days.begin(), days.end(), byDay)) {
        std::stable_sort(days.begin(), days.end(), byDay);
    }
    std::vector<IndexedDay> index;
    std::vector<std::string> joined;
    index.reserve(days.size());
    for (size_t i = 0; i < days.size();) {
        size_t next = i + 1;
        while (next < days.size() && days[next].day == days[i].day) ++next;
        if (next == i + 1) {
            index.push_back(days[i]);
        } else {
            std::string names;
            for (size_t k = i; k < next; ++k) {
                if (!names.empty()) names += kPilcrow;
                names += items_[days[k].slot].Name;
            }
            joined.push_back(std::move(names));
            index.push_back({days[i].day, -static_cast<int32_t>(joined.size())});
        }
        i = next;
    }
    index_ = std::move(index);
    joined_ = std::move(joined);
    dense_.clear();
    if (!index_.empty()) {
        const int64_t span = index_.back().day - index_.front().day + 1;
        if (span <= 2 * static_cast<int64_t>(index_.size()) + 64) {
            dense_.assign(static_cast<size_t>(span), kNoSlot);
            for (const IndexedDay& d : index_) dense_[d.day - index_.front().day] = d.slot;
        }
    }
    indexed_ = true;
}

int32_t TMemorials::SlotOf(int64_t day) const {
    if (!dense_.empty()) {
        const int64_t at = day - index_.front().day;
        return at >= 0 && at < static_cast<int64_t>(dense_.size()) ? dense_[at] : kNoSlot;
    }
    const auto it = std::lower_bound(index_.begin(), index_.end(), day,
                                     [](const IndexedDay& a, int64_t d) { return a.day < d; });
    return it == index_.end() || it->day != day ? kNoSlot : it->slot;
}

}  // namespace orv
