// The year and month steps by keyboard; no invisible stop in the tab order.
#include <QScrollArea>
#include <QTest>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/basic/BasicTab.h"
#include "ui_BasicTab.h"
#include "ui_MainWindow.h"

namespace orv::test {

class KeyboardTest : public QObject {
    Q_OBJECT
  private slots:
    void TabReachesTheYearAndMonthArrowsAndNoScrollArea() {
        WindowFiles files;
        TestWindow w(files);
        auto& basic = w.window->Basic().Controls();
        w.window->Controls().PageControl1->setFocus(Qt::TabFocusReason);
        QList<QWidget*> stops;
        for (int i = 0; i < 80; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus != nullptr);
            QVERIFY2(qobject_cast<QScrollArea*>(focus) == nullptr ||
                         focus == w.window->Controls().ScrollBox1,
                     qPrintable(focus->objectName()));
            QVERIFY2(focus->isVisible(), qPrintable(focus->objectName()));
            stops << focus;
        }
        QVERIFY(stops.contains(basic.spinYear));
        QVERIFY(stops.contains(basic.spinMonth));
    }

    void ArrowKeysStepTheYearAndTheMonth() {
        WindowFiles files;
        TestWindow w(files);
        auto& basic = w.window->Basic().Controls();
        w.window->Basic().SetYearMonth(2026, 12);
        basic.spinMonth->setFocus(Qt::TabFocusReason);
        QTest::keyClick(basic.spinMonth, Qt::Key_Up);
        QCOMPARE(basic.lblYear->text(), QString("2027年"));
        QCOMPARE(basic.lblMonth->text(), QString("1月"));
        basic.spinYear->setFocus(Qt::TabFocusReason);
        QTest::keyClick(basic.spinYear, Qt::Key_Down);
        QCOMPARE(basic.lblYear->text(), QString("2026年"));
        QCOMPARE(w.Design().Year, 2026);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }
};

ORV_REGISTER_TEST(KeyboardTest);

}  // namespace orv::test

#include "KeyboardTest.moc"
