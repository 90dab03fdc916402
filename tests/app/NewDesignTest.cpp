// What a design started in the window holds.
#include <QTest>

#include "AppTests.h"
#include "WindowTestSupport.h"

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
};

ORV_REGISTER_TEST(NewDesignTest);

}  // namespace orv::test

#include "NewDesignTest.moc"
