#include "tools/RokuyoUnit.h"

#include <QCoreApplication>
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
    connect(ui_->cmdDevelopFolder, &QToolButton::clicked, this, &TfrmRokuyo::cmdDevelopFolderClick);
}

TfrmRokuyo::~TfrmRokuyo() = default;

void TfrmRokuyo::SetMessageSink(MessageSink* sink) {
    sink_ = sink != nullptr ? sink : &dialogSink_;
}

void TfrmRokuyo::cmdDevelopFolderClick() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, QString(), ui_->txtDevelopFolder->text());
    if (!folder.isEmpty()) ui_->txtDevelopFolder->setText(folder);
}

std::string TfrmRokuyo::DevelopFolder() {
    return ui_->txtDevelopFolder->text().toStdString();
}

void TfrmRokuyo::cmdRokuyoClick() {
    Run(CreateRokuyoData);
}

void TfrmRokuyo::cmdNijusisekkiClick() {
    Run(CreateSolarTermData);
}

void TfrmRokuyo::Run(DataCreationResult (*run)(const std::string&, MessageSink&,
                                               const DataCreationCallbacks&)) {
    QTreeWidget* list = ui_->ListView1;
    list->clear();
    const std::string folder = DevelopFolder();
    if (folder.empty()) {
        sink_->Report(MessageKind::Warning, "開発フォルダを指定してください。");
        return;
    }
    setCursor(Qt::WaitCursor);
    DataCreationCallbacks callbacks;
    // The year being read shows in the caption; a long run keeps the dialog painted.
    callbacks.YearStarted = [this](int year) {
        setWindowTitle(QStringLiteral("データ作成 - %1").arg(year));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    const DataCreationResult result = run(folder, *sink_, callbacks);
    setWindowTitle(QStringLiteral("データ作成"));
    // The rows come sorted by date text, as the list shows them.
    for (const DataRow& row : result.Rows) {
        new QTreeWidgetItem(list,
                            {QString::fromStdString(row.Date), QString::fromStdString(row.Name)});
    }
    unsetCursor();
    if (result.Written) sink_->Report(MessageKind::Information, "終了。");
}

}  // namespace orv
