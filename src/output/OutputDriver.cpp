#include "output/OutputDriver.h"

#include <QPaintEngine>
#include <algorithm>
#include <cmath>
#include <set>

#include "model/Errors.h"
#include "model/VB.h"
#include "output/ExportSize.h"
#include "output/ImageWriter.h"
#include "output/Imposition.h"
#include "output/OutputTexts.h"
#include "output/PictureCache.h"
#include "output/QtCanvas.h"
#include "output/QtCanvasCache.h"
#include "output/ResolutionPrompt.h"
#include "render/DrawCalendar.h"
#include "render/SeveralMonths.h"

namespace orv {

namespace {

constexpr CanvasColor kWhite = 0xFFFFFF;
constexpr CanvasColor kBlack = 0x000000;

// Clears the status text however the output ends.
class StatusScope {
  public:
    StatusScope(StatusSink& status, const char* text) : status_(status) {
        status_.ShowStatus(text);
        status_.ProcessEvents();
    }
    ~StatusScope() { status_.ShowStatus(""); }
    StatusScope(const StatusScope&) = delete;
    StatusScope& operator=(const StatusScope&) = delete;

  private:
    StatusSink& status_;
};

// Every band of an export draws the whole pass again; what it reports is shown once.
class OnceSink : public MessageSink {
  public:
    explicit OnceSink(MessageSink& target) : target_(target) {}
    void Report(MessageKind kind, const std::string& text) override {
        if (seen_.emplace(kind, text).second) target_.Report(kind, text);
    }

  private:
    MessageSink& target_;
    std::set<std::pair<MessageKind, std::string>> seen_;
};

// Puts a decoder into the render state for the duration of one output.
class DecoderScope {
  public:
    DecoderScope(RenderState& state, const PictureDecoder* decoder)
        : state_(state), previous_(state.Decoder) {
        state_.Decoder = decoder;
    }
    ~DecoderScope() { state_.Decoder = previous_; }
    DecoderScope(const DecoderScope&) = delete;
    DecoderScope& operator=(const DecoderScope&) = delete;

  private:
    RenderState& state_;
    const PictureDecoder* previous_;
};

// A calendar pass failed (its reason was reported by the renderer); the output is dropped.
class DrawingFailed : public Error {
  public:
    DrawingFailed() : Error("drawing failed") {}
};

void Clear(Canvas& canvas, int width, int height) {
    canvas.SetBrushColor(kWhite);
    canvas.SetBrushStyle(BrushStyle::Solid);
    canvas.SetFontColor(kBlack);
    canvas.FillRect({0, 0, width, height});
    canvas.SetBrushColor(kBlack);
    canvas.SetBrushStyle(BrushStyle::Clear);
}

int SizeOf(const std::string& text) {
    return ValInt(text);
}

// The part of the surface that `painter` can still change, in its own coordinates: the device
// within the region being repainted, within the clip.
QRect VisibleArea(QPainter& painter) {
    QRect device(0, 0, painter.device()->width(), painter.device()->height());
    if (const QPaintEngine* engine = painter.paintEngine(); engine != nullptr) {
        const QRegion repainted = engine->systemClip();
        if (!repainted.isEmpty()) device &= repainted.boundingRect();
    }
    QRect visible = painter.transform().inverted().mapRect(device);
    if (painter.hasClipping()) visible &= painter.clipBoundingRect().toAlignedRect();
    return visible;
}

// Whether calendar k's sheet, with a sheet's width and height of room around it for anything drawn
// past its edges, reaches into `visible` (device pixels).
bool MayShow(const QRect& visible, MmPoint origin, int sizeX, int sizeY, int zoom, int dpiX,
             int dpiY) {
    const double pxX = dpiX / 25.4;
    const double pxY = dpiY / 25.4;
    const double width = std::abs(static_cast<double>(sizeX) * zoom / 100.0 * pxX);
    const double height = std::abs(static_cast<double>(sizeY) * zoom / 100.0 * pxY);
    const double left = origin.X * pxX;
    const double top = origin.Y * pxY;
    return left - width <= visible.right() + 1.0 && left + 2 * width >= visible.left() - 1.0 &&
           top - height <= visible.bottom() + 1.0 && top + 2 * height >= visible.top() - 1.0;
}

}  // namespace

bool DrawLayout(OutputEnvironment& env, MessageSink& sink, Canvas& canvas, int dpiX, int dpiY,
                MmPoint base, int zoom, const std::optional<QRect>& visible) {
    DesignSource& source = env.Source;
    RenderState& state = env.State;
    const int sizeX = SizeOf(source.SizeXText());
    const int sizeY = SizeOf(source.SizeYText());
    TData design;
    ResetToWindowDesign(source, design);
    if (design.Print != 0) state.PictureChanged = true;
    const int entries = design.Print != 0 ? source.Data().Matrixs.Count() : 0;
    bool drawn = true;
    for (int k = 0; k <= entries; ++k) {
        const TData& window = source.Data();
        // A long imposition list would otherwise prepare and draw every calendar for every
        // repaint and every band of an export, however few of them show there.
        if (k > 0 && visible && window.Matrixs.FindByNumber(k) != nullptr &&
            !MayShow(*visible,
                     CalendarOrigin(k, window.Cols, window.Interval, sizeX, sizeY, zoom, base),
                     sizeX, sizeY, zoom, dpiX, dpiY)) {
            continue;
        }
        MmPoint origin = base;
        if (PrepareCalendarDesign(k, source, design, sink)) {
            // Every entry may have a picture of its own.
            state.PictureChanged = true;
            origin = CalendarOrigin(k, window.Cols, window.Interval, sizeX, sizeY, zoom, base);
        }
        const bool loading = state.Loading;
        bool ok = DrawCalendar(state, sink, canvas, dpiX, dpiY, zoom, ckSheet, origin.X, origin.Y,
                               sizeX, sizeY, design);
        // Each calendar's own layout decides, so that an entry whose settings file has several
        // months gets its cells and one with a single month gets none.
        if (ok && design.PluralEnabled != 0) {
            ok = DrawSeveralMonthCells(state, sink, canvas, dpiX, dpiY, origin.X, origin.Y, design);
        }
        if (!ok && !loading) drawn = false;
    }
    return drawn;
}

bool OutputPreview(OutputEnvironment& env, QPainter& painter, PixelSize box) {
    DesignSource& source = env.Source;
    source.ControlsToData(source.Data());
    StatusScope status(env.Status, kStatusPreview);
    try {
        QtCanvas canvas(painter, env.ScreenPpi, env.ScreenCache);
        Clear(canvas, box.Width, box.Height);
        return DrawLayout(env, env.Messages, canvas, env.ScreenPpi, env.ScreenPpi, {0, 0},
                          source.Zoom(), VisibleArea(painter));
    } catch (const std::exception& e) {
        // A paint handler has nowhere to pass an error on to.
        env.Messages.Report(MessageKind::Error, WithHeading("描画ｴﾗｰ", e.what()));
        return false;
    }
}

bool DrawPrintPage(OutputEnvironment& env, PrintTarget& printer, bool atPrintPosition) {
    DesignSource& source = env.Source;
    const DotPair resolution = printer.Resolution();
    const int scale = printer.Scale();
    const MmPoint base =
        atPrintPosition ? MmPoint{SizeOf(source.PositionXText()), SizeOf(source.PositionYText())}
                        : MmPoint{0, 0};
    QtCanvasCache cache;
    // On dots that are not square, letters are widened to keep their shape on paper.
    const int textWidth = resolution.X > 0 && resolution.Y > 0
                              ? static_cast<int>(std::lround(100.0 * resolution.X / resolution.Y))
                              : 100;
    QtCanvas canvas(printer.Painter(), resolution.Y, &cache, textWidth);
    return DrawLayout(env, env.Messages, canvas, resolution.X * 100 / scale,
                      resolution.Y * 100 / scale, base, 100, VisibleArea(printer.Painter()));
}

bool OutputPrint(OutputEnvironment& env, PrintTarget& printer, bool atPrintPosition) {
    DesignSource& source = env.Source;
    source.ControlsToData(source.Data());
    StatusScope status(env.Status, kStatusPrint);
    try {
        printer.StartJob(kJobTitle);
        if (!DrawPrintPage(env, printer, atPrintPosition)) {
            printer.AbortJob();
            return false;
        }
        printer.EndJob();
        return true;
    } catch (const std::exception& e) {
        printer.AbortJob();
        env.Messages.Report(MessageKind::Error, e.what());
        return false;
    }
}

namespace {

// Draws the export picture of the current design at `dpi` through `export`.
template <typename Export>
void DrawExport(OutputEnvironment& env, int dpi, MessageSink& sink, Export&& run) {
    DesignSource& source = env.Source;
    TData design;
    ResetToWindowDesign(source, design);
    const PixelSize size = ExportPictureSize(source.SizeXText(), source.SizeYText(), dpi, design);
    // Each picture decoded once for all bands and entries of the export.
    PictureCache decoder(env.State.Decoder);
    DecoderScope decoderScope(env.State, &decoder);
    QtCanvasCache cache;
    run(size, [&](QPainter& painter) {
        QtCanvas canvas(painter, env.ScreenPpi, &cache);
        Clear(canvas, size.Width, size.Height);
        if (!DrawLayout(env, sink, canvas, dpi, dpi, {0, 0}, 100, VisibleArea(painter))) {
            throw DrawingFailed();
        }
    });
}

}  // namespace

ImageExportResult SaveCalendarImage(OutputEnvironment& env, const std::string& path,
                                    ResolutionAsker& asker, PrintTarget* printer,
                                    ExportProgress* progress) {
    DesignSource& source = env.Source;
    source.ControlsToData(source.Data());
    const std::string prompt =
        ResolutionPromptText(ScreenResolutionText(env.ScreenPpi), PrinterResolutionText(printer));
    const std::optional<std::string> answer = asker.Ask(
        kResolutionPromptCaption, prompt, ResolutionPromptDefault(source.Data().PicSaveDPI));
    if (!answer) return ImageExportResult::NotStarted;
    const int dpi = EnteredResolution(*answer);
    if (dpi < 1) return ImageExportResult::NotStarted;
    return SaveCalendarImageAt(env, path, dpi, progress);
}

ImageExportResult SaveCalendarImageAt(OutputEnvironment& env, const std::string& path, int dpi,
                                      ExportProgress* progress, size_t bandBytes) {
    const ImageExportResult result = WriteCalendarImageAt(env, path, dpi, progress, bandBytes);
    if (result == ImageExportResult::Saved) env.Messages.Report(MessageKind::Information, kSaved);
    return result;
}

ImageExportResult WriteCalendarImageAt(OutputEnvironment& env, const std::string& path, int dpi,
                                       ExportProgress* progress, size_t bandBytes,
                                       std::unique_ptr<ImageWriter>* unfinished) {
    DesignSource& source = env.Source;
    source.ControlsToData(source.Data());
    {
        TData design;
        ResetToWindowDesign(source, design);
        const QSizeF page = LayoutSizeMm(env);
        std::optional<std::string> refusal = PageSizeRefusal(page.width(), page.height());
        if (!refusal) {
            refusal = ExportSizeRefusal(
                ExportPictureSize(source.SizeXText(), source.SizeYText(), dpi, design));
        }
        if (refusal) {
            env.Messages.Report(MessageKind::Warning, *refusal);
            return ImageExportResult::NotStarted;
        }
    }
    source.Data().PicSaveDPI = dpi;
    StatusScope status(env.Status, kStatusImage);
    const ImageFileFormat format = ImageFormatOfFileName(path);
    std::unique_ptr<ImageWriter> writer = MakeImageWriter(format);
    OnceSink sink(env.Messages);
    ExportOutcome outcome = ExportOutcome::Written;
    try {
        DrawExport(env, dpi, sink, [&](PixelSize size, const BandDrawer& draw) {
            outcome = ExportInBands(writer.get(), path, size, draw, progress, bandBytes,
                                    unfinished == nullptr);
        });
    } catch (const DrawingFailed&) {
        return ImageExportResult::Failed;
    } catch (const std::exception& e) {
        env.Messages.Report(MessageKind::Error, WithHeading(kFileSaveErrorHeading, e.what()));
        return ImageExportResult::Failed;
    }
    if (outcome == ExportOutcome::Cancelled) return ImageExportResult::Cancelled;
    if (format == ImageFileFormat::Unsupported) {
        env.Messages.Report(MessageKind::Warning, kUnsupportedExtension);
        return ImageExportResult::Unsupported;
    }
    if (unfinished != nullptr) *unfinished = std::move(writer);
    return ImageExportResult::Saved;
}

bool DrawCalendarImageInto(OutputEnvironment& env, int dpi, ImageWriter& writer,
                           const std::string& path) {
    env.Source.ControlsToData(env.Source.Data());
    OnceSink sink(env.Messages);
    try {
        DrawExport(env, dpi, sink, [&](PixelSize size, const BandDrawer& draw) {
            ExportInBands(&writer, path, size, draw);
        });
    } catch (const DrawingFailed&) {
        return false;
    }
    return true;
}

QImage DrawCalendarImage(OutputEnvironment& env, int dpi) {
    env.Source.ControlsToData(env.Source.Data());
    QImage image;
    OnceSink sink(env.Messages);
    try {
        DrawExport(env, dpi, sink, [&](PixelSize size, const BandDrawer& draw) {
            image = DrawWholePicture(size, draw);
        });
    } catch (const DrawingFailed&) {
    }
    return image;
}

QSizeF LayoutSizeMm(OutputEnvironment& env) {
    DesignSource& source = env.Source;
    source.ControlsToData(source.Data());
    const TData& window = source.Data();
    double width = SizeOf(source.SizeXText());
    double height = SizeOf(source.SizeYText());
    if (window.Print != 0) {
        const int cols = window.Cols < 1 ? 1 : window.Cols;
        const int calendars = window.Matrixs.Count() + 1;
        const int rows = (calendars + cols - 1) / cols;
        width += (cols - 1) * (width + window.Interval);
        height += (rows - 1) * (height + window.Interval);
    }
    return {width, height};
}

}  // namespace orv
