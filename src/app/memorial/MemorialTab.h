#pragma once
// "　記念日　": the design's memorial days, edited in place in the window's record.
#include <QPointer>
#include <QWidget>
#include <memory>

#include "model/DataUnit.h"
#include "model/MemorialImport.h"

class QTreeWidgetItem;

namespace Ui {
class MemorialTab;
}

namespace orv {

class BasicTab;
class StyleTab;
class MemorialImportDialog;
class TabHost;

class MemorialTab : public QWidget {
    Q_OBJECT
  public:
    explicit MemorialTab(QWidget* parent = nullptr);
    ~MemorialTab() override;

    void Attach(TabHost& host, const BasicTab& basic, const StyleTab& style);
    Ui::MemorialTab& Controls() { return *ui_; }

    // One row per memorial day, in list order.
    void FillList(const TMemorials& memorials);
    // The input fields as they are with no row selected; the saved caret goes back to 0.
    void ResetInput();
    int SavedCaret() const { return savedCaret_; }

    // Handlers.
    void cmdAddMemorialClick();
    void cmdDelMemorialClick();
    // Offers the days of a calendar or address-book file; those the user takes are added as one
    // change.
    void cmdImportMemorialClick();
    void cmdExportMemorialClick();
    MemorialImportDialog* ImportDialog() const;
    void lvwMemorialSelectItem();
    void lvwMemorialAdvancedCustomDrawSubItem(QTreeWidgetItem* row);
    void txtMemorialDayYEnter();
    void spinMemorialDayYUpClick();
    void spinMemorialDayYDownClick();
    void spinMemorialDayMUpClick();
    void spinMemorialDayMDownClick();
    void spinMemorialDayUpClick();
    void spinMemorialDayDownClick();
    void cmdMemorialDayColorClick();
    void cmdMemorialFontColorClick();
    void cmdMemorialBackColorClick();
    void cmdMemorialPilcrowClick();
    void txtMemorialNameExit();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TMemorials& Memorials();
    QTreeWidgetItem* FindRow(const QString& caption) const;
    void SetRow(QTreeWidgetItem* row, const TMemorial& memorial);
    void Deselected();
    void SortRows();
    void TakeImported();
    // The colours the input fields give a memorial day (-1 where a box is not checked).
    ImportColors InputColors() const;

    std::unique_ptr<Ui::MemorialTab> ui_;
    TabHost* host_ = nullptr;
    const BasicTab* basic_ = nullptr;
    const StyleTab* style_ = nullptr;
    // Where the pilcrow goes: the caret of the name field when it was last left.
    int savedCaret_ = 0;
    // The selected row was chosen in the list (its fields loaded to edit), not left by セット.
    bool pickedRow_ = false;
    QPointer<MemorialImportDialog> importDialog_;
};

}  // namespace orv
