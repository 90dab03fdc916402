#include <unistd.h>
#include <cerrno>

#include "cli/Commands.h"
#include "model/AtomicFile.h"
#include "model/DataUnit.h"

namespace orv::cli {

int RunResave(const Arguments& args, MessageSink& sink) {
    if (args.size() != 2) return UsageError(*FindCommand("resave"));
    // A missing design would read as the default one and overwrite OUT with it.
    if (access(args[0].c_str(), F_OK) != 0) {
        sink.Report(MessageKind::Error,
                    WithHeading("ﾃﾞｰﾀﾌｧｲﾙﾛｰﾄﾞｴﾗｰ", args[0] + ": " + SystemErrorText(errno)));
        return 1;
    }
    TData data;
    if (!data.LoadFromFile(args[0], sink)) return 1;
    CheckLoadedFile(data, sink);
    return data.SaveToFile(args[1], sink) ? 0 : 1;
}

}  // namespace orv::cli
