#pragma once
// The subcommands of orvalinden-cli. Each takes the arguments after its name, reports through the
// sink and returns the process exit status.
#include <string>
#include <vector>

#include "model/DataUnit.h"
#include "model/MessageSink.h"

namespace orv::cli {

using Arguments = std::vector<std::string>;

struct Command {
    const char* name;
    const char* usage;  // arguments, e.g. "IN.sav OUT.sav"
    const char* summary;
    int (*run)(const Arguments& args, MessageSink& sink);
};

int RunResave(const Arguments& args, MessageSink& sink);
int RunHolidays(const Arguments& args, MessageSink& sink);
int RunDay(const Arguments& args, MessageSink& sink);
int RunOldcal(const Arguments& args, MessageSink& sink);
int RunImportMemorials(const Arguments& args, MessageSink& sink);
int RunExportMemorials(const Arguments& args, MessageSink& sink);
// orvalinden-cli's own hands the whole command to the export program beside it.
int RunExport(const Arguments& args, MessageSink& sink);
int RunPrint(const Arguments& args, MessageSink& sink);

// The program that runs `export` with Qt; it takes every command orvalinden-cli takes.
inline constexpr const char* kExportProgramName = "orvalinden-cli-export";

// Loads the design at `path`, which must exist (a missing one would read as the default design
// and be saved over); false, reported, when it cannot.
bool LoadExistingDesign(const std::string& path, TData& data, MessageSink& sink);

// Reports a wrong command line and returns the exit status for it.
int UsageError(const Command& command);
const Command* FindCommand(const std::string& name);

}  // namespace orv::cli
