#include "cli/StderrSink.h"

namespace orv::cli {

void StderrSink::Report(MessageKind kind, const std::string& text) {
    const char* name = kind == MessageKind::Error     ? "error"
                       : kind == MessageKind::Warning ? "warning"
                                                      : "information";
    if (kind == MessageKind::Error) sawError_ = true;
    // A heading's line break becomes ": "; one after a sentence, a space.
    std::string oneLine = text;
    for (size_t p = oneLine.find("\r\n"); p != std::string::npos; p = oneLine.find("\r\n", p)) {
        const bool afterSentence = p >= 3 && oneLine.compare(p - 3, 3, "。") == 0;
        oneLine.replace(p, 2, afterSentence ? " " : ": ");
    }
    std::fprintf(stderr, "%s: %s\n", name, oneLine.c_str());
}

}  // namespace orv::cli
