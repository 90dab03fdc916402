// The preview decodes a picture once per file and keeps it across entries and repaints.
#include <QImage>
#include <QTest>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/basic/BasicTab.h"
#include "app/imposition/ImpositionTab.h"
#include "ui_BasicTab.h"
#include "ui_ImpositionTab.h"
#include "ui_MainWindow.h"

namespace orv::test {

namespace {

void Repaint(TfrmMain& window) {
    QWidget* box = window.Controls().PaintBox1;
    QImage image(box->size(), QImage::Format_RGB32);
    box->render(&image);
}

void WritePhoto(const QString& path, int width, int height) {
    QImage photo(width, height, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    QVERIFY(photo.save(path, "JPEG"));
}

}  // namespace

class PictureCacheTest : public QObject {
    Q_OBJECT
  private slots:
    void ThePictureIsDecodedOnceUntilFileZoomOrSettingChanges() {
        WindowFiles files;
        TestWindow w(files);
        const QString photo = files.Path("photo.jpg");
        WritePhoto(photo, 400, 300);
        TData design = NewDesign();
        design.PictureFile = photo.toStdString();
        design.Print = 1;
        for (int k = 1; k <= 3; ++k) design.Matrixs.Add().Number = k;
        SaveDesign(design, files.Path("imposed.sav"));
        w.dialogs.openAnswers.push_back(files.Path("imposed.sav"));
        w.window->mnuFileOpenClick();

        Repaint(*w.window);
        const auto first = w.window->State().PictureBitmap;
        QVERIFY(first != nullptr);
        w.window->Basic().Controls().chkWaku->click();
        Repaint(*w.window);
        QCOMPARE(w.window->State().PictureBitmap, first);

        auto* zoom = w.window->Controls().cboZoom;
        zoom->setCurrentIndex(zoom->findText("50%"));
        w.window->cboZoomClick();
        Repaint(*w.window);
        QVERIFY(w.window->State().PictureBitmap != first);

        // The file replaced on disk is decoded again, though nothing else changed.
        QTest::qWait(20);
        WritePhoto(photo, 200, 100);
        Repaint(*w.window);
        const auto replaced = w.window->State().PictureBitmap;
        QCOMPARE(replaced->Width, 200);

        auto* file = w.window->Basic().Controls().txtPicFile;
        file->clear();
        file->setText(photo);
        Repaint(*w.window);
        QVERIFY(w.window->State().PictureBitmap != replaced);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }
};

ORV_REGISTER_TEST(PictureCacheTest);

}  // namespace orv::test

#include "PictureCacheTest.moc"
