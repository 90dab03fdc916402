// 「ページ全体」: the zoom at which the whole sheet fits the preview.
#include <QAction>
#include <QScrollArea>
#include <QTest>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/basic/BasicTab.h"
#include "ui_BasicTab.h"
#include "ui_MainWindow.h"

namespace orv::test {

namespace {

bool Fits(TfrmMain& window) {
    const QSize room = window.Controls().ScrollBox1->maximumViewportSize();
    const QSize box = window.Controls().PaintBox1->size();
    return box.width() <= room.width() && box.height() <= room.height();
}

}  // namespace

class ZoomToFitTest : public QObject {
    Q_OBJECT
  private slots:
    void CtrlZeroFitsTheSheetAndFollowsTheWindow() {
        WindowFiles files;
        TestWindow w(files);
        auto* zoom = w.window->Controls().cboZoom;
        QCOMPARE(zoom->count(), 21);
        QCOMPARE(zoom->itemText(20), QString("ページ全体"));
        auto& basic = w.window->Basic().Controls();
        basic.cboCalSize->setCurrentIndex(basic.cboCalSize->findText("A3縦"));
        w.window->Basic().cboCalSizeChange();
        QVERIFY(!Fits(*w.window));

        QTest::keyClick(w.window.get(), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(zoom->currentText(), QString("ページ全体"));
        QVERIFY(Fits(*w.window));
        const int fitted = w.window->Zoom();
        QVERIFY(fitted > 10 && fitted < 100);
        // The largest that fits: the sheet nearly fills the room one way.
        const QSize room = w.window->Controls().ScrollBox1->maximumViewportSize();
        const QSize box = w.window->Controls().PaintBox1->size();
        QVERIFY(box.width() > room.width() * 95 / 100 || box.height() > room.height() * 95 / 100);

        w.window->resize(w.window->width() + 300, w.window->height() + 300);
        QTRY_VERIFY(w.window->Zoom() > fitted);
        QVERIFY(Fits(*w.window));

        zoom->setCurrentIndex(zoom->findText("100%"));
        w.window->cboZoomClick();
        QCOMPARE(w.window->Zoom(), 100);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void AStartWithASheetTooLargeShowsItWhole() {
        WindowFiles files;
        TData a3 = NewDesign();
        a3.SizeIndex = 10;
        files.LeaveAutoSave(a3);
        TestWindow w(files);
        QCOMPARE(w.window->Controls().cboZoom->currentText(), QString("ページ全体"));
        QVERIFY(Fits(*w.window));
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }
};

ORV_REGISTER_TEST(ZoomToFitTest);

}  // namespace orv::test

#include "ZoomToFitTest.moc"
