// The start size shows every control of the tabs, and stays inside a small screen.
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "ui_MainWindow.h"

namespace orv::test {

namespace {

bool ShowsWhole(QWidget* window, QWidget* control) {
    const QRect place(control->mapTo(window, QPoint(0, 0)), control->size());
    return control->isVisible() && window->rect().contains(place);
}

}  // namespace

class StartSizeTest : public QObject {
    Q_OBJECT
  private slots:
    void EveryTabShowsUncutAndTheFirstWithoutScrolling() {
        WindowFiles files;
        TestWindow w(files);
        QVERIFY(w.window->width() >= 800);
        QVERIFY(w.window->height() >= 614);
        auto& tabs = *w.window->Controls().PageControl1;
        for (int i = 0; i < tabs.count(); ++i) {
            tabs.setCurrentIndex(i);
            QApplication::processEvents();
            auto* sheet = static_cast<QScrollArea*>(tabs.currentWidget());
            QWidget* page = sheet->widget();
            QVERIFY2(page->width() >= page->minimumSizeHint().width(), qPrintable(tabs.tabText(i)));
            if (i == 0) QCOMPARE(sheet->verticalScrollBar()->maximum(), 0);
        }
    }

    void OnASmallScreenTheWindowFitsWithZoomAndPrintShowing() {
        WindowFiles files;
        TestWindow w(files);
        // A 1600 × 1000 screen at twice the scale, less a panel.
        const QSize screen(800, 470);
        w.window->FitToScreen(screen);
        QApplication::processEvents();
        QVERIFY(w.window->width() <= screen.width());
        QVERIFY(w.window->height() <= screen.height());
        QVERIFY(ShowsWhole(w.window.get(), w.window->Controls().cboZoom));
        QVERIFY(ShowsWhole(w.window.get(), w.window->Controls().cmdPrint));
    }
};

ORV_REGISTER_TEST(StartSizeTest);

}  // namespace orv::test

#include "StartSizeTest.moc"
