// orvalinden-cli: the headless front end over the same model, renderer and driver as the window.
#include <cstdio>
#include <cstring>

#include "cli/Commands.h"
#include "cli/StderrSink.h"

namespace orv::cli {

namespace {

const Command kCommands[] = {
    {"resave", "IN.sav OUT.sav", "load a design and save it again", RunResave},
    {"holidays", "FROM_YEAR TO_YEAR", "list the national holidays of those years", RunHolidays},
    {"day", "[--oldcal FILE] YYYY-MM-DD...",
     "holiday, era, rokuyo, solar terms, old-calendar date, seasonal days and moon phase of each\n"
     "      date (old-calendar data from FILE or its usual place)",
     RunDay},
    {"oldcal", "FROM_YEAR TO_YEAR [-o FILE]",
     "compute the rokuyo, the 24 solar terms, the old-calendar dates, the seasonal days and the\n"
     "      moon phases of the years (1800..2200) and write them as an\n"
     "      old-calendar data file; FILE defaults to 旧暦.ini in the current folder, - is\n"
     "      standard output",
     RunOldcal},
    {"export",
     "DESIGN.sav OUT.png|OUT.bmp|OUT.pdf [--dpi N] [--year Y --month M] [--months C]\n"
     "      [--oldcal FILE]",
     "draw a design as the window's image export (PNG, BMP) or its printing into a PDF file\n"
     "      would; N defaults to the design's last export resolution (300 when it has none);\n"
     "      with C months (1..120) from the design's month or Y/M, a PDF has a page per month\n"
     "      and pictures are OUT-YYYY-MM.png (or .bmp), one per month",
     RunExport},
    {"print", "DESIGN.sav [--printer NAME] [--year Y --month M] [--months C] [--oldcal FILE]",
     "print a design as the window prints it, to the printer NAME or the default one; with C\n"
     "      months, one job of a page per month",
     RunPrint},
};

void PrintHelp(std::FILE* out) {
    std::fprintf(out, "Usage: orvalinden-cli COMMAND [ARGUMENTS]\n\nCommands:\n");
    for (const Command& command : kCommands) {
        std::fprintf(out, "  %s %s\n      %s\n", command.name, command.usage, command.summary);
    }
    std::fprintf(out, "  --help\n      show this help\n");
}

}  // namespace

const Command* FindCommand(const std::string& name) {
    for (const Command& command : kCommands) {
        if (name == command.name) return &command;
    }
    return nullptr;
}

int UsageError(const Command& command) {
    std::fprintf(stderr, "usage: orvalinden-cli %s %s\n", command.name, command.usage);
    return 2;
}

}  // namespace orv::cli

int main(int argc, char** argv) {
    using namespace orv::cli;
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintHelp(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    const Command* command = FindCommand(argv[1]);
    if (command == nullptr) {
        std::fprintf(stderr, "orvalinden-cli: unknown command '%s' (see --help)\n", argv[1]);
        return 2;
    }
    StderrSink sink;
    return command->run(Arguments(argv + 2, argv + argc), sink);
}
