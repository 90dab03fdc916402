#include "app/memorial/MemorialImportDialog.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>

#include "app/UiHelpers.h"
#include "app/WindowDialogs.h"
#include "model/VB.h"
#include "widgets/PictureButton.h"

namespace orv {

namespace {

constexpr int kDayRole = Qt::UserRole;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

MemorialImportDialog::MemorialImportDialog(QWidget* parent, WindowDialogs& dialogs,
                                           const QString& fileName, std::string bytes,
                                           const TMemorials& existing, ImportYears years,
                                           const ImportColors& colors)
    : QDialog(parent), dialogs_(dialogs), bytes_(std::move(bytes)), existing_(existing) {
    setWindowTitle(QStringLiteral("記念日の取り込み - %1").arg(fileName));
    auto* layout = new QVBoxLayout(this);

    auto* yearsRow = new QHBoxLayout;
    yearsRow->addWidget(new QLabel(QStringLiteral("一度だけの予定は")));
    firstYear_ = new QSpinBox;
    lastYear_ = new QSpinBox;
    for (QSpinBox* box : {firstYear_, lastYear_}) {
        box->setRange(1, 9999);
        box->setKeyboardTracking(false);
    }
    firstYear_->setValue(years.First);
    lastYear_->setValue(years.Last);
    yearsRow->addWidget(firstYear_);
    yearsRow->addWidget(new QLabel(QStringLiteral("年から")));
    yearsRow->addWidget(lastYear_);
    yearsRow->addWidget(new QLabel(QStringLiteral("年まで（毎年の予定と誕生日は毎年の記念日）")));
    yearsRow->addStretch();
    layout->addLayout(yearsRow);

    list_ = new QTreeWidget;
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels(
        {QStringLiteral("日にち"), QStringLiteral("表示名"), QStringLiteral("注意")});
    list_->header()->setSectionsClickable(false);
    list_->setMinimumSize(520, 260);
    layout->addWidget(list_);

    auto* pickRow = new QHBoxLayout;
    summary_ = new QLabel;
    summary_->setWordWrap(true);
    pickRow->addWidget(summary_, 1);
    for (const bool on : {true, false}) {
        auto* button =
            new QPushButton(on ? QStringLiteral("すべて選ぶ") : QStringLiteral("すべて外す"));
        connect(button, &QPushButton::clicked, this, [this, on] {
            for (int i = 0; i < list_->topLevelItemCount(); ++i) {
                list_->topLevelItem(i)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
            }
        });
        pickRow->addWidget(button);
    }
    layout->addLayout(pickRow);

    auto* colorBox = new QGroupBox(QStringLiteral("取り込む記念日の色"));
    auto* colorRow = new QHBoxLayout(colorBox);
    const QString captions[] = {QStringLiteral("日付色："), QStringLiteral("文字色："),
                                QStringLiteral("背景色：")};
    const int32_t values[] = {colors.DayColor, colors.FontColor, colors.BackColor};
    const int32_t shown[] = {0x000000, 0xFF0000, 0x0000FF};
    for (int i = 0; i < 3; ++i) {
        useColor_[i] = new QCheckBox(captions[i]);
        useColor_[i]->setChecked(values[i] >= 0);
        swatch_[i] = new TPictureButton;
        swatch_[i]->setFixedSize(21, 17);
        swatch_[i]->SetColor(values[i] >= 0 ? values[i] : shown[i]);
        connect(swatch_[i], &TPictureButton::clicked, this, [this, i] {
            if (const auto chosen = dialogs_.ChooseColor(this, swatch_[i]->Color())) {
                swatch_[i]->SetColor(*chosen);
                useColor_[i]->setChecked(true);
            }
        });
        colorRow->addWidget(useColor_[i]);
        colorRow->addWidget(swatch_[i]);
    }
    colorRow->addStretch();
    layout->addWidget(colorBox);

    auto* clashBox = new QGroupBox(QStringLiteral("すでに記念日のある日"));
    auto* clashRow = new QHBoxLayout(clashBox);
    clash_ = new QButtonGroup(this);
    const std::pair<ClashRule, QString> rules[] = {
        {ClashRule::Keep, QStringLiteral("今の記念日を残す")},
        {ClashRule::Replace, QStringLiteral("取り込む方に置き換える")},
        {ClashRule::Join, QStringLiteral("¶ でつないで両方にする")}};
    for (const auto& [rule, caption] : rules) {
        auto* button = new QRadioButton(caption);
        clash_->addButton(button, static_cast<int>(rule));
        clashRow->addWidget(button);
    }
    clash_->button(static_cast<int>(ClashRule::Keep))->setChecked(true);
    clashRow->addStretch();
    layout->addWidget(clashBox);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    take_ = buttons->button(QDialogButtonBox::Ok);
    take_->setText(QStringLiteral("取り込む"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(firstYear_, &QSpinBox::valueChanged, this, &MemorialImportDialog::Reread);
    connect(lastYear_, &QSpinBox::valueChanged, this, &MemorialImportDialog::Reread);
    Reread();
}

void MemorialImportDialog::Reread() {
    const int first = std::min(firstYear_->value(), lastYear_->value());
    const int last = std::max(firstYear_->value(), lastYear_->value());
    try {
        read_ = ReadDates(bytes_, {first, last});
    } catch (const std::exception& e) {
        read_ = {};
        read_.Notes.push_back(e.what());
    }
    list_->clear();
    for (size_t i = 0; i < read_.Days.size(); ++i) {
        const ImportedDay& day = read_.Days[i];
        auto* row = new QTreeWidgetItem(list_);
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(0, Qt::Checked);
        row->setData(0, kDayRole, static_cast<int>(i));
        row->setText(0, Q(day.DateText()));
        row->setText(1, Q(day.Name));
        QStringList notes;
        if (const int there = existing_.IndexOfDate(day.DateText()); there >= 0) {
            notes << QStringLiteral("この日の記念日: %1")
                         .arg(Q(ReplaceText(existing_.Items(there).Name, "¶", " / ")));
        }
        if (!day.GivenName.empty()) {
            notes << QStringLiteral("元は「%1」（保存できない文字は 〓 に）").arg(Q(day.GivenName));
        }
        row->setText(2, notes.join(QStringLiteral("、")));
        if (!notes.isEmpty()) row->setForeground(2, QColor(0xB0, 0x40, 0x00));
    }
    AutoSizeColumns(list_, true);
    QString text = QStringLiteral("%1 件").arg(read_.Days.size());
    if (read_.OutsideYears > 0) {
        text += QStringLiteral("（この年々の外の一度だけの予定 %1 件は除きました）")
                    .arg(read_.OutsideYears);
    }
    for (const std::string& note : read_.Notes) text += "\n" + Q(note);
    summary_->setText(text);
    take_->setEnabled(!read_.Days.empty());
}

std::vector<ImportedDay> MemorialImportDialog::Picked() const {
    std::vector<ImportedDay> picked;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = list_->topLevelItem(i);
        if (row->checkState(0) == Qt::Checked) {
            picked.push_back(read_.Days[row->data(0, kDayRole).toInt()]);
        }
    }
    return picked;
}

ImportColors MemorialImportDialog::Colors() const {
    const auto value = [this](int i) {
        return useColor_[i]->isChecked() ? swatch_[i]->Color() : -1;
    };
    return {value(0), value(1), value(2)};
}

ClashRule MemorialImportDialog::Clash() const {
    return static_cast<ClashRule>(clash_->checkedId());
}

}  // namespace orv
