#pragma once
// "面付け設定": imposition on or off, its grid, and the list of extra calendars, edited in place
// in the window's record (numbers 1..n in list order after every change).
#include <QWidget>
#include <memory>

#include "model/DataUnit.h"

class QTreeWidgetItem;

namespace Ui {
class ImpositionTab;
}

namespace orv {

class TabHost;

class ImpositionTab : public QWidget {
    Q_OBJECT
  public:
    explicit ImpositionTab(QWidget* parent = nullptr);
    ~ImpositionTab() override;

    void Attach(TabHost& host);
    Ui::ImpositionTab& Controls() { return *ui_; }

    void DataToControls(const TData& record);
    // Print, Cols and Interval; a count across below 1 is corrected to 1 in the edit too.
    void ControlsToData(TData& record);
    void FillList(const TMatrixs& matrixs);

    // What the preview size depends on.
    bool ImpositionOn() const;
    std::string ColsText() const;
    std::string IntervalText() const;

    // The entry number as the list shows it: right-aligned in three characters, so that the
    // list's text order is the numeric order.
    static QString NumberCaption(int number);

    // Handlers.
    void chkMatrixClick();
    void spinMatrixColDownClick();
    void spinMatrixColUpClick();
    void txtMatrixColExit();
    void txtMatrixIntervalExit();
    void spinMatrixMonthDownClick();
    void spinMatrixMonthUpClick();
    void txtMatrixMonthExit();
    void cmdMatrixImageFileClick();
    void cmdMatrixConfigFileClick();
    void btnMatrixAddClick();
    void btnMatrixUpdateClick();
    void btnMatrixUpClick();
    void btnMatrixDownClick();
    void btnMatrixDeleteClick();
    void lvwMatrixSelectItem();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TMatrixs& Matrixs();
    TMatrix* EntryOf(const QTreeWidgetItem* row);
    QTreeWidgetItem* SelectedRow() const;
    void SetRow(QTreeWidgetItem* row, const TMatrix& entry);
    void SortRows();
    void Swap(int step);

    std::unique_ptr<Ui::ImpositionTab> ui_;
    TabHost* host_ = nullptr;
};

}  // namespace orv
