#include "model/OldCalendar.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/AlmanacData.h"
#include "model/AtomicFile.h"
#include "model/CivilDate.h"
#include "model/Codec.h"
#include "model/Errors.h"
#include "model/HeldMessages.h"
#include "model/IniFile.h"
#include "model/VB.h"

namespace orv {

namespace {

const char* const kLoadError = "旧暦ﾃﾞｰﾀﾛｰﾄﾞｴﾗｰ";

// The file is read as raw code page 932 bytes. The bytes that steer the reading (line ends,
// blanks, "=", '"', ",") are never the second byte of a double-byte character, so the lines and
// fields cut from the bytes are those the decoded text would give; only "[" and "]" can be, and
// section lines are decoded before they are looked at.

std::string_view Trimmed(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

// Whether `s` holds any byte of `set` (a few bytes; faster than find_first_of on short texts).
bool HasAnyOf(std::string_view s, std::string_view set) {
    for (char x : s) {
        for (char c : set) {
            if (x == c) return true;
        }
    }
    return false;
}

bool IsAscii(std::string_view s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

std::string Decoded(std::string_view bytes) {
    return IsAscii(bytes) ? std::string(bytes) : Cp932ToUtf8(bytes);
}

// The data file holds few distinct names (six rokuyo, 24 terms): each is decoded once.
class NameCache {
  public:
    const std::string& Decode(std::string_view bytes) {
        // The rokuyo come round in turn: the one after the last is the likely one.
        for (size_t tries = 0, i = last_ + 1; tries < names_.size(); ++tries, ++i) {
            if (i >= names_.size()) i = 0;
            if (names_[i].first == bytes) {
                last_ = i;
                return names_[i].second;
            }
        }
        if (names_.size() >= kLimit) {
            spare_ = Decoded(bytes);
            return spare_;
        }
        names_.emplace_back(std::string(bytes), Decoded(bytes));
        last_ = names_.size() - 1;
        return names_.back().second;
    }

  private:
    static constexpr size_t kLimit = 64;
    std::vector<std::pair<std::string, std::string>> names_;
    size_t last_ = 0;
    std::string spare_;
};

// The month of the last date read: the next one in the same month costs no calendar arithmetic.
struct LastMonth {
    int year = 0;
    int month = 0;
    int64_t firstDay = 0;  // day number of its first day
};

// The lines of one section taken so far, by day, to tell a line repeated; a name is its text, or
// for the lines a load of a few days passes over, only its hash.
template <typename Name>
struct TakenLines {
    std::vector<int64_t> days;           // the day of each line taken, in the file's order
    bool ascending = true;               // the days so far do not go down, as in a generated file
    std::unordered_set<int64_t> daySet;  // every day, once they are not ascending
    std::unordered_map<int64_t, std::vector<Name>> namesOfRepeatedDays;
};

struct SectionReading {
    TMemorials* list = nullptr;
    const std::vector<int64_t>* onlyDays = nullptr;  // null: every entry is kept
    bool seen = false;                 // its first header has come; later ones are skipped
    std::optional<std::string> error;  // why a bad date stopped it
    TakenLines<std::string> kept;      // its days are those of the list's entries, for the index
    // The lines of days not kept, read only so that their repeats are told as in a whole load.
    TakenLines<size_t> others;
    std::vector<size_t> otherNames;
    LastMonth lastMonth;
    // Held back, so that they come out in the order of the sections asked for, and not at all for
    // a section that an earlier bad date keeps from being read.
    HeldMessages messages;
    size_t repeated = 0;  // lines left out as repeats
    std::string firstRepeated;
};

// Whether a line of `day` named `name` is new to `taken`; `nameOf(i)` is the name of the i-th line
// taken. A date may carry several names, joined (a solar term and a 雑節), but a line repeated,
// or a date repeated beyond a day's share, is left out: a damaged file repeating one date
// thousands of times does not join thousands of names.
template <typename Name, typename NameOf>
bool IsNewLine(TakenLines<Name>& taken, int64_t day, const Name& name, NameOf nameOf) {
    constexpr size_t kMostNamesOnADay = 8;
    std::vector<int64_t>& days = taken.days;
    // While the days do not go down, a repeat can only be of the last day.
    if (taken.ascending && (days.empty() || day > days.back())) return true;
    if (taken.ascending && day < days.back()) {
        taken.ascending = false;
        taken.daySet.insert(days.begin(), days.end());
    }
    if (!taken.ascending && taken.daySet.insert(day).second) return true;
    std::vector<Name>& names = taken.namesOfRepeatedDays[day];
    if (names.empty()) {
        for (size_t i = 0; i < days.size(); ++i) {
            if (days[i] == day) names.push_back(nameOf(i));
        }
    }
    if (names.size() < kMostNamesOnADay &&
        std::find(names.begin(), names.end(), name) == names.end()) {
        names.push_back(name);
        return true;
    }
    return false;
}

void CountRepeat(SectionReading& section, std::string_view date) {
    if (section.repeated++ == 0) section.firstRepeated = date;
}

// Whether a line of a kept `day` is taken into the list; a repeat is counted.
bool TakesLine(SectionReading& section, int64_t day, std::string_view date,
               const std::string& name) {
    if (IsNewLine(section.kept, day, name,
                  [&](size_t i) { return section.list->Items(static_cast<int>(i)).Name; })) {
        return true;
    }
    CountRepeat(section, date);
    return false;
}

// A line of a day not kept: only its repeat is counted.
void PassLine(SectionReading& section, int64_t day, std::string_view date,
              const std::string& name) {
    const size_t hash = std::hash<std::string>{}(name);
    if (IsNewLine(section.others, day, hash, [&](size_t i) { return section.otherNames[i]; })) {
        section.others.days.push_back(day);
        section.otherNames.push_back(hash);
    } else {
        CountRepeat(section, date);
    }
}

// The date and value of a line that holds quotes or a second "=", cut as the platform's field
// splitter cuts "key=value" with quote handling on.
bool SplitQuotedLine(const std::string& key, const std::string& value, std::string& date,
                     std::string& name) {
    const std::vector<std::string> fields = Split(key + "=" + value, "=", true, 2);
    if (fields.size() < 2) return false;
    date = fields[0];
    name = fields[1];
    return true;
}

// The day number of a date "y/m/d" of digits alone, read as TryParseDateText reads it; false for
// any other text, which goes the long way.
bool PlainDay(std::string_view text, int64_t& day, LastMonth& last) {
    int parts[3] = {0, 0, 0};
    size_t i = 0;
    for (int part = 0; part < 3; ++part) {
        const size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 5) {
            parts[part] = parts[part] * 10 + (text[i] - '0');
            ++i;
        }
        if (i == start) return false;
        if (part < 2) {
            if (i >= text.size() || text[i] != '/') return false;
            ++i;
        }
    }
    if (i != text.size() || !IsValidDate(parts[0], parts[1], parts[2])) return false;
    if (parts[0] != last.year || parts[1] != last.month) {
        last = {parts[0], parts[1], DaysFromCivil({parts[0], parts[1], 1})};
    }
    day = last.firstDay + parts[2] - 1;
    return true;
}

// The conversion error's text when `date` is not a valid date.
std::optional<std::string> BadDate(std::string_view date) {
    if (TryParseDateText(date)) return std::nullopt;
    try {
        ParseDateText(date);
    } catch (const ConversionError& e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

bool Kept(const SectionReading& section, int64_t day) {
    return section.onlyDays == nullptr ||
           std::binary_search(section.onlyDays->begin(), section.onlyDays->end(), day);
}

// Adds the entry of the line `key`=`value` (raw bytes, trimmed) to the section; records a bad
// date instead.
void ReadLine(std::string_view key, std::string_view value, SectionReading& section,
              NameCache& names) {
    // Nearly every line: a date of digits and a bare name.
    bool bare = !value.empty();
    for (char c : value) bare = bare && c != '"' && c != '=' && c != ',';
    int64_t day = 0;
    if (bare && PlainDay(key, day, section.lastMonth)) {
        std::string name = names.Decode(value);
        if (!Kept(section, day)) {
            PassLine(section, day, key, name);
            return;
        }
        if (!TakesLine(section, day, key, name)) return;
        TMemorial& item = section.list->Add();
        item.Date = key;
        item.Name = std::move(name);
        section.kept.days.push_back(day);
        return;
    }
    const bool quoted = HasAnyOf(key, "\"") || HasAnyOf(value, "\"=");
    std::string date = Decoded(key);
    std::string text = Decoded(value);
    if (quoted) {
        std::string wholeDate, wholeText;
        if (!SplitQuotedLine(date, text, wholeDate, wholeText)) return;
        date = std::move(wholeDate);
        text = std::move(wholeText);
    }
    if ((section.error = BadDate(date))) return;
    day = DaysFromCivil(ParseDateText(date));
    if (!Kept(section, day)) {
        TMemorial dropped;  // read all the same, for the messages its value gives
        dropped.SetProperty(text, section.messages);
        PassLine(section, day, date, dropped.Name);
        return;
    }
    TMemorial read;
    read.SetProperty(text, section.messages);
    if (!TakesLine(section, day, date, read.Name)) return;
    TMemorial& item = section.list->Add();
    section.kept.days.push_back(day);
    read.Date = std::move(date);
    item = std::move(read);
}

// The name of a "[name]" line, as the settings-file reader takes it.
std::string SectionName(std::string_view line) {
    const std::string text = Decoded(line);
    const std::string_view view(text);
    const size_t close = view.find(']');
    return std::string(
        Trimmed(view.substr(1, close == std::string_view::npos ? close : close - 1)));
}

}  // namespace

namespace {

// The file's bytes; nothing for a missing file (not reported) or one that cannot be read.
std::optional<std::string> DataFileBytes(const std::string& path, MessageSink& sink) {
    // Only a path that names nothing is a missing file; a folder, a FIFO or a device is said.
    struct stat st {};
    if (path.empty() || stat(path.c_str(), &st) != 0) return std::nullopt;
    try {
        return ReadWholeFile(path, kMaxOldCalendarFileBytes);
    } catch (const std::exception& e) {
        sink.Report(MessageKind::Error, WithHeading(kLoadError, e.what()));
        return std::nullopt;
    }
}

bool ReadSections(const std::string& bytes, std::span<const OldCalendarSection> sections,
                  MessageSink& sink, const std::vector<int64_t>* onlyDays) {
    std::vector<SectionReading> reading(sections.size());
    for (size_t i = 0; i < sections.size(); ++i) {
        reading[i].list = sections[i].list;
        reading[i].onlyDays = onlyDays;
        reading[i].list->Clear();
    }

    NameCache names;
    SectionReading* current = nullptr;
    const char* pos = bytes.data();
    const char* const end = pos + bytes.size();
    while (pos < end) {
        // The first CR or LF: memchr for LF, then for a CR before it (CR alone ends a line too).
        const char* lineEnd = static_cast<const char*>(std::memchr(pos, '\n', end - pos));
        if (lineEnd == nullptr) lineEnd = end;
        if (const void* cr = std::memchr(pos, '\r', lineEnd - pos)) {
            lineEnd = static_cast<const char*>(cr);
        }
        const std::string_view line = Trimmed(std::string_view(pos, lineEnd - pos));
        pos = lineEnd;
        if (pos < end) pos += (*pos == '\r' && pos + 1 < end && pos[1] == '\n') ? 2 : 1;
        if (line.empty()) continue;
        if (line.front() == '[') {
            const std::string name = SectionName(line);
            current = nullptr;
            for (size_t i = 0; i < sections.size(); ++i) {
                if (!IniFile::SameName(name, sections[i].name)) continue;
                if (!reading[i].seen) current = &reading[i];
                reading[i].seen = true;
                break;
            }
            continue;
        }
        if (current == nullptr || current->error) continue;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;  // not an entry
        ReadLine(Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)), *current,
                 names);
    }

    bool complete = true;
    for (SectionReading& section : reading) {
        if (!complete) {
            section.list->Clear();
            section.kept.days.clear();
            continue;
        }
        section.messages.PassOn(sink);
        if (section.repeated > 0) {
            const size_t i = static_cast<size_t>(&section - reading.data());
            sink.Report(MessageKind::Warning,
                        "旧暦データの [" + std::string(sections[i].name) + "] に同じ日付の行が " +
                            std::to_string(section.repeated) + " 行あります（最初は " +
                            section.firstRepeated + "）。くり返しは読み込みませんでした。");
        }
        if (section.error) {
            sink.Report(MessageKind::Error, WithHeading(kLoadError, *section.error));
            complete = false;
        }
    }
    for (SectionReading& section : reading) section.list->BuildDateIndex(section.kept.days);
    return complete;
}

}  // namespace

bool LoadOldCalendarSections(const std::string& path, std::span<const OldCalendarSection> sections,
                             MessageSink& sink, const std::vector<int64_t>* onlyDays) {
    const std::optional<std::string> bytes = DataFileBytes(path, sink);
    return bytes && ReadSections(*bytes, sections, sink, onlyDays);
}

bool LoadOldCalendarFile(const std::string& path, TMemorials& rokuyoList, TMemorials& solarTermList,
                         AlmanacData& almanac, MessageSink& sink,
                         const std::vector<int64_t>* onlyDays) {
    almanac.Clear();
    const std::optional<std::string> bytes = DataFileBytes(path, sink);
    if (!bytes) return false;
    const OldCalendarSection sections[] = {{kRokuyoSection, &rokuyoList},
                                           {kSolarTermSection, &solarTermList}};
    const bool complete = ReadSections(*bytes, sections, sink, onlyDays);
    almanac.Read(*bytes);
    return complete;
}

bool LoadOldCalendarData(const std::string& path, TMemorials& rokuyoList, TMemorials& solarTermList,
                         MessageSink& sink) {
    const OldCalendarSection sections[] = {{kRokuyoSection, &rokuyoList},
                                           {kSolarTermSection, &solarTermList}};
    return LoadOldCalendarSections(path, sections, sink);
}

}  // namespace orv
