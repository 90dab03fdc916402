// The preview's zoom as a desktop user works it (keys from the fitted zoom, the status bar, Ctrl
// and the wheel over the sheet) and the window's size, place and splitter kept between starts.
#include <QAction>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSplitter>
#include <QTest>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/basic/BasicTab.h"
#include "ui_BasicTab.h"
#include "ui_MainWindow.h"

namespace orv::test {

class ZoomAndPlaceTest : public QObject {
    Q_OBJECT

    static void ShowA3(TestWindow& w) {
        auto& basic = w.window->Basic().Controls();
        basic.cboCalSize->setCurrentIndex(basic.cboCalSize->findText("A3縦"));
        w.window->Basic().cboCalSizeChange();
    }

  private slots:
    void ZoomKeysStepFromTheZoomThatShowsAndTheStatusBarFollows() {
        WindowFiles files;
        TestWindow w(files);
        ShowA3(w);
        auto* zoom = w.window->Controls().cboZoom;
        auto* label = w.window->findChild<QLabel*>("lblZoom");
        auto* slider = w.window->findChild<QSlider*>("sldZoom");
        QVERIFY(label != nullptr && slider != nullptr);
        w.window->ZoomToFit();
        const int fitted = w.window->Zoom();
        QVERIFY(fitted % 10 != 0);  // between two entries
        QCOMPARE(label->text(), QString("%1%").arg(fitted));
        QCOMPARE(slider->value(), fitted);

        QTest::keyClick(w.window.get(), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(w.window->Zoom(), (fitted / 10 + 1) * 10);
        w.window->ZoomToFit();
        QTest::keyClick(w.window.get(), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(w.window->Zoom(), fitted / 10 * 10);
        QTest::keyClick(w.window.get(), Qt::Key_1, Qt::ControlModifier);
        QCOMPARE(zoom->currentText(), QString("100%"));
        QCOMPARE(label->text(), QString("100%"));

        // The slider picks the list's entries.
        slider->setValue(148);
        QCOMPARE(zoom->currentText(), QString("150%"));
        QCOMPARE(w.window->Zoom(), 150);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void CtrlAndTheWheelZoomAroundThePointer() {
        WindowFiles files;
        TestWindow w(files);
        ShowA3(w);
        QWidget* viewport = w.window->Controls().ScrollBox1->viewport();
        QWidget* box = w.window->Controls().PaintBox1;
        const QPoint pointer(viewport->width() / 3, viewport->height() / 2);
        const QPointF before = QPointF(box->mapFrom(viewport, pointer)) / w.window->Zoom();
        QWheelEvent wheel(pointer, viewport->mapToGlobal(pointer), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &wheel);  // where it arrives past the sheet
        QCOMPARE(w.window->Zoom(), 110);
        // The same millimetre of the sheet, within a pixel, is still under the pointer.
        const QPointF after = QPointF(box->mapFrom(viewport, pointer)) / w.window->Zoom();
        QVERIFY2(std::abs(after.x() - before.x()) * 110 <= 1.5 &&
                     std::abs(after.y() - before.y()) * 110 <= 1.5,
                 qPrintable(QString("%1,%2 -> %3,%4")
                                .arg(before.x())
                                .arg(before.y())
                                .arg(after.x())
                                .arg(after.y())));
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void TheWindowsSizePlaceAndSplitterAreKeptBetweenStarts() {
        WindowFiles files;
        QList<int> panel;
        QSize size;
        {
            TestWindow w(files);
            w.window->resize(1100, 760);
            auto* splitter = w.window->findChild<QSplitter*>("splitter");
            QVERIFY(splitter != nullptr);
            QList<int> sizes = splitter->sizes();
            sizes[0] -= 120;
            sizes[1] += 120;
            splitter->setSizes(sizes);
            panel = splitter->sizes();
            size = w.window->size();
            w.Close();
        }
        TestWindow again(files);
        QCOMPARE(again.window->size(), size);
        QCOMPARE(again.window->findChild<QSplitter*>("splitter")->sizes(), panel);
        ORV_NO_UNEXPECTED_MESSAGES(again.log);
    }
};

ORV_REGISTER_TEST(ZoomAndPlaceTest);

}  // namespace orv::test

#include "ZoomAndPlaceTest.moc"
