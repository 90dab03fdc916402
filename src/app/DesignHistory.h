#pragma once
// Undo and redo over whole designs. Every change of the design reaches the window through one
// path; there the history compares the design with the one it last saw and records the pair as a
// step. Steps therefore need no code of their own in the tabs or dialogs that make the change.
// Changes that arrive in one pass of the event loop are one step; typing in one field (until the
// field is left) and dragging one slider (until it is let go) are one step too.
#include <QObject>
#include <QPointer>
#include <QUndoStack>
#include <functional>

#include "model/DataUnit.h"

class QWidget;

namespace orv {

inline constexpr int kUndoSteps = 200;

// Whether two records would be written as the same settings file (every key and list, including
// those added later, without a comparison of their own).
bool SameDesign(const TData& a, const TData& b);

class DesignHistory : public QObject {
    Q_OBJECT
  public:
    // `take` reads the design the window shows; `show` puts a record back on screen.
    DesignHistory(std::function<TData()> take, std::function<void(const TData&)> show,
                  QObject* parent = nullptr);

    // Forgets every step; the design on screen is the new starting point. Changes are recorded
    // only after the first call.
    void Reset();
    // The design may have changed; it is compared once the event loop runs again.
    void DesignChanged();
    // Records a pending change now (before an undo, a save or an open).
    void Flush();
    // Ends a typing or dragging step: what follows is a step of its own.
    void Break() { continuing_ = nullptr; }
    // Typing in a line edit and dragging a slider under `root` continue one step.
    void WatchControls(QWidget* root);

    void Undo();
    void Redo();
    // Whether the design differs from the one last saved or opened.
    bool Modified() const { return !stack_.isClean(); }
    void MarkSaved();
    QUndoStack& Stack() { return stack_; }

  signals:
    void ModifiedChanged(bool modified);

  private:
    friend class DesignStep;
    void Record();
    void ShowRecord(const TData& record);
    void FocusChanged(QWidget* old);

    std::function<TData()> take_;
    std::function<void(const TData&)> show_;
    QUndoStack stack_;
    TData current_;
    bool started_ = false;
    bool pending_ = false;
    bool showing_ = false;
    // The control whose typing or dragging is one step so far, and whether it has been left.
    QPointer<QObject> continuing_;
    bool leaving_ = false;
    // Whether typing or dragging happened since the last comparison.
    bool moved_ = false;
};

}  // namespace orv
