// What a design started in the window holds.
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QTest>
#include <set>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/templates/TemplateGallery.h"
#include "model/CivilDate.h"

namespace orv::test {

class NewDesignTest : public QObject {
    Q_OBJECT
  private slots:
    void ANewDesignIsSavedWith300Dpi() {
        WindowFiles files;
        TestWindow w(files);
        w.dialogs.saveAnswers.push_back(files.Path("new.sav"));
        w.window->mnuFileSaveClick();
        TData saved;
        QVERIFY(saved.LoadFromFile(files.Path("new.sav").toStdString(), w.log));
        QCOMPARE(saved.PicSaveDPI, 300);
        QFile file(files.Path("new.sav"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("PicSaveDPI=300\r\n"));
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void NewOffersTheTemplatesAsThumbnailsAndOpensOneUnnamed() {
        WindowFiles files;
        TestWindow w(files);
        // One of the user's own beside the installed ones.
        QDir().mkpath(files.Path("templates"));
        TData own = NewDesign();
        own.SizeX = 121;
        own.SizeY = 121;
        SaveDesign(own, files.Path("templates/わが家.sav"));

        w.window->mnuFileNewClick();
        TfrmTemplates& gallery = w.window->TemplatesDialog();
        QCOMPARE(w.dialogs.shownDialogs.back(), &gallery);
        QListWidget* list = gallery.List();
        QStringList titles;
        std::set<qint64> thumbnails;
        for (int row = 0; row < list->count(); ++row) {
            titles << list->item(row)->text();
            const QImage icon = list->item(row)->icon().pixmap(160, 160).toImage();
            QVERIFY2(!icon.isNull(), qPrintable(titles.last()));
            thumbnails.insert(icon.cacheKey() ^
                              qHash(QByteArray(reinterpret_cast<const char*>(icon.constBits()),
                                               icon.sizeInBytes())));
        }
        QCOMPARE(titles, QStringList({"白紙", "A4写真カレンダー", "A4六曜と旧暦", "ハガキ卓上",
                                      "CDケース", "A4年間カレンダー", "A3書き込み", "4月始まり年度",
                                      "月曜始まり", "わが家"}));
        QCOMPARE(thumbnails.size(), size_t(list->count()));  // each drawn from its own sheet
        QCOMPARE(gallery.ChosenPath(), std::string());

        // Cancelled, the design stays.
        const QStringList before = DesignLines(w.Design());
        gallery.reject();
        QCOMPARE(DesignLines(w.Design()), before);

        // The school year opens unnamed, in the coming April, unchanged and without history.
        w.window->mnuFileNewClick();
        list->setCurrentRow(titles.indexOf("4月始まり年度"));
        gallery.accept();
        const CivilDate today = Today();
        QCOMPARE(w.Design().Month, 4);
        QCOMPARE(w.Design().Year, today.Month <= 4 ? today.Year : today.Year + 1);
        QCOMPARE(w.Design().PluralEnabled, 1);
        QCOMPARE(w.window->windowTitle(), QString("無題[*] - Orvalinden"));
        QVERIFY(!w.window->isWindowModified());

        // The photo calendar finds its picture beside the template.
        w.window->mnuFileNewClick();
        list->setCurrentRow(titles.indexOf("A4写真カレンダー"));
        gallery.accept();
        QVERIFY(QFileInfo(QString::fromStdString(w.Design().PictureFile)).isFile());
        QCOMPARE(w.window->Data().PictureFrame.Fill, 1);
        QCOMPARE(w.Design().SizeX, 210);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }
};

ORV_REGISTER_TEST(NewDesignTest);

}  // namespace orv::test

#include "NewDesignTest.moc"
