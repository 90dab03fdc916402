// The open-picture dialog previews the selected file with its pixel size.
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "AppTests.h"
#include "app/PictureFileDialog.h"
#include "app/WindowDialogs.h"
#include "output/PictureFormats.h"

namespace orv::test {

class PicturePreviewTest : public QObject {
    Q_OBJECT
  private slots:
    void TheChosenPictureShowsWithItsSize() {
        QTemporaryDir dir;
        const QString png = dir.filePath("wide.png");
        QImage picture(30, 20, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(png, "PNG"));
        const QString notPicture = dir.filePath("note.png");
        QFile note(notPicture);
        QVERIFY(note.open(QIODevice::WriteOnly));
        note.write("no picture");
        note.close();

        // The window's dialog, as the picture button opens it.
        QString shownSize;
        bool previewed = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<PictureFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            shownSize = dialog->SizeLabel()->text();
            previewed = !dialog->Preview()->pixmap().isNull();
            dialog->reject();
        });
        QtWindowDialogs dialogs;
        const QString filter = QString::fromStdString(StandardPictureFormats().DialogFilter());
        QCOMPARE(dialogs.OpenPictureFileName(nullptr, filter, png), QString());
        QCOMPARE(shownSize, QString("30 × 20 ピクセル"));
        QVERIFY(previewed);

        PictureFileDialog dialog(nullptr, filter, QString());
        dialog.ShowPreview(png);
        const QImage shown = dialog.Preview()->pixmap().toImage();
        QCOMPARE(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::red));
        QVERIFY(shown.width() > shown.height());
        dialog.ShowPreview(notPicture);
        QVERIFY(dialog.Preview()->pixmap().isNull());
        QCOMPARE(dialog.SizeLabel()->text(), QString("表示できません"));
    }
};

ORV_REGISTER_TEST(PicturePreviewTest);

}  // namespace orv::test

#include "PicturePreviewTest.moc"
