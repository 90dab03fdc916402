#pragma once
// The Canvas on a QPainter: the preview widget, an export image or one band of it, a printer page
// or a PDF page. It keeps the Windows meanings of Canvas.h pixel for pixel on raster devices:
// - Lines and rectangle outlines are not antialiased; text is.
// - A pen wider than 1 pixel is centred on the 1-pixel outline: a width w covers w pixels from
//   w/2 before it (w = 3: one before, one after). Its line ends are squared off half a width past
//   both end points, as a round-capped Windows pen does for the widths a calendar uses.
// - Point sizes become pixel sizes as Windows rounds them: points × P / 72 to the nearest pixel.
// - Empty or inverted rectangles (Right <= Left or Bottom <= Top) draw nothing.
// - StretchPicture scales the picture smoothly (area-averaged when shrinking), and draws nothing
//   for an empty picture or an empty rectangle.
// Draw into QImage::Format_RGB32 (or ARGB32_Premultiplied) images; plain ARGB32 is several times
// slower.
#include <QPainter>
#include <algorithm>
#include <memory>
#include <string>

#include "output/QtCanvasCache.h"
#include "render/Canvas.h"

namespace orv {

class PdfPictures;

class QtCanvas : public Canvas {
  public:
    // `painter` is active on its device and outlives the canvas. Its transform and clip are the
    // caller's: to draw one band of a larger image, translate the painter by minus the band's
    // top and clip it to the band; the band then gets the same pixels as the whole image would.
    // `fontPpi` is P: the screen's logical resolution (96) for the preview and export images, the
    // printer's resolution for a printer page. `cache`, when given, outlives the canvas (see
    // QtCanvasCache.h). `textWidthPercent` widens text for a device whose dots are not square
    // (a 600 × 300 dpi printer: 200), so that its letters keep their shape on paper.
    QtCanvas(QPainter& painter, int fontPpi, QtCanvasCache* cache = nullptr,
             int textWidthPercent = 100);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    void SetBrushColor(CanvasColor color) override;
    void SetBrushStyle(BrushStyle style) override;
    void SetPenColor(CanvasColor color) override;
    void SetPenWidth(int width) override;

    void SetFontName(const std::string& face) override;
    void SetFontSize(int points) override;
    void SetFontStyle(bool bold, bool italic) override;
    void SetFontColor(CanvasColor color) override;

    void FillRect(const Rect& rect) override;
    void Rectangle(const Rect& rect) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void TextOut(int x, int y, const std::string& text) override;
    TextSize TextExtent(const std::string& text) override;
    void StretchPicture(const Rect& dest, const Bitmap& picture) override;
    void StretchPictureClipped(const Rect& dest, const Bitmap& picture, const Rect& clip) override;
    void Chord(const Rect& rect, int startDegrees, int spanDegrees) override;

    int FontPpi() const override { return fontPpi_; }

    // Pictures go to `pictures` as placeholders, for a PDF file that puts them in afterwards.
    void UsePdfPictures(PdfPictures* pictures) { pdfPictures_ = pictures; }
    // No pen stroke thinner than `pixels` device pixels (a fraction too), on a device whose dots
    // are finer than a line that prints.
    void SetThinnestLine(double pixels) { thinnestLine_ = pixels; }

    // The pixel size a point size is drawn at on this canvas.
    int PixelSizeOf(int points) const;

  private:
    const CachedFont& CurrentFont();
    // Whether Qt itself draws `font`'s bold on this painter (from its bitmap glyphs).
    bool QtDrawsBold(const CachedFont& font) const;
    // Fills the pixels x0..x1, y0..y1 (inclusive) with `color`.
    void FillPixels(int x0, int y0, int x1, int y1, const QColor& color);
    // A stroke of the pen along a horizontal or vertical run of pixel centres, inclusive.
    void PenRun(int x0, int y0, int x1, int y1);
    // The pen's width as it is drawn: no thinner than the thinnest line.
    double StrokeWidth() const { return std::max<double>(penWidth_, thinnestLine_); }
    // Fills the pixels x0..x1, y0..y1 (inclusive) of a line with the pen's colour, widened about
    // its middle to the thinnest line where it is thinner.
    void LinePixels(int x0, int y0, int x1, int y1);

    QPainter& painter_;
    int fontPpi_;
    int textWidthPercent_;
    std::unique_ptr<QtCanvasCache> ownCache_;
    QtCanvasCache* cache_;

    QColor brushColor_{Qt::white};
    BrushStyle brushStyle_ = BrushStyle::Solid;
    QColor penColor_{Qt::black};
    int penWidth_ = 1;

    QString fontFace_;
    int fontPoints_;
    bool fontBold_ = false;
    bool fontItalic_ = false;
    QColor fontColor_{Qt::black};
    const CachedFont* font_ = nullptr;  // the font above, once looked up

    int penX_ = 0;
    int penY_ = 0;
    PdfPictures* pdfPictures_ = nullptr;
    double thinnestLine_ = 0;
};

}  // namespace orv
