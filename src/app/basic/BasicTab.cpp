#include "app/basic/BasicTab.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QKeyEvent>
#include <cmath>
#include <cstdlib>

#include "app/SizePresets.h"
#include "app/TabHost.h"
#include "app/WindowDialogs.h"
#include "app/style/StyleTab.h"
#include "model/VB.h"
#include "ui_BasicTab.h"

namespace orv {

namespace {

QString Decimal(int value) {
    return QString::number(value);
}
int32_t EditNumber(const QLineEdit* edit) {
    return ValInt(edit->text().toStdString());
}

// Focus that comes and goes with the whole window or a popup is no entering or leaving of the
// edit: a user who switches away in the middle of typing has not finished.
bool IsWindowFocusChange(QEvent* event) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
           reason == Qt::MenuBarFocusReason;
}

}  // namespace

BasicTab::BasicTab(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::BasicTab>()), viewGroup_(new QButtonGroup(this)) {
    ui_->setupUi(this);
    viewGroup_->addButton(ui_->optPNMonthViewPrevNext, 0);
    viewGroup_->addButton(ui_->optPNMonthViewNext, 1);
    viewGroup_->addButton(ui_->optPNMonthViewNext2, 2);
    ui_->cmdBackColor->SetColor(0xFFFFFF);
    for (QLineEdit* edit : {ui_->txtPluralColumns, ui_->txtPluralRows}) {
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    }
    ui_->cmdOpenPic->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    // A fresh start reads as a restored design of the same side does.
    SetAlignmentCaptions(ui_->cboPNMonthPos2->currentIndex());
}

BasicTab::~BasicTab() = default;

void BasicTab::Attach(TabHost& host, StyleTab& style) {
    host_ = &host;
    style_ = &style;
    Ui::BasicTab& c = *ui_;

    connect(c.cboCalSize, &QComboBox::activated, this, &BasicTab::cboCalSizeChange);
    for (QLineEdit* edit : {c.txtCalSizeX, c.txtCalSizeY, c.txtPositionX, c.txtPositionY}) {
        edit->installEventFilter(this);
        // Longer texts are taken in, to be refused with a word rather than cut without one.
        edit->setMaxLength(16);
        connect(edit, &QLineEdit::textChanged, this, &BasicTab::SizeEditChange);
        connect(edit, &QLineEdit::textChanged, this, [this, edit] {
            if (const std::optional<int> value = SizeEditValue(edit)) shown_[edit] = *value;
        });
    }
    connect(c.cmdBackColor, &TPictureButton::clicked, this, &BasicTab::cmdBackColorClick);
    connect(c.chkWaku, &QCheckBox::toggled, this, &BasicTab::Repaint);

    connect(c.txtPicFile, &QLineEdit::textChanged, this, &BasicTab::txtPicFileChange);
    connect(c.txtPicFile, &QLineEdit::returnPressed, this, &BasicTab::Repaint);
    c.txtPicFile->installEventFilter(this);
    c.txtPicOffset->installEventFilter(this);
    connect(c.cmdOpenPic, &QToolButton::clicked, this, &BasicTab::cmdOpenPicClick);
    connect(c.cboPicPos, &QComboBox::activated, this, &BasicTab::cboPicPosClick);
    connect(c.trackPicSize, &QSlider::valueChanged, this, &BasicTab::Repaint);
    connect(c.cboPicFit, &QComboBox::activated, this, &BasicTab::Repaint);
    connect(c.cmdPicFitReset, &QPushButton::clicked, this, &BasicTab::cmdPicFitResetClick);

    connect(c.spinYear, &SpinButton::UpClick, this, &BasicTab::spinYearUpClick);
    connect(c.spinYear, &SpinButton::DownClick, this, &BasicTab::spinYearDownClick);
    connect(c.spinMonth, &SpinButton::UpClick, this, &BasicTab::spinMonthUpClick);
    connect(c.spinMonth, &SpinButton::DownClick, this, &BasicTab::spinMonthDownClick);
    // Typed and taken with Enter or on leaving the field.
    connect(c.lblYear, &QSpinBox::valueChanged, this, &BasicTab::YearMonthTyped);
    connect(c.lblMonth, &QSpinBox::valueChanged, this, &BasicTab::YearMonthTyped);
    for (QRadioButton* radio : {c.optSingleMonth, c.optPNMonth, c.optPluralMonth}) {
        connect(radio, &QRadioButton::toggled, this, &BasicTab::Repaint);
    }
    connect(viewGroup_, &QButtonGroup::idToggled, this, &BasicTab::Repaint);
    connect(c.cboPNMonthPos1, &QComboBox::activated, this, &BasicTab::Repaint);
    connect(c.cboPNMonthPos2, &QComboBox::activated, this, &BasicTab::cboPNMonthPos2Click);
    connect(c.cboPNMonthAlign, &QComboBox::activated, this, &BasicTab::Repaint);
    connect(c.trackPNMonthSize, &QSlider::valueChanged, this, &BasicTab::Repaint);
    connect(c.chkPNMonthWeek, &QCheckBox::toggled, this, &BasicTab::Repaint);

    connect(c.spinPluralColumns, &SpinButton::DownClick, this,
            &BasicTab::spinPluralColumnsDownClick);
    connect(c.spinPluralColumns, &SpinButton::UpClick, this, &BasicTab::spinPluralColumnsUpClick);
    connect(c.spinPluralRows, &SpinButton::DownClick, this, &BasicTab::spinPluralRowsDownClick);
    connect(c.spinPluralRows, &SpinButton::UpClick, this, &BasicTab::spinPluralRowsUpClick);
    c.txtPluralColumns->installEventFilter(this);
    c.txtPluralRows->installEventFilter(this);
}

void BasicTab::FillSizePresets() {
    ui_->cboCalSize->clear();
    for (const SizePreset& preset : SizePresets()) {
        ui_->cboCalSize->addItem(QString::fromUtf8(preset.Name));
    }
    ui_->cboCalSize->setCurrentIndex(0);
}

void BasicTab::SetYearMonth(int year, int month) {
    ShowYearMonth(year, month);
}

std::string BasicTab::YearText() const {
    return ui_->lblYear->text().toStdString();
}
std::string BasicTab::MonthText() const {
    return ui_->lblMonth->text().toStdString();
}

void BasicTab::ShowYearMonth(int year, int month) {
    const QSignalBlocker quietYear(ui_->lblYear);
    const QSignalBlocker quietMonth(ui_->lblMonth);
    ui_->lblYear->setValue(year);
    ui_->lblMonth->setValue(month);
}

void BasicTab::YearMonthTyped() {
    host_->RefreshStyleSamples();
    Repaint();
}

void BasicTab::DataToControls(const TData& r) {
    Ui::BasicTab& c = *ui_;
    c.cboCalSize->setCurrentIndex(r.SizeIndex);
    c.txtCalSizeX->setText(Decimal(r.SizeX));
    c.txtCalSizeY->setText(Decimal(r.SizeY));
    c.cmdBackColor->SetColor(r.CalenderBackColor);
    c.chkWaku->setChecked(r.Frame != 0);
    c.txtPositionX->setText(Decimal(r.PositionX));
    c.txtPositionY->setText(Decimal(r.PositionY));
    ShowYearMonth(r.Year, r.Month);

    c.txtPicFile->setText(QString::fromStdString(r.PictureFile));
    c.txtPicOffset->setText(Decimal(r.PictureOffset));
    c.cboPicPos->setCurrentIndex(r.PicturePosition);
    c.trackPicSize->setValue(r.PictureSize);
    c.cboPicFit->setCurrentIndex(r.PictureFrame.Fill != 0 ? 1 : 0);

    QAbstractButton* view = viewGroup_->button(r.View);
    if (view != nullptr) {
        view->setChecked(true);
    } else {
        // A radio group that shows no choice: take the exclusivity off to clear it.
        viewGroup_->setExclusive(false);
        for (QAbstractButton* button : viewGroup_->buttons()) button->setChecked(false);
        viewGroup_->setExclusive(true);
    }
    // The alignment captions follow the loaded side, so the list reads right from the start.
    SetAlignmentCaptions(r.Position2);
    c.cboPNMonthPos1->setCurrentIndex(r.Position1);
    c.cboPNMonthPos2->setCurrentIndex(r.Position2);
    c.cboPNMonthAlign->setCurrentIndex(r.PNMonthAlign);
    c.trackPNMonthSize->setValue(r.PrevNextMonthSize);
    c.chkPNMonthWeek->setChecked(r.Week != 0);
    c.txtPluralColumns->setText(Decimal(r.Columns));
    c.txtPluralRows->setText(Decimal(r.Rows));
}

void BasicTab::LayoutToControls(const TData& r) {
    ui_->optSingleMonth->setChecked(true);
    if (r.PrevNextMonthEnabled != 0) ui_->optPNMonth->setChecked(true);
    if (r.PluralEnabled != 0) ui_->optPluralMonth->setChecked(true);
}

void BasicTab::ControlsToData(TData& r) const {
    const Ui::BasicTab& c = *ui_;
    r.SizeIndex = c.cboCalSize->currentIndex();
    // What the size fields show, never the number of a text that is none.
    r.SizeX = SizeFieldValue(c.txtCalSizeX);
    r.SizeY = SizeFieldValue(c.txtCalSizeY);
    // A size being typed (the field not yet left) is a typed size already: saved with the named
    // size's index, a restore would put the named size's width back.
    if (sizeEdited_ && r.SizeIndex >= 0) {
        const SizePreset* preset = FindSizePreset(c.cboCalSize->currentText().toUtf8().constData());
        if (preset != nullptr && (preset->Width != r.SizeX || preset->Height != r.SizeY)) {
            r.SizeIndex = -1;
        }
    }
    r.CalenderBackColor = c.cmdBackColor->Color();
    r.Frame = c.chkWaku->isChecked() ? 1 : 0;
    r.PositionX = SizeFieldValue(c.txtPositionX);
    r.PositionY = SizeFieldValue(c.txtPositionY);
    r.Year = ValInt(YearText());
    r.Month = ValInt(MonthText());

    r.PictureFile = c.txtPicFile->text().toStdString();
    r.PictureOffset = EditNumber(c.txtPicOffset);
    r.PictureSize = c.trackPicSize->value();
    r.PicturePosition = c.cboPicPos->currentIndex();
    r.PictureFrame.Fill = c.cboPicFit->currentIndex() == 1 ? 1 : 0;

    r.PrevNextMonthEnabled = c.optPNMonth->isChecked() ? 1 : 0;
    r.PluralEnabled = c.optPluralMonth->isChecked() ? 1 : 0;
    r.View = viewGroup_->checkedId();
    r.Position1 = c.cboPNMonthPos1->currentIndex();
    r.Position2 = c.cboPNMonthPos2->currentIndex();
    r.PNMonthAlign = c.cboPNMonthAlign->currentIndex();
    r.PrevNextMonthSize = c.trackPNMonthSize->value();
    r.Week = c.chkPNMonthWeek->isChecked() ? 1 : 0;
    r.Columns = EditNumber(c.txtPluralColumns);
    r.Rows = EditNumber(c.txtPluralRows);
}

void BasicTab::Repaint() {
    if (host_ != nullptr) host_->RepaintPreview();
}

// Size list.

void BasicTab::cboCalSizeChange() {
    const SizePreset* preset = FindSizePreset(ui_->cboCalSize->currentText().toUtf8().constData());
    if (preset != nullptr) {
        ui_->txtCalSizeX->setText(Decimal(preset->Width));
        ui_->txtCalSizeY->setText(Decimal(preset->Height));
    }
    host_->ApplyCalendarSize();
}

// Size and position edits: a size typed by hand no longer matches a named size.

void BasicTab::SizeEditEnter() {
    sizeEdited_ = false;
    // What each field held before the typing, to go back to when the typing is no size.
    for (const QLineEdit* edit :
         {ui_->txtCalSizeX, ui_->txtCalSizeY, ui_->txtPositionX, ui_->txtPositionY}) {
        entered_[edit] = SizeFieldValue(edit);
    }
}

void BasicTab::SizeEditChange() {
    sizeEdited_ = true;
}

std::optional<int> BasicTab::SizeEditValue(const QLineEdit* edit) const {
    const Range range = RangeOf(edit);
    const std::string text = Trim(edit->text().toStdString());
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(value) ||
        value < range.lowest || value > range.highest) {
        return std::nullopt;
    }
    return ValInt(text);
}

BasicTab::Range BasicTab::RangeOf(const QLineEdit* edit) const {
    if (edit == ui_->txtCalSizeX) return {"カレンダーの横のサイズ", 1, 9999};
    if (edit == ui_->txtCalSizeY) return {"カレンダーの縦のサイズ", 1, 9999};
    if (edit == ui_->txtPositionX) return {"印刷位置の左から", -999, 9999};
    return {"印刷位置の上から", -999, 9999};
}

int32_t BasicTab::SizeFieldValue(const QLineEdit* edit) const {
    const std::optional<int> value = SizeEditValue(edit);
    if (value) return *value;
    const auto shown = shown_.find(edit);
    return shown != shown_.end() ? shown->second : 0;
}

void BasicTab::SizeEditExit() {
    if (!sizeEdited_) return;
    // Taken once: a text that is no number is reported once, not again at every focus change
    // that follows the message box.
    sizeEdited_ = false;
    // A text that is no size in range gives the value the field had back, and says why.
    for (QLineEdit* edit :
         {ui_->txtCalSizeX, ui_->txtCalSizeY, ui_->txtPositionX, ui_->txtPositionY}) {
        if (SizeEditValue(edit)) continue;
        const Range range = RangeOf(edit);
        const std::string typed = edit->text().toStdString();
        const auto entered = entered_.find(edit);
        const int previous = entered != entered_.end() ? entered->second : SizeFieldValue(edit);
        {
            const QSignalBlocker quiet(edit);
            edit->setText(Decimal(previous));
        }
        shown_[edit] = previous;
        host_->Messages().Report(MessageKind::Warning, std::string(range.field) + "には " +
                                                           std::to_string(range.lowest) + " から " +
                                                           std::to_string(range.highest) +
                                                           " までの数（mm）を入力してください。「" +
                                                           typed + "」は使えません。");
        return;
    }
    ui_->cboCalSize->setCurrentIndex(-1);
    host_->ApplyCalendarSize();
}

void BasicTab::CommitPendingSizeEdit() {
    QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && IsSizeEdit(focus)) {
        SizeEditExit();
        sizeEdited_ = false;
    }
}

bool BasicTab::IsSizeEdit(QObject* object) const {
    return object == ui_->txtCalSizeX || object == ui_->txtCalSizeY ||
           object == ui_->txtPositionX || object == ui_->txtPositionY;
}

void BasicTab::cmdBackColorClick() {
    const std::optional<int32_t> color =
        host_->Dialogs().ChooseColor(window(), ui_->cmdBackColor->Color());
    if (!color) return;
    ui_->cmdBackColor->SetColor(*color);
    Repaint();
}

// Picture.

void BasicTab::txtPicFileChange() {
    if (host_ == nullptr) return;
    host_->MarkPictureChanged();
    if (ui_->txtPicFile->text().isEmpty()) Repaint();
}

void BasicTab::txtPicFileExit() {
    // A typed name that is no picture gives the field its picture back.
    const QString typed = ui_->txtPicFile->text();
    if (!typed.isEmpty() && typed != pictureEntered_ && !host_->AcceptPicture(typed)) {
        ui_->txtPicFile->setText(pictureEntered_);
    }
    pictureEntered_ = ui_->txtPicFile->text();
    Repaint();
}

void BasicTab::txtPicOffsetExit() {
    if (ui_->txtPicOffset->text().trimmed().isEmpty()) ui_->txtPicOffset->setText("0");
    Repaint();
}

void BasicTab::cmdOpenPicClick() {
    if (host_->ChoosePicture(ui_->txtPicFile)) Repaint();
}

void BasicTab::cmdPicFitResetClick() {
    PictureFraming& framing = host_->Data().PictureFrame;
    framing = PictureFraming{framing.Fill};
    Repaint();
}

void BasicTab::SetPictureFill(bool fill) {
    ui_->cboPicFit->setCurrentIndex(fill ? 1 : 0);
}

void BasicTab::ShowPictureDpi(const QString& text, bool low) {
    // Told after every repaint: a style sheet set again would restyle the label each time.
    if (text == ui_->lblPicDpi->text()) return;
    ui_->lblPicDpi->setText(text);
    ui_->lblPicDpi->setStyleSheet(low ? QStringLiteral("color: #c00000;") : QString());
}

void BasicTab::cboPicPosClick() {
    style_->RebuildTitleRows(ui_->cboPicPos->currentIndex());
    Repaint();
}

void BasicTab::SetAlignmentCaptions(int side) {
    const bool vertical = side == 2 || side == 3;
    QComboBox* align = ui_->cboPNMonthAlign;
    const int index = align->currentIndex();
    align->clear();
    if (vertical) {
        align->addItems({"上寄せ", "中央", "下寄せ", "目一杯"});
    } else {
        align->addItems({"左寄せ", "中央", "右寄せ", "目一杯"});
    }
    align->setCurrentIndex(index);
}

void BasicTab::cboPNMonthPos2Click() {
    SetAlignmentCaptions(ui_->cboPNMonthPos2->currentIndex());
    Repaint();
}

// Year and month steps.

bool BasicTab::spinYearDownClick() {
    const int year = ValInt(YearText());
    if (year <= kFirstYear) return false;
    ShowYearMonth(year - 1, ValInt(MonthText()));
    host_->RefreshStyleSamples();
    Repaint();
    return true;
}

bool BasicTab::spinYearUpClick() {
    const int year = ValInt(YearText());
    if (year >= kLastYear) return false;
    ShowYearMonth(year + 1, ValInt(MonthText()));
    host_->RefreshStyleSamples();
    Repaint();
    return true;
}

void BasicTab::spinMonthDownClick() {
    const int month = ValInt(MonthText());
    if (month <= 1) {
        if (!spinYearDownClick()) return;
        ShowYearMonth(ValInt(YearText()), 12);
    } else {
        ShowYearMonth(ValInt(YearText()), month - 1);
    }
    host_->RefreshStyleSamples();
    Repaint();
}

void BasicTab::spinMonthUpClick() {
    const int month = ValInt(MonthText());
    if (month >= 12) {
        if (!spinYearUpClick()) return;
        ShowYearMonth(ValInt(YearText()), 1);
    } else {
        ShowYearMonth(ValInt(YearText()), month + 1);
    }
    host_->RefreshStyleSamples();
    Repaint();
}

// Month counts of the several-months layout.

namespace {

void StepCount(QLineEdit* edit, int step) {
    const int value = ValInt(edit->text().toStdString());
    if (step < 0 && value > 1) edit->setText(QString::number(value - 1));
    if (step > 0 && value < 99) edit->setText(QString::number(value + 1));
}

}  // namespace

void BasicTab::spinPluralColumnsDownClick() {
    StepCount(ui_->txtPluralColumns, -1);
    Repaint();
}

void BasicTab::spinPluralColumnsUpClick() {
    StepCount(ui_->txtPluralColumns, +1);
    Repaint();
}

void BasicTab::txtPluralColumnsExit() {
    if (EditNumber(ui_->txtPluralColumns) < 1) ui_->txtPluralColumns->setText("1");
    Repaint();
}

void BasicTab::spinPluralRowsDownClick() {
    StepCount(ui_->txtPluralRows, -1);
    Repaint();
}

void BasicTab::spinPluralRowsUpClick() {
    StepCount(ui_->txtPluralRows, +1);
    Repaint();
}

void BasicTab::txtPluralRowsExit() {
    const int rows = EditNumber(ui_->txtPluralRows);
    if (rows < 1) ui_->txtPluralRows->setText("1");
    if (rows > 99) ui_->txtPluralRows->setText("99");
    Repaint();
}

bool BasicTab::eventFilter(QObject* watched, QEvent* event) {
    if (host_ == nullptr) return false;
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn && !IsWindowFocusChange(event)) {
        if (IsSizeEdit(watched)) SizeEditEnter();
        if (watched == ui_->txtPicFile) pictureEntered_ = ui_->txtPicFile->text();
    } else if (type == QEvent::FocusOut && !IsWindowFocusChange(event)) {
        if (IsSizeEdit(watched)) SizeEditExit();
        if (watched == ui_->txtPicFile) txtPicFileExit();
        if (watched == ui_->txtPicOffset) txtPicOffsetExit();
        if (watched == ui_->txtPluralColumns) txtPluralColumnsExit();
        if (watched == ui_->txtPluralRows) txtPluralRowsExit();
    }
    return false;
}

}  // namespace orv
