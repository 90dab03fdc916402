// orvalinden-cli export and print run in a program of its own beside this one: only they need Qt and the
// fonts, and without them linked in, every other command starts as fast as a plain program.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "cli/Commands.h"
#include "model/ProgramPaths.h"

namespace orv::cli {

namespace {

// Replaces this process by the export program running `name` with the same arguments; returns
// only when that program cannot be started.
int RunInExportProgram(const char* name, const Arguments& args, MessageSink& sink) {
    std::string program = ExecutableFolder() + kExportProgramName;
    std::string command = name;
    std::vector<std::string> copies(args);
    std::vector<char*> argv{program.data(), command.data()};
    for (std::string& arg : copies) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::fflush(nullptr);
    execv(program.c_str(), argv.data());
    sink.Report(MessageKind::Error, program + ": " + std::strerror(errno));
    return 1;
}

}  // namespace

int RunExport(const Arguments& args, MessageSink& sink) {
    return RunInExportProgram("export", args, sink);
}

int RunPrint(const Arguments& args, MessageSink& sink) {
    return RunInExportProgram("print", args, sink);
}

}  // namespace orv::cli
