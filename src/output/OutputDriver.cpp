#include "output/OutputDriver.h"

#include <QPaintEngine>
#include <algorithm>
#include <cmath>
#include <functional>

#include "model/Errors.h"
#include "output/ExportSize.h"
#include "output/ImageWriter.h"
#include "output/OutputTexts.h"
#include "output/OutputWarnings.h"
#include "output/PictureCache.h"
#include "output/Placement.h"
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

// A field of the render state set for the duration of one output, then given back.
template <typename T>
class StateScope {
  public:
    StateScope(T& field, T value) : field_(field), previous_(field) { field_ = value; }
    ~StateScope() { field_ = previous_; }
    StateScope(const StateScope&) = delete;
    StateScope& operator=(const StateScope&) = delete;

  private:
    T& field_;
    T previous_;
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

}  // namespace

bool DrawLayout(OutputEnvironment& env, MessageSink& sink, Canvas& canvas, int dpiX, int dpiY,
                const OutputJob& job, MmPoint base, int zoom, const std::optional<QRect>& visible,
                bool warnOfPictures) {
    std::function<bool(MmPoint)> mayShow;
    if (visible) {
        mayShow = [&](MmPoint origin) {
            return MayShow(*visible, origin, job.SizeX, job.SizeY, zoom, dpiX, dpiY);
        };
    }
    const PlacedLayout layout = PlaceLayout(job, base, zoom, sink, mayShow);
    if (!warnOfPictures)
        return DrawPlacedLayout(env.State, sink, canvas, dpiX, dpiY, layout, visible);
    // The pictures the check decodes are the ones the page draws.
    PictureCache decoder(env.State.Decoder);
    StateScope<const PictureDecoder*> decoderScope(env.State.Decoder, &decoder);
    WarnOfUnusablePictures(layout, &decoder, sink, env.Warned);
    WarnOfMissingAlmanacData(layout, env.State, sink, env.Warned);
    // Where the pictures are drawn, for the warning of coarse ones.
    std::vector<PictureSpot> spots;
    StateScope<std::vector<PictureSpot>*> spotsScope(env.State.PictureSpots, &spots);
    const bool drawn = DrawPlacedLayout(env.State, sink, canvas, dpiX, dpiY, layout, visible);
    WarnOfCoarsePictures(spots, sink, env.Warned);
    return drawn;
}

PlacedLayout PlacePreview(OutputEnvironment& env, const OutputJob& job, QPainter& painter) {
    const QRect visible = VisibleArea(painter);
    const int ppi = env.ScreenPpi;
    return PlaceLayout(job, {0, 0}, job.Zoom, env.Messages, [&](MmPoint origin) {
        return MayShow(visible, origin, job.SizeX, job.SizeY, job.Zoom, ppi, ppi);
    });
}

bool OutputPreview(OutputEnvironment& env, const PlacedLayout& layout, QPainter& painter,
                   PixelSize box) {
    StatusScope status(env.Status, kStatusPreview);
    try {
        QtCanvas canvas(painter, env.ScreenPpi, env.ScreenCache);
        Clear(canvas, box.Width, box.Height);
        return DrawPlacedLayout(env.State, env.Messages, canvas, env.ScreenPpi, env.ScreenPpi,
                                layout, VisibleArea(painter));
    } catch (const std::exception& e) {
        // A paint handler has nowhere to pass an error on to.
        env.Messages.Report(MessageKind::Error, WithHeading("描画ｴﾗｰ", e.what()));
        return false;
    }
}

bool OutputPreview(OutputEnvironment& env, const OutputJob& job, QPainter& painter, PixelSize box) {
    return OutputPreview(env, PlacePreview(env, job, painter), painter, box);
}

bool DrawPrintPage(OutputEnvironment& env, const OutputJob& job, PrintTarget& printer,
                   bool atPrintPosition) {
    const DotPair resolution = printer.Resolution();
    const int scale = printer.Scale();
    const MmPoint base = atPrintPosition ? job.Position : MmPoint{0, 0};
    QtCanvasCache cache;
    // On dots that are not square, letters are widened to keep their shape on paper.
    const int textWidth = resolution.X > 0 && resolution.Y > 0
                              ? static_cast<int>(std::lround(100.0 * resolution.X / resolution.Y))
                              : 100;
    QtCanvas canvas(printer.Painter(), resolution.Y, &cache, textWidth);
    canvas.UsePdfPictures(printer.Pictures());
    // Calendars side by side share the gap between them.
    double bleed = printer.BleedMm();
    if (job.Design.Print != 0 && job.Design.Matrixs.Count() > 0 && !job.CoverTitle)
        bleed = std::min(bleed, std::max(0, job.Design.Interval) / 2.0);
    StateScope<int> bleedScope(env.State.Bleed,
                               static_cast<int>(std::lround(bleed * resolution.X / 25.4)));
    if (const double thinnest = printer.ThinnestLine(); thinnest > 0)
        canvas.SetThinnestLine(thinnest * resolution.X / 72.0);
    return DrawLayout(env, env.Messages, canvas, resolution.X * 100 / scale,
                      resolution.Y * 100 / scale, job, base, 100, VisibleArea(printer.Painter()),
                      true);
}

void EndPrintJob(PrintTarget& printer, MessageSink& messages) {
    printer.EndJob();
    if (const std::string notice = printer.EndedJobNotice(); !notice.empty()) {
        messages.Report(MessageKind::Warning, notice);
    }
}

bool OutputPrint(OutputEnvironment& env, const OutputJob& job, PrintTarget& printer,
                 bool atPrintPosition) {
    StatusScope status(env.Status, kStatusPrint);
    try {
        printer.StartJob(JobTitle(job));
        if (!DrawPrintPage(env, job, printer, atPrintPosition)) {
            printer.AbortJob();
            return false;
        }
        EndPrintJob(printer, env.Messages);
        return true;
    } catch (const std::exception& e) {
        printer.AbortJob();
        env.Messages.Report(MessageKind::Error, e.what());
        return false;
    }
}

namespace {

// Draws the export picture of the job at `dpi` through `export`: placed once, each band draws the
// calendars that reach into it.
template <typename Export>
void DrawExport(OutputEnvironment& env, const OutputJob& job, int dpi, Export&& run) {
    const PixelSize size = ExportPictureSize(job.SizeX, job.SizeY, dpi, job.Design);
    const PlacedLayout layout = PlaceLayout(job, {0, 0}, 100, env.Messages);
    // Each picture decoded once for all bands and entries of the export.
    PictureCache decoder(env.State.Decoder);
    StateScope<const PictureDecoder*> decoderScope(env.State.Decoder, &decoder);
    WarnOfUnusablePictures(layout, &decoder, env.Messages, env.Warned);
    WarnOfMissingAlmanacData(layout, env.State, env.Messages, env.Warned);
    QtCanvasCache cache;
    std::vector<PictureSpot> spots;
    StateScope<std::vector<PictureSpot>*> spotsScope(env.State.PictureSpots, &spots);
    run(size, [&](QPainter& painter) {
        QtCanvas canvas(painter, env.ScreenPpi, &cache);
        Clear(canvas, size.Width, size.Height);
        if (!DrawPlacedLayout(env.State, env.Messages, canvas, dpi, dpi, layout,
                              VisibleArea(painter))) {
            throw DrawingFailed();
        }
    });
    WarnOfCoarsePictures(spots, env.Messages, env.Warned);
}

}  // namespace

std::optional<int> AskResolution(OutputEnvironment& env, const OutputJob& job,
                                 ResolutionAsker& asker, PrintTarget* printer) {
    const std::string prompt =
        ResolutionPromptText(ScreenResolutionText(env.ScreenPpi), PrinterResolutionText(printer));
    const std::optional<std::string> answer =
        asker.Ask(kResolutionPromptCaption, prompt, ResolutionPromptDefault(job.Design.PicSaveDPI));
    if (!answer) return std::nullopt;
    const int dpi = EnteredResolution(*answer);
    if (dpi < 1) return std::nullopt;
    return dpi;
}

ImageExportResult SaveCalendarImage(OutputEnvironment& env, OutputJob& job, const std::string& path,
                                    ResolutionAsker& asker, PrintTarget* printer,
                                    ExportProgress* progress) {
    const std::optional<int> dpi = AskResolution(env, job, asker, printer);
    if (!dpi) return ImageExportResult::NotStarted;
    const ImageExportResult result = SaveCalendarImageAt(env, job, path, *dpi, progress);
    if (result != ImageExportResult::NotStarted) job.Design.PicSaveDPI = *dpi;
    return result;
}

ImageExportResult SaveCalendarImageAt(OutputEnvironment& env, const OutputJob& job,
                                      const std::string& path, int dpi, ExportProgress* progress,
                                      size_t bandBytes) {
    const ImageExportResult result = WriteCalendarImageAt(env, job, path, dpi, progress, bandBytes);
    if (result == ImageExportResult::Saved) env.Messages.Report(MessageKind::Information, kSaved);
    return result;
}

ImageExportResult WriteCalendarImageAt(OutputEnvironment& env, const OutputJob& job,
                                       const std::string& path, int dpi, ExportProgress* progress,
                                       size_t bandBytes, std::unique_ptr<ImageWriter>* unfinished) {
    const QSizeF page = LayoutSizeMm(job);
    std::optional<std::string> refusal = PageSizeRefusal(page.width(), page.height());
    if (!refusal) {
        refusal = ExportSizeRefusal(job.SizeX, job.SizeY, dpi, job.Design);
    }
    if (refusal) {
        env.Messages.Report(MessageKind::Warning, *refusal);
        return ImageExportResult::NotStarted;
    }
    StatusScope status(env.Status, kStatusImage);
    const ImageFileFormat format = ImageFormatOfFileName(path);
    std::unique_ptr<ImageWriter> writer = MakeImageWriter(format);
    // A PNG keeps its layout of old unless the design asks for its resolution in it.
    if (writer != nullptr && (format != ImageFileFormat::Png || job.Design.PngResolution != 0)) {
        writer->SetResolution(dpi);
    }
    ExportOutcome outcome = ExportOutcome::Written;
    try {
        DrawExport(env, job, dpi, [&](PixelSize size, const BandDrawer& draw) {
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

bool DrawCalendarImageInto(OutputEnvironment& env, const OutputJob& job, int dpi,
                           ImageWriter& writer, const std::string& path) {
    try {
        DrawExport(env, job, dpi, [&](PixelSize size, const BandDrawer& draw) {
            ExportInBands(&writer, path, size, draw);
        });
    } catch (const DrawingFailed&) {
        return false;
    }
    return true;
}

QImage DrawCalendarImage(OutputEnvironment& env, const OutputJob& job, int dpi) {
    QImage image;
    try {
        DrawExport(env, job, dpi, [&](PixelSize size, const BandDrawer& draw) {
            image = DrawWholePicture(size, draw);
        });
    } catch (const DrawingFailed&) {
    }
    return image;
}

QSizeF LayoutSizeMm(const OutputJob& job) {
    const TData& window = job.Design;
    double width = job.SizeX;
    double height = job.SizeY;
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
