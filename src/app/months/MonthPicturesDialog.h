#pragma once
// 月ごとの画像: one row per month with the file, a thumbnail, choose and clear, and a picture
// dropped onto a row. The dialog edits its own copy; the window takes it on OK as one edit.
#include <QDialog>
#include <QSize>
#include <array>

#include "model/DataUnit.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {

class TabHost;

class TfrmMonthPictures : public QDialog {
    Q_OBJECT
  public:
    TfrmMonthPictures(TabHost& host, QWidget* parent);

    void SetPictures(const TMonthPictures& pictures);
    TMonthPictures Pictures() const;
    // The picture box on paper (mm), for each month's resolution there; none: not shown.
    void SetPictureBox(double widthMm, double heightMm);

    // Month 1..12.
    QLineEdit* FileEdit(int month) const { return rows_[month - 1].file; }
    QLabel* Thumbnail(int month) const { return rows_[month - 1].thumbnail; }
    QPushButton* ChooseButton(int month) const { return rows_[month - 1].choose; }
    QPushButton* ClearButton(int month) const { return rows_[month - 1].clear; }
    QWidget* Row(int month) const { return rows_[month - 1].row; }
    QComboBox* FitList(int month) const { return rows_[month - 1].fit; }
    QLabel* DpiLabel(int month) const { return rows_[month - 1].dpi; }

    // A file dropped onto a month's row: taken once it test-loads as a chosen one.
    void DropFile(int month, const QString& path);
    // Pictures given to the months from the start month on, in order, twelve at most; what is
    // no picture is reported and skipped.
    void Assign(const QStringList& files);
    QComboBox* StartMonth() const { return startMonth_; }
    QPushButton* ChooseManyButton() const { return chooseMany_; }
    QPushButton* ChooseFolderButton() const { return chooseFolder_; }

    // Typed names are test-loaded first: one that is no picture keeps the dialog open.
    void accept() override;

  private:
    struct MonthRow {
        QWidget* row = nullptr;
        QLineEdit* file = nullptr;
        QLabel* thumbnail = nullptr;
        QPushButton* choose = nullptr;
        QPushButton* clear = nullptr;
        QComboBox* fit = nullptr;
        QLabel* dpi = nullptr;
        QSize size;  // of the picture, empty when none decodes
    };
    void ShowThumbnail(int month);
    void ShowDpi(int month);
    PictureFraming FramingOf(int month) const;
    void ChooseMany();
    void ChooseFolder();

    TabHost& host_;
    TMonthPictures shown_;
    QComboBox* startMonth_ = nullptr;
    QPushButton* chooseMany_ = nullptr;
    QPushButton* chooseFolder_ = nullptr;
    std::array<MonthRow, 12> rows_;
    double boxWidthMm_ = 0;
    double boxHeightMm_ = 0;
};

}  // namespace orv
