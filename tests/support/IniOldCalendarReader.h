#pragma once
// The old-calendar data file read the long way, through the settings-file reader: the whole file
// decoded, every line kept, one section after the other. The fast reader must answer as it does.
#include <algorithm>
#include <exception>
#include <map>
#include <string>
#include <vector>

#include "model/AtomicFile.h"
#include "model/CivilDate.h"
#include "model/Errors.h"
#include "model/IniFile.h"
#include "model/Memorials.h"
#include "model/MessageSink.h"
#include "model/VB.h"

namespace orv::test {

inline bool LoadOldCalendarThroughIniFile(
    const std::string& path, const std::vector<std::pair<const char*, TMemorials*>>& sections,
    MessageSink& sink) {
    const char* const heading = "旧暦ﾃﾞｰﾀﾛｰﾄﾞｴﾗｰ";
    if (!FileExists(path)) return false;
    IniFile ini;
    try {
        ini = IniFile::Load(path);
    } catch (const std::exception& e) {
        sink.Report(MessageKind::Error, WithHeading(heading, e.what()));
        return false;
    }
    for (const auto& section : sections) section.second->Clear();
    bool complete = true;
    // A line repeated, or a date beyond eight names, is left out and counted for one warning.
    size_t repeated = 0;
    std::string firstRepeated;
    const char* sectionName = "";
    const auto warnOfRepeats = [&] {
        if (repeated == 0) return;
        sink.Report(MessageKind::Warning, "旧暦データの [" + std::string(sectionName) +
                                              "] に同じ日付の行が " + std::to_string(repeated) +
                                              " 行あります（最初は " + firstRepeated +
                                              "）。くり返しは読み込みませんでした。");
    };
    try {
        for (const auto& [name, list] : sections) {
            sectionName = name;
            repeated = 0;
            std::map<int64_t, std::vector<std::string>> namesOfDay;
            for (const IniFile::Entry& entry : ini.SectionEntries(name)) {
                if (!entry.HasEquals) continue;
                std::string date = entry.Key;
                std::string value = entry.Value;
                if (entry.Key.find('"') != std::string::npos ||
                    entry.Value.find_first_of("\"=") != std::string::npos) {
                    const auto fields = Split(entry.Key + "=" + entry.Value, "=", true, 2);
                    if (fields.size() < 2) continue;
                    date = fields[0];
                    value = fields[1];
                }
                const int64_t day = DaysFromCivil(ParseDateText(date));
                TMemorial read;
                read.SetProperty(value, sink);
                std::vector<std::string>& names = namesOfDay[day];
                if (names.size() >= 8 ||
                    std::find(names.begin(), names.end(), read.Name) != names.end()) {
                    if (repeated++ == 0) firstRepeated = date;
                    continue;
                }
                names.push_back(read.Name);
                TMemorial& item = list->Add();
                item = std::move(read);
                item.Date = date;
            }
            warnOfRepeats();
        }
    } catch (const ConversionError& e) {
        warnOfRepeats();
        sink.Report(MessageKind::Error, WithHeading(heading, e.what()));
        complete = false;
    }
    for (const auto& section : sections) section.second->BuildDateIndex();
    return complete;
}

}  // namespace orv::test
