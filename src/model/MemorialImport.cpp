#include "model/MemorialImport.h"

#include <cctype>
#include <set>

#include "model/AtomicFile.h"
#include "model/Codec.h"
#include "model/Errors.h"
#include "model/ICalendarDates.h"
#include "model/Utf8.h"
#include "model/VB.h"
#include "model/VCardDates.h"

namespace orv {

namespace {

// Calendars and address books of a lifetime stay far below this; a bigger file is no such file.
constexpr uint64_t kMostBytes = 64u << 20;
constexpr std::string_view kCalendarStart = "BEGIN:VCALENDAR";
constexpr std::string_view kCardStart = "BEGIN:VCARD";
constexpr const char* kNeither = "iCalendar（.ics）でも vCard（.vcf）でもありません";

std::string Padded(int value, int width) {
    std::string text = std::to_string(value);
    return std::string(text.size() < static_cast<size_t>(width) ? width - text.size() : 0, '0') +
           text;
}

bool Holds(std::string_view text, std::string_view word) {
    for (size_t i = 0; i + word.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < word.size() &&
               std::toupper(static_cast<unsigned char>(text[i + k])) == word[k]) {
            ++k;
        }
        if (k == word.size()) return true;
    }
    return false;
}

// Whether `name` (itself perhaps of several lines) stands in `names` as whole lines.
bool HasName(const std::string& names, const std::string& name) {
    return ("¶" + names + "¶").find("¶" + name + "¶") != std::string::npos;
}

}  // namespace

std::string ImportedDay::DateText() const {
    return Padded(Year, 4) + "/" + Padded(Month, 2) + "/" + Padded(Day, 2);
}

std::string DesignName(std::string_view name) {
    std::string out;
    for (size_t i = 0; i < name.size();) {
        const size_t length = Utf8CharLength(name, i);
        const std::string_view c = name.substr(i, length);
        i += length;
        if (c == "\n") {
            out += "¶";
        } else if (c == ",") {
            out += "，";
        } else if (c == "=") {
            out += "＝";
        } else if (c == "\"") {
            out += "＂";
        } else if (c == "\t") {
            out += " ";
        } else if (static_cast<unsigned char>(c[0]) < 0x20 || c[0] == 0x7F) {
            // Other control characters (a carriage return, a NUL) have no place in a name.
        } else if (!IsCp932Encodable(c) || Utf8Decode(c, 0) == U'\uFFFD') {
            out += "〓";
        } else {
            out += c;
        }
    }
    return out;
}

ImportYears YearsOfDesign(const TData& design) {
    return {design.Year, design.Month > 1 ? design.Year + 1 : design.Year};
}

ImportedDays ReadDates(std::string_view bytes, ImportYears years) {
    const std::string text = Utf8OrCp932ToUtf8(bytes);
    if (Holds(text, kCalendarStart)) return ReadICalendar(text, years);
    if (Holds(text, kCardStart)) return ReadVCards(text);
    throw Error(kNeither);
}

std::string ReadDatesFileBytes(const std::string& path) {
    try {
        std::string bytes = ReadWholeFile(path, kMostBytes);
        const std::string text = Utf8OrCp932ToUtf8(bytes);
        if (!Holds(text, kCalendarStart) && !Holds(text, kCardStart)) throw Error(kNeither);
        return bytes;
    } catch (const Error& e) {
        throw Error(path + ": " + e.what());
    }
}

ImportedDays ReadDatesFile(const std::string& path, ImportYears years) {
    const std::string bytes = ReadDatesFileBytes(path);
    try {
        return ReadDates(bytes, years);
    } catch (const Error& e) {
        throw Error(path + ": " + e.what());
    }
}

MergeCount MergeMemorials(TMemorials& list, const std::vector<ImportedDay>& days,
                          const ImportColors& colors, ClashRule clash) {
    MergeCount count;
    // The entries this import made or changed: a second day on their date joins them.
    std::set<const TMemorial*> touched;
    for (const ImportedDay& day : days) {
        const std::string date = day.DateText();
        TMemorial* entry = list.FindByDate(date);
        const auto setColors = [&](TMemorial& m) {
            m.DayColor = day.HasColors ? day.DayColor : colors.DayColor;
            m.FontColor = day.HasColors ? day.FontColor : colors.FontColor;
            m.BackColor = day.HasColors ? day.BackColor : colors.BackColor;
        };
        if (entry == nullptr) {
            TMemorial& added = list.Add();
            added.Date = date;
            added.Name = day.Name;
            setColors(added);
            touched.insert(&added);
            ++count.Added;
        } else if (HasName(entry->Name, day.Name)) {
            ++count.Kept;
        } else if (touched.count(entry) != 0 || clash == ClashRule::Join) {
            entry->Name += "¶" + day.Name;
            touched.insert(entry);
            ++count.Joined;
        } else if (clash == ClashRule::Replace) {
            entry->Name = day.Name;
            setColors(*entry);
            touched.insert(entry);
            ++count.Replaced;
        } else {
            ++count.Kept;
        }
    }
    return count;
}

std::string MergeSummary(const MergeCount& count) {
    std::vector<std::string> parts;
    if (count.Added > 0) parts.push_back(std::to_string(count.Added) + " 件追加し");
    if (count.Replaced > 0) parts.push_back(std::to_string(count.Replaced) + " 件置き換え");
    if (count.Joined > 0) parts.push_back(std::to_string(count.Joined) + " 件を ¶ でつなぎ");
    std::string text = "記念日を";
    if (parts.empty()) {
        text += "追加しませんでした";
    } else {
        for (size_t i = 0; i < parts.size(); ++i) text += (i == 0 ? " " : "、") + parts[i];
        text += "ました";
    }
    if (count.Kept > 0) {
        text +=
            "（" + std::to_string(count.Kept) + " 件は同じ日にすでにあるため取り込みませんでした）";
    }
    return text + "。";
}

}  // namespace orv
