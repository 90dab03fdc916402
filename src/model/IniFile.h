#pragma once
// A private-profile (INI) file of our own, with the rules the settings and data files rely on:
// section and key names compare without regard to case; a key written into an existing section
// goes after its last key; writing an existing key replaces its value; lines come back in file
// order; blank lines are ignored; CR LF, LF and CR all end a line; values are trimmed.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/AtomicFile.h"

namespace orv {

class IniFile {
public:
    // Larger files are refused unread: no settings or data file comes near it.
    static constexpr uint64_t kMaxFileBytes = 64ull << 20;

    struct Entry {
        std::string Key;
        std::string Value;
        bool HasEquals = true;  // false for a line without "=" (its text is the key)
    };

    // Whether two section or key names are the same, ASCII letters compared without regard to case.
    static bool SameName(std::string_view a, std::string_view b);

    // Text is UTF-8.
    static IniFile Parse(std::string_view text);
    // Reads a code page 932 file. A file that does not exist reads as empty; any other failure,
    // a path that is no regular file and a file over kMaxFileBytes raise IoError.
    static IniFile Load(const std::string& path);

    // The file's text: CR LF line ends, sections in order, no blank lines.
    std::string Serialize() const;
    // Writes the file in code page 932, atomically. EncodingError for a text code page 932 cannot
    // hold or one that contains a line break; IoError with the reason for a failed write.
    void Save(const std::string& path, const WriteChunkFunction& writeChunk = {}) const;

    std::optional<std::string> ReadString(std::string_view section, std::string_view key) const;
    // The value parsed as decimal, "$hex" or "0xhex"; the default when missing or unparsable.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;
    bool HasSection(std::string_view section) const;
    // The lines of a section in file order as "key=value" texts; a key that occurs twice gives
    // the value of its first occurrence both times. Lines without "=" come back as they stand.
    std::vector<std::string> ReadSectionValues(std::string_view section) const;
    // The raw entries of a section in file order (empty when the section does not exist).
    const std::vector<Entry>& SectionEntries(std::string_view section) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int64_t value);

private:
    struct Section {
        std::string Name;
        std::vector<Entry> Entries;
        // Folded key -> index of its first entry, for the first `Indexed` entries (entries are
        // only ever appended), so that writing a whole file stays linear.
        std::unordered_map<std::string, size_t> FirstOfKey;
        size_t Indexed = 0;
    };
    const Section* FindSection(std::string_view name) const;
    Section* FindSection(std::string_view name);

    std::vector<Section> sections_;
};

}  // namespace orv
