#include "output/CutGuides.h"

#include <QPen>

namespace orv {

void DrawCutGuides(QPainter& painter, const PlacedLayout& layout, int ppi) {
    const double px = ppi / 25.4;
    const double scale = layout.Zoom / 100.0;
    const double safe = kCutSafeMm * scale * px;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    QPen trim(QColor(0, 160, 220), 1, Qt::DashLine);
    QPen inside(QColor(230, 60, 140), 1, Qt::DotLine);
    trim.setCosmetic(true);
    inside.setCosmetic(true);
    for (const PlacedCalendar& calendar : layout.Calendars) {
        const QRectF sheet(calendar.Origin.X * px, calendar.Origin.Y * px,
                           layout.SizeX * scale * px, layout.SizeY * scale * px);
        painter.setPen(trim);
        painter.drawRect(sheet.adjusted(0, 0, -1, -1));
        if (sheet.width() > 2 * safe && sheet.height() > 2 * safe) {
            painter.setPen(inside);
            painter.drawRect(sheet.adjusted(safe, safe, -safe - 1, -safe - 1));
        }
    }
    painter.restore();
}

}  // namespace orv
