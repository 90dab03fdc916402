#include "app/months/MonthPicturesDialog.h"

#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/TabHost.h"
#include "output/PictureFormats.h"
#include "output/QtCanvasCache.h"

namespace orv {

namespace {

constexpr int kThumbWidth = 64;
constexpr int kThumbHeight = 40;

// A row that takes a picture file dropped onto it.
class DropRow : public QWidget {
  public:
    DropRow(std::function<void(const QString&)> dropped) : dropped_(std::move(dropped)) {
        setAcceptDrops(true);
    }

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (!LocalFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
    }
    void dropEvent(QDropEvent* event) override {
        const QString file = LocalFile(event->mimeData());
        if (file.isEmpty()) return;
        event->acceptProposedAction();
        dropped_(file);
    }

  private:
    static QString LocalFile(const QMimeData* data) {
        if (data == nullptr || !data->hasUrls() || data->urls().isEmpty()) return {};
        return data->urls().first().toLocalFile();
    }
    std::function<void(const QString&)> dropped_;
};

}  // namespace

TfrmMonthPictures::TfrmMonthPictures(TabHost& host, QWidget* parent)
    : QDialog(parent), host_(host) {
    setObjectName(QStringLiteral("frmMonthPictures"));
    setWindowTitle(QStringLiteral("月ごとの画像"));
    auto* layout = new QVBoxLayout(this);
    auto* note =
        new QLabel(QStringLiteral("画像を指定しない月は、基本設定の挿絵を使います。"), this);
    layout->addWidget(note);
    for (int month = 1; month <= 12; ++month) {
        MonthRow& row = rows_[month - 1];
        row.row = new DropRow([this, month](const QString& path) { DropFile(month, path); });
        row.row->setObjectName(QStringLiteral("rowMonth%1").arg(month));
        auto* line = new QHBoxLayout(row.row);
        line->setContentsMargins(0, 0, 0, 0);
        auto* label = new QLabel(QStringLiteral("%1月").arg(month));
        label->setMinimumWidth(36);
        row.file = new QLineEdit;
        row.file->setReadOnly(true);
        row.file->setMinimumWidth(260);
        row.file->setToolTip(QStringLiteral("この月の挿絵に使う画像ファイルです"));
        row.thumbnail = new QLabel;
        row.thumbnail->setFixedSize(kThumbWidth, kThumbHeight);
        row.thumbnail->setAlignment(Qt::AlignCenter);
        row.choose = new QPushButton(QStringLiteral("選択..."));
        row.clear = new QPushButton(QStringLiteral("クリア"));
        line->addWidget(label);
        line->addWidget(row.file, 1);
        line->addWidget(row.thumbnail);
        line->addWidget(row.choose);
        line->addWidget(row.clear);
        layout->addWidget(row.row);
        connect(row.choose, &QPushButton::clicked, this, [this, month] {
            if (host_.ChoosePicture(FileEdit(month))) ShowThumbnail(month);
        });
        connect(row.clear, &QPushButton::clicked, this, [this, month] {
            FileEdit(month)->clear();
            ShowThumbnail(month);
        });
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void TfrmMonthPictures::SetPictures(const TMonthPictures& pictures) {
    for (int month = 1; month <= 12; ++month) {
        FileEdit(month)->setText(QString::fromStdString(pictures[month]));
        ShowThumbnail(month);
    }
}

TMonthPictures TfrmMonthPictures::Pictures() const {
    TMonthPictures pictures;
    for (int month = 1; month <= 12; ++month) {
        pictures.Set(month, FileEdit(month)->text().toStdString());
    }
    return pictures;
}

void TfrmMonthPictures::DropFile(int month, const QString& path) {
    FileEdit(month)->setText(path);
    ShowThumbnail(month);
    if (!TestLoadPicture(path.toStdString())) {
        host_.Messages().Report(MessageKind::Warning,
                                "この画像ファイルは対応できないフォーマットです。");
    }
}

void TfrmMonthPictures::ShowThumbnail(int month) {
    QLabel* thumbnail = Thumbnail(month);
    thumbnail->clear();
    const std::string file = FileEdit(month)->text().toStdString();
    if (file.empty()) return;
    const RegistryPictureDecoder decoder;
    const std::optional<Bitmap> picture = decoder.Decode(file);
    if (!picture || picture->Empty()) return;
    const QImage image = WrapBitmap(*picture).scaled(kThumbWidth, kThumbHeight, Qt::KeepAspectRatio,
                                                     Qt::SmoothTransformation);
    thumbnail->setPixmap(QPixmap::fromImage(image));
}

}  // namespace orv
