// A picture that fills its box in the preview: dragged, its crop follows the pointer as one undo
// step; Ctrl+wheel zooms it; its resolution on paper shows beside the picture settings.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/basic/BasicTab.h"
#include "app/months/MonthPicturesDialog.h"
#include "ui_BasicTab.h"
#include "ui_MainWindow.h"

namespace orv::test {

namespace {

constexpr QRgb kTop = 0xFF20C040;     // the picture's upper half
constexpr QRgb kBottom = 0xFFC08020;  // and its lower half

struct Shown {
    QRect picture;  // where either half shows
    int top = 0;    // pixels of the upper half
};

Shown ShownPicture(TestWindow& w) {
    const QImage image = w.window->Controls().PaintBox1->grab().toImage();
    Shown shown;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (pixel != kTop && pixel != kBottom) continue;
            shown.picture |= QRect(x, y, 1, 1);
            if (pixel == kTop) ++shown.top;
        }
    }
    return shown;
}

void Mouse(QWidget* box, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, at, box->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(box, &event);
}

}  // namespace

class PictureCropTest : public QObject {
    Q_OBJECT
  private slots:
    void DraggingAFilledPictureMovesItsCropAsOneStep() {
        WindowFiles files;
        TestWindow w(files);
        QImage photo(400, 300, QImage::Format_RGB32);
        photo.fill(kBottom);
        QPainter(&photo).fillRect(0, 0, 400, 150, QColor(kTop));
        QVERIFY(photo.save(files.Path("photo.png")));
        auto& basic = w.window->Basic().Controls();
        w.dialogs.openAnswers.push_back(files.Path("photo.png"));
        basic.cmdOpenPic->click();
        basic.trackPicSize->setValue(30);
        QApplication::processEvents();
        // Whole, the 4:3 picture leaves bands in the wide box.
        const Shown whole = ShownPicture(w);
        QVERIFY(whole.picture.width() < whole.picture.height() * 16 / 10);

        basic.cboPicFit->setCurrentIndex(1);
        emit basic.cboPicFit->activated(1);
        QApplication::processEvents();
        const Shown filled = ShownPicture(w);
        QVERIFY(filled.picture.width() > whole.picture.width());
        QVERIFY(filled.picture.height() <= whole.picture.height());
        QVERIFY(qAbs(filled.top * 2 - filled.picture.width() * filled.picture.height()) <
                filled.picture.width() * 4);
        // 400 pixels over the 60 mm box: coarse on paper, and said so.
        QVERIFY2(basic.lblPicDpi->text().contains("約 169 dpi") &&
                     basic.lblPicDpi->text().contains("未満"),
                 qPrintable(basic.lblPicDpi->text()));

        // Dragged down in three moves, more of the upper half shows.
        QWidget* box = w.window->Controls().PaintBox1;
        const QPoint from = filled.picture.center();
        Mouse(box, QEvent::MouseButtonPress, from, Qt::LeftButton);
        for (int dy : {10, 20, 30}) {
            Mouse(box, QEvent::MouseMove, from + QPoint(0, dy), Qt::LeftButton);
            QApplication::processEvents();
        }
        Mouse(box, QEvent::MouseButtonRelease, from + QPoint(0, 30), Qt::NoButton);
        QApplication::processEvents();
        const Shown dragged = ShownPicture(w);
        QCOMPARE(dragged.picture, filled.picture);
        QVERIFY(dragged.top > filled.top + filled.picture.width() * 25);
        const PictureFraming moved = w.window->Data().PictureFrame;
        QVERIFY(moved.FocusY < 400);
        QCOMPARE(moved.FocusX, 500);

        // One step back gives the centred crop, the next the whole picture.
        auto* undo = w.window->findChild<QAction*>("mnuUndo");
        QCOMPARE(undo->text(), QString("元に戻す(&U): 画像の変更"));
        undo->trigger();
        QApplication::processEvents();
        QCOMPARE(w.window->Data().PictureFrame, (PictureFraming{1, 500, 500, 100}));
        QCOMPARE(ShownPicture(w).top, filled.top);
        undo->trigger();
        QApplication::processEvents();
        QCOMPARE(basic.cboPicFit->currentIndex(), 0);
        QVERIFY(w.window->Data().PictureFrame.IsDefault());
        auto* redo = w.window->findChild<QAction*>("mnuRedo");
        redo->trigger();
        redo->trigger();
        QApplication::processEvents();
        QCOMPARE(w.window->Data().PictureFrame, moved);

        // Ctrl+wheel zooms the crop, a notch a tenth; 中央に戻す centres it again.
        QWheelEvent wheel(from, box->mapToGlobal(from), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(box, &wheel);
        QApplication::processEvents();
        QCOMPARE(w.window->Data().PictureFrame.Zoom, 110);
        QCOMPARE(w.window->Zoom(), 100);  // the preview's own zoom stays
        basic.cmdPicFitReset->click();
        QApplication::processEvents();
        QCOMPARE(w.window->Data().PictureFrame, (PictureFraming{1, 500, 500, 100}));

        // Each month's picture has its own fit and its resolution in that box.
        basic.cmdMonthPictures->click();
        TfrmMonthPictures& months = w.window->MonthPicturesDialog();
        months.FileEdit(w.window->Data().Month)->setText(files.Path("photo.png"));
        months.FitList(w.window->Data().Month)->setCurrentIndex(1);
        months.accept();
        QApplication::processEvents();
        QCOMPARE(w.window->Data().MonthPicture.Frame(w.window->Data().Month).Fill, 1);
        QVERIFY(
            basic.lblPicDpi->text().startsWith(QString("%1月の画像").arg(w.window->Data().Month)));
        basic.cmdMonthPictures->click();
        QCOMPARE(months.DpiLabel(w.window->Data().Month)->text(), QString("169 dpi"));
        months.reject();
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }
};

ORV_REGISTER_TEST(PictureCropTest);

}  // namespace orv::test

#include "PictureCropTest.moc"
