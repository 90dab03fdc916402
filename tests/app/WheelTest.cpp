// The mouse wheel over a list, spin box or slider without focus scrolls the page instead.
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>
#include <QWheelEvent>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/style/StyleTab.h"
#include "ui_MainWindow.h"
#include "ui_StyleTab.h"
#include "widgets/FontNameComboBox.h"

namespace orv::test {

namespace {

void TurnWheel(QWidget* widget) {
    const QPointF inside(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent turn(inside, widget->mapToGlobal(inside), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    // As from the mouse: only such a turn goes on to the parents when the widget leaves it.
    QSpontaneKeyEvent::setSpontaneous(&turn);
    qApp->notify(widget, &turn);
}

}  // namespace

class WheelTest : public QObject {
    Q_OBJECT
  private slots:
    void TheWheelScrollsThePageUntilAControlHasFocus() {
        WindowFiles files;
        TestWindow w(files);
        w.window->resize(800, 400);
        auto& tabs = *w.window->Controls().PageControl1;
        tabs.setCurrentIndex(1);
        QApplication::processEvents();
        auto* page = static_cast<QScrollArea*>(tabs.currentWidget());
        QVERIFY(page->verticalScrollBar()->maximum() > 0);
        auto& style = w.window->Style().Controls();
        QComboBox* font = style.cboDayFontName;
        QComboBox* position = style.cboYDPosition;
        const QString face = font->currentText();
        const int row = position->currentIndex();

        TurnWheel(font);
        TurnWheel(position);
        QCOMPARE(font->currentText(), face);
        QCOMPARE(position->currentIndex(), row);
        QVERIFY(page->verticalScrollBar()->value() > 0);

        // Chosen with focus, the wheel changes the value as usual.
        position->setFocus(Qt::TabFocusReason);
        TurnWheel(position);
        QCOMPARE(position->currentIndex(), row + 1);
    }

    void NoSliderOrListTakesTheFocusByTheWheel() {
        WindowFiles files;
        TestWindow w(files);
        for (QWidget* widget : w.window->Controls().PageControl1->findChildren<QWidget*>()) {
            if (qobject_cast<QComboBox*>(widget) || qobject_cast<QSlider*>(widget)) {
                QVERIFY2(widget->focusPolicy() != Qt::WheelFocus,
                         qPrintable(widget->objectName()));
            }
        }
    }
};

ORV_REGISTER_TEST(WheelTest);

}  // namespace orv::test

#include "WheelTest.moc"
