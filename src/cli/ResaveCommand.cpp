#include "Commands.h"
#include "DataUnit.h"

namespace orv::cli {

int RunResave(const Arguments& args, MessageSink& sink) {
    if (args.size() != 2) return UsageError(*FindCommand("resave"));
    TData data;
    if (!data.LoadFromFile(args[0], sink)) return 1;
    CheckLoadedFile(data, sink);
    return data.SaveToFile(args[1], sink) ? 0 : 1;
}

}  // namespace orv::cli
