#include "model/IniFile.h"

#include <unistd.h>
#include <cerrno>
#include <unordered_map>
#include <utility>

#include "model/Codec.h"
#include "model/Errors.h"
#include "model/Utf8.h"
#include "model/VB.h"

namespace orv {

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Folded(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = Lower(c);
    return out;
}

// Names the place of a text that cannot be written, in one short line: "[Section] key", or the
// section alone for its name.
void CheckWritable(std::string_view text, std::string_view section, std::string_view key = {}) {
    if (text.find_first_of("\r\n") != std::string_view::npos) {
        throw EncodingError("「" + std::string(text) + "」には改行が含まれているため保存できません");
    }
    if (IsCp932Encodable(text)) return;
    std::string character;
    for (size_t i = 0; i < text.size(); i += Utf8CharLength(text, i)) {
        character = std::string(text.substr(i, Utf8CharLength(text, i)));
        if (!IsCp932Encodable(character)) break;
    }
    std::string place = "[" + std::string(section) + "]";
    if (!key.empty()) place += " " + std::string(key);
    throw EncodingError(place + " の「" + character + "」は Shift_JIS で保存できない文字です");
}

const std::vector<IniFile::Entry> kNoEntries;

// As Trim, without a copy.
std::string_view TrimmedView(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

// Walks the lines of an INI text: onSection(name) for a "[name]" line, onEntry(key, value,
// hasEquals) for any other line that is not blank, trimmed as the file's readers expect.
template <typename OnSection, typename OnEntry>
void ForEachLine(std::string_view text, OnSection onSection, OnEntry onEntry) {
    const char* const end = text.data() + text.size();
    const char* pos = text.data();
    while (pos < end) {
        // Data files run to tens of thousands of lines: scan bytes, not a set of line ends.
        const char* lineEnd = pos;
        while (lineEnd < end && *lineEnd != '\r' && *lineEnd != '\n') ++lineEnd;
        const std::string_view line = TrimmedView(std::string_view(pos, lineEnd - pos));
        pos = lineEnd;
        if (pos < end) pos += (*pos == '\r' && pos + 1 < end && pos[1] == '\n') ? 2 : 1;
        if (line.empty()) continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            onSection(
                TrimmedView(line.substr(1, close == std::string_view::npos ? close : close - 1)));
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            onEntry(line, std::string_view(), false);
        } else {
            onEntry(TrimmedView(line.substr(0, equals)), TrimmedView(line.substr(equals + 1)),
                    true);
        }
    }
}

}  // namespace

bool IniFile::SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

IniFile IniFile::Parse(std::string_view text) {
    // Two passes: count each section's lines, then fill entries reserved to size, since moving
    // tens of thousands of entries as a vector grows costs more than the parse itself.
    std::vector<size_t> counts;
    ForEachLine(
        text, [&](std::string_view) { counts.push_back(0); },
        [&](std::string_view, std::string_view, bool) {
            if (!counts.empty()) ++counts.back();
        });

    IniFile ini;
    ini.sections_.reserve(counts.size());
    ForEachLine(
        text,
        [&](std::string_view name) {
            ini.sections_.push_back({std::string(name), {}, {}, 0});
            ini.sections_.back().Entries.reserve(counts[ini.sections_.size() - 1]);
        },
        [&](std::string_view key, std::string_view value, bool hasEquals) {
            if (ini.sections_.empty()) return;
            ini.sections_.back().Entries.push_back(
                {std::string(key), std::string(value), hasEquals});
        });
    return ini;
}

IniFile IniFile::Load(const std::string& path) {
    // Nothing at all reads as empty; a folder or other non-file at the path is an error.
    if (access(path.c_str(), F_OK) != 0 && errno == ENOENT) return {};
    return Parse(Cp932ToUtf8(ReadWholeFile(path, kMaxFileBytes)));
}

std::string IniFile::Serialize() const {
    std::string out;
    for (const Section& section : sections_) {
        out += "[" + section.Name + "]\r\n";
        for (const Entry& entry : section.Entries) {
            out += entry.Key;
            if (entry.HasEquals) out += "=" + entry.Value;
            out += "\r\n";
        }
    }
    return out;
}

void IniFile::Save(const std::string& path, const WriteChunkFunction& writeChunk) const {
    for (const Section& section : sections_) {
        CheckWritable(section.Name, section.Name);
        for (const Entry& entry : section.Entries) {
            CheckWritable(entry.Key, section.Name, entry.Key);
            CheckWritable(entry.Value, section.Name, entry.Key);
        }
    }
    WriteFileAtomically(path, Utf8ToCp932(Serialize()), writeChunk);
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
    for (const Section& section : sections_) {
        if (SameName(section.Name, name)) return &section;
    }
    return nullptr;
}

IniFile::Section* IniFile::FindSection(std::string_view name) {
    return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

std::optional<std::string> IniFile::ReadString(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    if (s == nullptr) return std::nullopt;
    for (const Entry& entry : s->Entries) {
        if (entry.HasEquals && SameName(entry.Key, key)) return entry.Value;
    }
    return std::nullopt;
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const {
    const auto text = ReadString(section, key);
    int32_t value = 0;
    if (text && TryStrToInt(*text, value)) return value;
    return defaultValue;
}

bool IniFile::HasSection(std::string_view section) const { return FindSection(section) != nullptr; }

std::vector<std::string> IniFile::ReadSectionValues(std::string_view section) const {
    std::vector<std::string> lines;
    const Section* s = FindSection(section);
    if (s == nullptr) return lines;
    std::unordered_map<std::string, const std::string*> firstValue;
    lines.reserve(s->Entries.size());
    for (const Entry& entry : s->Entries) {
        if (!entry.HasEquals) {
            lines.push_back(entry.Key);
            continue;
        }
        auto [it, inserted] = firstValue.try_emplace(Folded(entry.Key), &entry.Value);
        lines.push_back(entry.Key + "=" + *it->second);
    }
    return lines;
}

const std::vector<IniFile::Entry>& IniFile::SectionEntries(std::string_view section) const {
    const Section* s = FindSection(section);
    return s ? s->Entries : kNoEntries;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    Section* s = FindSection(section);
    if (s == nullptr) {
        sections_.push_back({std::string(section), {}, {}, 0});
        s = &sections_.back();
    }
    for (; s->Indexed < s->Entries.size(); ++s->Indexed) {
        const Entry& entry = s->Entries[s->Indexed];
        if (entry.HasEquals) s->FirstOfKey.try_emplace(Folded(entry.Key), s->Indexed);
    }
    const auto [it, added] = s->FirstOfKey.try_emplace(Folded(key), s->Entries.size());
    if (!added) {
        s->Entries[it->second].Value = std::string(value);
        return;
    }
    s->Entries.push_back({std::string(key), std::string(value), true});
    ++s->Indexed;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int64_t value) {
    WriteString(section, key, std::to_string(value));
}

}  // namespace orv
