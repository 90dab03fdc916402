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
    void Report(MessageKind kind, const std::string& text) override {
        if (allowCoarse_ && IsCoarsePictureWarning(text)) return;
        messages_.push_back({kind, text});
    }
    // For a test whose pictures are small on purpose: the warning that they print coarsely is
    // dropped.
    void AllowCoarsePictures() { allowCoarse_ = true; }
    static bool IsCoarsePictureWarning(const std::string& text) {
        return text.starts_with("画像「") && text.find(" dpi 未満のため") != std::string::npos;
    }

    // What was reported since the last Take, in order; the sink forgets it.
    std::vector<Message> Take() { return std::exchange(messages_, {}); }

  private:
    std::vector<Message> messages_;
    bool allowCoarse_ = false;
};

}  // namespace orv::test
