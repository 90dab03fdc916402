#pragma once
// " 基本設定 ": the sheet (size, print position, background, cut frame), the illustration and
// the month layout.
#include <QWidget>
#include <memory>

#include "model/DataUnit.h"

class QButtonGroup;
class QLineEdit;

namespace Ui {
class BasicTab;
}

namespace orv {

class StyleTab;
class TabHost;

class BasicTab : public QWidget {
    Q_OBJECT
  public:
    // The year steps stop here; the holiday rules are known for these years.
    static constexpr int kFirstYear = 1948;
    static constexpr int kLastYear = 2099;

    explicit BasicTab(QWidget* parent = nullptr);
    ~BasicTab() override;

    void Attach(TabHost& host, StyleTab& style);
    Ui::BasicTab& Controls() { return *ui_; }

    // Fills the size list and selects its first entry (without applying it).
    void FillSizePresets();
    void SetYearMonth(int year, int month);
    std::string YearText() const;
    std::string MonthText() const;

    void DataToControls(const TData& record);
    void ControlsToData(TData& record) const;
    // Sets the layout radio buttons as a loaded record says (the last one switched on wins).
    void LayoutToControls(const TData& record);
    // Runs the leave rule of a size edit that still has focus, so that a save or print taken
    // from the menu sees what was typed.
    void CommitPendingSizeEdit();
    bool SizeEdited() const { return sizeEdited_; }
    void ClearSizeEdited() { sizeEdited_ = false; }

    // Handlers.
    void cboCalSizeChange();
    void SizeEditEnter();
    void SizeEditChange();
    void SizeEditExit();
    void cmdBackColorClick();
    void txtPicFileChange();
    void txtPicFileExit();
    void txtPicOffsetExit();
    void cmdOpenPicClick();
    void cboPicPosClick();
    void cboPNMonthPos2Click();
    bool spinYearDownClick();
    bool spinYearUpClick();
    void spinMonthDownClick();
    void spinMonthUpClick();
    void spinPluralColumnsDownClick();
    void spinPluralColumnsUpClick();
    void txtPluralColumnsExit();
    void spinPluralRowsDownClick();
    void spinPluralRowsUpClick();
    void txtPluralRowsExit();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Repaint();
    void ShowYearMonth(int year, int month);
    void SetAlignmentCaptions(int side);
    bool IsSizeEdit(QObject* object) const;

    std::unique_ptr<Ui::BasicTab> ui_;
    QButtonGroup* viewGroup_;
    TabHost* host_ = nullptr;
    StyleTab* style_ = nullptr;
    bool sizeEdited_ = false;
};

}  // namespace orv
