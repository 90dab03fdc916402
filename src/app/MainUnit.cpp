#include "MainUnit.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QScrollArea>
#include <QTimer>

#include "AboutUnit.h"
#include "CivilDate.h"
#include "DrawCalendar.h"
#include "Cp932Validator.h"
#include "FileFilter.h"
#include "FontNameComboBox.h"
#include "OldCalendar.h"
#include "PictureButton.h"
#include "QtCanvas.h"
#include "RokuyoUnit.h"
#include "SeveralMonths.h"
#include "SizePresets.h"
#include "StyleSamples.h"
#include "UiHelpers.h"
#include "VB.h"
#include "ZoomList.h"
#include "basic/BasicTab.h"
#include "imposition/ImpositionTab.h"
#include "memorial/MemorialTab.h"
#include "style/StyleTab.h"
#include "ui_BasicTab.h"
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

    for (const char* entry : ZoomEntries()) ui_->cboZoom->addItem(QString::fromUtf8(entry));
    ui_->cboZoom->setCurrentIndex(kDefaultZoomIndex);
    connect(ui_->cboZoom, &QComboBox::activated, this, &TfrmMain::cboZoomClick);
    ui_->PaintBox1->SetPainter([this](QWidget& box) { PaintBox1Paint(box); });

    connect(ui_->mnuFileOpen, &QAction::triggered, this, &TfrmMain::mnuFileOpenClick);
    connect(ui_->mnuFileSave, &QAction::triggered, this, &TfrmMain::mnuFileSaveClick);
    connect(ui_->mnuFileExit, &QAction::triggered, this, &TfrmMain::close);
    connect(ui_->mnuAbout, &QAction::triggered, this, &TfrmMain::mnuAboutClick);
    connect(ui_->mnuRokuyo, &QAction::triggered, this, &TfrmMain::mnuRokuyoClick);

    // The start design: the first size preset, this month, the controls' start values.
    basic_->FillSizePresets();
    basic_->cboCalSizeChange();
    const CivilDate today = Today();
    basic_->SetYearMonth(today.Year, today.Month);
    RefreshStyleSamples();
    style_->Controls().cboYDStyle->setCurrentIndex(0);
    memorial_->ResetInput();

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
        Messages().Report(MessageKind::Warning,
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

void TfrmMain::CommitPendingEdits() { basic_->CommitPendingSizeEdit(); }

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
    const QString path =
        Dialogs().SaveFileName(this, kSettingsFilter, lastFileName_, QStringLiteral("sav"), nullptr);
    if (path.isEmpty()) return;
    LongWork work(*this, "ファイルセーブ中...");
    ControlsToData(data_);
    if (data_.SaveToFile(path.toStdString(), Messages())) lastFileName_ = path;
}

void TfrmMain::mnuAboutClick() { Dialogs().ShowModal(aboutBox_); }

void TfrmMain::mnuRokuyoClick() { Dialogs().ShowModal(rokuyo_); }

// Preview.

void TfrmMain::RefreshStyleSamples() {
    style_->SetStyleSamples(YearMonthStyleSamples(basic_->YearText(), basic_->MonthText()));
}

namespace {

// A size edit read as a decimal number, fractions allowed.
std::optional<double> SizeNumber(const QString& text) {
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok) return std::nullopt;
    return value;
}

}  // namespace

void TfrmMain::ApplyCalendarSize() {
    const QString widthText = QString::fromStdString(SizeXText());
    const QString heightText = QString::fromStdString(SizeYText());
    const std::optional<double> width = SizeNumber(widthText);
    const std::optional<double> height = SizeNumber(heightText);
    if (!width || !height) {
        const QString bad = width ? heightText : widthText;
        Messages().Report(MessageKind::Error,
                          "'" + bad.toStdString() + "' is not a valid floating point value");
        return;
    }
    const double ppi = logicalDpiX();
    const double zoom = Zoom() / 100.0;
    SetPreviewSize(static_cast<int>(ppi / 25.4 * (*width * zoom)),
                   static_cast<int>(ppi / 25.4 * (*height * zoom)));
    RepaintPreview();
}

void TfrmMain::SetPreviewSize(int width, int height) {
    if (imposition_->ImpositionOn() && data_.Matrixs.Count() >= 1) {
        const int cols = std::max(1, ValInt(imposition_->ColsText()));
        const int gap = ValInt(imposition_->IntervalText());
        const int gapPx = static_cast<int>(logicalDpiX() / 25.4 * (gap * (Zoom() / 100.0)));
        const int calendars = data_.Matrixs.Count() + 1;
        const int rows = calendars / cols + (calendars % cols > 0 ? 1 : 0);
        width = cols * width + (cols - 1) * gapPx;
        height = rows * height + (rows - 1) * gapPx;
    }
    ui_->PaintBox1->resize(std::max(width, 0), std::max(height, 0));
}

void TfrmMain::cboZoomClick() {
    MarkPictureChanged();
    ApplyCalendarSize();
}

void TfrmMain::RepaintPreview() { ui_->PaintBox1->update(); }

void TfrmMain::PaintBox1Paint(QWidget& box) {
    if (state_.Loading) return;
    QPainter painter(&box);
    painter.fillRect(box.rect(), Qt::white);
    // A message box may not open inside a paint: what the pass reports is shown right after.
    MessageLog pending;
    const int ppi = logicalDpiX();
    QtCanvas canvas(painter, ppi, &canvasCache_);
    TData design;
    ControlsToData(design);
    design.Memorials.Assign(data_.Memorials);
    design.Matrixs.Assign(data_.Matrixs);
    const int width = ValInt(SizeXText());
    const int height = ValInt(SizeYText());
    const bool drawn = DrawCalendar(state_, pending, canvas, ppi, ppi, Zoom(), ckSheet, 0, 0,
                                    width, height, design);
    if (drawn && design.PluralEnabled != 0) {
        DrawSeveralMonthCells(state_, pending, canvas, ppi, ppi, 0, 0, design);
    }
    ReportAfterPaint(pending.Take());
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
int TfrmMain::Zoom() const { return ValInt(ui_->cboZoom->currentText().toStdString()); }

// Status and cursor.

void TfrmMain::ShowStatus(const std::string& text) {
    statusPanel_->setText(QString::fromStdString(text));
}

QString TfrmMain::StatusText() const { return statusPanel_->text(); }

void TfrmMain::ProcessEvents() { DoEvents(); }

void TfrmMain::SetWaitCursor(bool on) { SetCursorAll(this, on ? Qt::WaitCursor : Qt::ArrowCursor); }

}  // namespace orv
