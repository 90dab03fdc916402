#include "Memorials.h"

#include <exception>

#include "VB.h"

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
    item.Key = "key" + IntToStr(nextKeyNumber_++);
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
        const auto it = index_.find(DaysFromCivil(date));
        return it == index_.end() ? std::string() : it->second;
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
    std::unordered_map<int64_t, std::string> index;
    index.reserve(items_.size());
    for (const TMemorial& item : items_) {
        std::string& names = index[DaysFromCivil(ParseDateText(item.Date))];
        if (!names.empty()) names += kPilcrow;
        names += item.Name;
    }
    index_ = std::move(index);
    indexed_ = true;
}

}  // namespace orv
