#include "app/memorial/MemorialTab.h"

#include <QFileInfo>
#include <QFocusEvent>
#include <QHeaderView>

#include "app/TabHost.h"
#include "app/UiHelpers.h"
#include "app/WindowDialogs.h"
#include "app/basic/BasicTab.h"
#include "app/memorial/MemorialImportDialog.h"
#include "app/style/StyleTab.h"
#include "model/AtomicFile.h"
#include "model/CivilDate.h"
#include "model/ICalendarDates.h"
#include "model/VB.h"
#include "ui_MemorialTab.h"

namespace orv {

namespace {

constexpr int kLastMemorialYear = 9999;

QString Mark(int32_t color) {
    return color >= 0 ? QStringLiteral("■") : QStringLiteral("×");
}

std::string Text(const QLineEdit* edit) {
    return edit->text().toStdString();
}

// Code points before a UTF-16 position.
int CharactersBefore(const QString& text, int position) {
    return static_cast<int>(text.left(position).toUcs4().size());
}

}  // namespace

MemorialTab::MemorialTab(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::MemorialTab>()) {
    ui_->setupUi(this);
    for (QLineEdit* edit : {ui_->txtMemorialDayY, ui_->txtMemorialDayM, ui_->txtMemorialDay}) {
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    }
    ui_->lvwMemorial->header()->setSectionsClickable(false);
    ui_->cmdMemorialDayColor->SetColor(0x000000);
    ui_->cmdMemorialFontColor->SetColor(0xFF0000);
    ui_->cmdMemorialBackColor->SetColor(0x0000FF);
}

MemorialTab::~MemorialTab() = default;

void MemorialTab::Attach(TabHost& host, const BasicTab& basic, const StyleTab& style) {
    host_ = &host;
    basic_ = &basic;
    style_ = &style;
    Ui::MemorialTab& c = *ui_;
    connect(c.cmdAddMemorial, &QPushButton::clicked, this, &MemorialTab::cmdAddMemorialClick);
    connect(c.txtMemorialName, &QLineEdit::returnPressed, this, &MemorialTab::cmdAddMemorialClick);
    connect(c.cmdDelMemorial, &QPushButton::clicked, this, &MemorialTab::cmdDelMemorialClick);
    connect(c.cmdImportMemorial, &QPushButton::clicked, this, &MemorialTab::cmdImportMemorialClick);
    connect(c.cmdExportMemorial, &QPushButton::clicked, this, &MemorialTab::cmdExportMemorialClick);
    connect(c.lvwMemorial, &QTreeWidget::itemSelectionChanged, this,
            &MemorialTab::lvwMemorialSelectItem);
    connect(c.spinMemorialDayY, &SpinButton::UpClick, this, &MemorialTab::spinMemorialDayYUpClick);
    connect(c.spinMemorialDayY, &SpinButton::DownClick, this,
            &MemorialTab::spinMemorialDayYDownClick);
    connect(c.spinMemorialDayM, &SpinButton::UpClick, this, &MemorialTab::spinMemorialDayMUpClick);
    connect(c.spinMemorialDayM, &SpinButton::DownClick, this,
            &MemorialTab::spinMemorialDayMDownClick);
    connect(c.spinMemorialDay, &SpinButton::UpClick, this, &MemorialTab::spinMemorialDayUpClick);
    connect(c.spinMemorialDay, &SpinButton::DownClick, this,
            &MemorialTab::spinMemorialDayDownClick);
    connect(c.cmdMemorialDayColor, &TPictureButton::clicked, this,
            &MemorialTab::cmdMemorialDayColorClick);
    connect(c.cmdMemorialFontColor, &TPictureButton::clicked, this,
            &MemorialTab::cmdMemorialFontColorClick);
    connect(c.cmdMemorialBackColor, &TPictureButton::clicked, this,
            &MemorialTab::cmdMemorialBackColorClick);
    connect(c.cmdMemorialPilcrow, &QPushButton::clicked, this,
            &MemorialTab::cmdMemorialPilcrowClick);
    for (QLineEdit* edit :
         {c.txtMemorialDayY, c.txtMemorialDayM, c.txtMemorialDay, c.txtMemorialName}) {
        edit->installEventFilter(this);
    }
}

TMemorials& MemorialTab::Memorials() {
    return host_->Data().Memorials;
}

void MemorialTab::FillList(const TMemorials& memorials) {
    QTreeWidget* list = ui_->lvwMemorial;
    list->clear();
    for (int i = 0; i < memorials.Count(); ++i) {
        auto* row = new QTreeWidgetItem(list);
        SetRow(row, memorials.Items(i));
    }
    SortRows();
    AutoSizeColumns(list, true);
}

void MemorialTab::SetRow(QTreeWidgetItem* row, const TMemorial& memorial) {
    row->setText(0, QString::fromStdString(memorial.Date));
    row->setText(1, QString::fromStdString(memorial.Name));
    row->setText(2, Mark(memorial.DayColor));
    row->setText(3, Mark(memorial.FontColor));
    row->setText(4, Mark(memorial.BackColor));
    lvwMemorialAdvancedCustomDrawSubItem(row);
}

void MemorialTab::lvwMemorialAdvancedCustomDrawSubItem(QTreeWidgetItem* row) {
    // The marks show the colours themselves; the row's entry is the one its date finds.
    const TMemorial* memorial =
        host_ != nullptr ? Memorials().FindByDate(row->text(0).toStdString()) : nullptr;
    if (memorial == nullptr) return;
    const auto brush = [](int32_t color) { return ToQColor(color < 0 ? 0 : color); };
    row->setForeground(1, brush(0));
    row->setForeground(2, brush(memorial->DayColor));
    row->setForeground(3, brush(memorial->FontColor));
    row->setForeground(4, brush(memorial->BackColor));
}

void MemorialTab::SortRows() {
    ui_->lvwMemorial->sortItems(0, Qt::AscendingOrder);
}

QTreeWidgetItem* MemorialTab::FindRow(const QString& caption) const {
    QTreeWidget* list = ui_->lvwMemorial;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->text(0) == caption) return list->topLevelItem(i);
    }
    return nullptr;
}

void MemorialTab::ResetInput() {
    ui_->lvwMemorial->clearSelection();
    Deselected();
    savedCaret_ = 0;
}

void MemorialTab::Deselected() {
    Ui::MemorialTab& c = *ui_;
    c.txtMemorialDay->clear();
    c.txtMemorialName->clear();
    c.chkMemorialDayColor->setChecked(false);
    c.chkMemorialFontColor->setChecked(false);
    c.chkMemorialBackColor->setChecked(false);
    c.cmdMemorialDayColor->SetColor(style_->WeekdayColor());
    c.cmdMemorialFontColor->SetColor(style_->HolidayColor());
    c.cmdMemorialBackColor->SetColor(style_->DayBackColor());
}

void MemorialTab::cmdAddMemorialClick() {
    Ui::MemorialTab& c = *ui_;
    const Variant year = Val(Text(c.txtMemorialDayY));
    const Variant month = Val(Text(c.txtMemorialDayM));
    const Variant day = Val(Text(c.txtMemorialDay));
    // A day that no calendar has is refused by name; year 0 means every year, 2/29 included.
    const int y = ValInt(year);
    const int m = ValInt(month);
    const int d = ValInt(day);
    if (y < 0 || m < 1 || m > 12 || d < 1 || d > DaysInMonth(y == 0 ? 2000 : y, m)) {
        host_->Messages().Report(MessageKind::Warning, std::to_string(y) + "/" + std::to_string(m) +
                                                           "/" + std::to_string(d) +
                                                           " は日付ではありません。");
        return;
    }

    // A year field without digits adds as the number 0 and leaves the year part empty: such a
    // day counts for every year, like year 0.
    const std::string date = Right((Variant("0000") + year).ToText(), 4) + "/" +
                             Right((Variant("0") + month).ToText(), 2) + "/" +
                             Right((Variant("0") + day).ToText(), 2);
    const QString caption = QString::fromStdString(date);

    QTreeWidgetItem* row = FindRow(caption);
    TMemorial* memorial = row != nullptr ? Memorials().FindByDate(date) : nullptr;
    std::string name = Text(c.txtMemorialName);
    // Another name on a date that has one: unless the user picked that entry from the list to
    // edit it, they say whether it replaces it or joins it. The row left selected by the last
    // セット does not count: typing a second name after it is adding, not editing.
    if (memorial != nullptr && memorial->Name != name && !(row->isSelected() && pickedRow_)) {
        const ClashAnswer answer = host_->Dialogs().AskMemorialClash(
            window(), caption, QString::fromStdString(ReplaceText(memorial->Name, "¶", " / ")),
            QString::fromStdString(name));
        if (answer == ClashAnswer::Cancel) return;
        if (answer == ClashAnswer::KeepBoth) name = memorial->Name + "¶" + name;
    }
    if (row == nullptr || memorial == nullptr) {
        row = new QTreeWidgetItem(c.lvwMemorial);
        memorial = &Memorials().Add();
    }
    memorial->Date = date;
    memorial->Name = name;
    const ImportColors colors = InputColors();
    memorial->DayColor = colors.DayColor;
    memorial->FontColor = colors.FontColor;
    memorial->BackColor = colors.BackColor;
    SetRow(row, *memorial);
    SortRows();

    AutoSizeColumns(c.lvwMemorial, true);
    host_->RepaintPreview();
    c.lvwMemorial->clearSelection();
    if (QTreeWidgetItem* first = FindRow(caption)) {
        c.lvwMemorial->setCurrentItem(first);
        first->setSelected(true);
    }
    pickedRow_ = false;
}

ImportColors MemorialTab::InputColors() const {
    const Ui::MemorialTab& c = *ui_;
    const auto color = [](const QCheckBox* box, const TPictureButton* swatch) {
        return box->isChecked() ? swatch->Color() : -1;
    };
    return {color(c.chkMemorialDayColor, c.cmdMemorialDayColor),
            color(c.chkMemorialFontColor, c.cmdMemorialFontColor),
            color(c.chkMemorialBackColor, c.cmdMemorialBackColor)};
}

void MemorialTab::cmdDelMemorialClick() {
    QTreeWidget* list = ui_->lvwMemorial;
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty()) {
        host_->Messages().Report(MessageKind::Warning, "記念日リストから選択してください。");
        list->setFocus();
        return;
    }
    const QString caption = selected.first()->text(0);
    if (const TMemorial* memorial = Memorials().FindByDate(caption.toStdString())) {
        for (int i = 0; i < Memorials().Count(); ++i) {
            if (&Memorials().Items(i) == memorial) {
                Memorials().Delete(i);
                break;
            }
        }
    }
    QTreeWidgetItem* row = FindRow(caption);
    const int position = list->indexOfTopLevelItem(row);
    {
        // The rows that stay keep their look; only the selection is decided below.
        const QSignalBlocker blocker(list);
        delete row;
    }
    host_->RepaintPreview();
    list->clearSelection();
    if (position >= 0 && position < list->topLevelItemCount()) {
        QTreeWidgetItem* next = list->topLevelItem(position);
        list->setCurrentItem(next);
        next->setSelected(true);
    } else {
        lvwMemorialSelectItem();
    }
}

void MemorialTab::cmdImportMemorialClick() {
    const QString path = host_->Dialogs().OpenFileName(
        window(),
        QStringLiteral("カレンダー・連絡先 (*.ics *.ical *.vcf *.vcard);;iCalendar (*.ics *.ical);;"
                       "vCard (*.vcf *.vcard);;すべてのファイル (*)"),
        host_->DialogStart(FileKind::Exports));
    if (path.isEmpty()) return;
    host_->UsedFile(FileKind::Exports, path);
    std::string bytes;
    try {
        bytes = ReadDatesFileBytes(path.toStdString());
    } catch (const std::exception& e) {
        host_->Messages().Report(MessageKind::Error, WithHeading("記念日の取り込みｴﾗｰ", e.what()));
        return;
    }
    delete importDialog_;
    importDialog_ = new MemorialImportDialog(window(), host_->Dialogs(), QFileInfo(path).fileName(),
                                             std::move(bytes), Memorials(),
                                             YearsOfDesign(host_->Data()), InputColors());
    importDialog_->setAttribute(Qt::WA_DeleteOnClose);
    connect(importDialog_, &QDialog::accepted, this, &MemorialTab::TakeImported);
    host_->Dialogs().ShowModal(importDialog_);
}

MemorialImportDialog* MemorialTab::ImportDialog() const {
    return importDialog_;
}

void MemorialTab::TakeImported() {
    const MergeCount count = MergeMemorials(Memorials(), importDialog_->Picked(),
                                            importDialog_->Colors(), importDialog_->Clash());
    FillList(Memorials());
    ResetInput();
    host_->RepaintPreview();
    host_->ShowStatus(MergeSummary(count));
}

void MemorialTab::cmdExportMemorialClick() {
    if (Memorials().Count() == 0) {
        host_->Messages().Report(MessageKind::Warning, "書き出す記念日がありません。");
        return;
    }
    const QString path = host_->Dialogs().SaveFileName(
        window(), QStringLiteral("iCalendar (*.ics)"),
        host_->DialogStart(FileKind::Exports, QStringLiteral("記念日.ics")), QStringLiteral("ics"),
        nullptr);
    if (path.isEmpty()) return;
    host_->UsedFile(FileKind::Exports, path);
    int skipped = 0;
    try {
        WriteFileAtomically(path.toStdString(),
                            WriteICalendar(Memorials(), host_->Data().Year, &skipped));
    } catch (const std::exception& e) {
        host_->Messages().Report(MessageKind::Error,
                                 WithHeading("ﾌｧｲﾙ保存ｴﾗｰ", path.toStdString() + ": " + e.what()));
        return;
    }
    std::string text =
        "記念日 " + std::to_string(Memorials().Count() - skipped) + " 件を書き出しました。";
    if (skipped > 0) text += "\n" + std::to_string(skipped) + " 件は日付ではないため除きました。";
    host_->Messages().Report(MessageKind::Information, text);
}

void MemorialTab::lvwMemorialSelectItem() {
    const QList<QTreeWidgetItem*> selected = ui_->lvwMemorial->selectedItems();
    if (selected.isEmpty()) {
        Deselected();
        return;
    }
    const TMemorial* memorial = Memorials().FindByDate(selected.first()->text(0).toStdString());
    if (memorial == nullptr) return;
    pickedRow_ = true;
    Ui::MemorialTab& c = *ui_;
    const std::vector<std::string> parts = Split(memorial->Date, "/", true);
    QLineEdit* fields[] = {c.txtMemorialDayY, c.txtMemorialDayM, c.txtMemorialDay};
    for (size_t i = 0; i < 3; ++i) {
        fields[i]->setText(i < parts.size() ? QString::fromStdString(parts[i]) : "0");
    }
    c.txtMemorialName->setText(QString::fromStdString(memorial->Name));
    const auto show = [](QCheckBox* box, TPictureButton* swatch, int32_t color, int32_t design) {
        box->setChecked(color >= 0);
        swatch->SetColor(color >= 0 ? color : design);
    };
    show(c.chkMemorialDayColor, c.cmdMemorialDayColor, memorial->DayColor, style_->WeekdayColor());
    show(c.chkMemorialFontColor, c.cmdMemorialFontColor, memorial->FontColor,
         style_->HolidayColor());
    show(c.chkMemorialBackColor, c.cmdMemorialBackColor, memorial->BackColor,
         style_->DayBackColor());
}

void MemorialTab::txtMemorialDayYEnter() {
    Ui::MemorialTab& c = *ui_;
    if (c.txtMemorialDayY->text().isEmpty()) {
        c.txtMemorialDayY->setText(QString::fromStdString(Val(basic_->YearText()).ToText()));
    }
    if (c.txtMemorialDayM->text().isEmpty()) {
        c.txtMemorialDayM->setText(QString::fromStdString(Val(basic_->MonthText()).ToText()));
    }
}

// Date spins. Year 0 stands for every year and counts as a leap year, so 29 February exists.

void MemorialTab::spinMemorialDayYUpClick() {
    QLineEdit* edit = ui_->txtMemorialDayY;
    if (edit->text().trimmed().isEmpty()) {
        edit->setText(QString::number(Today().Year));
        return;
    }
    const int year = ValInt(Text(edit));
    if (year < kLastMemorialYear) edit->setText(QString::number(year + 1));
}

void MemorialTab::spinMemorialDayYDownClick() {
    QLineEdit* edit = ui_->txtMemorialDayY;
    if (edit->text().trimmed().isEmpty()) {
        edit->setText(QString::number(Today().Year));
        return;
    }
    const int year = ValInt(Text(edit));
    if (year > 0) edit->setText(QString::number(year - 1));
}

void MemorialTab::spinMemorialDayMUpClick() {
    int month = ValInt(Text(ui_->txtMemorialDayM)) + 1;
    const bool carry = month > 12;
    if (carry) month = 1;
    ui_->txtMemorialDayM->setText(QString::number(month));
    if (carry) spinMemorialDayYUpClick();
}

void MemorialTab::spinMemorialDayMDownClick() {
    int month = ValInt(Text(ui_->txtMemorialDayM)) - 1;
    const bool carry = month < 1;
    if (carry) month = 12;
    ui_->txtMemorialDayM->setText(QString::number(month));
    if (carry) spinMemorialDayYDownClick();
}

namespace {

// Days of the month the fields name; a year without digits is every year (a leap year) and a
// month outside 1..12 is taken as the nearest month.
int FieldMonthLength(const std::string& yearText, const std::string& monthText) {
    const int year = ValInt(yearText);
    const int month = std::clamp(ValInt(monthText), 1, 12);
    return DaysInMonth(year <= 0 ? 2000 : year, month);
}

}  // namespace

void MemorialTab::spinMemorialDayUpClick() {
    Ui::MemorialTab& c = *ui_;
    const int length = FieldMonthLength(Text(c.txtMemorialDayY), Text(c.txtMemorialDayM));
    const int day = ValInt(Text(c.txtMemorialDay)) + 1;
    if (day > length) {
        c.txtMemorialDay->setText("1");
        spinMemorialDayMUpClick();
    } else {
        c.txtMemorialDay->setText(QString::number(day));
    }
}

void MemorialTab::spinMemorialDayDownClick() {
    Ui::MemorialTab& c = *ui_;
    const int day = ValInt(Text(c.txtMemorialDay));
    if (day >= 2) {
        c.txtMemorialDay->setText(QString::number(day - 1));
        return;
    }
    spinMemorialDayMDownClick();
    c.txtMemorialDay->setText(
        QString::number(FieldMonthLength(Text(c.txtMemorialDayY), Text(c.txtMemorialDayM))));
}

void MemorialTab::cmdMemorialDayColorClick() {
    const auto color = host_->Dialogs().ChooseColor(window(), ui_->cmdMemorialDayColor->Color());
    if (color) ui_->cmdMemorialDayColor->SetColor(*color);
}

void MemorialTab::cmdMemorialFontColorClick() {
    const auto color = host_->Dialogs().ChooseColor(window(), ui_->cmdMemorialFontColor->Color());
    if (color) ui_->cmdMemorialFontColor->SetColor(*color);
}

void MemorialTab::cmdMemorialBackColorClick() {
    const auto color = host_->Dialogs().ChooseColor(window(), ui_->cmdMemorialBackColor->Color());
    if (color) ui_->cmdMemorialBackColor->SetColor(*color);
}

void MemorialTab::cmdMemorialPilcrowClick() {
    QLineEdit* edit = ui_->txtMemorialName;
    const std::string name = Text(edit);
    std::string result;
    if (savedCaret_ <= 0) {
        result = "¶" + name;
    } else if (savedCaret_ > Len(name)) {
        result = name + "¶";
    } else {
        result = Left(name, savedCaret_) + "¶" + Mid(name, savedCaret_ + 1);
    }
    edit->setText(QString::fromStdString(result));
}

void MemorialTab::txtMemorialNameExit() {
    const QLineEdit* edit = ui_->txtMemorialName;
    const QString text = edit->text();
    if (edit->hasSelectedText()) {
        savedCaret_ = CharactersBefore(text, edit->selectionEnd());
    } else {
        savedCaret_ = CharactersBefore(text, edit->cursorPosition());
    }
}

bool MemorialTab::eventFilter(QObject* watched, QEvent* event) {
    if (host_ == nullptr) return false;
    const Ui::MemorialTab& c = *ui_;
    if (event->type() == QEvent::FocusIn) {
        if (watched == c.txtMemorialDayY || watched == c.txtMemorialDayM ||
            watched == c.txtMemorialDay) {
            txtMemorialDayYEnter();
        }
    } else if (event->type() == QEvent::FocusOut && watched == c.txtMemorialName) {
        txtMemorialNameExit();
    }
    return false;
}

}  // namespace orv
