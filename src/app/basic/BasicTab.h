#pragma once
// " 基本設定 ": the sheet (size, print position, background, cut frame), the illustration and
// the month layout.
#include <QString>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>

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
    // The main picture's fit as the preview's menu chose it (the combo is what the record reads).
    void SetPictureFill(bool fill);
    // The shown picture's resolution on paper, marked when it prints coarse.
    void ShowPictureDpi(const QString& text, bool low);
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
    void cmdPicFitResetClick();
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
    void YearMonthTyped();
    void SetAlignmentCaptions(int side);
    bool IsSizeEdit(QObject* object) const;
    struct Range {
        const char* field;
        int lowest;
        int highest;
    };
    Range RangeOf(const QLineEdit* edit) const;
    // The edit's number when its text is one within its range.
    std::optional<int> SizeEditValue(const QLineEdit* edit) const;
    // The number the edit shows, or the last one it showed while its text is none.
    int32_t SizeFieldValue(const QLineEdit* edit) const;

    std::unique_ptr<Ui::BasicTab> ui_;
    QButtonGroup* viewGroup_;
    TabHost* host_ = nullptr;
    StyleTab* style_ = nullptr;
    bool sizeEdited_ = false;
    std::map<const QLineEdit*, int> shown_;
    std::map<const QLineEdit*, int> entered_;
    QString pictureEntered_;
};

}  // namespace orv
