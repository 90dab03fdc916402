#pragma once
// What the window tests share: a window whose files live in a temporary folder, messages
// recorded instead of shown, and standard dialogs answered by the test.
#include <QDialog>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/MainUnit.h"
#include "app/WindowDialogs.h"
#include "model/DataUnit.h"
#include "model/MessageSink.h"

class QLineEdit;

namespace orv::test {

struct Message {
    MessageKind kind;
    std::string text;
};

// Records every message; a test takes and checks what it expects, and Unexpected() lists the
// rest.
class MessageLog : public MessageSink {
  public:
    void Report(MessageKind kind, const std::string& text) override {
        messages_.push_back({kind, text});
    }
    std::vector<Message> Take() { return std::exchange(messages_, {}); }
    QString Unexpected() const;

  private:
    std::vector<Message> messages_;
};

// Answers the standard dialogs from queues the test fills; an empty queue answers "cancel".
class ScriptedDialogs : public WindowDialogs {
  public:
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    QString saveFilterAnswer;
    std::deque<std::optional<int32_t>> colorAnswers;
    // A null text answers "cancel".
    std::deque<QString> textAnswers;
    // Runs when the input box opens (before it answers).
    std::function<void()> onInputText;

    // What the window offered.
    QStringList openInitialFiles;
    QStringList saveInitialFiles;
    QStringList openFilters;
    QStringList saveFilters;
    QString lastPrompt;
    QString lastCaption;
    QString lastTextValue;
    std::vector<int32_t> colorInitials;
    std::vector<QDialog*> shownDialogs;

    QString OpenFileName(QWidget*, const QString& filter, const QString& initialFile) override;
    QString SaveFileName(QWidget*, const QString& filter, const QString& initialFile,
                         const QString& defaultSuffix, QString* selectedFilter) override;
    // Several files, or a folder, as chosen.
    std::deque<QStringList> openManyAnswers;
    std::deque<QString> folderAnswers;
    QStringList OpenPictureFileNames(QWidget*, const QString&, const QString& folder) override;
    QString ExistingFolder(QWidget*, const QString&, const QString& folder) override;
    std::optional<int32_t> ChooseColor(QWidget*, int32_t initial) override;
    std::optional<QString> InputText(QWidget*, const QString& caption, const QString& prompt,
                                     const QString& value) override;
    // The print dialog answers OK when a file is queued here: the job goes to that PDF file, as
    // when a user chooses printing into a file.
    std::deque<QString> printToFileAnswers;
    // Then this many times OK with the printer as it is.
    int printAnswersOk = 0;
    bool PrintDialog(QWidget*, QPrinter& printer) override;
    bool PrinterSetupDialog(QWidget*, QPrinter&) override { return false; }
    void ShowModal(QDialog* dialog) override { shownDialogs.push_back(dialog); }
    QStringList openedDocuments;
    bool OpenDocument(const QString& path) override {
        openedDocuments << path;
        return true;
    }
    // "Save the changes?" answers; an empty queue answers "don't save".
    std::deque<SaveAnswer> saveChangesAnswers;
    QStringList saveQuestions;
    SaveAnswer AskSaveChanges(QWidget*, const QString& fileName) override;
    // The memorial-day clash question: what it said, and the answers (none: cancel).
    std::deque<ClashAnswer> clashAnswers;
    QStringList clashQuestions;
    ClashAnswer AskMemorialClash(QWidget*, const QString& date, const QString& existing,
                                 const QString& added) override;
};

// A folder for one test with the window's files in it.
class WindowFiles {
  public:
    WindowFiles();
    QString Path(const QString& name) const { return dir_.filePath(name); }
    std::string AutoSave() const { return Path("Orvalinden.bak").toStdString(); }
    // Leaves `design` as the last session's, for the window to restore at its start.
    void LeaveAutoSave(const TData& design) const;
    WindowSettings Settings() const;
    // The old-calendar file the window loads; none by default.
    std::string oldCalendarFile;
    // How long after the last change the window writes the auto-save file.
    int autoSaveDelayMs = kAutoSaveDelayMs;

  private:
    QTemporaryDir dir_;
};

// A shown window over `files` with the test's sink and dialogs, its first activation done.
struct TestWindow {
    explicit TestWindow(const WindowFiles& files);
    ~TestWindow();

    // The design as the controls hold it.
    TData Design();
    // Closes the window (auto-save included).
    void Close();

    MessageLog log;
    ScriptedDialogs dialogs;
    std::unique_ptr<TfrmMain> window;
};

// Every field of a record by its settings key, and the two lists, as readable lines: comparing
// two of these shows exactly which field differs.
QStringList DesignLines(const TData& data, bool withLists = true);

// Writes a record to a settings file.
void SaveDesign(TData data, const QString& path);

// Types text as key presses, one character each (any script, unlike QTest::keyClicks).
void TypeText(QWidget* widget, const QString& text);

// Clicks into `edit` and types `text` over what it holds.
void TypeOver(QLineEdit* edit, const QString& text);

// Moves keyboard focus from one widget to another as a click would.
void MoveFocus(QWidget* from, QWidget* to);

}  // namespace orv::test

// A test fails on any message it did not take.
#define ORV_NO_UNEXPECTED_MESSAGES(log) \
    QVERIFY2((log).Unexpected().isEmpty(), qPrintable((log).Unexpected()))
