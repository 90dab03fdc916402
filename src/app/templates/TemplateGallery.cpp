#include "app/templates/TemplateGallery.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "model/CivilDate.h"
#include "output/OutputDriver.h"
#include "output/PictureCache.h"
#include "output/PictureFormats.h"

namespace orv {

namespace {

constexpr int kThumbSide = 160;

// The sheet drawn at twice the thumbnail's resolution and brought down smoothly, on a grey
// ground so that a white sheet shows its edge.
QIcon Thumbnail(const TData& design, const PictureDecoder& pictures) {
    const int longest = std::max({design.SizeX, design.SizeY, 1});
    const int dpi = std::max(1, static_cast<int>(2 * kThumbSide * 25.4 / longest));
    NullStatusSink status;
    NullMessageSink quiet;
    RenderState state;
    state.Decoder = &pictures;
    OutputEnvironment env{status, quiet, state};
    const QImage sheet =
        DrawCalendarImage(env, JobOfDesign(design), dpi)
            .scaled(kThumbSide - 4, kThumbSide - 4, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage icon(kThumbSide, kThumbSide, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    const QPoint at((kThumbSide - sheet.width()) / 2, (kThumbSide - sheet.height()) / 2);
    painter.fillRect(QRect(at + QPoint(2, 2), sheet.size()), QColor(0, 0, 0, 60));
    painter.drawImage(at, sheet);
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(QRect(at, sheet.size()).adjusted(0, 0, -1, -1));
    return QIcon(QPixmap::fromImage(icon));
}

}  // namespace

TfrmTemplates::TfrmTemplates(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmTemplates"));
    setWindowTitle(QStringLiteral("新規作成"));
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lstTemplates"));
    list_->setViewMode(QListView::IconMode);
    list_->setIconSize(QSize(kThumbSide, kThumbSide));
    list_->setGridSize(QSize(kThumbSide + 40, kThumbSide + 44));
    list_->setResizeMode(QListView::Adjust);
    list_->setMovement(QListView::Static);
    list_->setWordWrap(true);
    list_->setMinimumSize(4 * (kThumbSide + 40) + 24, 2 * (kThumbSide + 44) + 8);
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("作成"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);
}

void TfrmTemplates::Fill(const std::vector<DesignTemplate>& templates) {
    list_->clear();
    paths_.clear();
    const auto add = [this](const QIcon& icon, const std::string& title, const std::string& path) {
        auto* item = new QListWidgetItem(icon, QString::fromStdString(title), list_);
        item->setToolTip(
            QString::fromStdString(path.empty() ? "何も設定していないデザイン" : path));
        paths_.push_back(path);
    };
    // The templates share their sample picture: decoded once for all of them.
    const RegistryPictureDecoder decoder;
    const PictureCache pictures(&decoder);
    add(Thumbnail(NewDesign(), pictures), "白紙", "");
    const CivilDate today = Today();
    for (const DesignTemplate& entry : templates) {
        NullMessageSink quiet;
        TData design;
        // One that cannot be read is not offered.
        if (!LoadTemplate(entry.Path, today, design, quiet)) continue;
        add(Thumbnail(design, pictures), entry.Title, entry.Path);
    }
    list_->setCurrentRow(0);
}

std::string TfrmTemplates::ChosenPath() const {
    const int row = list_->currentRow();
    return row >= 0 && row < static_cast<int>(paths_.size()) ? paths_[row] : std::string();
}

}  // namespace orv
