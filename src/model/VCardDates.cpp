#include "model/VCardDates.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <tuple>

#include "model/CivilDate.h"
#include "model/Codec.h"

namespace orv {

namespace {

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

struct Property {
    std::string group;                          // "item1" of "item1.X-ABDATE"
    std::string name;                           // upper case
    std::map<std::string, std::string> params;  // upper-case names; a bare 2.1 type is TYPE
    std::string value;                          // decoded and unescaped
};

std::string DecodeQuotedPrintable(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '=' && i + 2 < text.size() &&
            std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string Unescape(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[++i];
            out += next == 'n' || next == 'N' ? '\n' : next;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The logical lines: folded lines joined, and a quoted-printable value's soft breaks ("=" at the
// end of a line) too.
std::vector<std::string> LogicalLines(std::string_view text) {
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const bool folded = !line.empty() && (line[0] == ' ' || line[0] == '\t');
        if (folded && !lines.empty()) {
            lines.back() += line.substr(1);
        } else if (!lines.empty() && !lines.back().empty() && lines.back().back() == '=' &&
                   Upper(lines.back()).find("QUOTED-PRINTABLE") != std::string::npos &&
                   lines.back().find(':') != std::string::npos) {
            lines.back().pop_back();
            lines.back() += line;
        } else {
            lines.emplace_back(line);
        }
    }
    return lines;
}

std::optional<Property> Parse(const std::string& line) {
    // The colon that ends the name and parameters is the first outside a quoted parameter.
    size_t colon = std::string::npos;
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon == std::string::npos) return std::nullopt;
    Property p;
    const std::string head = line.substr(0, colon);
    size_t at = head.find(';');
    std::string name = head.substr(0, at);
    if (const size_t dot = name.find('.'); dot != std::string::npos) {
        p.group = Upper(name.substr(0, dot));
        name = name.substr(dot + 1);
    }
    p.name = Upper(Trim(name));
    while (at != std::string::npos) {
        const size_t next = head.find(';', at + 1);
        const std::string param =
            head.substr(at + 1, next == std::string::npos ? next : next - at - 1);
        const size_t eq = param.find('=');
        if (eq == std::string::npos) {
            p.params["TYPE"] = Upper(param);
        } else {
            std::string value = param.substr(eq + 1);
            value.erase(std::remove(value.begin(), value.end(), '"'), value.end());
            p.params[Upper(Trim(param.substr(0, eq)))] = value;
        }
        at = next;
    }
    std::string value = line.substr(colon + 1);
    const auto param = [&](const char* key) {
        const auto it = p.params.find(key);
        return it == p.params.end() ? std::string() : Upper(it->second);
    };
    if (param("ENCODING") == "QUOTED-PRINTABLE") {
        value = DecodeQuotedPrintable(value);
        const std::string charset = param("CHARSET");
        value = charset == "SHIFT_JIS" || charset == "SJIS" || charset == "CP932" ||
                        charset == "WINDOWS-31J"
                    ? Cp932ToUtf8(value)
                    : Utf8OrCp932ToUtf8(value);
    }
    p.value = Unescape(value);
    return p;
}

// 1985-04-12, 19850412, --0412, --04-12, and any of them with a time after "T".
std::optional<CivilDate> DateOf(std::string_view value, bool omitYear) {
    std::string digits;
    value = Trim(value.substr(0, value.find('T')));
    const bool noYear = value.substr(0, 2) == "--";
    for (const char c : value) {
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits += c;
        } else if (c != '-') {
            return std::nullopt;
        }
    }
    CivilDate d;
    if (noYear && digits.size() == 4) {
        d = {2000, std::stoi(digits.substr(0, 2)), std::stoi(digits.substr(2, 2))};
    } else if (!noYear && digits.size() == 8) {
        d = {std::stoi(digits.substr(0, 4)), std::stoi(digits.substr(4, 2)),
             std::stoi(digits.substr(6, 2))};
        if (omitYear) d.Year = 2000;
    } else {
        return std::nullopt;
    }
    // A day without its year is checked in a leap year: 29 February is a birthday too.
    if (d.Year < 1 || !IsValidDate(d.Year, d.Month, d.Day)) return std::nullopt;
    return d;
}

struct Card {
    std::string formatted, structured;
    std::vector<std::pair<Property, std::string>> dates;  // with what the day is called
    std::map<std::string, std::string> labels;            // X-ABLABEL by group
};

std::string PersonOf(const Card& card) {
    std::string name(Trim(card.formatted));
    if (!name.empty()) return name;
    // N: family;given;... in the order a Japanese name is said.
    std::string family, given;
    const size_t semi = card.structured.find(';');
    family = Trim(card.structured.substr(0, semi));
    if (semi != std::string::npos) {
        given =
            Trim(card.structured.substr(semi + 1, card.structured.find(';', semi + 1) - semi - 1));
    }
    return family.empty() || given.empty() ? family + given : family + " " + given;
}

// What an Apple date label calls the day: 「記念日」 for its anniversary and other stock labels.
std::string LabelName(const std::string& label) {
    if (label.empty() || label.find("_$!<") != std::string::npos) return "記念日";
    return label;
}

void AddCard(const Card& card, ImportedDays& result) {
    const std::string person = PersonOf(card);
    for (const auto& [p, kind] : card.dates) {
        std::string what = kind;
        if (what.empty()) {
            const auto label = card.labels.find(p.group);
            what = LabelName(label == card.labels.end() ? std::string() : label->second);
        }
        const bool omitYear = p.params.count("X-APPLE-OMIT-YEAR") != 0;
        const std::string given = person.empty() ? what : person + " " + what;
        const std::optional<CivilDate> d = DateOf(p.value, omitYear);
        if (!d) {
            result.Notes.push_back("「" + given + "」の日付「" + p.value +
                                   "」は日付として読めないため取り込みません。");
            continue;
        }
        ImportedDay day;
        day.Month = d->Month;
        day.Day = d->Day;
        day.Name = DesignName(given);
        if (day.Name != given) day.GivenName = given;
        result.Days.push_back(std::move(day));
    }
}

}  // namespace

ImportedDays ReadVCards(std::string_view text) {
    ImportedDays result;
    std::optional<Card> card;
    for (const std::string& line : LogicalLines(text)) {
        const std::optional<Property> p = Parse(line);
        if (!p) continue;
        const std::string value = Upper(Trim(p->value));
        if (p->name == "BEGIN" && value == "VCARD") {
            card.emplace();
        } else if (p->name == "END" && value == "VCARD") {
            if (card) AddCard(*card, result);
            card.reset();
        } else if (!card) {
            continue;
        } else if (p->name == "FN") {
            card->formatted = p->value;
        } else if (p->name == "N") {
            card->structured = p->value;
        } else if (p->name == "BDAY") {
            card->dates.emplace_back(*p, "誕生日");
        } else if (p->name == "ANNIVERSARY" || p->name == "X-ANNIVERSARY") {
            card->dates.emplace_back(*p, "記念日");
        } else if (p->name == "X-ABDATE") {
            card->dates.emplace_back(*p, "");
        } else if (p->name == "X-ABLABEL") {
            card->labels[p->group] = p->value;
        }
    }
    std::stable_sort(result.Days.begin(), result.Days.end(),
                     [](const ImportedDay& a, const ImportedDay& b) {
                         return std::tie(a.Month, a.Day) < std::tie(b.Month, b.Day);
                     });
    return result;
}

}  // namespace orv
