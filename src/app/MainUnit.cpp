#include "app/MainUnit.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

#include "app/Cp932Validator.h"
#include "app/FileFilter.h"
#include "app/LongWork.h"
#include "app/SizePresets.h"
#include "app/StyleSamples.h"
#include "app/UiHelpers.h"
#include "app/basic/BasicTab.h"
#include "app/imposition/ImpositionTab.h"
#include "app/memorial/MemorialTab.h"
#include "app/months/MonthPicturesDialog.h"
#include "app/months/MonthRunDialog.h"
#include "app/months/PrintReadyDialog.h"
#include "app/style/StyleTab.h"
#include "app/templates/TemplateGallery.h"
#include "model/CivilDate.h"
#include "model/Errors.h"
#include "model/OldCalendar.h"
#include "model/SettingsKeys.h"
#include "model/VB.h"
#include "tools/AboutUnit.h"
#include "tools/ProgramIcon.h"
#include "tools/RokuyoUnit.h"
#include "ui_BasicTab.h"
#include "ui_ImpositionTab.h"
#include "ui_MainWindow.h"
#include "ui_MemorialTab.h"
#include "ui_StyleTab.h"
#include "widgets/FontNameComboBox.h"
#include "widgets/PictureButton.h"

namespace orv {

namespace {

const QString kFitZoomItem = QStringLiteral("ページ全体");
constexpr int kFitZoomIndex = static_cast<int>(kZoomItems.size());
// The settings panel's least width, as the form was laid out.
constexpr int kPanelWidth = 400;

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
                 settings_.AutoSaveDelayMs),
      document_(
          [this] {
              ControlsToData(Data());
              return Data();
          },
          [this](const TData& record) { ShowDesign(record); }),
      recent_(QString::fromStdString(settings_.PreferencesFile)),
      preferences_(QString::fromStdString(settings_.PreferencesFile)) {
    // Read while the window is built: the first activation takes it.
    dataLoad_ = std::make_unique<OldCalendarLoad>(settings_.OldCalendarFile);
    ui_->setupUi(this);
    setWindowIcon(ProgramIcon());
    // The preview and the settings panel share the window through a splitter the user may move.
    splitter_ = new QSplitter(Qt::Horizontal, ui_->centralwidget);
    splitter_->setObjectName(QStringLiteral("splitter"));
    splitter_->setChildrenCollapsible(false);
    ui_->centralwidget->layout()->addWidget(splitter_);
    splitter_->addWidget(ui_->ScrollBox1);
    splitter_->addWidget(ui_->Panel1);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    ui_->Panel1->setMaximumWidth(QWIDGETSIZE_MAX);
    basic_ = ui_->tabBasic;
    style_ = ui_->tabStyle;
    memorial_ = ui_->tabMemorial;
    imposition_ = ui_->tabImposition;
    ui_->PageControl1->setCurrentIndex(0);
    statusPanel_ = new QLabel(this);
    ui_->StatusBar1->addWidget(statusPanel_, 1);
    exportProgress_ = new QProgressBar(this);
    exportProgress_->setMaximumWidth(160);
    exportCancel_ = new QPushButton(QStringLiteral("中止"), this);
    exportCancel_->setObjectName(QStringLiteral("cmdCancelExport"));
    holidaySource_ = new QLabel(this);
    holidaySource_->setObjectName(QStringLiteral("lblHolidaySource"));
    ui_->StatusBar1->addPermanentWidget(holidaySource_);
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
    // A refused character is named beside the edit and in the status bar.
    InstallCp932Validators(this, [this](QLineEdit* edit, const QString& character) {
        const QString hint = RefusedCharacterHint(character);
        QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), hint, edit);
        statusPanel_->setText(hint);
    });
    GuardWheel(this);
    for (TPictureButton* swatch : findChildren<TPictureButton*>()) swatch->SetColorChange(false);
    for (TFontNameComboBox* picker : findChildren<TFontNameComboBox*>()) {
        picker->SetItemHeight(14);
        picker->SetTextFontFace(true);
    }
    state_.Decoder = &pictures_;

    for (const char* entry : kZoomItems) ui_->cboZoom->addItem(QString::fromUtf8(entry));
    ui_->cboZoom->addItem(kFitZoomItem);
    ui_->cboZoom->setCurrentIndex(kDefaultZoomIndex);
    connect(ui_->cboZoom, &QComboBox::activated, this, &TfrmMain::cboZoomClick);
    // The room of the preview decides the zoom of 「ページ全体」.
    ui_->ScrollBox1->installEventFilter(this);
    ui_->PaintBox1->SetPainter([this](QWidget& box) { PaintBox1Paint(box); });
    ui_->PaintBox1->installEventFilter(this);
    ui_->PaintBox1->setMouseTracking(true);

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
    auto* printReady = new QAction(QStringLiteral("入稿用PDF..."), this);
    printReady->setObjectName(QStringLiteral("mnuPrintReady"));
    printReady->setToolTip(
        QStringLiteral("印刷所に入稿する PDF（塗り足し、トンボ、CMYK）を作ります"));
    ui_->mnuFile->insertAction(ui_->mnuFileExit, printReady);
    ui_->mnuFile->insertSeparator(ui_->mnuFileExit);
    connect(printReady, &QAction::triggered, this, &TfrmMain::mnuPrintReadyClick);
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

    autoSaver_.WatchTyping(this);
    History().WatchControls(this);
    CreateDesktopMenus();
}

void TfrmMain::FitToScreen(QSize screen) {
    // A page wider than the panel would be cut off (the pages scroll only up and down): the panel
    // takes the widest.
    int pageWidth = 0;
    for (int i = 0; i < ui_->PageControl1->count(); ++i) {
        auto* sheet = static_cast<QScrollArea*>(ui_->PageControl1->widget(i));
        pageWidth = std::max(pageWidth, sheet->widget()->minimumSizeHint().width() +
                                            sheet->verticalScrollBar()->sizeHint().width());
    }
    ui_->Panel1->setMinimumWidth(std::max(kPanelWidth, pageWidth));
    QSize wanted = size().expandedTo(sizeHint());
    // The first page shows whole, without scrolling: the window grows by what its sheet lacks
    // (known once the window is laid out).
    if (isVisible()) {
        auto* first = static_cast<QScrollArea*>(ui_->PageControl1->widget(0));
        const int lacking =
            first->widget()->sizeHint().height() - first->maximumViewportSize().height();
        if (lacking > 0) wanted.rheight() = height() + lacking;
    }
    // The frame and title bar the window manager adds are not known before the window shows.
    const QSize frame(8, style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8);
    wanted = wanted.boundedTo(screen - frame);
    setMinimumSize(minimumSizeHint().boundedTo(wanted));
    resize(wanted);
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::SetMessageSink(MessageSink* sink) {
    sink_ = sink != nullptr ? sink : &dialogSink_;
    if (rokuyo_ != nullptr) rokuyo_->SetMessageSink(sink_);
}

// The dialogs are made when first opened: made with the window, they cost every start its time.

TfrmRokuyo& TfrmMain::RokuyoDialog() {
    if (rokuyo_ == nullptr) {
        rokuyo_ = new TfrmRokuyo(this);
        rokuyo_->SetMessageSink(sink_);
    }
    return *rokuyo_;
}

TfrmMonthPictures& TfrmMain::MonthPicturesDialog() {
    if (monthPictures_ == nullptr) {
        monthPictures_ = new TfrmMonthPictures(*this, this);
        connect(monthPictures_, &QDialog::accepted, this, [this] {
            TMonthPictures chosen = monthPictures_->Pictures();
            if (chosen == Data().MonthPicture) return;
            Data().MonthPicture = std::move(chosen);
            RepaintPreview();
        });
    }
    return *monthPictures_;
}

TfrmTemplates& TfrmMain::TemplatesDialog() {
    if (templates_ == nullptr) {
        templates_ = new TfrmTemplates(this);
        connect(templates_, &QDialog::accepted, this,
                [this] { StartNewDesign(templates_->ChosenPath()); });
    }
    return *templates_;
}

TfrmMonthRun& TfrmMain::MonthRunDialog() {
    if (monthRun_ == nullptr) {
        monthRun_ = new TfrmMonthRun(*this, this);
        connect(monthRun_, &QDialog::accepted, this, [this] { RunMonths(monthRun_->Choice()); });
    }
    return *monthRun_;
}

TfrmPrintReady& TfrmMain::PrintReadyDialog() {
    if (printReady_ == nullptr) {
        printReady_ = new TfrmPrintReady(*this, this);
        connect(printReady_, &QDialog::accepted, this, [this] {
            const PrintReadyChoice choice = printReady_->Choice();
            RunMonths(choice.Run, &choice);
        });
    }
    return *printReady_;
}

void TfrmMain::SetDialogs(WindowDialogs* dialogs) {
    dialogs_ = dialogs != nullptr ? dialogs : &qtDialogs_;
}

// Start and close.

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Laid out but not yet on the screen: where it was when it last closed, or else the size
    // that shows the first tab whole.
    if (firstActivation_ && !event->spontaneous()) {
        if (const QScreen* shown = screen(); shown != nullptr) {
            FitToScreen(shown->availableGeometry().size());
        }
        const QByteArray place = preferences_.WindowGeometry();
        if (!place.isEmpty()) restoreGeometry(place);
        const QByteArray panel = preferences_.SplitterState();
        if (!panel.isEmpty()) splitter_->restoreState(panel);
    }
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
        if (!dataLoad_) dataLoad_ = std::make_unique<OldCalendarLoad>(settings_.OldCalendarFile);
        dataLoad_->MoveInto(state_, Messages());
        dataLoad_.reset();
    }
    if (FileExists(settings_.AutoSaveFile)) {
        LongWork work(*this, "前回設定ロード中...");
        TData restored;
        if (restored.LoadFromFile(settings_.AutoSaveFile, Messages())) {
            Data() = std::move(restored);
            ShowLoadedDesign();
        }
    }
    autoSaver_.Arm();
    History().Reset();
    if (!startFile_.isEmpty()) OpenDesignFile(std::exchange(startFile_, QString()));
    // A sheet larger than the preview's room at this zoom starts whole.
    if (!ZoomFitsWindow()) ZoomToFit();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (exporting_) {
        // The export stops first (leaving no file); the window stays until it has.
        exportCancelled_ = true;
        event->ignore();
        return;
    }
    if (!MaybeSave()) {
        event->ignore();
        return;
    }
    autoSaver_.Cancel();
    preferences_.SetWindowGeometry(saveGeometry());
    preferences_.SetSplitterState(splitter_->saveState());
    {
        LongWork work(*this, "自動セーブ中...");
        // A failure has been reported; the window closes all the same.
        SaveAutoSaveFile(Messages());
    }
    event->accept();
}

bool TfrmMain::SaveAutoSaveFile(MessageSink& sink) {
    ControlsToData(Data());
    return Data().SaveToFile(settings_.AutoSaveFile, sink);
}

// Transfer between the controls and a record.

void TfrmMain::DataToControls(const TData& record, bool checkFile) {
    if (checkFile) CheckLoadedFile(record, Messages());
    try {
        basic_->DataToControls(record);
        style_->DataToControls(record);
        imposition_->DataToControls(record);
        if (pngResolution_ != nullptr) pngResolution_->setChecked(record.PngResolution != 0);
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
    // Once a control shows something else, the user has chosen and the loaded value is gone.
    document_.ApplyKeptValues(record);
}

void TfrmMain::ShowLoadedDesign(bool checkFile) {
    state_.Loading = true;
    DataToControls(Data(), checkFile);
    basic_->cboCalSizeChange();
    RefreshStyleSamples();
    // Filling the size edits is no typing: leaving one afterwards keeps the loaded preset.
    basic_->ClearSizeEdited();
    state_.Loading = false;
    // A list index past the list's end, a slider position past its range or a flag of 2 would
    // otherwise be saved as something else although nobody changed it.
    TData shown;
    basic_->ControlsToData(shown);
    style_->ControlsToData(shown);
    imposition_->ControlsToData(shown);
    shown.PngResolution = pngResolution_ != nullptr && pngResolution_->isChecked() ? 1 : 0;
    document_.KeepUnshownValues(shown);
    RepaintPreview();
}

void TfrmMain::CommitPendingEdits() {
    basic_->CommitPendingSizeEdit();
}

// File menu.

void TfrmMain::mnuFileOpenClick() {
    // Asked before the dialog, as the question is about the design on screen.
    if (!MaybeSave()) return;
    const QString path =
        Dialogs().OpenFileName(this, kSettingsFilter, DialogStart(FileKind::Designs));
    if (path.isEmpty()) return;
    UsedFile(FileKind::Designs, path);
    LoadDesignFile(path);
}

void TfrmMain::mnuFileSaveClick() {
    SaveDesignAs();
}

bool TfrmMain::SaveDesignAs() {
    CommitPendingEdits();
    const QString path = Dialogs().SaveFileName(
        this, kSettingsFilter, DialogStart(FileKind::Designs, DocumentBaseName() + ".sav"),
        QStringLiteral("sav"), nullptr);
    if (path.isEmpty()) return false;
    UsedFile(FileKind::Designs, path);
    return SaveDesignTo(path);
}

void TfrmMain::cmdMonthPicturesClick() {
    MonthPicturesDialog().SetPictures(Data().MonthPicture);
    // Every month's picture takes the box of the one shown.
    const auto own = std::find_if(pictureSpots_.begin(), pictureSpots_.end(),
                                  [](const PictureSpot& spot) { return spot.Calendar == 0; });
    if (own != pictureSpots_.end()) monthPictures_->SetPictureBox(own->WidthMm, own->HeightMm);
    Dialogs().ShowModal(monthPictures_);
}

void TfrmMain::mnuAboutClick() {
    if (aboutBox_ == nullptr) aboutBox_ = new TAboutBox(this);
    Dialogs().ShowModal(aboutBox_);
}

void TfrmMain::mnuRokuyoClick() {
    Dialogs().ShowModal(&RokuyoDialog());
}

// Preview.

void TfrmMain::RefreshStyleSamples() {
    style_->SetStyleSamples(YearMonthStyleSamples(basic_->YearText(), basic_->MonthText()));
}

void TfrmMain::MarkPictureChanged() {
    state_.PictureChanged = true;
    pictures_.Clear();
}

// The picture choice shared by the basic and imposition tabs.

bool TfrmMain::ChoosePicture(QLineEdit* edit) {
    const QString path = Dialogs().OpenPictureFileName(
        this, QString::fromStdString(StandardPictureFormats().DialogFilter()),
        edit->text().isEmpty() ? DialogStart(FileKind::Pictures) : edit->text());
    if (path.isEmpty()) return false;
    UsedFile(FileKind::Pictures, path);
    return TakePicture(edit, path);
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
OutputJob TfrmMain::BuildJob() {
    ControlsToData(Data());
    ++jobsBuilt_;
    OutputJob job;
    job.Design = Data();
    // As the fields show them: a text being typed that is no number yet leaves the last one.
    job.SizeX = Data().SizeX;
    job.SizeY = Data().SizeY;
    job.Position = {Data().PositionX, Data().PositionY};
    job.Zoom = Zoom();
    if (document_.Named()) job.Name = DocumentBaseName().toStdString();
    return job;
}

int TfrmMain::Zoom() const {
    if (ui_->cboZoom->currentIndex() == kFitZoomIndex) return fittingZoom_;
    return ZoomOfItem(ui_->cboZoom->currentText().toStdString());
}

// Status and cursor.

void TfrmMain::ShowStatus(const std::string& text) {
    statusPanel_->setText(QString::fromStdString(text));
}

void TfrmMain::ShowWritten(const QString& path) {
    statusPanel_->setText(QStringLiteral("保存しました: ") + path);
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
