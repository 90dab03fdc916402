#pragma once
// Writes the design on screen to the auto-save file a moment after the last change, so that a
// killed program or a power cut loses at most that moment of editing, not the session. The write
// is atomic like every save: the file holds the previous design or the new one, never half.
#include <QObject>
#include <QTimer>
#include <functional>

#include "model/MessageSink.h"

class QWidget;

namespace orv {

inline constexpr int kAutoSaveDelayMs = 2000;

class AutoSaver : public QObject {
    Q_OBJECT
  public:
    // Writes the design and reports a failure through the sink it is handed; false on failure.
    using SaveFunction = std::function<bool(MessageSink& sink)>;
    // Where failures are reported (looked up at each save, since the window's sink can change).
    using SinkFunction = std::function<MessageSink&()>;
    // Whether a save must wait (a design is being pushed into the controls).
    using BusyFunction = std::function<bool()>;

    AutoSaver(SaveFunction save, SinkFunction sink, BusyFunction busy,
              int delayMs = kAutoSaveDelayMs, QObject* parent = nullptr);

    // Changes count from now on. Before it (while the window starts and restores the last
    // design) nothing is written, so a file that could not be restored is not replaced unasked.
    void Arm() { armed_ = true; }
    // Starts the countdown again; the save follows `delayMs` after the last change.
    void DesignChanged();
    // Typing in any line edit under `root` is a change, even before the edit is left.
    void WatchTyping(QWidget* root);
    // Drops a pending save (the window writes the file itself when it closes).
    void Cancel() { timer_.stop(); }
    bool Pending() const { return timer_.isActive(); }

  private:
    void Save();

    SaveFunction save_;
    SinkFunction sink_;
    BusyFunction busy_;
    QTimer timer_;
    bool armed_ = false;
    // A save that keeps failing (a full disk) is reported once, not after every edit.
    bool failing_ = false;
};

}  // namespace orv
