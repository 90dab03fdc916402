#include "app/UiHelpers.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
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

namespace {

class WheelGuard : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel) return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->hasFocus()) return false;
        // Not taken here and left unaccepted: the wheel goes on to the scrolling page.
        event->ignore();
        return true;
    }
};

}  // namespace

void GuardWheel(QWidget* root) {
    auto* guard = new WheelGuard(root);
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (qobject_cast<QComboBox*>(widget) == nullptr &&
            qobject_cast<QAbstractSpinBox*>(widget) == nullptr &&
            qobject_cast<QAbstractSlider*>(widget) == nullptr) {
            continue;
        }
        // Scroll bars scroll; they are what the wheel is for.
        if (widget->inherits("QScrollBar")) continue;
        // A wheel turn no longer gives focus, so that scrolling past never changes anything.
        if (widget->focusPolicy() == Qt::WheelFocus) widget->setFocusPolicy(Qt::StrongFocus);
        widget->installEventFilter(guard);
    }
}

}  // namespace orv
