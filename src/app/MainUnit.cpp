#include "MainUnit.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>

#include "AboutUnit.h"
#include "CivilDate.h"
#include "Cp932Validator.h"
#include "FileFilter.h"
#include "FontNameComboBox.h"
#include "LongWork.h"
#include "OldCalendar.h"
#include "PictureButton.h"
#include "RokuyoUnit.h"
#include "SizePresets.h"
#include "StyleSamples.h"
#include "UiHelpers.h"
#include "VB.h"
#include "basic/BasicTab.h"
#include "imposition/ImpositionTab.h"
#include "memorial/MemorialTab.h"
#include "months/MonthPicturesDialog.h"
#include "months/MonthRunDialog.h"
#include "style/StyleTab.h"
#include "ui_BasicTab.h"
#include "ui_ImpositionTab.h"
#include "ui_MainWindow.h"
#include "ui_MemorialTab.h"
#include "ui_StyleTab.h"

namespace orv {

namespace {

const QString kSettingsFilter =
    QtFileFilter(QStringLiteral("ｾｰﾌﾞﾌｧｲﾙ(*.sav)|*.sav|すべてのﾌｧｲﾙ(*.*)|*.*"));

}  // namespace

TfrmMain::TfrmMain(WindowSettings settings, QWidget* parent)
    : QMainWindow(parent),
      ui_(std::make_unique<Ui::TfrmMain>()),
      settings_(std::move(settings)),
      dialogSink_(this),
      sink_(&dialogSink_),
      dialogs_(&qtDialogs_),
      autoSaver_([this](MessageSink& sink) { return SaveAutoSaveFile(sink); },
                 [this]() -> MessageSink& { return Messages(); }, [this] { return state_.Loading; },
                 settings_.AutoSaveDelayMs) {
    ui_->setupUi(this);
    basic_ = ui_->tabBasic;
    style_ = ui_->tabStyle;
    memorial_ = ui_->tabMemorial;
    imposition_ = ui_->tabImposition;
    // The pages scroll when fonts make them taller than the window.
    for (int i = 0; i < ui_->PageControl1->count(); ++i) {
        QWidget* page = ui_->PageControl1->widget(i);
        const QString title = ui_->PageControl1->tabText(i);
        ui_->PageControl1->removeTab(i);
        auto* sheet = new QScrollArea;
        sheet->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
        sheet->setFrameShape(QFrame::NoFrame);
        sheet->setWidgetResizable(true);
        sheet->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        sheet->setWidget(page);
        ui_->PageControl1->insertTab(i, sheet, title);
    }
    ui_->PageControl1->setCurrentIndex(0);
    statusPanel_ = new QLabel(this);
    ui_->StatusBar1->addWidget(statusPanel_, 1);
    exportProgress_ = new QProgressBar(this);
    exportProgress_->setMaximumWidth(160);
    exportCancel_ = new QPushButton(QStringLiteral("中止"), this);
    exportCancel_->setObjectName(QStringLiteral("cmdCancelExport"));
    ui_->StatusBar1->addPermanentWidget(exportProgress_);
    ui_->StatusBar1->addPermanentWidget(exportCancel_);
    exportProgress_->hide();
    exportCancel_->hide();
    connect(exportCancel_, &QPushButton::clicked, this, &TfrmMain::CancelExport);
    ui_->StatusBar1->setSizeGripEnabled(true);

    basic_->Attach(*this, *style_);
    style_->Attach(*this);
    memorial_->Attach(*this, *basic_, *style_);
    imposition_->Attach(*this);
    InstallCp932Validators(this);
    for (TPictureButton* swatch : findChildren<TPictureButton*>()) swatch->SetColorChange(false);
    for (TFontNameComboBox* picker : findChildren<TFontNameComboBox*>()) {
        picker->SetItemHeight(14);
        picker->SetTextFontFace(true);
    }
    state_.Decoder = &pictureDecoder_;

    for (const char* entry : kZoomItems) ui_->cboZoom->addItem(QString::fromUtf8(entry));
    ui_->cboZoom->setCurrentIndex(kDefaultZoomIndex);
    connect(ui_->cboZoom, &QComboBox::activated, this, &TfrmMain::cboZoomClick);
    ui_->PaintBox1->SetPainter([this](QWidget& box) { PaintBox1Paint(box); });

    connect(ui_->mnuFileOpen, &QAction::triggered, this, &TfrmMain::mnuFileOpenClick);
    connect(ui_->mnuFileSave, &QAction::triggered, this, &TfrmMain::mnuFileSaveClick);
    connect(ui_->mnuFileExit, &QAction::triggered, this, &TfrmMain::close);
    connect(ui_->mnuPicSave, &QAction::triggered, this, &TfrmMain::mnuPicSaveClick);
    auto* monthRun = new QAction(QStringLiteral("複数月の印刷・保存..."), this);
    monthRun->setObjectName(QStringLiteral("mnuMonthRun"));
    monthRun->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    ui_->mnuFile->insertAction(ui_->mnuFileExit, monthRun);
    ui_->mnuFile->insertSeparator(ui_->mnuFileExit);
    connect(monthRun, &QAction::triggered, this, &TfrmMain::mnuMonthRunClick);
    connect(ui_->mnuAbout, &QAction::triggered, this, &TfrmMain::mnuAboutClick);
    connect(ui_->cmdPrint, &QPushButton::clicked, this, &TfrmMain::cmdPrintClick);
    auto& basic = basic_->Controls();
    connect(basic.cmdPrinterSetup, &QPushButton::clicked, this, &TfrmMain::cmdPrinterSetupClick);
    connect(basic.cmdCalSizeMargin, &QPushButton::clicked, this, &TfrmMain::cmdCalSizeMarginClick);
    connect(basic.cmdMonthPictures, &QPushButton::clicked, this, &TfrmMain::cmdMonthPicturesClick);
    connect(imposition_->Controls().cmdComposePrinter, &QPushButton::clicked, this,
            &TfrmMain::cmdComposePrinterClick);
    connect(ui_->mnuRokuyo, &QAction::triggered, this, &TfrmMain::mnuRokuyoClick);

    // The start design: the first size preset, this month, the controls' start values.
    basic_->FillSizePresets();
    basic_->cboCalSizeChange();
    const CivilDate today = Today();
    basic_->SetYearMonth(today.Year, today.Month);
    RefreshStyleSamples();
    style_->Controls().cboYDStyle->setCurrentIndex(0);
    memorial_->ResetInput();
    printer_ = std::make_unique<PrinterLayer>();
    ShowPrinterSummary();

    aboutBox_ = new TAboutBox(this);
    rokuyo_ = new TfrmRokuyo(this);
    monthPictures_ = new TfrmMonthPictures(*this, this);
    connect(monthPictures_, &QDialog::accepted, this, [this] {
        TMonthPictures chosen = monthPictures_->Pictures();
        if (chosen == data_.MonthPicture) return;
        data_.MonthPicture = std::move(chosen);
        RepaintPreview();
    });
    monthRun_ = new TfrmMonthRun(*this, this);
    connect(monthRun_, &QDialog::accepted, this, [this] { RunMonths(monthRun_->Choice()); });
    autoSaver_.WatchTyping(this);
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::SetMessageSink(MessageSink* sink) {
    sink_ = sink != nullptr ? sink : &dialogSink_;
    rokuyo_->SetMessageSink(sink_);
}

void TfrmMain::SetDialogs(WindowDialogs* dialogs) {
    dialogs_ = dialogs != nullptr ? dialogs : &qtDialogs_;
}

// Start and close.

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Not every platform activates a window that is shown (an offscreen one never is).
    if (firstActivation_) QTimer::singleShot(0, this, &TfrmMain::FirstActivate);
}

bool TfrmMain::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && firstActivation_) FirstActivate();
    return QMainWindow::event(event);
}

void TfrmMain::FirstActivate() {
    if (!firstActivation_) return;
    firstActivation_ = false;
    if (DayOfWeek(CivilDate{2005, 1, 1}) != 6) {
        Messages().Report(
            MessageKind::Warning,
            "正しい曜日が取得できません。\r\nWindowsの地域の設定が和暦だと本ソフトの動"
            "作に不具合が生じます、西暦になっているか確認してください。");
    }
    {
        LongWork work(*this, "旧暦データロード中...");
        LoadOldCalendarData(settings_.OldCalendarFile, state_.RokuyoList, state_.SolarTermList,
                            Messages());
        LoadAlmanacData(settings_.OldCalendarFile, state_.Almanac);
    }
    if (FileExists(settings_.AutoSaveFile)) {
        LongWork work(*this, "前回設定ロード中...");
        TData restored;
        if (restored.LoadFromFile(settings_.AutoSaveFile, Messages())) {
            data_ = std::move(restored);
            ShowLoadedDesign();
        }
    }
    autoSaver_.Arm();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (exporting_) {
        // The export stops first (leaving no file); the window stays until it has.
        exportCancelled_ = true;
        event->ignore();
        return;
    }
    CommitPendingEdits();
    autoSaver_.Cancel();
    {
        LongWork work(*this, "自動セーブ中...");
        // A failure has been reported; the window closes all the same.
        SaveAutoSaveFile(Messages());
    }
    event->accept();
}

bool TfrmMain::SaveAutoSaveFile(MessageSink& sink) {
    ControlsToData(data_);
    return data_.SaveToFile(settings_.AutoSaveFile, sink);
}

// Transfer between the controls and a record.

void TfrmMain::DataToControls(const TData& record) {
    CheckLoadedFile(record, Messages());
    try {
        basic_->DataToControls(record);
        style_->DataToControls(record);
        imposition_->DataToControls(record);
        basic_->LayoutToControls(record);
        memorial_->FillList(record.Memorials);
    } catch (const std::exception& error) {
        Messages().Report(MessageKind::Error, error.what());
    }
}

void TfrmMain::ControlsToData(TData& record) {
    if (state_.Loading) return;
    basic_->ControlsToData(record);
    style_->ControlsToData(record);
    imposition_->ControlsToData(record);
}

void TfrmMain::ShowLoadedDesign() {
    state_.Loading = true;
    DataToControls(data_);
    basic_->cboCalSizeChange();
    RefreshStyleSamples();
    // Filling the size edits is no typing: leaving one afterwards keeps the loaded preset.
    basic_->ClearSizeEdited();
    state_.Loading = false;
    RepaintPreview();
}

void TfrmMain::CommitPendingEdits() {
    basic_->CommitPendingSizeEdit();
}

// File menu.

void TfrmMain::mnuFileOpenClick() {
    const QString path = Dialogs().OpenFileName(this, kSettingsFilter, lastFileName_);
    if (path.isEmpty()) return;
    LongWork work(*this, "ファイルロード中...");
    // A file that fails half-way must not leave half a design behind the controls.
    TData loaded;
    if (!loaded.LoadFromFile(path.toStdString(), Messages())) return;
    data_ = std::move(loaded);
    lastFileName_ = path;
    ShowLoadedDesign();
}

void TfrmMain::mnuFileSaveClick() {
    CommitPendingEdits();
    const QString path = Dialogs().SaveFileName(this, kSettingsFilter, lastFileName_,
                                                QStringLiteral("sav"), nullptr);
    if (path.isEmpty()) return;
    LongWork work(*this, "ファイルセーブ中...");
    ControlsToData(data_);
    if (data_.SaveToFile(path.toStdString(), Messages())) lastFileName_ = path;
}

void TfrmMain::cmdMonthPicturesClick() {
    monthPictures_->SetPictures(data_.MonthPicture);
    Dialogs().ShowModal(monthPictures_);
}

void TfrmMain::mnuAboutClick() {
    Dialogs().ShowModal(aboutBox_);
}

void TfrmMain::mnuRokuyoClick() {
    Dialogs().ShowModal(rokuyo_);
}

// Preview.

void TfrmMain::RefreshStyleSamples() {
    style_->SetStyleSamples(YearMonthStyleSamples(basic_->YearText(), basic_->MonthText()));
}

// The picture choice shared by the basic and imposition tabs.

bool TfrmMain::ChoosePicture(QLineEdit* edit) {
    const QString path = Dialogs().OpenFileName(
        this, QString::fromStdString(StandardPictureFormats().DialogFilter()), edit->text());
    if (path.isEmpty()) return false;
    bool loaded = false;
    {
        LongWork work(*this, "画像ロード中...");
        edit->setText(path);
        loaded = TestLoadPicture(path.toStdString());
    }
    if (!loaded) {
        Messages().Report(MessageKind::Warning, "この画像ファイルは対応できないフォーマットです。");
    }
    return true;
}

// What the output driver reads.

std::string TfrmMain::SizeXText() const {
    return basic_->Controls().txtCalSizeX->text().toStdString();
}
std::string TfrmMain::SizeYText() const {
    return basic_->Controls().txtCalSizeY->text().toStdString();
}
std::string TfrmMain::PositionXText() const {
    return basic_->Controls().txtPositionX->text().toStdString();
}
std::string TfrmMain::PositionYText() const {
    return basic_->Controls().txtPositionY->text().toStdString();
}
int TfrmMain::Zoom() const {
    return ZoomOfItem(ui_->cboZoom->currentText().toStdString());
}

// Status and cursor.

void TfrmMain::ShowStatus(const std::string& text) {
    statusPanel_->setText(QString::fromStdString(text));
}

QString TfrmMain::StatusText() const {
    return statusPanel_->text();
}

void TfrmMain::ProcessEvents() {
    // Inside the preview's own paint the status waits for the next pass of the event loop.
    if (!painting_) DoEvents();
}

void TfrmMain::SetWaitCursor(bool on) {
    SetCursorAll(this, on ? Qt::WaitCursor : Qt::ArrowCursor);
}

}  // namespace orv
