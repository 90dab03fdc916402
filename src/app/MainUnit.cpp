#include "MainUnit.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>

#include "AboutUnit.h"
#include "CivilDate.h"
#include "Cp932Validator.h"
#include "FileFilter.h"
#include "FontNameComboBox.h"
#include "OldCalendar.h"
#include "PictureButton.h"
#include "PrinterSummary.h"
#include "RokuyoUnit.h"
#include "SizePresets.h"
#include "StyleSamples.h"
#include "UiHelpers.h"
#include "VB.h"
#include "basic/BasicTab.h"
#include "imposition/ImpositionTab.h"
#include "memorial/MemorialTab.h"
#include "style/StyleTab.h"
#include "ui_BasicTab.h"
#include "ui_ImpositionTab.h"
#include "ui_MainWindow.h"
#include "ui_MemorialTab.h"
#include "ui_StyleTab.h"

namespace orv {

namespace {

// Keeps what a drawing pass reports until it may be shown.
class MessageLog : public MessageSink {
  public:
    void Report(MessageKind kind, const std::string& text) override {
        messages_.emplace_back(kind, text);
    }
    std::vector<std::pair<MessageKind, std::string>> Take() { return std::move(messages_); }

  private:
    std::vector<std::pair<MessageKind, std::string>> messages_;
};

const QString kSettingsFilter =
    QtFileFilter(QStringLiteral("ｾｰﾌﾞﾌｧｲﾙ(*.sav)|*.sav|すべてのﾌｧｲﾙ(*.*)|*.*"));

// Long work: status text, wait cursor, and one pass of the event loop so both show.
class LongWork {
  public:
    LongWork(TfrmMain& window, const char* status) : window_(window) {
        window_.ShowStatus(status);
        window_.SetWaitCursor(true);
        DoEvents();
    }
    ~LongWork() {
        window_.SetWaitCursor(false);
        window_.ShowStatus("");
    }

  private:
    TfrmMain& window_;
};

}  // namespace

TfrmMain::TfrmMain(WindowSettings settings, QWidget* parent)
    : QMainWindow(parent),
      ui_(std::make_unique<Ui::TfrmMain>()),
      settings_(std::move(settings)),
      dialogSink_(this),
      sink_(&dialogSink_),
      dialogs_(&qtDialogs_) {
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
    connect(ui_->mnuAbout, &QAction::triggered, this, &TfrmMain::mnuAboutClick);
    connect(ui_->cmdPrint, &QPushButton::clicked, this, &TfrmMain::cmdPrintClick);
    auto& basic = basic_->Controls();
    connect(basic.cmdPrinterSetup, &QPushButton::clicked, this, &TfrmMain::cmdPrinterSetupClick);
    connect(basic.cmdCalSizeMargin, &QPushButton::clicked, this, &TfrmMain::cmdCalSizeMarginClick);
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
    }
    if (FileExists(settings_.AutoSaveFile)) {
        LongWork work(*this, "前回設定ロード中...");
        TData restored;
        if (restored.LoadFromFile(settings_.AutoSaveFile, Messages())) {
            data_ = std::move(restored);
            ShowLoadedDesign();
        }
    }
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (exporting_) {
        // The export stops first (leaving no file); the window stays until it has.
        exportCancelled_ = true;
        event->ignore();
        return;
    }
    CommitPendingEdits();
    {
        LongWork work(*this, "自動セーブ中...");
        ControlsToData(data_);
        // A failure has been reported; the window closes all the same.
        data_.SaveToFile(settings_.AutoSaveFile, Messages());
    }
    event->accept();
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

// Image export.

namespace {

class InputBoxAsker : public ResolutionAsker {
  public:
    InputBoxAsker(TfrmMain& window) : window_(window) {}
    std::optional<std::string> Ask(const std::string& caption, const std::string& prompt,
                                   const std::string& defaultValue) override {
        const std::optional<QString> answer = window_.Dialogs().InputText(
            &window_, QString::fromStdString(caption), QString::fromStdString(prompt),
            QString::fromStdString(defaultValue));
        if (!answer) return std::nullopt;
        return answer->toStdString();
    }

  private:
    TfrmMain& window_;
};

}  // namespace

// Shows how far an export is in the status bar and keeps the window painted; its cancel button
// stops the export.
class ExportProgressBar : public ExportProgress {
  public:
    explicit ExportProgressBar(TfrmMain& window) : window_(window) {
        window_.exporting_ = true;
        window_.exportCancelled_ = false;
        // Only the cancel button answers while the export runs.
        window_.centralWidget()->setEnabled(false);
        window_.menuBar()->setEnabled(false);
        window_.exportProgress_->setValue(0);
        window_.exportProgress_->show();
        window_.exportCancel_->show();
    }
    ~ExportProgressBar() override {
        window_.exportProgress_->hide();
        window_.exportCancel_->hide();
        window_.menuBar()->setEnabled(true);
        window_.centralWidget()->setEnabled(true);
        window_.exporting_ = false;
    }
    bool Continue(int rowsDone, int rowsTotal) override {
        window_.exportProgress_->setMaximum(std::max(rowsTotal, 1));
        window_.exportProgress_->setValue(rowsDone);
        QCoreApplication::processEvents();
        return !window_.exportCancelled_;
    }

  private:
    TfrmMain& window_;
};

void TfrmMain::mnuPicSaveClick() {
    CommitPendingEdits();
    const QString filter = QtFileFilter(
        QStringLiteral("PNGﾌｧｲﾙ(*.png)|*.png|ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp)|*.bmp|すべてのﾌｧｲﾙ(*.*)|*.*|"));
    QString chosenFilter;
    QString path =
        Dialogs().SaveFileName(this, filter, lastImageFileName_, QString(), &chosenFilter);
    if (path.isEmpty()) return;
    // A name typed without an extension is meant in the format chosen in the dialog.
    path = WithFilterExtension(path, chosenFilter);
    ImageExportResult result = ImageExportResult::NotStarted;
    {
        LongWork work(*this, "画像作成中...");
        InputBoxAsker asker(*this);
        ExportProgressBar progress(*this);
        OutputEnvironment env = Environment(Messages());
        result = SaveCalendarImage(env, path.toStdString(), asker, printer_.get(), &progress);
    }
    if (result == ImageExportResult::Saved || result == ImageExportResult::Unsupported) {
        lastImageFileName_ = path;
    }
}

// Printing.

void TfrmMain::cmdPrintClick() {
    CommitPendingEdits();
    if (!Dialogs().PrintDialog(this, printer_->Printer())) return;
    printer_->Refresh();
    if (PrintCalendar()) {
        Messages().Report(MessageKind::Information, "印刷しました。");
    } else {
        Messages().Report(MessageKind::Warning, "印刷に失敗しました。");
    }
}

bool TfrmMain::PrintCalendar() {
    SetCursorAll(this, Qt::WaitCursor);
    OutputEnvironment env = Environment(Messages());
    const bool printed = OutputPrint(env, *printer_);
    SetCursorAll(this, Qt::ArrowCursor);
    return printed;
}

void TfrmMain::cmdPrinterSetupClick() {
    if (Dialogs().PrinterSetupDialog(this, printer_->Printer())) printer_->Refresh();
}

void TfrmMain::cmdCalSizeMarginClick() {
    QPushButton* button = basic_->Controls().cmdCalSizeMargin;
    button->setCursor(Qt::WaitCursor);
    try {
        // Both sizes are worked out before either edit changes, so a failure changes nothing.
        const DotPair offset = printer_->PhysicalOffset();
        const DotPair dpi = printer_->Resolution();
        const std::string width = SizeTextWithoutMargin(SizeXText(), offset.X, dpi.X);
        const std::string height = SizeTextWithoutMargin(SizeYText(), offset.Y, dpi.Y);
        basic_->Controls().cboCalSize->setCurrentIndex(-1);
        basic_->Controls().txtCalSizeX->setText(QString::fromStdString(width));
        basic_->Controls().txtCalSizeY->setText(QString::fromStdString(height));
        ApplyCalendarSize();
    } catch (const std::exception& error) {
        Messages().Report(MessageKind::Error, error.what());
    }
    button->unsetCursor();
}

void TfrmMain::ShowPrinterSummary() {
    auto& c = imposition_->Controls();
    try {
        const PrinterSummary summary = SummariseCurrentPrinter(*printer_);
        c.txtComposePrinterName->setText(QString::fromStdString(summary.Name));
        c.txtComposePrinterSize->setText(QString::fromStdString(summary.Size));
    } catch (const std::exception&) {
        // The summary is never shown; a machine without a printer starts without a message.
        c.txtComposePrinterName->clear();
        c.txtComposePrinterSize->clear();
    }
}

void TfrmMain::cmdComposePrinterClick() {
    if (!Dialogs().PrintDialog(this, printer_->Printer())) return;
    printer_->Refresh();
    ShowPrinterSummary();
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

void TfrmMain::ApplyCalendarSize() {
    try {
        const int ppi = logicalDpiX();
        const PixelSize calendar = PreviewCalendarSize(SizeXText(), SizeYText(), Zoom(), ppi);
        const PreviewImposition imposition{imposition_->ImpositionOn(), data_.Matrixs.Count(),
                                           imposition_->ColsText(), imposition_->IntervalText()};
        const PixelSize box = PreviewBoxSize(calendar, imposition, Zoom(), ppi);
        ui_->PaintBox1->resize(std::max(box.Width, 0), std::max(box.Height, 0));
    } catch (const std::exception& error) {
        // The preview keeps its size; the text stays as typed.
        Messages().Report(MessageKind::Error, error.what());
        return;
    }
    RepaintPreview();
}

void TfrmMain::cboZoomClick() {
    MarkPictureChanged();
    ApplyCalendarSize();
}

void TfrmMain::RepaintPreview() {
    ui_->PaintBox1->update();
}

void TfrmMain::PaintBox1Paint(QWidget& box) {
    if (state_.Loading) return;
    // A message box may not open inside a paint: what the pass reports is shown right after.
    MessageLog pending;
    OutputEnvironment env = Environment(pending);
    QPainter painter(&box);
    painting_ = true;
    OutputPreview(env, painter, PixelSize{box.width(), box.height()});
    painting_ = false;
    ReportAfterPaint(pending.Take());
}

OutputEnvironment TfrmMain::Environment(MessageSink& sink) {
    return OutputEnvironment{*this, *this, sink, state_, logicalDpiX(), &canvasCache_};
}

void TfrmMain::ReportAfterPaint(std::vector<std::pair<MessageKind, std::string>> messages) {
    if (messages.empty()) {
        lastPaintMessage_.clear();
        return;
    }
    // The same failure on every repaint is shown once, not once per paint.
    if (messages.back().second == lastPaintMessage_) return;
    lastPaintMessage_ = messages.back().second;
    QTimer::singleShot(0, this, [this, messages = std::move(messages)] {
        for (const auto& [kind, text] : messages) Messages().Report(kind, text);
    });
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
