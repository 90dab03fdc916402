#pragma once
// 入稿用PDF: a PDF for a print shop — the months, the resolution and the file, with the bleed, the
// crop marks and CMYK. Its settings start as the design last made one; the window keeps them in
// the design when the dialog is accepted.
#include <QDialog>

#include "app/months/MonthRunDialog.h"
#include "model/DataUnit.h"

class QDoubleSpinBox;

namespace orv {

struct PrintReadyChoice {
    MonthRunChoice Run;                // its Target is the PDF
    int32_t Bleed = kDefaultPdfBleed;  // tenths of a millimetre, 0: none
    bool Marks = true;
    bool Cmyk = false;
};

class TfrmPrintReady : public QDialog {
    Q_OBJECT
  public:
    TfrmPrintReady(TabHost& host, QWidget* parent);

    // Fills the dialog from the design: its month, one month, its print-shop settings.
    void Prepare(const TData& design, const QString& file);
    PrintReadyChoice Choice() const;

    QSpinBox* Year() const { return year_; }
    QSpinBox* Month() const { return month_; }
    QSpinBox* Count() const { return count_; }
    QSpinBox* Resolution() const { return dpi_; }
    QCheckBox* BleedBox() const { return bleed_; }
    QDoubleSpinBox* BleedWidth() const { return bleedMm_; }
    QCheckBox* MarksBox() const { return marks_; }
    QCheckBox* CmykBox() const { return cmyk_; }
    QLineEdit* FileEdit() const { return file_; }

  private:
    void Browse();

    TabHost& host_;
    QSpinBox* year_;
    QSpinBox* month_;
    QSpinBox* count_;
    QSpinBox* dpi_;
    QCheckBox* bleed_;
    QDoubleSpinBox* bleedMm_;
    QCheckBox* marks_;
    QCheckBox* cmyk_;
    QLineEdit* file_;
};

}  // namespace orv
