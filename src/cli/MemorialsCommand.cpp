#include <cstdio>
#include <optional>

#include "cli/Commands.h"
#include "model/AtomicFile.h"
#include "model/DataUnit.h"
#include "model/Errors.h"
#include "model/ICalendarDates.h"
#include "model/MemorialImport.h"

namespace orv::cli {

namespace {

bool ParseYears(const std::string& text, ImportYears& years) {
    int first = 0, last = 0;
    char rest = 0;
    const int n = std::sscanf(text.c_str(), "%d-%d%c", &first, &last, &rest);
    if (n == 1) last = first;
    if ((n != 1 && n != 2) || first < 1 || last > 9999 || first > last) return false;
    years = {first, last};
    return true;
}

bool ParseClash(const std::string& text, ClashRule& clash) {
    if (text == "keep")
        clash = ClashRule::Keep;
    else if (text == "replace")
        clash = ClashRule::Replace;
    else if (text == "join")
        clash = ClashRule::Join;
    else
        return false;
    return true;
}

}  // namespace

int RunImportMemorials(const Arguments& args, MessageSink& sink) {
    const Command& command = *FindCommand("import-memorials");
    if (args.size() < 2) return UsageError(command);
    std::optional<ImportYears> years;
    ClashRule clash = ClashRule::Keep;
    for (size_t i = 2; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) return UsageError(command);
        ImportYears asked;
        if (args[i] == "--years" && ParseYears(args[i + 1], asked)) {
            years = asked;
        } else if (args[i] != "--clash" || !ParseClash(args[i + 1], clash)) {
            std::fprintf(stderr, "orvalinden-cli: %s %s は使えません\n", args[i].c_str(),
                         args[i + 1].c_str());
            return UsageError(command);
        }
    }
    TData data;
    if (!LoadExistingDesign(args[0], data, sink)) return 1;
    if (!years) years = YearsOfDesign(data);
    ImportedDays read;
    try {
        read = ReadDatesFile(args[1], *years);
    } catch (const std::exception& e) {
        sink.Report(MessageKind::Error, e.what());
        return 1;
    }
    for (const std::string& note : read.Notes) sink.Report(MessageKind::Warning, note);
    for (const ImportedDay& day : read.Days) {
        if (!day.GivenName.empty()) {
            sink.Report(MessageKind::Warning, "「" + day.GivenName + "」は「" + day.Name +
                                                  "」として取り込みます（Shift_JIS で保存できない"
                                                  "文字は 〓 に、区切りの記号は全角にしました）");
        }
    }
    if (read.OutsideYears > 0) {
        std::printf("%d〜%d 年の外の予定 %d 件は取り込みません（--years で年を選べます）。\n",
                    years->First, years->Last, read.OutsideYears);
    }
    const MergeCount count = MergeMemorials(data.Memorials, read.Days, {}, clash);
    std::printf("%s\n", MergeSummary(count).c_str());
    if (std::fflush(stdout) != 0) return 1;
    return data.SaveToFile(args[0], sink) ? 0 : 1;
}

int RunExportMemorials(const Arguments& args, MessageSink& sink) {
    if (args.size() != 2) return UsageError(*FindCommand("export-memorials"));
    TData data;
    if (!LoadExistingDesign(args[0], data, sink)) return 1;
    int skipped = 0;
    const std::string calendar = WriteICalendar(data.Memorials, data.Year, &skipped);
    if (skipped > 0) {
        sink.Report(MessageKind::Warning,
                    std::to_string(skipped) + " 件の記念日は日付ではないため書き出しません。");
    }
    try {
        WriteFileAtomically(args[1], calendar);
    } catch (const std::exception& e) {
        sink.Report(MessageKind::Error, WithHeading("ﾌｧｲﾙ保存ｴﾗｰ", args[1] + ": " + e.what()));
        return 1;
    }
    std::printf("記念日 %d 件を %s に書き出しました。\n", data.Memorials.Count() - skipped,
                args[1].c_str());
    return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace orv::cli
