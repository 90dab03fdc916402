#include "app/months/PrintReadyDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <cmath>

#include "app/FileFilter.h"
#include "app/TabHost.h"
#include "app/WindowDialogs.h"
#include "output/PrintReady.h"

namespace orv {

namespace {

// A press's detail wants more dots than a screen's; below this a print shop warns.
constexpr int kPrintShopDpi = 350;

}  // namespace

TfrmPrintReady::TfrmPrintReady(TabHost& host, QWidget* parent) : QDialog(parent), host_(host) {
    setObjectName(QStringLiteral("frmPrintReady"));
    setWindowTitle(QStringLiteral("入稿用PDF"));
    auto* form = new QFormLayout(this);
    const MonthSpins spins = AddMonthSpins(*form, this);
    year_ = spins.Year;
    month_ = spins.Month;
    count_ = spins.Count;
    spins.CountRow->addStretch();
    dpi_ = new QSpinBox(this);
    dpi_->setRange(72, 2400);
    dpi_->setSuffix(QStringLiteral(" DPI"));
    dpi_->setToolTip(QStringLiteral("文字と線の位置の細かさです。写真はそのままの画素で入ります"));
    form->addRow(QStringLiteral("解像度："), dpi_);

    auto* bleedRow = new QHBoxLayout;
    bleed_ = new QCheckBox(QStringLiteral("塗り足し"), this);
    bleed_->setToolTip(
        QStringLiteral("背景の色と、紙の端に接する画像を仕上がりの外まで伸ばします"));
    bleedMm_ = new QDoubleSpinBox(this);
    bleedMm_->setRange(0.5, kMaxBleedMm);
    bleedMm_->setSingleStep(0.5);
    bleedMm_->setDecimals(1);
    bleedMm_->setSuffix(QStringLiteral(" mm"));
    bleedRow->addWidget(bleed_);
    bleedRow->addWidget(bleedMm_);
    bleedRow->addStretch();
    form->addRow(QStringLiteral("仕上がりの外："), bleedRow);
    connect(bleed_, &QCheckBox::toggled, bleedMm_, &QWidget::setEnabled);
    marks_ = new QCheckBox(QStringLiteral("トンボを付ける"), this);
    marks_->setToolTip(QStringLiteral("四隅の内トンボ・外トンボと各辺のセンタートンボ"));
    form->addRow(QString(), marks_);
    cmyk_ = new QCheckBox(QStringLiteral("CMYK（PDF/X-3）にする"), this);
    if (QStandardPaths::findExecutable(QStringLiteral("gs")).isEmpty()) {
        cmyk_->setEnabled(false);
        cmyk_->setToolTip(QStringLiteral("Ghostscript（gs）を入れると使えます"));
    } else {
        cmyk_->setToolTip(
            QStringLiteral("色を印刷の 4 色に変換します。黒い文字と線は墨（K）1 色です"));
    }
    form->addRow(QString(), cmyk_);

    auto* fileRow = new QHBoxLayout;
    file_ = new QLineEdit(this);
    file_->setMinimumWidth(280);
    auto* browse = new QPushButton(QStringLiteral("参照..."), this);
    browse->setAutoDefault(false);
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse);
    form->addRow(QStringLiteral("ﾌｧｲﾙ："), fileRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("作成"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    form->addRow(buttons);
    connect(browse, &QPushButton::clicked, this, &TfrmPrintReady::Browse);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TfrmPrintReady::Prepare(const TData& design, const QString& file) {
    year_->setValue(design.Year);
    month_->setValue(design.Month);
    count_->setValue(1);
    dpi_->setValue(std::max(design.PicSaveDPI, kPrintShopDpi));
    bleed_->setChecked(design.PdfBleed > 0);
    bleedMm_->setEnabled(design.PdfBleed > 0);
    bleedMm_->setValue(design.PdfBleed > 0 ? design.PdfBleed / 10.0 : kDefaultPdfBleed / 10.0);
    marks_->setChecked(design.PdfMarks != 0);
    cmyk_->setChecked(design.PdfCmyk != 0 && cmyk_->isEnabled());
    file_->setText(file);
}

PrintReadyChoice TfrmPrintReady::Choice() const {
    PrintReadyChoice choice;
    choice.Run.Run = {{year_->value(), month_->value()}, count_->value()};
    choice.Run.Target = MonthsTarget::Pdf;
    choice.Run.Dpi = dpi_->value();
    choice.Run.File = file_->text().trimmed();
    if (!choice.Run.File.isEmpty() &&
        QFileInfo(choice.Run.File).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) !=
            0) {
        choice.Run.File += QStringLiteral(".pdf");
    }
    choice.Bleed =
        bleed_->isChecked() ? static_cast<int32_t>(std::lround(bleedMm_->value() * 10)) : 0;
    choice.Marks = marks_->isChecked();
    choice.Cmyk = cmyk_->isChecked();
    return choice;
}

void TfrmPrintReady::Browse() {
    const QString path =
        host_.Dialogs().SaveFileName(this, QtFileFilter(QStringLiteral("PDFﾌｧｲﾙ(*.pdf)|*.pdf")),
                                     file_->text(), QStringLiteral("pdf"), nullptr);
    if (path.isEmpty()) return;
    host_.UsedFile(FileKind::Exports, path);
    file_->setText(path);
}

}  // namespace orv
