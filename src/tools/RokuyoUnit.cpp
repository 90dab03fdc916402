#include "RokuyoUnit.h"

#include <QFileDialog>
#include <QHeaderView>

#include "ui_RokuyoDialog.h"

namespace orv {

TfrmRokuyo::TfrmRokuyo(QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::TfrmRokuyo>()),
      dialogSink_(this),
      sink_(&dialogSink_) {
    ui_->setupUi(this);
    ui_->ListView1->header()->setSectionsClickable(false);
    connect(ui_->cmdRokuyo, &QPushButton::clicked, this, &TfrmRokuyo::cmdRokuyoClick);
    connect(ui_->cmdNijusisekki, &QPushButton::clicked, this, &TfrmRokuyo::cmdNijusisekkiClick);
    connect(ui_->cmdDevelopFolder, &QToolButton::clicked, this,
            &TfrmRokuyo::cmdDevelopFolderClick);
}

TfrmRokuyo::~TfrmRokuyo() = default;

void TfrmRokuyo::SetMessageSink(MessageSink* sink) { sink_ = sink != nullptr ? sink : &dialogSink_; }

void TfrmRokuyo::cmdDevelopFolderClick() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, QString(), ui_->txtDevelopFolder->text());
    if (!folder.isEmpty()) ui_->txtDevelopFolder->setText(folder);
}

std::string TfrmRokuyo::DevelopFolder() { return ui_->txtDevelopFolder->text().toStdString(); }

void TfrmRokuyo::cmdRokuyoClick() {}

void TfrmRokuyo::cmdNijusisekkiClick() {}

}  // namespace orv
