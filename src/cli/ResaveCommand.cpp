#include <unistd.h>
#include <cerrno>

#include "cli/Commands.h"
#include "model/AtomicFile.h"
#include "model/DataUnit.h"

namespace orv::cli {

bool LoadExistingDesign(const std::string& path, TData& data, MessageSink& sink) {
    // A missing design would read as the default one and be written over with it.
    if (access(path.c_str(), F_OK) != 0) {
        sink.Report(MessageKind::Error,
                    WithHeading("ﾃﾞｰﾀﾌｧｲﾙﾛｰﾄﾞｴﾗｰ", path + ": " + SystemErrorText(errno)));
        return false;
    }
    if (!data.LoadFromFile(path, sink)) return false;
    CheckLoadedFile(data, sink);
    return true;
}

int RunResave(const Arguments& args, MessageSink& sink) {
    if (args.size() != 2) return UsageError(*FindCommand("resave"));
    TData data;
    if (!LoadExistingDesign(args[0], data, sink)) return 1;
    return data.SaveToFile(args[1], sink) ? 0 : 1;
}

}  // namespace orv::cli
