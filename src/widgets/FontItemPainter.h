#pragma once
// How one family of the font picker is drawn, in its popup list and in its closed field.
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>

#include "widgets/FontNameFilter.h"

class QPainter;

namespace orv {

// Which icon a family that is both TrueType and offered by the printer shows.
enum TFontIconPriority { fipTrueType, fipPrinter };

struct FontItemLook {
    bool textFontFace = true;  // the name drawn in its own face
    bool iconVisible = true;   // icon column of 20 pixels before the name
    TFontIconPriority iconPriority = fipTrueType;
};

struct FontItemState {
    bool selected = false;
    bool enabled = true;
    bool fill = true;  // false draws over what is there (the combo's own field)
};

// `base` in the face of `family`; a Windows face name draws in its registered substitute.
QFont FaceFont(const QString& family, const QFont& base);

// Left edge of the name inside an item: past the icon column, or a small margin.
int FontItemTextIndent(const FontItemLook& look);

void PaintFontItem(QPainter& painter, const QRect& rect, const QString& family,
                   TFontNameFilters attributes, bool onPrinter, const QFont& base,
                   const QPalette& palette, const FontItemLook& look, const FontItemState& state);

}  // namespace orv
