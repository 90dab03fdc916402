#pragma once
// Shows each message as a modal box with the kind's icon and one OK button.
#include "model/MessageSink.h"

class QWidget;

namespace orv {

class DialogMessageSink : public MessageSink {
  public:
    explicit DialogMessageSink(QWidget* parent) : parent_(parent) {}
    void Report(MessageKind kind, const std::string& text) override;

  private:
    QWidget* parent_;
};

}  // namespace orv
