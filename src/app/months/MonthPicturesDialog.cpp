#include "app/months/MonthPicturesDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "app/TabHost.h"
#include "app/WindowDialogs.h"
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
    // Several pictures at once, or a folder of them, to the months in order from the one chosen.
    auto* many = new QHBoxLayout;
    startMonth_ = new QComboBox(this);
    startMonth_->setObjectName(QStringLiteral("cboStartMonth"));
    for (int month = 1; month <= 12; ++month)
        startMonth_->addItem(QStringLiteral("%1月").arg(month));
    chooseMany_ = new QPushButton(QStringLiteral("まとめて選択..."), this);
    chooseMany_->setObjectName(QStringLiteral("cmdChooseMany"));
    chooseMany_->setToolTip(QStringLiteral("12 枚までの画像を選んだ月から順に割り当てます"));
    chooseFolder_ = new QPushButton(QStringLiteral("フォルダから..."), this);
    chooseFolder_->setObjectName(QStringLiteral("cmdChooseFolder"));
    chooseFolder_->setToolTip(
        QStringLiteral("フォルダの画像を名前の順に、選んだ月から順に割り当てます"));
    many->addWidget(startMonth_);
    many->addWidget(new QLabel(QStringLiteral("から"), this));
    many->addWidget(chooseMany_);
    many->addWidget(chooseFolder_);
    many->addStretch(1);
    layout->addLayout(many);
    connect(chooseMany_, &QPushButton::clicked, this, &TfrmMonthPictures::ChooseMany);
    connect(chooseFolder_, &QPushButton::clicked, this, &TfrmMonthPictures::ChooseFolder);
    for (int month = 1; month <= 12; ++month) {
        MonthRow& row = rows_[month - 1];
        row.row = new DropRow([this, month](const QString& path) { DropFile(month, path); });
        row.row->setObjectName(QStringLiteral("rowMonth%1").arg(month));
        auto* line = new QHBoxLayout(row.row);
        line->setContentsMargins(0, 0, 0, 0);
        auto* label = new QLabel(QStringLiteral("%1月").arg(month));
        label->setMinimumWidth(36);
        row.file = new QLineEdit;
        row.file->setMinimumWidth(260);
        row.file->setToolTip(
            QStringLiteral("この月の挿絵に使う画像ファイルです（入力もできます）"));
        row.thumbnail = new QLabel;
        row.thumbnail->setFixedSize(kThumbWidth, kThumbHeight);
        row.thumbnail->setAlignment(Qt::AlignCenter);
        row.choose = new QPushButton(QStringLiteral("選択..."));
        row.clear = new QPushButton(QStringLiteral("クリア"));
        row.fit = new QComboBox;
        row.fit->addItems({QStringLiteral("全体を表示"), QStringLiteral("枠いっぱい")});
        row.fit->setToolTip(QStringLiteral(
            "枠いっぱいの画像は、その月をプレビューに出してドラッグで見せる所を選べます"));
        row.dpi = new QLabel;
        row.dpi->setMinimumWidth(72);
        line->addWidget(label);
        line->addWidget(row.file, 1);
        line->addWidget(row.thumbnail);
        line->addWidget(row.choose);
        line->addWidget(row.clear);
        line->addWidget(row.fit);
        line->addWidget(row.dpi);
        layout->addWidget(row.row);
        connect(row.fit, &QComboBox::activated, this, [this, month] { ShowDpi(month); });
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
    connect(buttons, &QDialogButtonBox::accepted, this, &TfrmMonthPictures::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void TfrmMonthPictures::SetPictures(const TMonthPictures& pictures) {
    shown_ = pictures;
    for (int month = 1; month <= 12; ++month) {
        FileEdit(month)->setText(QString::fromStdString(pictures[month]));
        FitList(month)->setCurrentIndex(pictures.Frame(month).Fill != 0 ? 1 : 0);
        ShowThumbnail(month);
    }
}

void TfrmMonthPictures::accept() {
    // A name typed that is no picture keeps the dialog open, on that month.
    for (int month = 1; month <= 12; ++month) {
        const QString typed = FileEdit(month)->text().trimmed();
        if (typed.isEmpty() || typed.toStdString() == shown_[month]) continue;
        if (!host_.AcceptPicture(typed)) {
            FileEdit(month)->setFocus();
            FileEdit(month)->selectAll();
            return;
        }
        ShowThumbnail(month);
    }
    QDialog::accept();
}

void TfrmMonthPictures::Assign(const QStringList& files) {
    int month = startMonth_->currentIndex() + 1;
    int assigned = 0;
    for (const QString& file : files) {
        if (assigned == 12) break;
        if (!host_.AcceptPicture(file)) continue;
        FileEdit(month)->setText(file);
        ShowThumbnail(month);
        month = month % 12 + 1;
        ++assigned;
    }
}

void TfrmMonthPictures::ChooseMany() {
    const QStringList files = host_.Dialogs().OpenPictureFileNames(
        this, QString::fromStdString(StandardPictureFormats().DialogFilter()),
        host_.DialogStart(FileKind::Pictures));
    if (files.isEmpty()) return;
    host_.UsedFile(FileKind::Pictures, files.first());
    if (files.size() > 12) {
        host_.Messages().Report(MessageKind::Information,
                                "12 枚を超える画像は割り当てませんでした。");
    }
    Assign(files);
}

void TfrmMonthPictures::ChooseFolder() {
    const QString folder = host_.Dialogs().ExistingFolder(this, QStringLiteral("画像のフォルダ"),
                                                          host_.DialogStart(FileKind::Pictures));
    if (folder.isEmpty()) return;
    QStringList pictures;
    for (const QFileInfo& entry :
         QDir(folder).entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        if (StandardPictureFormats().ForFile(entry.filePath().toStdString()) != nullptr) {
            pictures << entry.filePath();
        }
    }
    if (pictures.isEmpty()) {
        host_.Messages().Report(
            MessageKind::Warning,
            "このフォルダには画像ファイルがありません。\r\n" + folder.toStdString());
        return;
    }
    host_.UsedFile(FileKind::Pictures, pictures.first());
    Assign(pictures.mid(0, 12));
}

TMonthPictures TfrmMonthPictures::Pictures() const {
    TMonthPictures pictures;
    for (int month = 1; month <= 12; ++month) {
        pictures.Set(month, FileEdit(month)->text().toStdString());
        if (!pictures[month].empty()) pictures.SetFrame(month, FramingOf(month));
    }
    return pictures;
}

// The crop chosen in the preview stays while the month keeps its file.
PictureFraming TfrmMonthPictures::FramingOf(int month) const {
    PictureFraming framing;
    if (FileEdit(month)->text().toStdString() == shown_[month]) framing = shown_.Frame(month);
    framing.Fill = FitList(month)->currentIndex() == 1 ? 1 : 0;
    return framing;
}

void TfrmMonthPictures::SetPictureBox(double widthMm, double heightMm) {
    boxWidthMm_ = widthMm;
    boxHeightMm_ = heightMm;
    for (int month = 1; month <= 12; ++month) ShowDpi(month);
}

void TfrmMonthPictures::ShowDpi(int month) {
    MonthRow& row = rows_[month - 1];
    const double dpi = EffectiveDpi(FramingOf(month), row.size.width(), row.size.height(),
                                    boxWidthMm_, boxHeightMm_);
    row.dpi->setText(dpi > 0 ? QStringLiteral("%1 dpi").arg(std::lround(dpi)) : QString());
    const bool low = dpi > 0 && dpi < kLowPictureDpi;
    row.dpi->setStyleSheet(low ? QStringLiteral("color: #c00000;") : QString());
    row.dpi->setToolTip(low ? QStringLiteral("%1 dpi 未満は印刷で粗く見えます").arg(kLowPictureDpi)
                            : QString());
}

void TfrmMonthPictures::DropFile(int month, const QString& path) {
    if (!host_.AcceptPicture(path)) return;
    FileEdit(month)->setText(path);
    ShowThumbnail(month);
}

void TfrmMonthPictures::ShowThumbnail(int month) {
    QLabel* thumbnail = Thumbnail(month);
    thumbnail->clear();
    rows_[month - 1].size = {};
    ShowDpi(month);
    const std::string file = FileEdit(month)->text().toStdString();
    if (file.empty()) return;
    const RegistryPictureDecoder decoder;
    const std::optional<Bitmap> picture = decoder.Decode(file);
    if (!picture || picture->Empty()) return;
    rows_[month - 1].size = QSize(picture->Width, picture->Height);
    ShowDpi(month);
    const QImage image = WrapBitmap(*picture).scaled(kThumbWidth, kThumbHeight, Qt::KeepAspectRatio,
                                                     Qt::SmoothTransformation);
    thumbnail->setPixmap(QPixmap::fromImage(image));
}

}  // namespace orv
