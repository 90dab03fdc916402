#include "app/AutoSaver.h"

#include <QLineEdit>
#include <QWidget>

namespace orv {

namespace {

// Passes messages on only while `pass` holds.
class GateSink : public MessageSink {
  public:
    GateSink(MessageSink& target, bool pass) : target_(target), pass_(pass) {}
    void Report(MessageKind kind, const std::string& text) override {
        if (pass_) target_.Report(kind, text);
    }

  private:
    MessageSink& target_;
    bool pass_;
};

}  // namespace

AutoSaver::AutoSaver(SaveFunction save, SinkFunction sink, BusyFunction busy, int delayMs,
                     QObject* parent)
    : QObject(parent), save_(std::move(save)), sink_(std::move(sink)), busy_(std::move(busy)) {
    timer_.setSingleShot(true);
    timer_.setInterval(delayMs);
    connect(&timer_, &QTimer::timeout, this, &AutoSaver::Save);
}

void AutoSaver::DesignChanged() {
    if (armed_) timer_.start();
}

void AutoSaver::WatchTyping(QWidget* root) {
    for (QLineEdit* edit : root->findChildren<QLineEdit*>()) {
        connect(edit, &QLineEdit::textEdited, this, &AutoSaver::DesignChanged);
    }
}

void AutoSaver::Save() {
    if (busy_()) {
        timer_.start();
        return;
    }
    GateSink sink(sink_(), !failing_);
    failing_ = !save_(sink);
}

}  // namespace orv
