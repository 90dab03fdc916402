#pragma once
#include <string>

#include "model/MessageSink.h"

namespace orv::cli {

// Passes messages on and remembers whether an error came.
class NotingSink : public MessageSink {
public:
    explicit NotingSink(MessageSink& target) : target_(target) {}
    void Report(MessageKind kind, const std::string& text) override {
        if (kind == MessageKind::Error) sawError_ = true;
        target_.Report(kind, text);
    }
    bool SawError() const { return sawError_; }

private:
    MessageSink& target_;
    bool sawError_ = false;
};

}  // namespace orv::cli
