#include "app/style/StyleTab.h"

#include <QFocusEvent>

#include "app/TabHost.h"
#include "app/WindowDialogs.h"
#include "model/VB.h"
#include "ui_StyleTab.h"

namespace orv {

namespace {

constexpr int kThinnestLine = 1;
constexpr int kThickestLine = 999;

}  // namespace

StyleTab::StyleTab(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::StyleTab>()) {
    ui_->setupUi(this);
    Ui::StyleTab& c = *ui_;
    c.cmdYDBackColor->SetColor(0x000000);
    c.cmdDayBackColor->SetColor(0xFFFFFF);
    c.cmdLineColor->SetColor(0x000000);
    c.cmdWeekdayColor->SetColor(0x000000);
    c.cmdSaturdayColor->SetColor(0xFF0000);
    c.cmdHolidayColor->SetColor(0x0000FF);
    c.cmdRokuyoColor1->SetColor(0x000000);
    c.cmdRokuyoColor2->SetColor(0x000080);
    c.cmdNijusiColor->SetColor(0x000000);
    c.cmdOldDateColor->SetColor(kOldDateDefaultColor);
    c.cmdZassetsuColor->SetColor(kZassetsuDefaultColor);
    c.cmdMoonPhaseColor->SetColor(kMoonPhaseDefaultColor);
    for (TFontNameComboBox* picker :
         {c.cboYDFontName, c.cboWeekFontName, c.cboDayFontName, c.cboHolidayFontName}) {
        picker->SetValue(QStringLiteral("ＭＳ Ｐゴシック"));
    }
    c.txtLineWidth->setAttribute(Qt::WA_InputMethodEnabled, false);
}

StyleTab::~StyleTab() = default;

void StyleTab::Attach(TabHost& host) {
    host_ = &host;
    Ui::StyleTab& c = *ui_;
    for (QComboBox* list :
         {c.cboYDStyle, c.cboYDPosition, c.cboYDAlignment, c.cboWeekStyle, c.cboWeekSize,
          c.cboDayPosition, c.cboDaySize, c.cboHolidayPosition, c.cboHolidaySize}) {
        connect(list, &QComboBox::activated, this, &StyleTab::Repaint);
    }
    for (QCheckBox* box :
         {c.chkYDFontI, c.chkYDFontB, c.chkWeekFontI, c.chkWeekFontB, c.chkWeekWaku, c.chkDayFontI,
          c.chkDayFontB, c.chkPrevNextDays, c.chkDayWaku, c.chkDayBackColor, c.chkHoliday,
          c.chkHolidayFontI, c.chkHolidayFontB, c.chkRokuyo, c.chkNijusisekki, c.chkOldDate,
          c.chkZassetsu, c.chkMoonPhase}) {
        connect(box, &QCheckBox::toggled, this, &StyleTab::Repaint);
    }
    for (TPictureButton* swatch :
         {c.cmdYDBackColor, c.cmdDayBackColor, c.cmdLineColor, c.cmdWeekdayColor,
          c.cmdSaturdayColor, c.cmdHolidayColor, c.cmdRokuyoColor1, c.cmdRokuyoColor2,
          c.cmdNijusiColor, c.cmdOldDateColor, c.cmdZassetsuColor, c.cmdMoonPhaseColor}) {
        connect(swatch, &TPictureButton::clicked, this, [this, swatch] { ColorClick(swatch); });
    }
    for (TFontNameComboBox* picker :
         {c.cboYDFontName, c.cboWeekFontName, c.cboDayFontName, c.cboHolidayFontName}) {
        connect(picker, &TFontNameComboBox::Change, this, &StyleTab::FontChange);
    }
    connect(c.spinLineWidth, &SpinButton::DownClick, this, &StyleTab::spinLineWidthDownClick);
    connect(c.spinLineWidth, &SpinButton::UpClick, this, &StyleTab::spinLineWidthUpClick);
    c.txtLineWidth->installEventFilter(this);
}

void StyleTab::DataToControls(const TData& r) {
    Ui::StyleTab& c = *ui_;
    c.cboYDStyle->setCurrentIndex(r.YearStyle);
    // The rows must suit the loaded picture side, or a third row would show as none.
    RebuildTitleRows(r.PicturePosition);
    // Beside a side picture the third row is drawn as the lower one, and shown so; the window
    // saves the file's value again unless the user chooses another row.
    const bool side = r.PicturePosition == 1 || r.PicturePosition == 3;
    c.cboYDPosition->setCurrentIndex(side && r.YearPosition == 2 ? 1 : r.YearPosition);
    c.cboYDAlignment->setCurrentIndex(r.YearAlignment);
    c.cboYDFontName->SetValue(QString::fromStdString(r.YearFont));
    c.chkYDFontI->setChecked(r.YearFontI != 0);
    c.chkYDFontB->setChecked(r.YearFontB != 0);
    c.cmdYDBackColor->SetColor(r.StyleBackColor);

    c.cboWeekStyle->setCurrentIndex(r.WeekStyle);
    c.cboWeekSize->setCurrentIndex(r.WeekSize);
    c.cboWeekFontName->SetValue(QString::fromStdString(r.WeekFont));
    c.chkWeekFontI->setChecked(r.WeekFontI != 0);
    c.chkWeekFontB->setChecked(r.WeekFontB != 0);
    c.chkWeekWaku->setChecked(r.WeekFrame != 0);

    c.cboDayPosition->setCurrentIndex(r.DayPosition);
    c.cboDaySize->setCurrentIndex(r.DaySize);
    c.cboDayFontName->SetValue(QString::fromStdString(r.DayFont));
    c.chkDayFontI->setChecked(r.DayFontI != 0);
    c.chkDayFontB->setChecked(r.DayFontB != 0);
    c.chkHoliday->setChecked(r.Holiday != 0);
    c.cboHolidayPosition->setCurrentIndex(r.HolidayPosition);
    c.cboHolidaySize->setCurrentIndex(r.HolidaySize);
    c.cboHolidayFontName->SetValue(QString::fromStdString(r.HolidayFont));
    c.chkHolidayFontI->setChecked(r.HolidayFontI != 0);
    c.chkHolidayFontB->setChecked(r.HolidayFontB != 0);
    c.chkPrevNextDays->setChecked(r.PrevNextDays != 0);
    c.chkDayWaku->setChecked(r.DayWaku != 0);

    c.cmdLineColor->SetColor(r.LineColor);
    c.txtLineWidth->setText(QString::number(r.LineWidth));
    c.cmdWeekdayColor->SetColor(r.WeekdayColor);
    c.cmdSaturdayColor->SetColor(r.SaturdayColor);
    c.cmdHolidayColor->SetColor(r.HolidayColor);
    // No cell background: the swatch offers the sheet colour for when it is switched on again.
    if (r.DayBackColor < 0) {
        c.chkDayBackColor->setChecked(false);
        c.cmdDayBackColor->SetColor(r.CalenderBackColor);
    } else {
        c.chkDayBackColor->setChecked(true);
        c.cmdDayBackColor->SetColor(r.DayBackColor);
    }

    c.chkRokuyo->setChecked(r.Rokuyo != 0);
    c.cmdRokuyoColor1->SetColor(r.RokuyoColor1);
    c.cmdRokuyoColor2->SetColor(r.RokuyoColor2);
    c.chkNijusisekki->setChecked(r.Nijusisekki != 0);
    c.cmdNijusiColor->SetColor(r.NijusisekkiColor);
    c.chkOldDate->setChecked(r.OldDate != 0);
    c.cmdOldDateColor->SetColor(r.OldDateColor);
    c.chkZassetsu->setChecked(r.Zassetsu != 0);
    c.cmdZassetsuColor->SetColor(r.ZassetsuColor);
    c.chkMoonPhase->setChecked(r.MoonPhase != 0);
    c.cmdMoonPhaseColor->SetColor(r.MoonPhaseColor);
}

void StyleTab::ControlsToData(TData& r) const {
    const Ui::StyleTab& c = *ui_;
    const auto flag = [](const QCheckBox* box) { return box->isChecked() ? 1 : 0; };
    r.YearStyle = c.cboYDStyle->currentIndex();
    r.YearPosition = c.cboYDPosition->currentIndex();
    r.YearAlignment = c.cboYDAlignment->currentIndex();
    r.YearFont = c.cboYDFontName->GetValue().toStdString();
    r.YearFontI = flag(c.chkYDFontI);
    r.YearFontB = flag(c.chkYDFontB);
    r.StyleBackColor = c.cmdYDBackColor->Color();

    r.WeekStyle = c.cboWeekStyle->currentIndex();
    r.WeekSize = c.cboWeekSize->currentIndex();
    r.WeekFont = c.cboWeekFontName->GetValue().toStdString();
    r.WeekFontI = flag(c.chkWeekFontI);
    r.WeekFontB = flag(c.chkWeekFontB);
    r.WeekFrame = flag(c.chkWeekWaku);

    r.DayPosition = c.cboDayPosition->currentIndex();
    r.DaySize = c.cboDaySize->currentIndex();
    r.DayFont = c.cboDayFontName->GetValue().toStdString();
    r.DayFontI = flag(c.chkDayFontI);
    r.DayFontB = flag(c.chkDayFontB);
    r.Holiday = flag(c.chkHoliday);
    r.HolidayPosition = c.cboHolidayPosition->currentIndex();
    r.HolidaySize = c.cboHolidaySize->currentIndex();
    r.HolidayFont = c.cboHolidayFontName->GetValue().toStdString();
    r.HolidayFontI = flag(c.chkHolidayFontI);
    r.HolidayFontB = flag(c.chkHolidayFontB);
    r.PrevNextDays = flag(c.chkPrevNextDays);
    r.DayWaku = flag(c.chkDayWaku);

    r.LineColor = c.cmdLineColor->Color();
    r.LineWidth = ValInt(c.txtLineWidth->text().toStdString());
    r.WeekdayColor = c.cmdWeekdayColor->Color();
    r.SaturdayColor = c.cmdSaturdayColor->Color();
    r.HolidayColor = c.cmdHolidayColor->Color();
    r.DayBackColor = c.chkDayBackColor->isChecked() ? c.cmdDayBackColor->Color() : -1;

    r.Rokuyo = flag(c.chkRokuyo);
    r.RokuyoColor1 = c.cmdRokuyoColor1->Color();
    r.RokuyoColor2 = c.cmdRokuyoColor2->Color();
    r.Nijusisekki = flag(c.chkNijusisekki);
    r.NijusisekkiColor = c.cmdNijusiColor->Color();
    r.OldDate = flag(c.chkOldDate);
    r.OldDateColor = c.cmdOldDateColor->Color();
    r.Zassetsu = flag(c.chkZassetsu);
    r.ZassetsuColor = c.cmdZassetsuColor->Color();
    r.MoonPhase = flag(c.chkMoonPhase);
    r.MoonPhaseColor = c.cmdMoonPhaseColor->Color();
}

void StyleTab::SetStyleSamples(const std::array<std::string, 5>& samples) {
    QComboBox* list = ui_->cboYDStyle;
    const int index = list->currentIndex();
    list->clear();
    for (const std::string& sample : samples) list->addItem(QString::fromStdString(sample));
    list->setCurrentIndex(index);
}

void StyleTab::RebuildTitleRows(int picturePosition) {
    QComboBox* rows = ui_->cboYDPosition;
    const int index = rows->currentIndex();
    rows->clear();
    if (picturePosition == 1 || picturePosition == 3) {
        rows->addItems({"上段", "下段"});
    } else {
        rows->addItems({"上段", "中段", "下段"});
    }
    rows->setCurrentIndex(index < rows->count() ? index : -1);
}

int32_t StyleTab::WeekdayColor() const {
    return ui_->cmdWeekdayColor->Color();
}
int32_t StyleTab::HolidayColor() const {
    return ui_->cmdHolidayColor->Color();
}
int32_t StyleTab::DayBackColor() const {
    return ui_->cmdDayBackColor->Color();
}

void StyleTab::Repaint() {
    if (host_ != nullptr) host_->RepaintPreview();
}

void StyleTab::ColorClick(TPictureButton* swatch) {
    const std::optional<int32_t> color = host_->Dialogs().ChooseColor(window(), swatch->Color());
    if (!color) return;
    swatch->SetColor(*color);
    Repaint();
}

void StyleTab::FontChange() {
    // The hint names the chosen face, which a long list can hide; the holiday picker keeps its
    // description.
    for (TFontNameComboBox* picker :
         {ui_->cboYDFontName, ui_->cboWeekFontName, ui_->cboDayFontName}) {
        picker->setToolTip(picker->GetValue());
    }
    Repaint();
}

void StyleTab::spinLineWidthDownClick() {
    const int width = ValInt(ui_->txtLineWidth->text().toStdString());
    ui_->txtLineWidth->setText(QString::number(width > kThinnestLine ? width - 1 : kThinnestLine));
    Repaint();
}

void StyleTab::spinLineWidthUpClick() {
    const int width = ValInt(ui_->txtLineWidth->text().toStdString());
    ui_->txtLineWidth->setText(QString::number(width < kThickestLine ? width + 1 : kThickestLine));
    Repaint();
}

void StyleTab::txtLineWidthExit() {
    const int width = ValInt(ui_->txtLineWidth->text().toStdString());
    if (width < kThinnestLine) ui_->txtLineWidth->setText(QString::number(kThinnestLine));
    if (width > kThickestLine) ui_->txtLineWidth->setText(QString::number(kThickestLine));
    Repaint();
}

bool StyleTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->txtLineWidth && event->type() == QEvent::FocusOut && host_ != nullptr) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            txtLineWidthExit();
        }
    }
    return false;
}

}  // namespace orv
