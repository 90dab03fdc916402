#pragma once
// "カレンダー設定": how the title, the weekday row and the day cells are lettered and coloured,
// and the rokuyo and solar-term annotations.
#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "model/DataUnit.h"

namespace Ui {
class StyleTab;
}

namespace orv {

class TPictureButton;
class TFontNameComboBox;
class TabHost;

class StyleTab : public QWidget {
    Q_OBJECT
  public:
    explicit StyleTab(QWidget* parent = nullptr);
    ~StyleTab() override;

    void Attach(TabHost& host);
    Ui::StyleTab& Controls() { return *ui_; }

    void DataToControls(const TData& record);
    void ControlsToData(TData& record) const;

    // Replaces the five style samples, keeping the chosen index.
    void SetStyleSamples(const std::array<std::string, 5>& samples);
    // The title rows that suit the picture side (three above or below, two beside it); the
    // choice is kept when it still exists, else none is shown.
    void RebuildTitleRows(int picturePosition);

    // The design colours the memorial tab falls back to.
    int32_t WeekdayColor() const;
    int32_t HolidayColor() const;
    int32_t DayBackColor() const;

    // Handlers.
    void ColorClick(TPictureButton* swatch);
    void FontChange();
    void spinLineWidthDownClick();
    void spinLineWidthUpClick();
    void txtLineWidthExit();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Repaint();

    std::unique_ptr<Ui::StyleTab> ui_;
    TabHost* host_ = nullptr;
};

}  // namespace orv
