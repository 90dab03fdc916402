#pragma once
// A MessageSink for tests: records what is reported, and fails the test for any message that the
// test did not take and check.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/MessageSink.h"

namespace orv::test {

struct Message {
    MessageKind kind;
    std::string text;
};

class RecordingSink : public MessageSink {
public:
    ~RecordingSink() override {
        for (const Message& m : messages_) ADD_FAILURE() << "unexpected message: " << m.text;
    }
    void Report(MessageKind kind, const std::string& text) override { messages_.push_back({kind, text}); }

    // What was reported since the last Take, in order; the sink forgets it.
    std::vector<Message> Take() { return std::exchange(messages_, {}); }

private:
    std::vector<Message> messages_;
};

}  // namespace orv::test
