#pragma once
// The days a calendar or an address-book file offers, shown before they become memorial days:
// the user picks them, their colours, the years of one-off events and what happens on dates that
// already have a memorial day.
#include <QDialog>
#include <string>

#include "model/MemorialImport.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace orv {

class TPictureButton;
class WindowDialogs;

class MemorialImportDialog : public QDialog {
    Q_OBJECT
  public:
    // `bytes` are the file's; `existing` the design's list, to show the clashes.
    MemorialImportDialog(QWidget* parent, WindowDialogs& dialogs, const QString& fileName,
                         std::string bytes, const TMemorials& existing, ImportYears years,
                         const ImportColors& colors);

    // The rows ticked, in the list's order.
    std::vector<ImportedDay> Picked() const;
    ImportColors Colors() const;
    ClashRule Clash() const;

    // Controls, for the tests.
    QTreeWidget* List() const { return list_; }
    QSpinBox* FirstYear() const { return firstYear_; }
    QSpinBox* LastYear() const { return lastYear_; }
    QButtonGroup* ClashChoice() const { return clash_; }
    QLabel* Summary() const { return summary_; }
    TPictureButton* FontColorSwatch() const { return swatch_[1]; }

  private:
    // Reads the file again for the years asked for and fills the list.
    void Reread();

    WindowDialogs& dialogs_;
    std::string bytes_;
    const TMemorials& existing_;
    ImportedDays read_;
    QTreeWidget* list_;
    QSpinBox* firstYear_;
    QSpinBox* lastYear_;
    QButtonGroup* clash_;
    QLabel* summary_;
    QCheckBox* useColor_[3];
    TPictureButton* swatch_[3];
    QPushButton* take_;
};

}  // namespace orv
