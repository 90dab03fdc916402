#include "UiHelpers.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTreeWidget>

namespace orv {

void AutoSizeColumns(QTreeWidget* list, bool useHeader) {
    QHeaderView* header = list->header();
    for (int column = 0; column < list->columnCount(); ++column) {
        // The view's own sizing counts the header text while the header shows.
        list->resizeColumnToContents(column);
        int width = header->sectionSize(column);
        if (useHeader) width = std::max(width, header->sectionSizeHint(column));
        header->resizeSection(column, std::max(width, header->minimumSectionSize()));
    }
}

void SetCursorAll(QWidget* window, Qt::CursorShape cursor) {
    const auto apply = [cursor](QWidget* widget) {
        if (cursor == Qt::ArrowCursor) {
            widget->unsetCursor();
        } else {
            widget->setCursor(cursor);
        }
    };
    apply(window);
    for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) apply(child);
}

void DoEvents() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace orv
