// What a desktop editor has beyond the original window: shortcuts, undo, the file name in the
// title with the question before changes are lost, recent files, and files dropped on it.
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>

#include "app/LongWork.h"
#include "app/MainUnit.h"
#include "app/basic/BasicTab.h"
#include "app/imposition/ImpositionTab.h"
#include "app/templates/TemplateGallery.h"
#include "model/CivilDate.h"
#include "model/DesignTemplates.h"
#include "model/ProgramPaths.h"
#include "output/PictureFormats.h"
#include "ui_BasicTab.h"
#include "ui_MainWindow.h"

namespace orv {

namespace {

// A design is told by its first section; the extension alone is not enough, nor needed.
bool IsDesignFile(const QString& path) {
    if (QFileInfo(path).suffix().compare(QStringLiteral("sav"), Qt::CaseInsensitive) == 0)
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = file.read(64);
    return head.startsWith("[About]") && head.contains("Signature=Orvalinden");
}

QString DroppedFile(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasUrls()) return {};
    const QList<QUrl> urls = mime->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile()) return {};
    return urls.first().toLocalFile();
}

}  // namespace

void TfrmMain::CreateDesktopMenus() {
    Ui::TfrmMain& c = *ui_;
    c.mnuFileOpen->setShortcut(QKeySequence::Open);
    c.mnuFileSave->setText(QStringLiteral("名前を付けて保存(&A)..."));
    c.mnuFileSave->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    c.mnuPicSave->setShortcut(QKeySequence(QStringLiteral("Ctrl+E")));
    c.mnuFileExit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));

    auto* fresh = new QAction(QStringLiteral("新規作成(&N)"), this);
    fresh->setObjectName(QStringLiteral("mnuFileNew"));
    fresh->setShortcut(QKeySequence::New);
    connect(fresh, &QAction::triggered, this, &TfrmMain::mnuFileNewClick);
    c.mnuFile->insertAction(c.mnuFileOpen, fresh);

    pngResolution_ = new QAction(QStringLiteral("PNG に解像度を記録する"), this);
    pngResolution_->setObjectName(QStringLiteral("mnuPngResolution"));
    pngResolution_->setCheckable(true);
    pngResolution_->setToolTip(QStringLiteral(
        "保存する PNG 画像に解像度（dpi）を書き込みます。写真店やプリンタが原寸で印刷します"));
    connect(pngResolution_, &QAction::toggled, this, [this](bool on) {
        if (state_.Loading || (Data().PngResolution != 0) == on) return;
        Data().PngResolution = on ? 1 : 0;
        RepaintPreview();
    });
    c.mnuFile->insertAction(c.mnuPicSave, pngResolution_);
    c.mnuFile->insertAction(pngResolution_, c.mnuPicSave);

    auto* overwrite = new QAction(QStringLiteral("上書き保存(&S)"), this);
    overwrite->setObjectName(QStringLiteral("mnuFileOverwrite"));
    overwrite->setShortcut(QKeySequence::Save);
    connect(overwrite, &QAction::triggered, this, &TfrmMain::mnuFileOverwriteClick);
    c.mnuFile->insertAction(c.mnuFileSave, overwrite);

    recentMenu_ = new QMenu(QStringLiteral("最近使ったファイル(&R)"), this);
    recentMenu_->setObjectName(QStringLiteral("mnuRecent"));
    c.mnuFile->insertMenu(overwrite, recentMenu_);
    c.mnuFile->insertSeparator(overwrite);
    connect(c.mnuFile, &QMenu::aboutToShow, this, &TfrmMain::FillRecentMenu);
    FillRecentMenu();

    auto* print = new QAction(QStringLiteral("印刷(&P)..."), this);
    print->setObjectName(QStringLiteral("mnuPrint"));
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, &TfrmMain::cmdPrintClick);
    c.mnuFile->insertAction(c.mnuFileExit, print);
    c.mnuFile->insertSeparator(c.mnuFileExit);

    auto* edit = new QMenu(QStringLiteral("編集(&E)"), this);
    edit->setObjectName(QStringLiteral("mnuEdit"));
    menuBar()->insertMenu(c.mnuHelp->menuAction(), edit);
    QAction* undo = edit->addAction(QStringLiteral("元に戻す(&U)"), this, &TfrmMain::mnuUndoClick);
    undo->setObjectName(QStringLiteral("mnuUndo"));
    undo->setShortcut(QKeySequence::Undo);
    undo->setEnabled(false);
    connect(&History().Stack(), &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    // The menu says which step it takes back or does again.
    connect(&History().Stack(), &QUndoStack::undoTextChanged, undo, [undo](const QString& step) {
        undo->setText(step.isEmpty() ? QStringLiteral("元に戻す(&U)")
                                     : QStringLiteral("元に戻す(&U): %1").arg(step));
    });
    QAction* redo = edit->addAction(QStringLiteral("やり直し(&R)"), this, &TfrmMain::mnuRedoClick);
    redo->setObjectName(QStringLiteral("mnuRedo"));
    redo->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    redo->setEnabled(false);
    connect(&History().Stack(), &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(&History().Stack(), &QUndoStack::redoTextChanged, redo, [redo](const QString& step) {
        redo->setText(step.isEmpty() ? QStringLiteral("やり直し(&R)")
                                     : QStringLiteral("やり直し(&R): %1").arg(step));
    });

    CreateZoomControls();

    auto* manual = new QAction(QStringLiteral("使い方(&M)"), this);
    manual->setObjectName(QStringLiteral("mnuManual"));
    manual->setShortcut(QKeySequence(Qt::Key_F1));
    connect(manual, &QAction::triggered, this, &TfrmMain::mnuManualClick);
    c.mnuHelp->insertAction(c.mnuAbout, manual);
    c.mnuHelp->insertSeparator(c.mnuAbout);

    connect(&document_, &DesignDocument::ModifiedChanged, this, &TfrmMain::UpdateTitle);
    setAcceptDrops(true);
    UpdateTitle();
}

void TfrmMain::UpdateTitle() {
    setWindowTitle(QStringLiteral("%1[*] - Orvalinden").arg(DocumentTitle()));
    setWindowModified(document_.Modified());
}

// Undo and redo.

void TfrmMain::ShowDesign(const TData& record) {
    Data() = record;
    MarkPictureChanged();
    ShowLoadedDesign(false);
}

void TfrmMain::mnuUndoClick() {
    CommitPendingEdits();
    History().Undo();
}

void TfrmMain::mnuRedoClick() {
    CommitPendingEdits();
    History().Redo();
}

// Files.

bool TfrmMain::MaybeSave() {
    CommitPendingEdits();
    History().Flush();
    if (!document_.Modified()) return true;
    switch (Dialogs().AskSaveChanges(this, DocumentTitle())) {
        case SaveAnswer::Save:
            // An untitled design is saved under the name the user gives it, or not at all.
            return document_.Named() ? SaveDesignTo(document_.FileName()) : SaveDesignAs();
        case SaveAnswer::Discard:
            return true;
        case SaveAnswer::Cancel:
            break;
    }
    return false;
}

bool TfrmMain::OpenDesignFile(const QString& path) {
    return MaybeSave() && LoadDesignFile(path);
}

bool TfrmMain::LoadDesignFile(const QString& path) {
    History().Break();
    LongWork work(*this, "ファイルロード中...");
    // A file that fails half-way must not leave half a design behind the controls.
    TData loaded;
    if (!loaded.LoadFromFile(path.toStdString(), Messages())) {
        if (!QFileInfo::exists(path)) recent_.Remove(path);
        return false;
    }
    document_.Opened(std::move(loaded), path);
    MarkPictureChanged();
    ShowLoadedDesign();
    // The design as opened is the saved state, with no history of the one before.
    StartHistory();
    document_.Saved(path);
    recent_.Add(path);
    UpdateTitle();
    return true;
}

bool TfrmMain::SaveDesignTo(const QString& path) {
    CommitPendingEdits();
    {
        LongWork work(*this, "ファイルセーブ中...");
        ControlsToData(Data());
        if (!Data().SaveToFile(path.toStdString(), Messages())) return false;
    }
    document_.Saved(path);
    recent_.Add(path);
    UpdateTitle();
    ShowWritten(path);
    return true;
}

void TfrmMain::StartHistory() {
    History().Flush();
    History().Reset();
}

QString TfrmMain::DocumentTitle() const {
    return document_.Named() ? QFileInfo(document_.FileName()).fileName() : QStringLiteral("無題");
}

QString TfrmMain::DocumentBaseName() const {
    return document_.Named() ? QFileInfo(document_.FileName()).completeBaseName()
                             : QStringLiteral("カレンダー");
}

QString TfrmMain::DialogStart(FileKind kind, const QString& name) const {
    const QString folder = preferences_.StartFolder(kind);
    return name.isEmpty() ? folder : QDir(folder).filePath(name);
}

void TfrmMain::UsedFile(FileKind kind, const QString& path) {
    preferences_.UsedFile(kind, path);
}

void TfrmMain::mnuManualClick() {
    const QString manual = QString::fromStdString(ManualPath());
    if (!QFileInfo::exists(manual)) {
        Messages().Report(MessageKind::Warning,
                          "使い方の説明が見つかりません。\r\n" + manual.toStdString());
        return;
    }
    if (!Dialogs().OpenDocument(manual)) {
        Messages().Report(MessageKind::Warning,
                          "使い方の説明を開けませんでした。ブラウザで次のファイルを開いてください。"
                          "\r\n" +
                              manual.toStdString());
    }
}

void TfrmMain::mnuFileNewClick() {
    TemplatesDialog().Fill(FindTemplates(settings_.TemplateFolders));
    Dialogs().ShowModal(templates_);
}

void TfrmMain::StartNewDesign(const std::string& templatePath) {
    TData design = NewDesign();
    if (!templatePath.empty() && !LoadTemplate(templatePath, Today(), design, Messages())) return;
    if (!MaybeSave()) return;
    History().Break();
    document_.Opened(std::move(design), QString());
    MarkPictureChanged();
    ShowLoadedDesign(false);
    StartHistory();
    document_.Saved(QString());
    UpdateTitle();
}

void TfrmMain::mnuFileOverwriteClick() {
    if (!document_.Named()) {
        mnuFileSaveClick();
    } else {
        SaveDesignTo(document_.FileName());
    }
}

void TfrmMain::FillRecentMenu() {
    recentMenu_->clear();
    const QStringList files = recent_.Files();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        // The number is the accelerator; && keeps an & of the name from becoming one.
        QString name = QFileInfo(path).fileName();
        name.replace('&', QStringLiteral("&&"));
        QAction* entry = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg((i + 1) % 10).arg(name), this, [this, path] {
                if (!QFileInfo::exists(path)) {
                    Messages().Report(MessageKind::Warning,
                                      "ファイルが見つかりません。\r\n" + path.toStdString());
                    recent_.Remove(path);
                    return;
                }
                OpenDesignFile(path);
            });
        entry->setStatusTip(path);
        entry->setToolTip(path);
    }
    if (files.isEmpty()) {
        recentMenu_->addAction(QStringLiteral("(なし)"))->setEnabled(false);
        return;
    }
    recentMenu_->addSeparator();
    recentMenu_->addAction(QStringLiteral("一覧を消去(&C)"), this, [this] { recent_.Clear(); });
}

// Drag and drop.

void TfrmMain::dragEnterEvent(QDragEnterEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty() || exporting_) return;
    if (IsDesignFile(path) || StandardPictureFormats().ForFile(path.toStdString()) != nullptr)
        event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty() || exporting_) return;
    event->acceptProposedAction();
    if (IsDesignFile(path)) {
        OpenDesignFile(path);
        return;
    }
    History().Flush();
    TakePicture(basic_->Controls().txtPicFile, path);
    RepaintPreview();
}

bool TfrmMain::TakePicture(QLineEdit* edit, const QString& path) {
    if (!AcceptPicture(path)) return false;
    edit->setText(path);
    return true;
}

bool TfrmMain::AcceptPicture(const QString& path) {
    bool loaded = false;
    {
        LongWork work(*this, "画像ロード中...");
        loaded = TestLoadPicture(path.toStdString());
    }
    // A file that is no picture is not kept: a calendar never shows a picture it cannot draw.
    if (!loaded) {
        Messages().Report(
            MessageKind::Warning,
            "この画像ファイルは対応できないフォーマットです。\r\n" + path.toStdString());
    }
    return loaded;
}

}  // namespace orv
