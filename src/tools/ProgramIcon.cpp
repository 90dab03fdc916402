#include "tools/ProgramIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace orv {

QIcon ProgramIcon() {
    // Drawn here at the sizes desktops ask for, so that no image plug-in has to be present.
    QSvgRenderer renderer(QStringLiteral(":/icons/org.orvalinden.Orvalinden.svg"));
    QIcon icon;
    if (!renderer.isValid()) return icon;
    for (const int size : {16, 24, 32, 48, 64, 96, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace orv
