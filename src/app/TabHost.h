#pragma once
// What the tabs need from the window that holds them: the shared design state, the preview, and
// the places to report to. The window implements it; each tab keeps its own controls.
#include <QString>
#include <string>

#include "app/Preferences.h"
#include "model/DataUnit.h"
#include "model/MessageSink.h"

class QLineEdit;

namespace orv {

class WindowDialogs;

class TabHost {
  public:
    virtual ~TabHost() = default;

    // On while a record is pushed into the controls: change reactions must not draw or copy.
    virtual bool Loading() const = 0;
    // Asks for a repaint of the preview (drawn once the event loop runs).
    virtual void RepaintPreview() = 0;
    // Resizes the preview from the size edits and the zoom, then repaints.
    virtual void ApplyCalendarSize() = 0;
    // The picture must be decoded again before it is next drawn.
    virtual void MarkPictureChanged() = 0;
    // Rebuilds the year-month style samples from the year and month labels.
    virtual void RefreshStyleSamples() = 0;
    // Lets the user choose a picture for `edit` and test-loads it; false when cancelled.
    virtual bool ChoosePicture(QLineEdit* edit) = 0;
    // Whether `path` test-loads as a picture; says why not, naming the file, when it does not.
    virtual bool AcceptPicture(const QString& path) = 0;
    virtual void ShowStatus(const std::string& text) = 0;
    // Wait cursor on the window while `on`.
    virtual void SetWaitCursor(bool on) = 0;

    // Where a file dialog for `kind` starts, with `name` suggested there; and the folder of a
    // file chosen in one, for the next.
    virtual QString DialogStart(FileKind kind, const QString& name = {}) const = 0;
    virtual void UsedFile(FileKind kind, const QString& path) = 0;

    virtual MessageSink& Messages() = 0;
    virtual WindowDialogs& Dialogs() = 0;
    // The window's own record (its memorial and imposition lists are edited in place).
    virtual TData& Data() = 0;
};

}  // namespace orv
