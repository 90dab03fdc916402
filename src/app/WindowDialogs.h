#pragma once
// The standard dialogs the window opens (files, colours, the resolution input, the printer
// dialogs). The window asks through this interface so that tests can answer in place of a user.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

class QAction;
class QColor;
class QMenu;
class QPoint;
class QDialog;
class QPrinter;
class QWidget;

namespace orv {

// The answers to "save the changes first?".
enum class SaveAnswer { Save, Discard, Cancel };
// The answers when a memorial day is added on a date that has one: the new name instead, both
// names (joined by ¶ in the one entry), or nothing.
enum class ClashAnswer { Replace, KeepBoth, Cancel };

class WindowDialogs {
  public:
    virtual ~WindowDialogs() = default;

    // Filters are Qt filters. An empty result means the user cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& filter,
                                 const QString& initialFile) = 0;
    // The same for a picture, with a preview of the selected file.
    virtual QString OpenPictureFileName(QWidget* parent, const QString& filter,
                                        const QString& initialFile) {
        return OpenFileName(parent, filter, initialFile);
    }
    // Several pictures at once, in the order the dialog gives them; empty when cancelled.
    virtual QStringList OpenPictureFileNames(QWidget* parent, const QString& filter,
                                             const QString& initialFolder) = 0;
    // A folder; empty when cancelled.
    virtual QString ExistingFolder(QWidget* parent, const QString& caption,
                                   const QString& initialFolder) = 0;
    // `selectedFilter` receives the filter entry chosen. The dialog asks before overwriting.
    // Without a default suffix, a name typed without an extension takes the chosen filter's.
    virtual QString SaveFileName(QWidget* parent, const QString& filter, const QString& initialFile,
                                 const QString& defaultSuffix, QString* selectedFilter) = 0;
    // Colours are 0x00BBGGRR; nothing when cancelled.
    virtual std::optional<int32_t> ChooseColor(QWidget* parent, int32_t initial) = 0;
    // One line of text; nothing when cancelled.
    virtual std::optional<QString> InputText(QWidget* parent, const QString& caption,
                                             const QString& prompt, const QString& value) = 0;
    // The print dialog and the printer set-up dialog over the printer they edit; true on OK.
    virtual bool PrintDialog(QWidget* parent, QPrinter& printer) = 0;
    virtual bool PrinterSetupDialog(QWidget* parent, QPrinter& printer) = 0;
    // Opens a local file (the manual) in the desktop's viewer for it; false when none took it.
    virtual bool OpenDocument(const QString& path) = 0;
    // Shows a dialog modally.
    virtual void ShowModal(QDialog* dialog) = 0;
    // Asks whether the changes to the design named `fileName` are saved before it goes.
    virtual SaveAnswer AskSaveChanges(QWidget* parent, const QString& fileName) = 0;
    // Asks what to do with the memorial day `existing` of `date` when `added` comes for it.
    virtual ClashAnswer AskMemorialClash(QWidget* parent, const QString& date,
                                         const QString& existing, const QString& added) = 0;
    // Pops a context menu up at `at` (global); the action chosen, or null.
    virtual QAction* PopupMenu(QMenu& menu, const QPoint& at);
};

// The real dialogs.
class QtWindowDialogs : public WindowDialogs {
  public:
    QString OpenFileName(QWidget* parent, const QString& filter,
                         const QString& initialFile) override;
    QString OpenPictureFileName(QWidget* parent, const QString& filter,
                                const QString& initialFile) override;
    QStringList OpenPictureFileNames(QWidget* parent, const QString& filter,
                                     const QString& initialFolder) override;
    QString ExistingFolder(QWidget* parent, const QString& caption,
                           const QString& initialFolder) override;
    QString SaveFileName(QWidget* parent, const QString& filter, const QString& initialFile,
                         const QString& defaultSuffix, QString* selectedFilter) override;
    std::optional<int32_t> ChooseColor(QWidget* parent, int32_t initial) override;
    std::optional<QString> InputText(QWidget* parent, const QString& caption, const QString& prompt,
                                     const QString& value) override;
    bool PrintDialog(QWidget* parent, QPrinter& printer) override;
    bool PrinterSetupDialog(QWidget* parent, QPrinter& printer) override;
    void ShowModal(QDialog* dialog) override;
    bool OpenDocument(const QString& path) override;
    SaveAnswer AskSaveChanges(QWidget* parent, const QString& fileName) override;
    ClashAnswer AskMemorialClash(QWidget* parent, const QString& date, const QString& existing,
                                 const QString& added) override;
};

// 0x00BBGGRR to and from QColor.
QColor ToQColor(int32_t color);
int32_t FromQColor(const QColor& color);

}  // namespace orv
