#pragma once
// The one output driver (OutputCalendar) behind the preview, printing and image export: a job's
// design, its imposition entries at their places in the grid with their months, settings files and
// pictures, and the several-months cells, drawn by DrawCalendar onto the target of the mode. The
// layout is placed once per output (see Placement.h); every band, page and repaint draws that.
//
// Everything runs on the thread that owns the QGuiApplication. The caller owns every object handed
// in; the driver keeps nothing between calls except what RenderState holds.
#include <QPainter>
#include <optional>
#include <set>
#include <string>

#include "model/MessageSink.h"
#include "output/BandedExport.h"
#include "output/Imposition.h"
#include "output/OutputJob.h"
#include "output/Placement.h"
#include "output/PreviewSizing.h"
#include "output/PrintTarget.h"
#include "output/StatusSink.h"
#include "render/Canvas.h"
#include "render/RenderState.h"

namespace orv {

class QtCanvasCache;

enum TOutputMode { omPreview = 0, omPrint = 1, omImage = 2 };

// What every output needs from its owner (the window, the command line, a test) besides its job.
struct OutputEnvironment {
    StatusSink& Status;
    MessageSink& Messages;
    RenderState& State;
    // The screen's logical resolution (the window's PixelsPerInch): the preview's resolution and
    // the font resolution of export pictures.
    int ScreenPpi = 96;
    // Fonts and scaled pictures kept between passes of the same kind of device; optional.
    QtCanvasCache* ScreenCache = nullptr;
    // What a run of outputs has already warned of (pictures, years without almanac data), so
    // that each is said once; optional.
    std::set<std::string>* Warned = nullptr;
};

// The pass of every mode, on any canvas: the job placed with its design at `base` (mm) and the
// grid's pitch scaled by `zoom` percent, then drawn. False when a calendar could not be drawn (the
// renderer has reported why). With `visible` (device pixels), imposition calendars that lie wholly
// outside it, a sheet's size of room around each, are neither read nor drawn. With
// `warnOfPictures`, pictures that will be drawn without are named first (a page, not a repaint).
bool DrawLayout(OutputEnvironment& env, MessageSink& sink, Canvas& canvas, int dpiX, int dpiY,
                const OutputJob& job, MmPoint base, int zoom,
                const std::optional<QRect>& visible = std::nullopt, bool warnOfPictures = false);

// omPreview: clears the paint box of `box` pixels on `painter` and draws at the job's zoom. The
// result is the Part's: true when the calendars were drawn.
bool OutputPreview(OutputEnvironment& env, const OutputJob& job, QPainter& painter, PixelSize box);
// The same in two steps, for a window that keeps what it placed (to repaint while an export runs
// without reading its controls or the entries' files again): the job placed for the part of the
// paint box that `painter` can change, and that layout drawn.
PlacedLayout PlacePreview(OutputEnvironment& env, const OutputJob& job, QPainter& painter);
bool OutputPreview(OutputEnvironment& env, const PlacedLayout& layout, QPainter& painter,
                   PixelSize box);

// omPrint: one job titled "Orvalinden" on `printer`, the sheet at the print position (or at the
// page's corner when `atPrintPosition` is false, for a page of the sheet's own size). Any failure
// (the printer's, or a calendar that could not be drawn) drops the job, is reported through the
// environment's sink and gives false; nothing is printed then.
bool OutputPrint(OutputEnvironment& env, const OutputJob& job, PrintTarget& printer,
                 bool atPrintPosition = true);

// The page of a started job on `printer`: the layout drawn as OutputPrint draws it. False when a
// calendar could not be drawn (the renderer has reported why); the printer's failures throw.
bool DrawPrintPage(OutputEnvironment& env, const OutputJob& job, PrintTarget& printer,
                   bool atPrintPosition);

// Ends the job on `printer` and warns of what the user should know of it (a paused printer).
void EndPrintJob(PrintTarget& printer, MessageSink& messages);

// The window's resolution input box.
class ResolutionAsker {
  public:
    virtual ~ResolutionAsker() = default;
    // Shows the box; nothing when it was cancelled.
    virtual std::optional<std::string> Ask(const std::string& caption, const std::string& prompt,
                                           const std::string& defaultValue) = 0;
};

enum class ImageExportResult {
    NotStarted,   // the resolution prompt was cancelled or its answer refused (also a picture
                  // over kMaxExportSide on a side, with a warning): nothing happened
    Saved,        // the file is in place; "保存しました。" was reported
    Unsupported,  // drawn, but the extension is neither .png nor .bmp; the warning was reported
    Cancelled,    // cancelled through the progress; no file
    Failed,       // "ﾌｧｲﾙ保存ｴﾗｰ" or a drawing error was reported; no file
};

// The resolution prompt of the image export (the printer line from `printer`, which may be null,
// the job's PicSaveDPI proposed): the resolution entered, or nothing when it was cancelled or its
// answer refused.
std::optional<int> AskResolution(OutputEnvironment& env, const OutputJob& job,
                                 ResolutionAsker& asker, PrintTarget* printer);

// omImage and the saving of the picture: asks the resolution (the printer line of the prompt from
// `printer`, which may be null, the job's PicSaveDPI proposed), stores it in the job's PicSaveDPI
// once the export starts, draws the picture band by band and writes it to `path` as PNG or BMP by
// its extension. No partial file is ever left.
ImageExportResult SaveCalendarImage(OutputEnvironment& env, OutputJob& job, const std::string& path,
                                    ResolutionAsker& asker, PrintTarget* printer,
                                    ExportProgress* progress);

// The same drawing and saving at a given resolution, without the prompt (the command line), in
// bands of at most `bandBytes` of pixels.
ImageExportResult SaveCalendarImageAt(OutputEnvironment& env, const OutputJob& job,
                                      const std::string& path, int dpi, ExportProgress* progress,
                                      size_t bandBytes = kBandBytes);

// SaveCalendarImageAt without its closing "保存しました。", for one file of a run of several.
// With `unfinished`, a picture drawn whole (Saved) is not yet finished: its writer is handed over
// there, for the caller to finish (in the background, while it draws the next) or abort.
ImageExportResult WriteCalendarImageAt(OutputEnvironment& env, const OutputJob& job,
                                       const std::string& path, int dpi, ExportProgress* progress,
                                       size_t bandBytes = kBandBytes,
                                       std::unique_ptr<ImageWriter>* unfinished = nullptr);

// The export picture at `dpi` handed band by band to `writer`, as WriteCalendarImageAt draws it
// (for comparisons of what the writers make of it). False when it could not be drawn (reported).
bool DrawCalendarImageInto(OutputEnvironment& env, const OutputJob& job, int dpi,
                           ImageWriter& writer, const std::string& path);

// The export picture of the job at `dpi`, drawn in one bitmap (for comparisons).
QImage DrawCalendarImage(OutputEnvironment& env, const OutputJob& job, int dpi);

// The page size in millimetres that holds the whole layout (the sheet, or the imposition grid),
// for a PDF of the sheet's own size.
QSizeF LayoutSizeMm(const OutputJob& job);

}  // namespace orv
