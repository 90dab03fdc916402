#include "widgets/FontItemPainter.h"

#include <QPainter>

namespace orv {

namespace {

constexpr int kIconColumn = 20;
constexpr int kMargin = 2;

// Two overlapping "T"s, the second in front, in a 14 x 11 box.
void PaintTrueTypeIcon(QPainter& painter, QPoint origin) {
    const auto letter = [&](QPoint at, const QColor& color) {
        painter.fillRect(QRect(at.x(), at.y(), 9, 2), color);
        painter.fillRect(QRect(at.x() + 3, at.y(), 3, 8), color);
        painter.fillRect(QRect(at.x() + 2, at.y() + 7, 5, 1), color);
    };
    letter(origin, QColor(128, 128, 128));
    letter(origin + QPoint(5, 3), QColor(0, 0, 128));
}

// A small printer, in a 14 x 11 box.
void PaintDeviceIcon(QPainter& painter, QPoint origin) {
    painter.fillRect(QRect(origin.x() + 3, origin.y(), 8, 5), Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(QRect(origin.x() + 3, origin.y(), 7, 4));
    painter.fillRect(QRect(origin.x(), origin.y() + 4, 14, 6), QColor(128, 128, 128));
    painter.fillRect(QRect(origin.x() + 2, origin.y() + 8, 10, 2), Qt::black);
    painter.fillRect(QRect(origin.x() + 11, origin.y() + 5, 2, 1), QColor(0, 192, 0));
}

}  // namespace

QFont FaceFont(const QString& family, const QFont& base) {
    QFont font(base);
    font.setFamilies({family});
    return font;
}

int FontItemTextIndent(const FontItemLook& look) {
    return look.iconVisible ? kIconColumn : kMargin;
}

void PaintFontItem(QPainter& painter, const QRect& rect, const QString& family,
                   TFontNameFilters attributes, bool onPrinter, const QFont& base,
                   const QPalette& palette, const FontItemLook& look, const FontItemState& state) {
    painter.save();
    painter.setClipRect(rect);
    const QPalette::ColorGroup group = state.enabled ? QPalette::Active : QPalette::Disabled;
    if (state.fill) {
        painter.fillRect(
            rect, palette.color(group, state.selected ? QPalette::Highlight : QPalette::Base));
    }
    if (look.iconVisible) {
        const bool trueType = attributes.testFlag(fnfTrueType);
        const bool printer = onPrinter && (!trueType || look.iconPriority == fipPrinter);
        const QPoint origin(rect.left() + 3, rect.top() + (rect.height() - 11) / 2);
        if (printer) {
            PaintDeviceIcon(painter, origin);
        } else if (trueType) {
            PaintTrueTypeIcon(painter, origin);
        }
    }
    painter.setFont(look.textFontFace ? FaceFont(family, base) : base);
    QPalette::ColorRole text = QPalette::Text;
    if (state.selected) text = QPalette::HighlightedText;
    if (!state.fill) text = QPalette::ButtonText;
    painter.setPen(palette.color(group, text));
    const QRect textRect = rect.adjusted(FontItemTextIndent(look), 0, 0, 0);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, family);
    painter.restore();
}

}  // namespace orv
