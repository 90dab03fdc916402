#pragma once
#include <cstdio>
#include <string>

#include "model/MessageSink.h"

namespace orv::cli {

// Writes every message to standard error as "kind: text" and remembers whether an error came.
class StderrSink : public MessageSink {
public:
    void Report(MessageKind kind, const std::string& text) override;
    bool SawError() const { return sawError_; }

private:
    bool sawError_ = false;
};

}  // namespace orv::cli
