#pragma once
// The design being edited, as editors of this kind keep it: its record (the master copy of the
// memorial and imposition lists, and a snapshot of the rest whenever the window takes one), the
// file it was opened from or saved to, its undo history and modified state, the names the last
// picture export and run of months used, and the loaded values the controls cannot show. The
// window is a view on it: it reads the controls into the record and shows records the history
// brings back.
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "app/DesignHistory.h"
#include "model/DataUnit.h"

namespace orv {

class DesignDocument : public QObject {
    Q_OBJECT
  public:
    // `take` reads the design the window shows into Data() and returns it; `show` puts a record
    // on screen (an undo, a redo).
    DesignDocument(std::function<TData()> take, std::function<void(const TData&)> show,
                   QObject* parent = nullptr);

    TData& Data() { return data_; }
    const TData& Data() const { return data_; }

    // Empty for a design that was never opened or saved.
    const QString& FileName() const { return fileName_; }
    bool Named() const { return !fileName_.isEmpty(); }
    // The record was written to or read from `path`: it is the saved state now.
    void Saved(const QString& path);
    void Opened(TData loaded, const QString& path);
    bool Modified() const { return history_.Modified(); }
    DesignHistory& History() { return history_; }

    const QString& LastImageFile() const { return lastImageFile_; }
    void SetLastImageFile(const QString& path) { lastImageFile_ = path; }
    const QString& LastMonthRunFile() const { return lastMonthRunFile_; }
    void SetLastMonthRunFile(const QString& path) { lastMonthRunFile_ = path; }

    // Remembers the record's values that `shown` (the controls read back right after the record
    // was put on screen) shows otherwise: a list index past the list's end, a slider position past
    // its range, a flag of 2. While a control still shows what it showed then, the record gets the
    // loaded value back, so that nothing is saved differently that nobody changed.
    void KeepUnshownValues(const TData& shown);
    // Gives `record` (just read from the controls) the kept values back; a control that shows
    // something else now has been changed by the user, and its loaded value is forgotten.
    void ApplyKeptValues(TData& record);

  signals:
    void ModifiedChanged(bool modified);

  private:
    struct KeptValue {
        int32_t TData::*integerField = nullptr;
        std::string TData::*textField = nullptr;
        int32_t loadedInteger = 0;
        int32_t shownInteger = 0;
        std::string loadedText;
        std::string shownText;
    };

    TData data_;
    QString fileName_;
    QString lastImageFile_;
    QString lastMonthRunFile_;
    std::vector<KeptValue> kept_;
    DesignHistory history_;
};

}  // namespace orv
