#pragma once
// Messages kept back, to be passed on later in the order that the user should read them.
#include <string>
#include <utility>
#include <vector>

#include "model/MessageSink.h"

namespace orv {

class HeldMessages : public MessageSink {
  public:
    void Report(MessageKind kind, const std::string& text) override {
        messages_.emplace_back(kind, text);
    }
    void PassOn(MessageSink& sink) const {
        for (const auto& [kind, text] : messages_) sink.Report(kind, text);
    }

  private:
    std::vector<std::pair<MessageKind, std::string>> messages_;
};

}  // namespace orv
