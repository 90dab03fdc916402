#include "output/QtCanvas.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QPoint>
#include <QVector>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "output/FontSubstitutes.h"
#include "output/PdfPictures.h"

namespace orv {

namespace {

// The point size of a fresh Windows canvas's font.
constexpr int kDefaultFontPoints = 9;
// A size from an edited file must not ask the font engine for glyphs metres high.
constexpr int kMaxFontPixels = 16384;

QColor ToQColor(CanvasColor color) {
    const auto value = static_cast<uint32_t>(color);
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// The pixels a 1-pixel slanting line covers from (x0, y0) towards (x1, y1), the end point left out.
QVector<QPoint> DiagonalPixels(int x0, int y0, int x1, int y1) {
    QVector<QPoint> points;
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    points.reserve(std::max(dx, -dy));
    int error = dx + dy;
    while (x0 != x1 || y0 != y1) {
        points.append(QPoint(x0, y0));
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
    return points;
}

// The pixels a picture is handed to a PDF with: those of its place on the page, but no more than
// kMaxVectorPicturePixels or the picture's own, whichever is more; beyond that the viewer's own
// enlargement is too slight to show.
constexpr double kMaxVectorPicturePixels = 16'000'000;

QSize VectorPictureSize(QSize target, QSize source) {
    const double pixels = static_cast<double>(target.width()) * target.height();
    const double bound =
        std::max(kMaxVectorPicturePixels, static_cast<double>(source.width()) * source.height());
    if (pixels <= bound) return target;
    const double shrink = std::sqrt(bound / pixels);
    return {std::max(1, static_cast<int>(target.width() * shrink)),
            std::max(1, static_cast<int>(target.height() * shrink))};
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, int fontPpi, QtCanvasCache* cache, int textWidthPercent)
    : painter_(painter),
      fontPpi_(fontPpi > 0 ? fontPpi : 96),
      textWidthPercent_(std::clamp(textWidthPercent, 1, 4000)),
      ownCache_(cache == nullptr ? std::make_unique<QtCanvasCache>() : nullptr),
      cache_(cache == nullptr ? ownCache_.get() : cache),
      fontPoints_(kDefaultFontPoints) {
    RegisterWindowsFontSubstitutes();
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

QtCanvas::~QtCanvas() {
    painter_.restore();
}

void QtCanvas::SetBrushColor(CanvasColor color) {
    brushColor_ = ToQColor(color);
}
void QtCanvas::SetBrushStyle(BrushStyle style) {
    brushStyle_ = style;
}
void QtCanvas::SetPenColor(CanvasColor color) {
    penColor_ = ToQColor(color);
}
void QtCanvas::SetPenWidth(int width) {
    penWidth_ = std::max(width, 1);
}

void QtCanvas::SetFontName(const std::string& face) {
    const QString name = QString::fromStdString(face);
    if (name == fontFace_) return;
    fontFace_ = name;
    font_ = nullptr;
}

void QtCanvas::SetFontSize(int points) {
    if (points == fontPoints_) return;
    fontPoints_ = points;
    font_ = nullptr;
}

void QtCanvas::SetFontStyle(bool bold, bool italic) {
    if (bold == fontBold_ && italic == fontItalic_) return;
    fontBold_ = bold;
    fontItalic_ = italic;
    font_ = nullptr;
}

void QtCanvas::SetFontColor(CanvasColor color) {
    fontColor_ = ToQColor(color);
}

int QtCanvas::PixelSizeOf(int points) const {
    if (points <= 0) return 1;
    // Rounded to the nearest pixel, as Windows' MulDiv does.
    const int64_t pixels = (static_cast<int64_t>(points) * fontPpi_ + 36) / 72;
    return static_cast<int>(std::clamp<int64_t>(pixels, 1, kMaxFontPixels));
}

const CachedFont& QtCanvas::CurrentFont() {
    if (font_ == nullptr) {
        font_ = &cache_->Font(fontFace_, PixelSizeOf(fontPoints_), fontBold_, fontItalic_,
                              painter_.device(), textWidthPercent_);
    }
    return *font_;
}

void QtCanvas::FillPixels(int x0, int y0, int x1, int y1, const QColor& color) {
    painter_.fillRect(QRect(QPoint(x0, y0), QPoint(x1, y1)), color);
}

void QtCanvas::LinePixels(int x0, int y0, int x1, int y1) {
    QRectF line(QPointF(x0, y0), QPointF(x1 + 1.0, y1 + 1.0));
    if (line.width() >= thinnestLine_ && line.height() >= thinnestLine_) {
        FillPixels(x0, y0, x1, y1, penColor_);
        return;
    }
    const QPointF middle = line.center();
    if (line.width() < thinnestLine_) {
        line.setLeft(middle.x() - thinnestLine_ / 2);
        line.setWidth(thinnestLine_);
    }
    if (line.height() < thinnestLine_) {
        line.setTop(middle.y() - thinnestLine_ / 2);
        line.setHeight(thinnestLine_);
    }
    painter_.fillRect(line, penColor_);
}

void QtCanvas::PenRun(int x0, int y0, int x1, int y1) {
    const int before = penWidth_ / 2;
    const int after = penWidth_ - 1 - before;
    // A wide pen at the edge of the coordinate range must not wrap around it.
    const auto clamped = [](int64_t v) {
        return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
    };
    LinePixels(
        clamped(int64_t{std::min(x0, x1)} - before), clamped(int64_t{std::min(y0, y1)} - before),
        clamped(int64_t{std::max(x0, x1)} + after), clamped(int64_t{std::max(y0, y1)} + after));
}

void QtCanvas::FillRect(const Rect& rect) {
    if (rect.Right <= rect.Left || rect.Bottom <= rect.Top) return;
    FillPixels(rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1, brushColor_);
}

void QtCanvas::Rectangle(const Rect& rect) {
    if (rect.Right <= rect.Left || rect.Bottom <= rect.Top) return;
    const int right = rect.Right - 1;
    const int bottom = rect.Bottom - 1;
    if (brushStyle_ == BrushStyle::Solid) {
        FillPixels(rect.Left, rect.Top, right, bottom, brushColor_);
    }
    PenRun(rect.Left, rect.Top, right, rect.Top);
    PenRun(rect.Left, bottom, right, bottom);
    PenRun(rect.Left, rect.Top, rect.Left, bottom);
    PenRun(right, rect.Top, right, bottom);
}

void QtCanvas::MoveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
}

void QtCanvas::LineTo(int x, int y) {
    const int x0 = std::exchange(penX_, x);
    const int y0 = std::exchange(penY_, y);
    if (x0 == x && y0 == y) return;
    if (penWidth_ == 1) {
        if (y0 == y) {
            LinePixels(x > x0 ? x0 : x + 1, y, x > x0 ? x - 1 : x0, y);
        } else if (x0 == x) {
            LinePixels(x, y > y0 ? y0 : y + 1, x, y > y0 ? y - 1 : y0);
        } else if (thinnestLine_ > 1) {
            QPen pen(penColor_, thinnestLine_, Qt::SolidLine, Qt::FlatCap);
            painter_.setPen(pen);
            painter_.drawLine(QPointF(x0 + 0.5, y0 + 0.5), QPointF(x + 0.5, y + 0.5));
        } else {
            QPen pen(penColor_, 1);
            pen.setCosmetic(true);
            painter_.setPen(pen);
            painter_.drawPoints(DiagonalPixels(x0, y0, x, y));
        }
        return;
    }
    if (y0 == y || x0 == x) {
        PenRun(x0, y0, x, y);
        return;
    }
    QPen pen(penColor_, StrokeWidth(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter_.setPen(pen);
    painter_.drawLine(QPointF(x0 + 0.5, y0 + 0.5), QPointF(x + 0.5, y + 0.5));
}

bool QtCanvas::QtDrawsBold(const CachedFont& font) const {
    const QPaintEngine* engine = painter_.paintEngine();
    if (engine == nullptr || engine->type() != QPaintEngine::Raster) return false;
    // Qt keeps glyphs as bitmaps below this size on the device, and draws larger ones from
    // their outlines, which it does not embolden.
    constexpr double kLargestBitmapGlyph = 64;
    const double size = font.Font.pixelSize();
    return size * size * std::abs(painter_.deviceTransform().determinant()) <
           kLargestBitmapGlyph * kLargestBitmapGlyph;
}

void QtCanvas::TextOut(int x, int y, const std::string& text) {
    if (text.empty()) return;
    const CachedFont& font = CurrentFont();
    const QPoint baseline(x, y + font.Ascent);
    const QString string = QString::fromStdString(text);
    if (font.SyntheticBold <= 0 || QtDrawsBold(font)) {
        painter_.setFont(font.Font);
        painter_.setPen(fontColor_);
        painter_.drawText(baseline, string);
        return;
    }
    QPainterPath outline;
    outline.addText(baseline, font.Plain, string);
    const QPen stroke(fontColor_, std::max(font.SyntheticBold, thinnestLine_), Qt::SolidLine,
                      Qt::RoundCap, Qt::RoundJoin);
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    const QPaintEngine* engine = painter_.paintEngine();
    if (engine != nullptr && engine->type() == QPaintEngine::Raster) {
        painter_.setPen(stroke);
        painter_.setBrush(fontColor_);
        painter_.drawPath(outline);
    } else {
        // A PDF keeps the text as text (to search and copy), with the widening stroked over it.
        painter_.setFont(font.Plain);
        painter_.setPen(fontColor_);
        painter_.drawText(baseline, string);
        painter_.strokePath(outline, stroke);
    }
    painter_.restore();
}

TextSize QtCanvas::TextExtent(const std::string& text) {
    const CachedFont& font = CurrentFont();
    const int width =
        text.empty() ? 0 : font.Metrics.horizontalAdvance(QString::fromStdString(text));
    return {width, font.CellHeight};
}

void QtCanvas::Chord(const Rect& rect, int startDegrees, int spanDegrees) {
    if (rect.Right <= rect.Left || rect.Bottom <= rect.Top) return;
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(penColor_, StrokeWidth());
    pen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(pen);
    painter_.setBrush(brushStyle_ == BrushStyle::Solid ? QBrush(brushColor_) : QBrush(Qt::NoBrush));
    // The pen's middle runs half its width inside the rectangle, so that the outline stays in it.
    const double inset = StrokeWidth() / 2.0;
    const QRectF ellipse(rect.Left + inset, rect.Top + inset, rect.Right - rect.Left - 2 * inset,
                         rect.Bottom - rect.Top - 2 * inset);
    if (spanDegrees >= 360 || spanDegrees <= -360) {
        painter_.drawEllipse(ellipse);
    } else {
        painter_.drawChord(ellipse, startDegrees * 16, spanDegrees * 16);
    }
    painter_.restore();
}

void QtCanvas::StretchPictureClipped(const Rect& dest, const Bitmap& picture, const Rect& clip) {
    if (clip.Right <= clip.Left || clip.Bottom <= clip.Top) return;
    painter_.save();
    painter_.setClipRect(QRect(clip.Left, clip.Top, clip.Right - clip.Left, clip.Bottom - clip.Top),
                         Qt::IntersectClip);
    StretchPicture(dest, picture);
    painter_.restore();
}

void QtCanvas::StretchPicture(const Rect& dest, const Bitmap& picture) {
    if (dest.Right <= dest.Left || dest.Bottom <= dest.Top || picture.Empty()) return;
    const QRect target(dest.Left, dest.Top, dest.Right - dest.Left, dest.Bottom - dest.Top);

    // Bands of an export see only part of the sheet: a picture outside is not scaled at all.
    QRect visible = painter_.transform().inverted().mapRect(
        QRect(0, 0, painter_.device()->width(), painter_.device()->height()));
    if (painter_.hasClipping()) visible &= painter_.clipBoundingRect().toAlignedRect();
    if (!visible.intersects(target)) return;

    const QImage source = WrapBitmap(picture);
    if (source.isNull()) return;
    // A PDF keeps the picture as it is given (no JPEG), and its viewers enlarge it block by block:
    // an enlarged picture goes in smoothly scaled to the dots it covers, within a bound.
    const bool vector =
        painter_.paintEngine() != nullptr && painter_.paintEngine()->type() != QPaintEngine::Raster;
    if (vector && pdfPictures_ != nullptr) {
        const QPaintDevice* device = painter_.device();
        const QSizeF inches(target.width() / static_cast<double>(device->logicalDpiX()),
                            target.height() / static_cast<double>(device->logicalDpiY()));
        painter_.save();
        // Lossless, or Qt's JPEG would blur the placeholder's name.
        painter_.setRenderHint(QPainter::LosslessImageRendering, true);
        painter_.drawImage(QRectF(target), pdfPictures_->Placeholder(picture, inches));
        painter_.restore();
        return;
    }
    if (vector) {
        painter_.save();
        painter_.setRenderHint(QPainter::LosslessImageRendering, true);
        const QSize size = VectorPictureSize(target.size(), QSize(picture.Width, picture.Height));
        const QImage& scaled = cache_->Scaled(picture, size.width(), size.height());
        if (!scaled.isNull()) painter_.drawImage(QRectF(target), scaled);
        painter_.restore();
        return;
    }
    if (target.width() >= picture.Width && target.height() >= picture.Height) {
        // Enlarging: interpolate only the pixels that show, however large the target.
        painter_.save();
        painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter_.drawImage(QRectF(target), source);
        painter_.restore();
        return;
    }
    // Shrinking averages every source pixel into the result, as Windows' half-tone stretch does;
    // the result is kept for the next pass at the same size.
    const QImage& scaled = cache_->Scaled(picture, target.width(), target.height());
    if (!scaled.isNull()) painter_.drawImage(target.topLeft(), scaled);
}

}  // namespace orv
