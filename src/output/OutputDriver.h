#pragma once
// The one output driver (OutputCalendar) behind the preview, printing and image export: the
// window's design from "the controls", its imposition entries at their places in the grid with
// their months, settings files and pictures, and the several-months cells, drawn by DrawCalendar
// onto the target of the mode.
//
// Everything runs on the thread that owns the QGuiApplication. The caller owns every object handed
// in; the driver keeps nothing between calls except what RenderState holds.
#include <QPainter>
#include <optional>
#include <string>

#include "model/MessageSink.h"
#include "output/BandedExport.h"
#include "output/DesignSource.h"
#include "output/Imposition.h"
#include "output/PreviewSizing.h"
#include "output/PrintTarget.h"
#include "render/Canvas.h"
#include "render/RenderState.h"

namespace orv {

class QtCanvasCache;

enum TOutputMode { omPreview = 0, omPrint = 1, omImage = 2 };

// What every output needs from its owner (the window, the command line, a test).
struct OutputEnvironment {
    DesignSource& Source;
    StatusSink& Status;
    MessageSink& Messages;
    RenderState& State;
    // The screen's logical resolution (the window's PixelsPerInch): the preview's resolution and
    // the font resolution of export pictures.
    int ScreenPpi = 96;
    // Fonts and scaled pictures kept between passes of the same kind of device; optional.
    QtCanvasCache* ScreenCache = nullptr;
};

// The pass of every mode, on any canvas: the window's design at `base` (mm), then with imposition
// on each entry at its place in the grid (pitch scaled by `zoom` percent), each calendar followed
// by its several-months cells when its own design has several months. Sheet sizes come from the
// size edits. False when a calendar could not be drawn (the renderer has reported why).
// With `visible` (device pixels), imposition calendars that lie wholly outside it, a sheet's size
// of room around each, are skipped.
bool DrawLayout(OutputEnvironment& env, MessageSink& sink, Canvas& canvas, int dpiX, int dpiY,
                MmPoint base, int zoom, const std::optional<QRect>& visible = std::nullopt);

// omPreview: clears the paint box of `box` pixels on `painter` and draws at the zoom. The result
// is the Part's: true when the calendars were drawn.
bool OutputPreview(OutputEnvironment& env, QPainter& painter, PixelSize box);

// omPrint: one job titled "Orvalinden" on `printer`, the sheet at the print position (or at the
// page's corner when `atPrintPosition` is false, for a page of the sheet's own size). Any failure
// (the printer's, or a calendar that could not be drawn) drops the job, is reported through the
// environment's sink and gives false; nothing is printed then.
bool OutputPrint(OutputEnvironment& env, PrintTarget& printer, bool atPrintPosition = true);

// The page of a started job on `printer`: the layout drawn as OutputPrint draws it. False when a
// calendar could not be drawn (the renderer has reported why); the printer's failures throw.
bool DrawPrintPage(OutputEnvironment& env, PrintTarget& printer, bool atPrintPosition);

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

// omImage and the saving of the picture: asks the resolution (the printer line of the prompt from
// `printer`, which may be null), stores it in the window's PicSaveDPI, draws the picture band by
// band and writes it to `path` as PNG or BMP by its extension. No partial file is ever left.
ImageExportResult SaveCalendarImage(OutputEnvironment& env, const std::string& path,
                                    ResolutionAsker& asker, PrintTarget* printer,
                                    ExportProgress* progress);

// The same drawing and saving at a given resolution, without the prompt (the command line), in
// bands of at most `bandBytes` of pixels.
ImageExportResult SaveCalendarImageAt(OutputEnvironment& env, const std::string& path, int dpi,
                                      ExportProgress* progress, size_t bandBytes = kBandBytes);

// SaveCalendarImageAt without its closing "保存しました。", for one file of a run of several.
// With `unfinished`, a picture drawn whole (Saved) is not yet finished: its writer is handed over
// there, for the caller to finish (in the background, while it draws the next) or abort.
ImageExportResult WriteCalendarImageAt(OutputEnvironment& env, const std::string& path, int dpi,
                                       ExportProgress* progress, size_t bandBytes = kBandBytes,
                                       std::unique_ptr<ImageWriter>* unfinished = nullptr);

// The export picture at `dpi` handed band by band to `writer`, as WriteCalendarImageAt draws it
// (for comparisons of what the writers make of it). False when it could not be drawn (reported).
bool DrawCalendarImageInto(OutputEnvironment& env, int dpi, ImageWriter& writer,
                           const std::string& path);

// The export picture of the current design at `dpi`, drawn in one bitmap (for comparisons).
QImage DrawCalendarImage(OutputEnvironment& env, int dpi);

// The page size in millimetres that holds the whole layout (the sheet, or the imposition grid),
// for a PDF of the sheet's own size.
QSizeF LayoutSizeMm(OutputEnvironment& env);

}  // namespace orv
