#include "OldCalendar.h"

#include <exception>
#include <vector>

#include "AtomicFile.h"
#include "CivilDate.h"
#include "Errors.h"
#include "IniFile.h"
#include "VB.h"

namespace orv {

namespace {

const char* const kLoadError = "旧暦ﾃﾞｰﾀﾛｰﾄﾞｴﾗｰ";

// The date and value of one line as the platform's field splitter cuts "key=value" (quote
// handling on). Most lines hold neither quotes nor a second "=", and skip the splitter.
bool SplitLine(const IniFile::Entry& entry, std::string& date, std::string& value) {
    if (!entry.HasEquals) return false;
    const bool plain = entry.Key.find('"') == std::string::npos &&
                       entry.Value.find_first_of("\"=") == std::string::npos;
    if (plain) {
        date = entry.Key;
        value = entry.Value;
        return true;
    }
    const std::vector<std::string> fields = Split(entry.Key + "=" + entry.Value, "=", true, 2);
    if (fields.size() < 2) return false;
    date = fields[0];
    value = fields[1];
    return true;
}

// Throws ConversionError at the first line whose date is not a valid date.
void ReadSection(const IniFile& ini, const char* section, TMemorials& list, MessageSink& sink) {
    std::string date;
    std::string value;
    for (const IniFile::Entry& entry : ini.SectionEntries(section)) {
        if (!SplitLine(entry, date, value)) continue;
        ParseDateText(date);
        TMemorial& item = list.Add();
        item.Date = date;
        item.SetProperty(value, sink);
    }
}

}  // namespace

bool LoadOldCalendarData(const std::string& path, TMemorials& rokuyoList, TMemorials& solarTermList,
                         MessageSink& sink) {
    if (!FileExists(path)) return false;
    IniFile ini;
    try {
        ini = IniFile::Load(path);
    } catch (const std::exception& e) {
        sink.Report(MessageKind::Error, WithHeading(kLoadError, e.what()));
        return false;
    }
    rokuyoList.Clear();
    solarTermList.Clear();
    bool complete = true;
    try {
        ReadSection(ini, kRokuyoSection, rokuyoList, sink);
        ReadSection(ini, kSolarTermSection, solarTermList, sink);
    } catch (const ConversionError& e) {
        sink.Report(MessageKind::Error, WithHeading(kLoadError, e.what()));
        complete = false;
    }
    rokuyoList.BuildDateIndex();
    solarTermList.BuildDateIndex();
    return complete;
}

}  // namespace orv
