#include "app/PictureFileDialog.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "output/PictureFormats.h"
#include "output/QtCanvasCache.h"

namespace orv {

namespace {

constexpr int kPreviewSide = 200;

}  // namespace

PictureFileDialog::PictureFileDialog(QWidget* parent, const QString& filter,
                                     const QString& initialFile)
    : QFileDialog(parent, QString(), initialFile, filter),
      preview_(new QLabel),
      pixelSize_(new QLabel) {
    // The platform's own dialog has no room for a pane of ours.
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    preview_->setObjectName(QStringLiteral("PicturePreview"));
    preview_->setFixedSize(kPreviewSide, kPreviewSide);
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setFrameShape(QFrame::StyledPanel);
    pixelSize_->setObjectName(QStringLiteral("PicturePixelSize"));
    pixelSize_->setAlignment(Qt::AlignHCenter);
    auto* pane = new QWidget;
    auto* column = new QVBoxLayout(pane);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(preview_);
    column->addWidget(pixelSize_);
    column->addStretch();
    if (auto* grid = qobject_cast<QGridLayout*>(layout()); grid != nullptr) {
        grid->addWidget(pane, 0, grid->columnCount(), grid->rowCount(), 1);
    }
    connect(this, &QFileDialog::currentChanged, this, &PictureFileDialog::ShowPreview);
    if (!initialFile.isEmpty()) {
        selectFile(initialFile);
        ShowPreview(initialFile);
    }
}

void PictureFileDialog::ShowPreview(const QString& path) {
    preview_->clear();
    pixelSize_->clear();
    if (!QFileInfo(path).isFile()) return;
    const std::optional<Bitmap> picture = StandardPictureFormats().Decode(path.toStdString());
    if (!picture || picture->Empty()) {
        pixelSize_->setText(QStringLiteral("表示できません"));
        return;
    }
    const QImage image = WrapBitmap(*picture).scaled(kPreviewSide - 4, kPreviewSide - 4,
                                                     Qt::KeepAspectRatio, Qt::SmoothTransformation);
    preview_->setPixmap(QPixmap::fromImage(image));
    pixelSize_->setText(QStringLiteral("%1 × %2 ピクセル").arg(picture->Width).arg(picture->Height));
}

}  // namespace orv
