#include "app/imposition/ImpositionTab.h"

#include <QFocusEvent>
#include <QHeaderView>

#include "app/FileFilter.h"
#include "app/TabHost.h"
#include "app/UiHelpers.h"
#include "app/WindowDialogs.h"
#include "model/VB.h"
#include "ui_ImpositionTab.h"

namespace orv {

namespace {

constexpr int kMaxCount = 99;

int EditNumber(const QLineEdit* edit) {
    return ValInt(edit->text().toStdString());
}

void Clamp(QLineEdit* edit) {
    const int value = EditNumber(edit);
    if (value < 1) edit->setText("1");
    if (value > kMaxCount) edit->setText(QString::number(kMaxCount));
}

}  // namespace

ImpositionTab::ImpositionTab(QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::ImpositionTab>()) {
    ui_->setupUi(this);
    ui_->txtMatrixCol->setAttribute(Qt::WA_InputMethodEnabled, false);
    ui_->txtMatrixMonth->setAttribute(Qt::WA_InputMethodEnabled, false);
    ui_->lvwMatrix->header()->setSectionsClickable(false);
    const QIcon folder = style()->standardIcon(QStyle::SP_DirOpenIcon);
    ui_->cmdMatrixImageFile->setIcon(folder);
    ui_->cmdMatrixConfigFile->setIcon(folder);
}

ImpositionTab::~ImpositionTab() = default;

void ImpositionTab::Attach(TabHost& host) {
    host_ = &host;
    Ui::ImpositionTab& c = *ui_;
    connect(c.chkMatrix, &QCheckBox::clicked, this, &ImpositionTab::chkMatrixClick);
    connect(c.spinMatrixCol, &SpinButton::DownClick, this, &ImpositionTab::spinMatrixColDownClick);
    connect(c.spinMatrixCol, &SpinButton::UpClick, this, &ImpositionTab::spinMatrixColUpClick);
    connect(c.spinMatrixMonth, &SpinButton::DownClick, this,
            &ImpositionTab::spinMatrixMonthDownClick);
    connect(c.spinMatrixMonth, &SpinButton::UpClick, this, &ImpositionTab::spinMatrixMonthUpClick);
    connect(c.cmdMatrixImageFile, &QToolButton::clicked, this,
            &ImpositionTab::cmdMatrixImageFileClick);
    connect(c.cmdMatrixConfigFile, &QToolButton::clicked, this,
            &ImpositionTab::cmdMatrixConfigFileClick);
    connect(c.btnMatrixAdd, &QPushButton::clicked, this, &ImpositionTab::btnMatrixAddClick);
    connect(c.btnMatrixUpdate, &QPushButton::clicked, this, &ImpositionTab::btnMatrixUpdateClick);
    connect(c.btnMatrixUp, &QPushButton::clicked, this, &ImpositionTab::btnMatrixUpClick);
    connect(c.btnMatrixDown, &QPushButton::clicked, this, &ImpositionTab::btnMatrixDownClick);
    connect(c.btnMatrixDelete, &QPushButton::clicked, this, &ImpositionTab::btnMatrixDeleteClick);
    connect(c.lvwMatrix, &QTreeWidget::itemSelectionChanged, this,
            &ImpositionTab::lvwMatrixSelectItem);
    for (QLineEdit* edit : {c.txtMatrixCol, c.txtMatrixInterval, c.txtMatrixMonth}) {
        edit->installEventFilter(this);
    }
}

TMatrixs& ImpositionTab::Matrixs() {
    return host_->Data().Matrixs;
}

QString ImpositionTab::NumberCaption(int number) {
    return QString::fromStdString(Right("  " + IntToStr(number), 3));
}

void ImpositionTab::DataToControls(const TData& r) {
    ui_->chkMatrix->setChecked(r.Print != 0);
    ui_->txtMatrixCol->setText(QString::number(r.Cols));
    ui_->txtMatrixInterval->setText(QString::number(r.Interval));
    FillList(r.Matrixs);
}

void ImpositionTab::ControlsToData(TData& r) {
    r.Print = ui_->chkMatrix->isChecked() ? 1 : 0;
    r.Cols = EditNumber(ui_->txtMatrixCol);
    r.Interval = EditNumber(ui_->txtMatrixInterval);
    if (r.Cols < 1) {
        ui_->txtMatrixCol->setText("1");
        r.Cols = 1;
    }
}

void ImpositionTab::FillList(const TMatrixs& matrixs) {
    QTreeWidget* list = ui_->lvwMatrix;
    list->clear();
    for (int i = 0; i < matrixs.Count(); ++i) SetRow(new QTreeWidgetItem(list), matrixs.Items(i));
    SortRows();
    AutoSizeColumns(list, true);
}

bool ImpositionTab::ImpositionOn() const {
    return ui_->chkMatrix->isChecked();
}
std::string ImpositionTab::ColsText() const {
    return ui_->txtMatrixCol->text().toStdString();
}
std::string ImpositionTab::IntervalText() const {
    return ui_->txtMatrixInterval->text().toStdString();
}

void ImpositionTab::SetRow(QTreeWidgetItem* row, const TMatrix& entry) {
    row->setText(0, NumberCaption(entry.Number));
    row->setText(1, QString::number(entry.MonthOffset));
    row->setText(2, QString::fromStdString(entry.ImageFile));
    row->setText(3, QString::fromStdString(entry.ConfigFile));
}

void ImpositionTab::SortRows() {
    ui_->lvwMatrix->sortItems(0, Qt::AscendingOrder);
}

TMatrix* ImpositionTab::EntryOf(const QTreeWidgetItem* row) {
    return row != nullptr ? Matrixs().FindByNumber(ValInt(row->text(0).toStdString())) : nullptr;
}

QTreeWidgetItem* ImpositionTab::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = ui_->lvwMatrix->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

// Grid.

void ImpositionTab::chkMatrixClick() {
    host_->MarkPictureChanged();
    host_->ApplyCalendarSize();
}

void ImpositionTab::spinMatrixColDownClick() {
    const int cols = EditNumber(ui_->txtMatrixCol);
    if (cols > 1) ui_->txtMatrixCol->setText(QString::number(cols - 1));
    host_->ApplyCalendarSize();
}

void ImpositionTab::spinMatrixColUpClick() {
    const int cols = EditNumber(ui_->txtMatrixCol);
    if (cols < kMaxCount) ui_->txtMatrixCol->setText(QString::number(cols + 1));
    host_->ApplyCalendarSize();
}

void ImpositionTab::txtMatrixColExit() {
    Clamp(ui_->txtMatrixCol);
    host_->ApplyCalendarSize();
}

void ImpositionTab::txtMatrixIntervalExit() {
    host_->ApplyCalendarSize();
}

void ImpositionTab::spinMatrixMonthDownClick() {
    const int months = EditNumber(ui_->txtMatrixMonth);
    if (months > 1) ui_->txtMatrixMonth->setText(QString::number(months - 1));
}

void ImpositionTab::spinMatrixMonthUpClick() {
    const int months = EditNumber(ui_->txtMatrixMonth);
    if (months < kMaxCount) ui_->txtMatrixMonth->setText(QString::number(months + 1));
}

void ImpositionTab::txtMatrixMonthExit() {
    Clamp(ui_->txtMatrixMonth);
}

// Files of the entry being edited.

void ImpositionTab::cmdMatrixImageFileClick() {
    host_->ChoosePicture(ui_->txtMatrixImageFile);
}

void ImpositionTab::cmdMatrixConfigFileClick() {
    const QString chosen = host_->Dialogs().OpenFileName(
        window(), QtFileFilter(QStringLiteral("ｾｰﾌﾞﾌｧｲﾙ(*.sav)|*.sav|すべてのﾌｧｲﾙ(*.*)|*.*")),
        ui_->txtMatrixConfigFile->text().isEmpty() ? host_->DialogStart(FileKind::Designs)
                                                   : ui_->txtMatrixConfigFile->text());
    if (chosen.isEmpty()) return;
    host_->UsedFile(FileKind::Designs, chosen);
    ui_->txtMatrixConfigFile->setText(chosen);
}

// The list.

void ImpositionTab::btnMatrixAddClick() {
    QTreeWidget* list = ui_->lvwMatrix;
    auto* row = new QTreeWidgetItem(list);
    TMatrix& entry = Matrixs().Add();
    entry.Number = list->topLevelItemCount();
    entry.MonthOffset = EditNumber(ui_->txtMatrixMonth);
    entry.ImageFile = ui_->txtMatrixImageFile->text().toStdString();
    entry.ConfigFile = ui_->txtMatrixConfigFile->text().toStdString();
    SetRow(row, entry);
    SortRows();
    list->clearSelection();
    AutoSizeColumns(list, true);
    host_->ApplyCalendarSize();
}

void ImpositionTab::btnMatrixUpdateClick() {
    QTreeWidgetItem* row = SelectedRow();
    if (row == nullptr) {
        host_->Messages().Report(MessageKind::Information,
                                 "面付けリストから選択されていないので追加します。");
        btnMatrixAddClick();
        return;
    }
    TMatrix* entry = EntryOf(row);
    if (entry == nullptr) {
        btnMatrixAddClick();
        return;
    }
    entry->MonthOffset = EditNumber(ui_->txtMatrixMonth);
    entry->ImageFile = ui_->txtMatrixImageFile->text().toStdString();
    entry->ConfigFile = ui_->txtMatrixConfigFile->text().toStdString();
    SetRow(row, *entry);
    AutoSizeColumns(ui_->lvwMatrix, true);
    host_->RepaintPreview();
}

void ImpositionTab::Swap(int step) {
    QTreeWidget* list = ui_->lvwMatrix;
    QTreeWidgetItem* selected = SelectedRow();
    if (selected == nullptr) return;
    const int position = list->indexOfTopLevelItem(selected);
    const int neighbourPosition = position + step;
    if (neighbourPosition < 0 || neighbourPosition >= list->topLevelItemCount()) return;
    QTreeWidgetItem* neighbour = list->topLevelItem(neighbourPosition);
    TMatrix* selectedEntry = EntryOf(selected);
    TMatrix* neighbourEntry = EntryOf(neighbour);
    const QString caption = selected->text(0);
    selected->setText(0, neighbour->text(0));
    neighbour->setText(0, caption);
    if (selectedEntry != nullptr && neighbourEntry != nullptr) {
        std::swap(selectedEntry->Number, neighbourEntry->Number);
    }
    SortRows();
    list->setCurrentItem(selected);
    host_->RepaintPreview();
}

void ImpositionTab::btnMatrixUpClick() {
    Swap(-1);
}

void ImpositionTab::btnMatrixDownClick() {
    Swap(+1);
}

void ImpositionTab::btnMatrixDeleteClick() {
    QTreeWidget* list = ui_->lvwMatrix;
    QTreeWidgetItem* row = SelectedRow();
    if (row == nullptr) return;
    if (const TMatrix* entry = EntryOf(row)) {
        for (int i = 0; i < Matrixs().Count(); ++i) {
            if (&Matrixs().Items(i) == entry) {
                Matrixs().Delete(i);
                break;
            }
        }
    }
    delete row;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* remaining = list->topLevelItem(i);
        if (TMatrix* entry = EntryOf(remaining)) entry->Number = i + 1;
        remaining->setText(0, NumberCaption(i + 1));
    }
    host_->ApplyCalendarSize();
}

void ImpositionTab::lvwMatrixSelectItem() {
    const TMatrix* entry = EntryOf(SelectedRow());
    if (entry == nullptr) return;
    ui_->txtMatrixMonth->setText(QString::number(entry->MonthOffset));
    ui_->txtMatrixImageFile->setText(QString::fromStdString(entry->ImageFile));
    ui_->txtMatrixConfigFile->setText(QString::fromStdString(entry->ConfigFile));
}

bool ImpositionTab::eventFilter(QObject* watched, QEvent* event) {
    if (host_ == nullptr || event->type() != QEvent::FocusOut) return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
    if (watched == ui_->txtMatrixCol) txtMatrixColExit();
    if (watched == ui_->txtMatrixInterval) txtMatrixIntervalExit();
    if (watched == ui_->txtMatrixMonth) txtMatrixMonthExit();
    return false;
}

}  // namespace orv
