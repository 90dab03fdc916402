#pragma once
// Where code below the window reports what the user must see. The window shows a modal box with
// the kind's icon and one OK button, the command line writes to standard error, tests record.
#include <string>

namespace orv {

enum class MessageKind { Error, Warning, Information };

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void Report(MessageKind kind, const std::string& text) = 0;
};

// The form of every error box: a fixed heading, CR LF, then the error's own text.
std::string WithHeading(const std::string& heading, const std::string& detail);

// Swallows everything; for callers that have nowhere to show a message.
class NullMessageSink : public MessageSink {
public:
    void Report(MessageKind, const std::string&) override {}
};

}  // namespace orv
