#pragma once
// The old-calendar data file read the long way, through the settings-file reader: the whole file
// decoded, every line kept, one section after the other. The fast reader must answer as it does.
#include <exception>
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

inline bool LoadOldCalendarThroughIniFile(const std::string& path,
                                          const std::vector<std::pair<const char*, TMemorials*>>& sections,
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
    try {
        for (const auto& [name, list] : sections) {
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
                ParseDateText(date);
                TMemorial& item = list->Add();
                item.Date = date;
                item.SetProperty(value, sink);
            }
        }
    } catch (const ConversionError& e) {
        sink.Report(MessageKind::Error, WithHeading(heading, e.what()));
        complete = false;
    }
    for (const auto& section : sections) section.second->BuildDateIndex();
    return complete;
}

}  // namespace orv::test
