#pragma once
// TfrmMain, the program's one window: the preview on the left, the four settings tabs on the
// right. The controls are the master copy of the design; `Data` holds the memorial and
// imposition lists and a snapshot of the rest, refreshed whenever a record is needed.
#include <QMainWindow>
#include <QString>
#include <memory>
#include <utility>
#include <vector>

#include "app/AutoSaver.h"
#include "app/DesignHistory.h"
#include "app/RecentFiles.h"
#include "app/TabHost.h"
#include "app/WindowDialogs.h"
#include "app/WindowSettings.h"
#include "model/DataUnit.h"
#include "output/DesignSource.h"
#include "output/OldCalendarLoad.h"
#include "output/OutputDriver.h"
#include "output/PictureCache.h"
#include "output/PictureFormats.h"
#include "output/PrinterLayer.h"
#include "output/QtCanvasCache.h"
#include "render/RenderState.h"
#include "tools/DialogMessageSink.h"

class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;

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
struct MonthRunChoice;

class TfrmMain : public QMainWindow, public DesignSource, public StatusSink, public TabHost {
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
    TfrmMonthRun& MonthRunDialog();
    const QString& LastFileName() const { return lastFileName_; }
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
    DesignHistory& History() { return history_; }
    RecentFiles& Recent() { return recent_; }

    // Menu and button handlers.
    void mnuFileOpenClick();
    // Saves under the name the design has, or asks for one.
    void mnuFileOverwriteClick();
    // Asks for a name.
    void mnuFileSaveClick();
    void mnuUndoClick();
    void mnuRedoClick();
    void mnuZoomInClick();
    void mnuZoomOutClick();
    void mnuZoomFitClick();
    void mnuPicSaveClick();
    // 複数月の印刷・保存: the dialog, and the run it was accepted with.
    void mnuMonthRunClick();
    void RunMonths(const MonthRunChoice& choice);
    // 月ごとの画像: the dialog; accepted, its pictures become the design's in one edit.
    void cmdMonthPicturesClick();
    void mnuAboutClick();
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
    const QString& LastImageFileName() const { return lastImageFileName_; }
    // Cancels an image export that is running; its file is not left behind.
    void CancelExport() { exportCancelled_ = true; }
    bool Exporting() const { return exporting_; }

    // DesignSource.
    void ControlsToData(TData& record) override;
    TData& Data() override { return data_; }
    std::string SizeXText() const override;
    std::string SizeYText() const override;
    std::string PositionXText() const override;
    std::string PositionYText() const override;
    int Zoom() const override;

    // StatusSink and TabHost.
    void ShowStatus(const std::string& text) override;
    void ProcessEvents() override;
    bool Loading() const override { return state_.Loading; }
    void RepaintPreview() override;
    void MarkPictureChanged() override;
    bool ChoosePicture(QLineEdit* edit) override;
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
    void UpdateTitle();
    void FillRecentMenu();
    // Asks whether to save a changed named design first; false when the user cancels.
    bool MaybeSave();
    // Opens a design without asking.
    bool LoadDesignFile(const QString& path);
    bool SaveDesignTo(const QString& path);
    // The picture choice's test load and warning, for a file chosen or dropped.
    void TakePicture(QLineEdit* edit, const QString& path);
    void PaintBox1Paint(QWidget& box);
    OutputEnvironment Environment(MessageSink& sink);
    void ReportAfterPaint(std::vector<std::pair<MessageKind, std::string>> messages);
    // Remembers the loaded values that the controls cannot show as they are.
    void KeepUnshownValues();
    // Gives a size edit still being typed in its leave rule before the design is taken.
    void CommitPendingEdits();
    // The design on screen into the auto-save file (at close, and a moment after each change).
    bool SaveAutoSaveFile(MessageSink& sink);

    std::unique_ptr<Ui::TfrmMain> ui_;
    BasicTab* basic_;
    StyleTab* style_;
    MemorialTab* memorial_;
    ImpositionTab* imposition_;
    QLabel* statusPanel_;
    QProgressBar* exportProgress_;
    QPushButton* exportCancel_;
    TAboutBox* aboutBox_ = nullptr;
    TfrmRokuyo* rokuyo_ = nullptr;
    TfrmMonthPictures* monthPictures_ = nullptr;
    TfrmMonthRun* monthRun_ = nullptr;

    WindowSettings settings_;
    TData data_;
    // A loaded value beside what its control showed right after the load: while the control
    // still shows that, the record gets the loaded value back.
    struct KeptValue {
        int32_t TData::*integerField = nullptr;
        std::string TData::*textField = nullptr;
        int32_t loadedInteger = 0;
        int32_t shownInteger = 0;
        std::string loadedText;
        std::string shownText;
    };
    std::vector<KeptValue> kept_;
    RenderState state_;
    // Read while the window is built; taken at the first activation.
    std::unique_ptr<OldCalendarLoad> dataLoad_;
    RegistryPictureDecoder pictureDecoder_;
    // Every picture the preview draws, decoded once until the picture, the zoom or the design
    // file changes.
    PictureCache pictures_{&pictureDecoder_};
    QtCanvasCache canvasCache_;
    int fittingZoom_ = 100;
    std::string lastPaintMessage_;
    bool painting_ = false;
    bool firstActivation_ = true;
    QString lastFileName_;
    QString lastImageFileName_;
    QString lastMonthRunFile_;
    std::unique_ptr<PrinterLayer> printer_;
    bool exporting_ = false;
    bool exportCancelled_ = false;

    DialogMessageSink dialogSink_;
    MessageSink* sink_;
    QtWindowDialogs qtDialogs_;
    WindowDialogs* dialogs_;
    AutoSaver autoSaver_;
    DesignHistory history_;
    RecentFiles recent_;
    QMenu* recentMenu_ = nullptr;
    QString startFile_;
};

}  // namespace orv
