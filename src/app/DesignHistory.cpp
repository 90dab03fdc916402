#include "app/DesignHistory.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

#include "app/StepNames.h"
#include "model/SettingsKeys.h"

namespace orv {

bool SameDesign(const TData& a, const TData& b) {
    return SettingsText(a) == SettingsText(b);
}

class DesignStep : public QUndoCommand {
  public:
    DesignStep(DesignHistory& history, TData before, TData after, QObject* source)
        : history_(history), before_(std::move(before)), after_(std::move(after)), source_(source) {
        Name();
    }

    int id() const override { return source_ != nullptr ? 1 : -1; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const DesignStep*>(other);
        if (source_ == nullptr || next->source_ != source_ || closed_) return false;
        after_ = next->after_;
        closed_ = next->closed_;
        Name();
        // Typing back to where the field started leaves no step behind.
        setObsolete(SameDesign(before_, after_));
        return true;
    }
    void undo() override { history_.ShowRecord(before_); }
    void redo() override {
        // The change is on screen already when the step is pushed.
        if (first_) {
            first_ = false;
            return;
        }
        history_.ShowRecord(after_);
    }
    void Close() { closed_ = true; }

  private:
    // The 編集 menu says what the step undoes.
    void Name() { setText(QString::fromStdString(StepName(before_, after_))); }

    DesignHistory& history_;
    TData before_;
    TData after_;
    QPointer<QObject> source_;
    bool first_ = true;
    bool closed_ = false;
};

DesignHistory::DesignHistory(std::function<TData()> take, std::function<void(const TData&)> show,
                             QObject* parent)
    : QObject(parent), take_(std::move(take)), show_(std::move(show)) {
    stack_.setUndoLimit(kUndoSteps);
    connect(&stack_, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit ModifiedChanged(!clean); });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* old, QWidget*) { FocusChanged(old); });
}

void DesignHistory::Reset() {
    stack_.clear();
    current_ = take_();
    started_ = true;
    pending_ = false;
    continuing_ = nullptr;
    stack_.setClean();
}

void DesignHistory::DesignChanged() {
    if (!started_ || showing_ || pending_) return;
    pending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (pending_) Record();
    });
}

void DesignHistory::Flush() {
    if (started_ && !showing_) Record();
}

void DesignHistory::WatchControls(QWidget* root) {
    for (QLineEdit* edit : root->findChildren<QLineEdit*>()) {
        connect(edit, &QLineEdit::textEdited, this, [this, edit] {
            continuing_ = edit;
            leaving_ = false;
            moved_ = true;
            DesignChanged();
        });
    }
    for (QAbstractSlider* slider : root->findChildren<QAbstractSlider*>()) {
        connect(slider, &QAbstractSlider::sliderPressed, this, [this, slider] {
            Flush();
            continuing_ = slider;
            leaving_ = false;
        });
        connect(slider, &QAbstractSlider::sliderMoved, this, [this] { moved_ = true; });
        connect(slider, &QAbstractSlider::sliderReleased, this, [this] {
            leaving_ = true;
            DesignChanged();
        });
    }
}

void DesignHistory::FocusChanged(QWidget* old) {
    // What leaving the field sets off (a size typed by hand drops the named size) still belongs
    // to the typing; the next change after that is a new step.
    if (old != nullptr && old == continuing_) {
        leaving_ = true;
        DesignChanged();
    }
}

void DesignHistory::Record() {
    pending_ = false;
    TData now = take_();
    // A change that no typing or dragging made (Enter in a field that adds an entry) is a step
    // of its own, and what is typed after it starts another.
    const bool continued = moved_ || leaving_;
    moved_ = false;
    if (!SameDesign(now, current_)) {
        auto* step = new DesignStep(*this, current_, now, continued ? continuing_.data() : nullptr);
        if (leaving_) step->Close();
        current_ = std::move(now);
        stack_.push(step);
        if (!continued) continuing_ = nullptr;
    }
    if (leaving_) {
        // Closes the top step too when the field was left without a further change.
        if (continuing_ != nullptr && stack_.count() > 0 && stack_.index() == stack_.count()) {
            auto* top = const_cast<QUndoCommand*>(stack_.command(stack_.index() - 1));
            if (top != nullptr && top->id() == 1) static_cast<DesignStep*>(top)->Close();
        }
        continuing_ = nullptr;
        leaving_ = false;
    }
}

void DesignHistory::ShowRecord(const TData& record) {
    showing_ = true;
    show_(record);
    current_ = take_();
    showing_ = false;
    pending_ = false;
    moved_ = false;
    continuing_ = nullptr;
}

void DesignHistory::Undo() {
    Flush();
    continuing_ = nullptr;
    stack_.undo();
}

void DesignHistory::Redo() {
    Flush();
    continuing_ = nullptr;
    stack_.redo();
}

void DesignHistory::MarkSaved() {
    Flush();
    stack_.setClean();
}

}  // namespace orv
