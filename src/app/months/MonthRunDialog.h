#pragma once
// 複数月の印刷・保存: the start month, how many months, and where they go (the printer, one PDF
// file, or PNG, BMP or JPEG pictures at a resolution) with the file name, and a cover. The window
// runs the choice when the dialog is accepted.
#include <QDialog>
#include <QString>

#include "output/OutputMonths.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace orv {

class TabHost;

struct MonthRunChoice {
    MonthRun Run;
    MonthsTarget Target = MonthsTarget::Printer;
    QString File;  // PDF or the first picture's name (NAME.png, NAME.bmp, NAME.jpg)
    int Dpi = 300;
};

// The start (year, month) and the count of months of a run, added to `form` as two rows; the
// count's row is returned for more buttons beside it.
struct MonthSpins {
    QSpinBox* Year;
    QSpinBox* Month;
    QSpinBox* Count;
    QHBoxLayout* CountRow;
};
MonthSpins AddMonthSpins(QFormLayout& form, QWidget* parent);

class TfrmMonthRun : public QDialog {
    Q_OBJECT
  public:
    // The entries of the target list, in order.
    enum Target { tgPrinter = 0, tgPdf = 1, tgPng = 2, tgBmp = 3, tgJpeg = 4 };

    TfrmMonthRun(TabHost& host, QWidget* parent);

    // Fills the dialog for a new run: the window's month, twelve months, the last resolution.
    void Prepare(int year, int month, int dpi, const QString& file);
    MonthRunChoice Choice() const;

    QSpinBox* Year() const { return year_; }
    QSpinBox* Month() const { return month_; }
    QSpinBox* Count() const { return count_; }
    QComboBox* TargetList() const { return target_; }
    QSpinBox* Resolution() const { return dpi_; }
    QLineEdit* FileEdit() const { return file_; }
    QPushButton* BrowseButton() const { return browse_; }
    // Sets the count to a year, or a year and its first month again (a school year, a diary).
    QPushButton* MonthsButton(int months) const { return months == 13 ? thirteen_ : twelve_; }
    // A cover before the months: its picture (none: the design's) and its title (empty: the
    // run's years, shown greyed in the field).
    QCheckBox* CoverBox() const { return cover_; }
    QLineEdit* CoverPicture() const { return coverPicture_; }
    QLineEdit* CoverTitle() const { return coverTitle_; }

  private:
    void TargetChanged();
    void Browse();
    void CoverChanged();

    TabHost& host_;
    QSpinBox* year_;
    QSpinBox* month_;
    QSpinBox* count_;
    QComboBox* target_;
    QSpinBox* dpi_;
    QLineEdit* file_;
    QPushButton* browse_;
    QPushButton* twelve_ = nullptr;
    QPushButton* thirteen_ = nullptr;
    QCheckBox* cover_ = nullptr;
    QLineEdit* coverPicture_ = nullptr;
    QPushButton* coverBrowse_ = nullptr;
    QLineEdit* coverTitle_ = nullptr;
};

}  // namespace orv
