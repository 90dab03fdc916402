#include "app/months/MonthRunDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "app/FileFilter.h"
#include "app/TabHost.h"
#include "app/WindowDialogs.h"

namespace orv {

namespace {

const char* const kExtensions[] = {"", "pdf", "png", "bmp", "jpg"};

}  // namespace

MonthSpins AddMonthSpins(QFormLayout& form, QWidget* parent) {
    auto* start = new QHBoxLayout;
    auto* year = new QSpinBox(parent);
    year->setRange(1, 9999);
    year->setSuffix(QStringLiteral(" 年"));
    auto* month = new QSpinBox(parent);
    month->setRange(1, 12);
    month->setSuffix(QStringLiteral(" 月"));
    start->addWidget(year);
    start->addWidget(month);
    start->addStretch();
    form.addRow(QStringLiteral("開始："), start);
    auto* count = new QSpinBox(parent);
    count->setRange(1, kMostMonths);
    count->setSuffix(QStringLiteral(" か月"));
    auto* counts = new QHBoxLayout;
    counts->addWidget(count);
    form.addRow(QStringLiteral("月数："), counts);
    return {year, month, count, counts};
}

TfrmMonthRun::TfrmMonthRun(TabHost& host, QWidget* parent) : QDialog(parent), host_(host) {
    setObjectName(QStringLiteral("frmMonthRun"));
    setWindowTitle(QStringLiteral("複数月の印刷・保存"));
    auto* form = new QFormLayout(this);
    const MonthSpins spins = AddMonthSpins(*form, this);
    year_ = spins.Year;
    month_ = spins.Month;
    count_ = spins.Count;
    QHBoxLayout* counts = spins.CountRow;
    twelve_ = new QPushButton(QStringLiteral("12 か月"), this);
    thirteen_ = new QPushButton(QStringLiteral("13 か月"), this);
    thirteen_->setToolTip(QStringLiteral("開始の月から翌年の同じ月まで"));
    for (QPushButton* button : {twelve_, thirteen_}) {
        button->setAutoDefault(false);
        counts->addWidget(button);
        const int months = button == twelve_ ? 12 : 13;
        connect(button, &QPushButton::clicked, this, [this, months] { count_->setValue(months); });
    }
    counts->addStretch();
    target_ = new QComboBox(this);
    target_->addItems({QStringLiteral("プリンタ"), QStringLiteral("PDFファイル"),
                       QStringLiteral("PNG画像"), QStringLiteral("BMP画像"),
                       QStringLiteral("JPEG画像")});
    form->addRow(QStringLiteral("出力先："), target_);
    dpi_ = new QSpinBox(this);
    dpi_->setRange(1, 4800);
    dpi_->setSuffix(QStringLiteral(" DPI"));
    form->addRow(QStringLiteral("解像度："), dpi_);
    auto* fileRow = new QHBoxLayout;
    file_ = new QLineEdit(this);
    file_->setMinimumWidth(280);
    file_->setToolTip(QStringLiteral("画像は「名前-年-月」のファイルに1か月ずつ保存します"));
    browse_ = new QPushButton(QStringLiteral("参照..."), this);
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse_);
    form->addRow(QStringLiteral("ﾌｧｲﾙ："), fileRow);
    cover_ = new QCheckBox(QStringLiteral("表紙を付ける"), this);
    cover_->setToolTip(
        QStringLiteral("月の前に、画像と題の表紙を1ページ付けます（画像は「名前-cover」）"));
    form->addRow(QString(), cover_);
    auto* coverRow = new QHBoxLayout;
    coverPicture_ = new QLineEdit(this);
    coverPicture_->setPlaceholderText(QStringLiteral("（カレンダーの画像）"));
    coverBrowse_ = new QPushButton(QStringLiteral("選択..."), this);
    coverBrowse_->setAutoDefault(false);
    coverRow->addWidget(coverPicture_, 1);
    coverRow->addWidget(coverBrowse_);
    form->addRow(QStringLiteral("表紙の画像："), coverRow);
    coverTitle_ = new QLineEdit(this);
    form->addRow(QStringLiteral("表紙の題："), coverTitle_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    form->addRow(buttons);

    connect(target_, &QComboBox::currentIndexChanged, this, &TfrmMonthRun::TargetChanged);
    connect(browse_, &QPushButton::clicked, this, &TfrmMonthRun::Browse);
    connect(cover_, &QCheckBox::toggled, this, &TfrmMonthRun::CoverChanged);
    connect(coverBrowse_, &QPushButton::clicked, this,
            [this] { host_.ChoosePicture(coverPicture_); });
    for (QSpinBox* box : {year_, month_, count_}) {
        connect(box, &QSpinBox::valueChanged, this, &TfrmMonthRun::CoverChanged);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    TargetChanged();
    CoverChanged();
}

void TfrmMonthRun::Prepare(int year, int month, int dpi, const QString& file) {
    year_->setValue(year);
    month_->setValue(month);
    count_->setValue(12);
    dpi_->setValue(dpi > 0 ? dpi : 300);
    file_->setText(file);
}

MonthRunChoice TfrmMonthRun::Choice() const {
    MonthRunChoice choice;
    choice.Run = {{year_->value(), month_->value()}, count_->value()};
    if (cover_->isChecked()) {
        const QString title = coverTitle_->text().trimmed();
        choice.Run.Cover =
            CoverPage{coverPicture_->text().trimmed().toStdString(),
                      title.isEmpty() ? CoverTitleOf(choice.Run) : title.toStdString()};
    }
    switch (target_->currentIndex()) {
        case tgPdf:
            choice.Target = MonthsTarget::Pdf;
            break;
        case tgPng:
        case tgBmp:
        case tgJpeg:
            choice.Target = MonthsTarget::Images;
            break;
        default:
            choice.Target = MonthsTarget::Printer;
            break;
    }
    choice.File = file_->text().trimmed();
    // A name without the target's extension is meant in the target's format.
    const QString extension = QString::fromLatin1(kExtensions[target_->currentIndex()]);
    if (!extension.isEmpty() && !choice.File.isEmpty() &&
        QFileInfo(choice.File).suffix().compare(extension, Qt::CaseInsensitive) != 0) {
        choice.File += "." + extension;
    }
    choice.Dpi = dpi_->value();
    return choice;
}

void TfrmMonthRun::TargetChanged() {
    const bool toFile = target_->currentIndex() != tgPrinter;
    file_->setEnabled(toFile);
    browse_->setEnabled(toFile);
    dpi_->setEnabled(toFile);
}

void TfrmMonthRun::CoverChanged() {
    const bool on = cover_->isChecked();
    coverPicture_->setEnabled(on);
    coverBrowse_->setEnabled(on);
    coverTitle_->setEnabled(on);
    coverTitle_->setPlaceholderText(QString::fromStdString(
        CoverTitleOf(MonthRun{{year_->value(), month_->value()}, count_->value()})));
}

void TfrmMonthRun::Browse() {
    static const char* const kFilters[] = {"", "PDFﾌｧｲﾙ(*.pdf)|*.pdf", "PNGﾌｧｲﾙ(*.png)|*.png",
                                           "ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp)|*.bmp", "JPEGﾌｧｲﾙ(*.jpg)|*.jpg"};
    const int target = target_->currentIndex();
    if (target == tgPrinter) return;
    const QString path = host_.Dialogs().SaveFileName(
        this, QtFileFilter(QString::fromUtf8(kFilters[target])), file_->text(),
        QString::fromLatin1(kExtensions[target]), nullptr);
    if (path.isEmpty()) return;
    host_.UsedFile(FileKind::Exports, path);
    file_->setText(path);
}

}  // namespace orv
