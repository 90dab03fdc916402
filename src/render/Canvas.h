#pragma once
// The drawing surface the renderer draws on: the preview widget, an export image, a printer page
// or a PDF page (QtCanvas in output/), or a recording canvas in the tests.
//
// Contract, kept from the Windows drawing interface the designs were made for:
// - Coordinates are whole device pixels of the surface, x to the right, y downwards.
// - A rectangle (Left, Top, Right, Bottom) covers the pixels Left..Right-1 and Top..Bottom-1.
// - FillRect fills that area with the brush colour whatever the brush style.
// - Rectangle draws the outline with the current pen (its width and colour, the outline's outer
//   edge on the rectangle's edge for a 1-pixel pen) and fills the inside with the brush when the
//   brush style is solid; with a clear brush the inside is left as it is.
// - MoveTo sets the current point; LineTo draws from it to the given point with the pen, leaving
//   out the end point, and makes that point current.
// - TextOut draws with a transparent background; (x, y) is the top-left corner of the text's
//   cell (not its baseline). TextExtent's height is the cell height (ascent + descent) and its
//   width the advance of the whole text, in the current font.
// - Fonts are given in whole points; the canvas turns points into pixels with its own font
//   resolution FontPpi() (P): pixels = points * P / 72. A point size of 0 or less is drawn at
//   1 pixel high. The face name is the design's (it may be a Windows name such as
//   "ＭＳ Ｐゴシック"; the canvas resolves it to an installed face).
// - StretchPicture draws the whole bitmap scaled into the rectangle with smooth scaling; an empty
//   rectangle draws nothing. StretchPictureClipped draws it so, but only where it falls inside
//   `clip` (a picture that fills its box, cropped).
// - Chord draws the part of the ellipse inscribed in the rectangle that the chord from
//   startDegrees over spanDegrees cuts off (degrees counter-clockwise from 3 o'clock; a span of
//   360 is the whole ellipse), outlined with the pen and filled with the brush when the brush
//   style is solid. Its edges are smoothed.
// - State (brush, pen, font) persists between calls and is the caller's business; a fresh canvas
//   has a black 1-pixel pen, a white solid brush and a black font of the default face.
// Colours are 0x00BBGGRR, red in the low byte.
#include <cstdint>
#include <string>

#include "render/Bitmap.h"

namespace orv {

using CanvasColor = int32_t;  // 0x00BBGGRR

struct Rect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const Rect&) const = default;
};

struct TextSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const TextSize&) const = default;
};

enum class BrushStyle { Solid, Clear };

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void SetBrushColor(CanvasColor color) = 0;
    virtual void SetBrushStyle(BrushStyle style) = 0;
    virtual void SetPenColor(CanvasColor color) = 0;
    virtual void SetPenWidth(int width) = 0;

    virtual void SetFontName(const std::string& face) = 0;
    virtual void SetFontSize(int points) = 0;
    virtual void SetFontStyle(bool bold, bool italic) = 0;
    virtual void SetFontColor(CanvasColor color) = 0;

    virtual void FillRect(const Rect& rect) = 0;
    virtual void Rectangle(const Rect& rect) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    virtual TextSize TextExtent(const std::string& text) = 0;
    virtual void StretchPicture(const Rect& dest, const Bitmap& picture) = 0;
    virtual void StretchPictureClipped(const Rect& dest, const Bitmap& picture,
                                       const Rect& clip) = 0;
    virtual void Chord(const Rect& rect, int startDegrees, int spanDegrees) = 0;

    // Pixels per inch with which the canvas turns font points into pixels (P).
    virtual int FontPpi() const = 0;
};

}  // namespace orv
