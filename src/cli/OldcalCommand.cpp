#include <cstdio>
#include <stdexcept>

#include "cli/Commands.h"
#include "model/LunisolarCalendar.h"
#include "model/OldCalendarWriter.h"
#include "model/ProgramPaths.h"

namespace orv::cli {

namespace {

bool ParseYear(const std::string& text, int& year) {
    if (text.empty() || text.size() > 4) return false;
    year = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        year = year * 10 + (c - '0');
    }
    return true;
}

}  // namespace

int RunOldcal(const Arguments& args, MessageSink& sink) {
    const Command& command = *FindCommand("oldcal");
    std::string output = kOldCalendarFileName;
    std::vector<std::string> years;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 == args.size()) return UsageError(command);
            output = args[++i];
        } else {
            years.push_back(args[i]);
        }
    }
    int first = 0;
    int last = 0;
    if (years.size() != 2 || !ParseYear(years[0], first) || !ParseYear(years[1], last)) {
        return UsageError(command);
    }
    if (first < kOldCalendarFirstYear || last > kOldCalendarLastYear || first > last) {
        std::fprintf(stderr,
                     "orvalinden-cli oldcal: 年は %d から %d までで、はじめの年を終わりの年より"
                     "後にはできません\n",
                     kOldCalendarFirstYear, kOldCalendarLastYear);
        return 2;
    }
    try {
        if (output == "-") {
            const std::string bytes = OldCalendarFileBytes(LunisolarCalendar(first, last));
            if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
                std::fflush(stdout) != 0) {
                throw std::runtime_error("標準出力に書けませんでした");
            }
            return 0;
        }
        WriteOldCalendarFile(output, first, last);
    } catch (const std::exception& e) {
        sink.Report(MessageKind::Error, WithHeading("ﾌｧｲﾙ保存ｴﾗｰ", e.what()));
        return 1;
    }
    return 0;
}

}  // namespace orv::cli
