#pragma once
// TfrmMain, the program's one window: the preview on the left, the four settings tabs on the
// right. It is a view on its DesignDocument: the controls show the design, and the document's
// record holds the memorial and imposition lists and a snapshot of the rest, refreshed whenever a
// record is needed. Every output gets the design handed down once, as an OutputJob.
#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/AutoSaver.h"
#include "app/DesignDocument.h"
#include "app/Preferences.h"
#include "app/RecentFiles.h"
#include "app/TabHost.h"
#include "app/WindowDialogs.h"
#include "app/WindowSettings.h"
#include "model/DataUnit.h"
#include "output/OldCalendarLoad.h"
#include "output/OutputDriver.h"
#include "output/OutputJob.h"
#include "output/PictureCache.h"
#include "output/PictureFormats.h"
#include "output/PrinterLayer.h"
#include "output/QtCanvasCache.h"
#include "render/RenderState.h"
#include "tools/DialogMessageSink.h"

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QSlider;
class QSplitter;
class QWheelEvent;

namespace Ui {
class TfrmMain;
}

namespace orv {

class BasicTab;
class StyleTab;
class MemorialTab;
class ImpositionTab;
class TAboutBox;
class TfrmRokuyo;
class TfrmMonthPictures;
class TfrmMonthRun;
class TfrmPrintReady;
struct PrintReadyChoice;
class TfrmTemplates;
struct MonthRunChoice;

class TfrmMain : public QMainWindow, public StatusSink, public TabHost {
    Q_OBJECT
  public:
    explicit TfrmMain(WindowSettings settings, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Where messages go; nullptr restores the message boxes. The sink must outlive its use.
    void SetMessageSink(MessageSink* sink);
    // Who answers the standard dialogs; nullptr restores the real ones.
    void SetDialogs(WindowDialogs* dialogs);

    Ui::TfrmMain& Controls() { return *ui_; }
    BasicTab& Basic() { return *basic_; }
    StyleTab& Style() { return *style_; }
    MemorialTab& Memorial() { return *memorial_; }
    ImpositionTab& Imposition() { return *imposition_; }
    RenderState& State() { return state_; }
    TfrmRokuyo& RokuyoDialog();
    TfrmMonthPictures& MonthPicturesDialog();
    // 新規作成's gallery of designs to start from.
    TfrmTemplates& TemplatesDialog();
    TfrmMonthRun& MonthRunDialog();
    TfrmPrintReady& PrintReadyDialog();
    DesignDocument& Document() { return document_; }
    const QString& LastFileName() const { return document_.FileName(); }
    QString StatusText() const;

    // The start size: every control of a tab shows without scrolling, within `screen` (the
    // screen's available size) less a window frame.
    void FitToScreen(QSize screen);

    // Runs once, at the first activation: old-calendar data and the last design.
    void FirstActivate();
    bool FirstActivationPending() const { return firstActivation_; }

    // Pushes a record into the controls (with the loaded file's checks unless `checkFile` is
    // off); the caller brackets it with `Loading`.
    void DataToControls(const TData& record, bool checkFile = true);

    // The preview's pixel size from the size edits, the zoom and the screen resolution.
    void ApplyCalendarSize() override;
    void RefreshStyleSamples() override;

    // A design file to open once the window has started (after the last design is restored).
    void OpenAtStart(const QString& path) { startFile_ = path; }
    // Opens a design (after asking to save a changed one); false when nothing was opened.
    bool OpenDesignFile(const QString& path);
    DesignHistory& History() { return document_.History(); }
    RecentFiles& Recent() { return recent_; }

    // Menu and button handlers.
    void mnuFileNewClick();
    // A new, unnamed design: the template's, or the empty one for an empty path.
    void StartNewDesign(const std::string& templatePath);
    void mnuFileOpenClick();
    // Saves under the name the design has, or asks for one.
    void mnuFileOverwriteClick();
    // Asks for a name.
    void mnuFileSaveClick();
    // The same; false when the user cancelled or the save failed.
    bool SaveDesignAs();
    // Where a file dialog for `kind` starts, with `name` suggested in that folder.
    QString DialogStart(FileKind kind, const QString& name = {}) const override;
    void UsedFile(FileKind kind, const QString& path) override;
    void mnuUndoClick();
    void mnuRedoClick();
    void mnuZoomInClick();
    void mnuZoomOutClick();
    void mnuZoomFitClick();
    void mnuZoom100Click();
    void mnuPicSaveClick();
    // 複数月の印刷・保存: the dialog, and the run it was accepted with.
    void mnuMonthRunClick();
    void RunMonths(const MonthRunChoice& choice, const PrintReadyChoice* ready = nullptr);
    void mnuPrintReadyClick();
    // 月ごとの画像: the dialog; accepted, its pictures become the design's in one edit.
    void cmdMonthPicturesClick();
    void mnuAboutClick();
    // F1: the manual in the desktop's browser.
    void mnuManualClick();
    void mnuRokuyoClick();
    void cboZoomClick();
    // Selects 「ページ全体」: the zoom follows the preview's room so that the whole layout shows.
    void ZoomToFit();
    bool ZoomFitsWindow() const;
    void cmdPrintClick();
    bool PrintCalendar();
    void cmdPrinterSetupClick();
    void cmdCalSizeMarginClick();
    void cmdComposePrinterClick();
    void ShowPrinterSummary();
    const QString& LastImageFileName() const { return document_.LastImageFile(); }
    // Cancels an image export that is running; its file is not left behind.
    void CancelExport() { exportCancelled_ = true; }
    bool Exporting() const { return exporting_; }

    // Fills `record` from the controls: every field except FileName, Signature, Version,
    // PicSaveDPI, the two lists and the month pictures. Does nothing while a record is being
    // loaded into the controls.
    void ControlsToData(TData& record);
    TData& Data() override { return document_.Data(); }
    // The design as the controls show it, with the size and position edits read, for one output.
    OutputJob BuildJob();
    // How many outputs have read the controls.
    int JobsBuilt() const { return jobsBuilt_; }
    // The size and position edits as typed, and the zoom in percent.
    std::string SizeXText() const;
    std::string SizeYText() const;
    std::string PositionXText() const;
    std::string PositionYText() const;
    int Zoom() const;

    // StatusSink and TabHost.
    void ShowStatus(const std::string& text) override;
    void ProcessEvents() override;
    bool Loading() const override { return state_.Loading; }
    void RepaintPreview() override;
    void MarkPictureChanged() override;
    bool ChoosePicture(QLineEdit* edit) override;
    bool AcceptPicture(const QString& path) override;
    void SetWaitCursor(bool on) override;
    MessageSink& Messages() override { return *sink_; }
    WindowDialogs& Dialogs() override { return *dialogs_; }

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    friend class ExportProgressBar;
    void ShowLoadedDesign(bool checkFile = true);
    // With 「ページ全体」 chosen, the zoom at which the whole layout fits the preview's room.
    void UpdateFittingZoom();
    // Sizes the preview from the size edits and the zoom; throws on a size that is no number.
    void ResizePreview();
    // Puts a record on screen as the design (an undo, a redo), without the loaded-file checks.
    void ShowDesign(const TData& record);
    void CreateDesktopMenus();
    void CreateZoomControls();
    // The zoom that shows, in the status bar.
    void ShowZoom();
    // Which source the holidays of the shown year come from: the rules or an installed list.
    void ShowHolidaySource(int year);
    // Selects entry `index` of the zoom list (the last is 「ページ全体」); nothing for -1.
    void ZoomToItem(int index);
    // Ctrl+wheel over the preview: a zoom step around the pointer; false for other wheels.
    bool WheelZoom(QWheelEvent* event);
    // The pointer over the preview's pictures: moving and zooming a crop, the fit menu. False
    // for what the preview does otherwise.
    bool PicturePointerEvent(QEvent* event);
    // The picture drawn under `point` of the paint box, or null.
    const PictureSpot* PictureSpotAt(QPoint point) const;
    // Gives the picture of `spot` its framing in the design; false when it had it already or
    // it is not the design's to frame.
    bool SetPictureFraming(const PictureSpot& spot, const PictureFraming& framing);
    void ShowPictureDpi();
    void UpdateTitle();
    // Names in the status bar the file just written.
    void ShowWritten(const QString& path);
    // The name in the title and the save question: the file's, or 「無題」.
    QString DocumentTitle() const;
    // A name to suggest for files made from the design.
    QString DocumentBaseName() const;
    // The design on screen starts a history of its own.
    void StartHistory();
    void FillRecentMenu();
    // Asks whether to save a changed named design first; false when the user cancels.
    bool MaybeSave();
    // Opens a design without asking.
    bool LoadDesignFile(const QString& path);
    bool SaveDesignTo(const QString& path);
    // The picture choice's test load and warning, for a file chosen or dropped.
    // Puts a picture file into `edit` once it has test-loaded; false (reported) otherwise.
    bool TakePicture(QLineEdit* edit, const QString& path);
    void PaintBox1Paint(QWidget& box);
    OutputEnvironment Environment(MessageSink& sink);
    void ReportAfterPaint(std::vector<std::pair<MessageKind, std::string>> messages);
    // Gives a size edit still being typed in its leave rule before the design is taken.
    void CommitPendingEdits();
    // The design on screen into the auto-save file (at close, and a moment after each change).
    bool SaveAutoSaveFile(MessageSink& sink);

    std::unique_ptr<Ui::TfrmMain> ui_;
    BasicTab* basic_;
    StyleTab* style_;
    MemorialTab* memorial_;
    ImpositionTab* imposition_;
    QSplitter* splitter_ = nullptr;
    QLabel* statusPanel_;
    QLabel* zoomLabel_ = nullptr;
    QLabel* holidaySource_ = nullptr;
    QSlider* zoomSlider_ = nullptr;
    QProgressBar* exportProgress_;
    QPushButton* exportCancel_;
    TAboutBox* aboutBox_ = nullptr;
    TfrmRokuyo* rokuyo_ = nullptr;
    TfrmMonthPictures* monthPictures_ = nullptr;
    TfrmMonthRun* monthRun_ = nullptr;
    TfrmPrintReady* printReady_ = nullptr;
    TfrmTemplates* templates_ = nullptr;
    QAction* pngResolution_ = nullptr;
    QAction* cutGuides_ = nullptr;  // the preview shows the trim and safe lines

    WindowSettings settings_;
    RenderState state_;
    // Read while the window is built; taken at the first activation.
    std::unique_ptr<OldCalendarLoad> dataLoad_;
    RegistryPictureDecoder pictureDecoder_;
    // Every picture the preview draws, decoded once until the picture, the zoom or the design
    // file changes.
    PictureCache pictures_{&pictureDecoder_};
    QtCanvasCache canvasCache_;
    int fittingZoom_ = 100;
    // What the preview drew last.
    std::optional<PlacedLayout> previewLayout_;
    std::string lastPaintMessage_;
    bool painting_ = false;
    // Where the last repaint drew its pictures, and the one being dragged.
    std::vector<PictureSpot> pictureSpots_;
    struct PictureDrag {
        PictureSpot spot;
        QPoint start;
    };
    std::optional<PictureDrag> drag_;
    bool firstActivation_ = true;
    int jobsBuilt_ = 0;
    std::unique_ptr<PrinterLayer> printer_;
    bool exporting_ = false;
    bool exportCancelled_ = false;

    DialogMessageSink dialogSink_;
    MessageSink* sink_;
    QtWindowDialogs qtDialogs_;
    WindowDialogs* dialogs_;
    AutoSaver autoSaver_;
    DesignDocument document_;
    RecentFiles recent_;
    Preferences preferences_;
    QMenu* recentMenu_ = nullptr;
    QString startFile_;
};

}  // namespace orv
