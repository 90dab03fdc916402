#include "model/DataCreation.h"

#include <algorithm>
#include <exception>

#include "model/AtomicFile.h"
#include "model/CivilDate.h"
#include "model/Codec.h"
#include "model/Errors.h"
#include "model/VB.h"

namespace orv {

namespace {

using AddRowFunction = std::function<void(DataRow)>;
// Reads one year's source lines and adds its rows; throws to stop the run.
using YearReader =
    std::function<void(const std::string& path, const std::vector<std::string>& lines, int year,
                       const AddRowFunction& addRow)>;

struct RunKind {
    const char* subfolder;
    std::string (*sourceName)(int year);
    const char* resultName;
    const char* header;
    YearReader readYear;
};

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string TwoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// Lines as a text list reads them: CR LF, LF and CR end a line; each line trimmed.
std::vector<std::string> SourceLines(std::string_view bytes) {
    const std::string text = Cp932ToUtf8(bytes);
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        lines.push_back(Trim(std::string_view(text).substr(pos, end - pos)));
        pos = end;
        if (pos < text.size())
            pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
    }
    return lines;
}

void ReadRokuyoYear(const std::string& path, const std::vector<std::string>& lines, int year,
                    const AddRowFunction& addRow) {
    int day = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (day == 0) {
            if (line == "start:") day = 1;
            continue;
        }
        if (line.empty() || line.front() == '<') continue;
        int slash = 0;
        for (int month = 1; month <= 12; ++month) {
            if (day > DaysInMonth(year, month)) continue;
            slash = InStrFrom(slash + 1, line, "/");
            if (slash == 0) {
                throw Error(path + ": " + std::to_string(i + 1) + " 行目に " +
                            std::to_string(month) + " 月の「/」がありません");
            }
            addRow({std::to_string(year) + "/" + TwoDigits(month) + "/" + TwoDigits(day),
                    Mid(line, slash + 4, 2)});
        }
        ++day;
    }
}

void ReadSolarTermYear(const std::string&, const std::vector<std::string>& lines, int year,
                       const AddRowFunction& addRow) {
    static const char* const kCellTags[] = {
        "<tr align=\"center\">", "<th>", "<td>", "</tr>", "</th>", "</td>"};
    bool inTable = false;
    for (std::string line : lines) {
        if (!inTable) {
            if (InStr(line, "～") == 0) continue;
            inTable = true;
        }
        if (line.empty()) continue;
        if (line == "</table>") break;
        for (const char* tag : kCellTags) line = ReplaceText(line, tag, "");
        const int slash = InStr(line, "/");
        if (slash == 0) continue;
        DataRow row{std::to_string(year) + "/" + Mid(line, slash - 2, 5), Left(line, slash - 3)};
        // A date the data file's reader would refuse stops the run here instead.
        ParseDateText(row.Date);
        addRow(std::move(row));
    }
}

const RunKind kRokuyoRun{"六曜", [](int year) { return std::to_string(year) + ".txt"; }, "六曜.ini",
                         "[Rokuyo]", ReadRokuyoYear};

const RunKind kSolarTermRun{"二十四節気",
                            [](int year) { return "24sk" + std::to_string(year) + ".htm"; },
                            "二十四節気.ini", "[二十四節気]", ReadSolarTermYear};

DataCreationResult Run(const RunKind& kind, const std::string& folder, MessageSink& sink,
                       const DataCreationCallbacks& callbacks) {
    const std::string sourceFolder = Join(folder, kind.subfolder);
    DataCreationResult result;
    result.ResultPath = Join(sourceFolder, kind.resultName);
    const AddRowFunction addRow = [&](DataRow row) {
        if (callbacks.RowAdded) callbacks.RowAdded(row);
        result.Rows.push_back(std::move(row));
    };
    // The list shows its rows sorted by date text; equal dates keep their order.
    const auto sortRows = [&] {
        std::stable_sort(result.Rows.begin(), result.Rows.end(),
                         [](const DataRow& a, const DataRow& b) { return a.Date < b.Date; });
    };
    try {
        for (int year = kDataCreationFirstYear; year <= kDataCreationLastYear; ++year) {
            if (callbacks.YearStarted) callbacks.YearStarted(year);
            const std::string path = Join(sourceFolder, kind.sourceName(year));
            kind.readYear(path, SourceLines(ReadWholeFile(path)), year, addRow);
        }
        sortRows();
        std::string text = std::string(kind.header) + "\r\n";
        for (const DataRow& row : result.Rows) text += row.Date + "=" + row.Name + "\r\n";
        WriteFileAtomically(result.ResultPath, Utf8ToCp932(text));
        result.Written = true;
    } catch (const std::exception& e) {
        sortRows();
        sink.Report(MessageKind::Error, WithHeading("ｴﾗｰ", e.what()));
    }
    return result;
}

std::vector<DataRow> ReadSource(const YearReader& readYear, std::string_view bytes, int year,
                                const std::string& sourceName) {
    std::vector<DataRow> rows;
    readYear(sourceName, SourceLines(bytes), year,
             [&](DataRow row) { rows.push_back(std::move(row)); });
    return rows;
}

}  // namespace

DataCreationResult CreateRokuyoData(const std::string& folder, MessageSink& sink,
                                    const DataCreationCallbacks& callbacks) {
    return Run(kRokuyoRun, folder, sink, callbacks);
}

DataCreationResult CreateSolarTermData(const std::string& folder, MessageSink& sink,
                                       const DataCreationCallbacks& callbacks) {
    return Run(kSolarTermRun, folder, sink, callbacks);
}

std::vector<DataRow> ReadRokuyoSource(std::string_view bytes, int year,
                                      const std::string& sourceName) {
    return ReadSource(ReadRokuyoYear, bytes, year, sourceName);
}

std::vector<DataRow> ReadSolarTermSource(std::string_view bytes, int year,
                                         const std::string& sourceName) {
    return ReadSource(ReadSolarTermYear, bytes, year, sourceName);
}

}  // namespace orv
