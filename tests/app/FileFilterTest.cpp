// Windows-style dialog filters turned into Qt's, and the extension a chosen filter gives.
#include <QTest>

#include "AppTests.h"
#include "FileFilter.h"

namespace orv::test {

class FileFilterTest : public QObject {
    Q_OBJECT
  private slots:
    void WindowsFiltersBecomeQtFilters() {
        QCOMPARE(QtFileFilter("ｾｰﾌﾞﾌｧｲﾙ(*.sav)|*.sav|すべてのﾌｧｲﾙ(*.*)|*.*"),
                 QString("ｾｰﾌﾞﾌｧｲﾙ(*.sav);;すべてのﾌｧｲﾙ(*)"));
        // A trailing bar and several patterns per entry.
        QCOMPARE(QtFileFilter("PNGﾌｧｲﾙ(*.png)|*.png|画像|*.jpg;*.jpeg|"),
                 QString("PNGﾌｧｲﾙ(*.png);;画像(*.jpg *.jpeg)"));
    }

    void ANameWithoutExtensionTakesTheChosenFiltersOne() {
        QCOMPARE(WithFilterExtension("/tmp/cal", "PNGﾌｧｲﾙ(*.png)"), QString("/tmp/cal.png"));
        QCOMPARE(WithFilterExtension("/tmp/cal", "ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp)"), QString("/tmp/cal.bmp"));
        QCOMPARE(WithFilterExtension("/tmp/cal.PNG", "ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp)"),
                 QString("/tmp/cal.PNG"));
        QCOMPARE(WithFilterExtension("/tmp/cal", "すべてのﾌｧｲﾙ(*)"), QString("/tmp/cal"));
        QCOMPARE(WithFilterExtension("/tmp/cal", "画像(*.jpg *.jpeg)"), QString("/tmp/cal"));
        QCOMPARE(WithFilterExtension("/tmp.d/cal", "PNGﾌｧｲﾙ(*.png)"), QString("/tmp.d/cal.png"));
    }
};

ORV_REGISTER_TEST(FileFilterTest);

}  // namespace orv::test

#include "FileFilterTest.moc"
