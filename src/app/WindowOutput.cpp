// The window's preview, printing and image export: TfrmMain's side of the output driver.
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>

#include "app/FileFilter.h"
#include "app/LongWork.h"
#include "app/MainUnit.h"
#include "app/UiHelpers.h"
#include "app/basic/BasicTab.h"
#include "app/imposition/ImpositionTab.h"
#include "app/months/MonthRunDialog.h"
#include "app/months/PrintReadyDialog.h"
#include "output/CutGuides.h"
#include "output/PrinterSummary.h"
#include "ui_BasicTab.h"
#include "ui_ImpositionTab.h"
#include "ui_MainWindow.h"

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

}  // namespace

namespace {

PixelSize PreviewBoxAt(TfrmMain& window, const TData& data, ImpositionTab& imposition, int zoom) {
    const int ppi = window.logicalDpiX();
    const PixelSize calendar =
        PreviewCalendarSize(window.SizeXText(), window.SizeYText(), zoom, ppi);
    const PreviewImposition entries{imposition.ImpositionOn(), data.Matrixs.Count(),
                                    imposition.ColsText(), imposition.IntervalText()};
    return PreviewBoxSize(calendar, entries, zoom, ppi);
}

PixelSize Room(const QScrollArea& box) {
    const QSize room = box.maximumViewportSize();
    return {room.width(), room.height()};
}

}  // namespace

void TfrmMain::UpdateFittingZoom() {
    if (ui_->cboZoom->currentIndex() != static_cast<int>(kZoomItems.size())) return;
    const int zoom =
        FittingZoom([this](int z) { return PreviewBoxAt(*this, Data(), *imposition_, z); },
                    Room(*ui_->ScrollBox1), ZoomOfItem(kZoomItems.front()));
    if (zoom == fittingZoom_) return;
    fittingZoom_ = zoom;
    // The picture is kept at the size it was drawn at.
    MarkPictureChanged();
}

bool TfrmMain::ZoomFitsWindow() const {
    const QSize room = ui_->ScrollBox1->maximumViewportSize();
    const QSize box = ui_->PaintBox1->size();
    return box.width() <= room.width() && box.height() <= room.height();
}

void TfrmMain::ZoomToFit() {
    ui_->cboZoom->setCurrentIndex(static_cast<int>(kZoomItems.size()));
    cboZoomClick();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->PaintBox1 && PicturePointerEvent(event)) return true;
    if (watched == ui_->ScrollBox1->viewport() && event->type() == QEvent::Wheel &&
        WheelZoom(static_cast<QWheelEvent*>(event))) {
        return true;
    }
    if (watched == ui_->ScrollBox1 && event->type() == QEvent::Resize &&
        ui_->cboZoom->currentIndex() == static_cast<int>(kZoomItems.size())) {
        // After the resize is done, so that the room is the new one. Only the view changes: the
        // design does not, and a size text that is no number has been reported already.
        QTimer::singleShot(0, this, [this] {
            try {
                ResizePreview();
                ui_->PaintBox1->update();
            } catch (const std::exception&) {
            }
        });
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::ResizePreview() {
    UpdateFittingZoom();
    const PixelSize box = PreviewBoxAt(*this, Data(), *imposition_, Zoom());
    ui_->PaintBox1->resize(std::max(box.Width, 0), std::max(box.Height, 0));
    ShowZoom();
}

void TfrmMain::ApplyCalendarSize() {
    try {
        ResizePreview();
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
    // Every change of the design ends here.
    autoSaver_.DesignChanged();
    History().DesignChanged();
}

void TfrmMain::PaintBox1Paint(QWidget& box) {
    if (state_.Loading) return;
    // A message box may not open inside a paint: what the pass reports is shown right after.
    MessageLog pending;
    OutputEnvironment env = Environment(pending);
    QPainter painter(&box);
    painting_ = true;
    // While an export runs the design cannot change: a repaint draws what was placed before it,
    // without reading the controls or the entries' files again.
    if (!exporting_ || !previewLayout_) previewLayout_ = PlacePreview(env, BuildJob(), painter);
    pictureSpots_.clear();
    state_.PictureSpots = &pictureSpots_;
    OutputPreview(env, *previewLayout_, painter, PixelSize{box.width(), box.height()});
    if (cutGuides_ != nullptr && cutGuides_->isChecked())
        DrawCutGuides(painter, *previewLayout_, env.ScreenPpi);
    state_.PictureSpots = nullptr;
    painting_ = false;
    ShowPictureDpi();
    ShowHolidaySource(Data().Year);
    ReportAfterPaint(pending.Take());
}

void TfrmMain::ShowHolidaySource(int year) {
    const std::string file = state_.Holidays.SourceOf(year);
    holidaySource_->setText(file.empty() ? QStringLiteral("祝日: 本ソフトの規則")
                                         : QStringLiteral("祝日: 内閣府の一覧"));
    holidaySource_->setToolTip(
        file.empty() ? QStringLiteral("祝日は本ソフトに組み込んだ祝日法の規則で決めています。")
                     : QString::fromStdString(file));
}

OutputEnvironment TfrmMain::Environment(MessageSink& sink) {
    return OutputEnvironment{*this, sink, state_, logicalDpiX(), &canvasCache_};
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

// Shows how far an export or a run of months is in the status bar and keeps the window painted;
// its cancel button stops the work.
class ExportProgressBar : public ExportProgress, public MonthProgress {
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
    bool Continue(int done, int total) override { return Show(done, total); }
    // The month being drawn counts, as the status's "(8/12)" does: the bar then shows 67 %.
    bool ContinueMonths(int done, int total) override {
        return Show(std::min(done + 1, total), total);
    }

  private:
    bool Show(int done, int total) {
        QProgressBar& bar = *window_.exportProgress_;
        bar.setMaximum(std::max(total, 1));
        // Rounded, as a person reads 8 of 12: 67 %.
        bar.setFormat(QStringLiteral("%1%").arg(std::lround(100.0 * done / std::max(total, 1))));
        bar.setValue(done);
        QCoreApplication::processEvents();
        return !window_.exportCancelled_;
    }

  public:
  private:
    TfrmMain& window_;
};

void TfrmMain::mnuPicSaveClick() {
    CommitPendingEdits();
    // The resolution first, while nothing is running behind the question.
    OutputEnvironment env = Environment(Messages());
    OutputJob job = BuildJob();
    InputBoxAsker asker(*this);
    const std::optional<int> dpi = AskResolution(env, job, asker, printer_.get());
    if (!dpi) return;
    const QString filter = QtFileFilter(
        QStringLiteral("PNGﾌｧｲﾙ(*.png)|*.png|ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp)|*.bmp|JPEGﾌｧｲﾙ(*.jpg)|*.jpg|"
                       "すべてのﾌｧｲﾙ(*.*)|*.*|"));
    QString chosenFilter;
    // The design's name with the month it shows, in the folder of the last export.
    ControlsToData(Data());
    const QString suggested =
        DialogStart(FileKind::Exports,
                    QString::asprintf("%s-%04d-%02d.png", DocumentBaseName().toUtf8().constData(),
                                      Data().Year, Data().Month));
    QString path = Dialogs().SaveFileName(this, filter, suggested, QString(), &chosenFilter);
    if (path.isEmpty()) return;
    UsedFile(FileKind::Exports, path);
    // A name typed without an extension is meant in the format chosen in the dialog.
    path = WithFilterExtension(path, chosenFilter);
    ImageExportResult result = ImageExportResult::NotStarted;
    {
        LongWork work(*this, "画像作成中...");
        ExportProgressBar progress(*this);
        result = SaveCalendarImageAt(env, job, path.toStdString(), *dpi, &progress);
        // The resolution is the design's, kept for the next export.
        if (result != ImageExportResult::NotStarted) Data().PicSaveDPI = *dpi;
    }
    if (result == ImageExportResult::Saved || result == ImageExportResult::Unsupported) {
        document_.SetLastImageFile(path);
    }
    if (result == ImageExportResult::Saved) ShowWritten(path);
}

// A run of months.

void TfrmMain::mnuMonthRunClick() {
    CommitPendingEdits();
    ControlsToData(Data());
    const QString& lastRun = document_.LastMonthRunFile();
    MonthRunDialog().Prepare(
        Data().Year, Data().Month, Data().PicSaveDPI,
        lastRun.isEmpty() ? DialogStart(FileKind::Exports, DocumentBaseName() + ".pdf") : lastRun);
    Dialogs().ShowModal(monthRun_);
}

void TfrmMain::mnuPrintReadyClick() {
    CommitPendingEdits();
    ControlsToData(Data());
    PrintReadyDialog().Prepare(Data(),
                               DialogStart(FileKind::Exports, DocumentBaseName() + "-入稿.pdf"));
    Dialogs().ShowModal(printReady_);
}

void TfrmMain::RunMonths(const MonthRunChoice& choice, const PrintReadyChoice* ready) {
    if (choice.Target == MonthsTarget::Printer) {
        if (!Dialogs().PrintDialog(this, printer_->Printer())) return;
        printer_->Refresh();
    } else if (choice.File.isEmpty()) {
        Messages().Report(MessageKind::Warning, "ファイル名を指定してください。");
        return;
    }
    if (ready != nullptr &&
        (ready->Bleed != Data().PdfBleed || ready->Marks != (Data().PdfMarks != 0) ||
         ready->Cmyk != (Data().PdfCmyk != 0))) {
        // Kept in the design for the next time (one step to undo).
        Data().PdfBleed = ready->Bleed;
        Data().PdfMarks = ready->Marks ? 1 : 0;
        Data().PdfCmyk = ready->Cmyk ? 1 : 0;
        RepaintPreview();
    }
    MonthsOutcome outcome;
    {
        SetCursorAll(this, Qt::WaitCursor);
        ExportProgressBar progress(*this);
        OutputEnvironment env = Environment(Messages());
        const OutputJob job = BuildJob();
        const std::string file = choice.File.toStdString();
        switch (choice.Target) {
            case MonthsTarget::Printer:
                outcome = PrintMonths(env, job, *printer_, choice.Run, &progress);
                break;
            case MonthsTarget::Pdf:
                outcome = SaveMonthsPdf(env, job, file, choice.Run, choice.Dpi, &progress,
                                        ready != nullptr ? PrintReadyOf(job) : PrintReadyOptions{});
                break;
            case MonthsTarget::Images:
                outcome = SaveMonthImages(env, job, file, choice.Run, choice.Dpi, &progress);
                if (outcome.Started) Data().PicSaveDPI = choice.Dpi;
                break;
        }
        SetCursorAll(this, Qt::ArrowCursor);
    }
    if (choice.Target != MonthsTarget::Printer) document_.SetLastMonthRunFile(choice.File);
    if (choice.Target == MonthsTarget::Pdf && outcome.Result == MonthsResult::Done) {
        ShowWritten(choice.File);
    }
    if (choice.Target == MonthsTarget::Images && outcome.Done > 0) {
        const std::string file = choice.File.toStdString();
        const YearMonth last =
            ShiftedMonth(choice.Run.Start.Year, choice.Run.Start.Month, outcome.Done - 1);
        ShowWritten(QString::fromStdString(MonthImagePath(file, choice.Run.Start)) +
                    QStringLiteral(" … ") +
                    QFileInfo(QString::fromStdString(MonthImagePath(file, last))).fileName());
    }
    if (const auto message = MonthsMessage(choice.Target, outcome)) {
        Messages().Report(message->first, message->second);
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
    const bool printed = OutputPrint(env, BuildJob(), *printer_);
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

}  // namespace orv
