// The version dialog and the window carry the program's own icon.
#include <QLabel>
#include <QTest>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "tools/ProgramIcon.h"

namespace orv::test {

class ProgramIconTest : public QObject {
    Q_OBJECT
  private slots:
    void VersionDialogAndWindowShowTheLauncherIcon() {
        const QImage icon = ProgramIcon().pixmap(48).toImage();
        QVERIFY(!icon.isNull());
        // Drawn, not an empty square: the middle of the icon is painted.
        QVERIFY(qAlpha(icon.pixel(24, 24)) > 0);

        WindowFiles files;
        TestWindow w(files);
        QCOMPARE(w.window->windowIcon().pixmap(48).toImage(), icon);
        w.window->mnuAboutClick();
        QCOMPARE(w.dialogs.shownDialogs.size(), size_t{1});
        auto* label = w.dialogs.shownDialogs[0]->findChild<QLabel*>("ProgramIcon");
        QVERIFY(label != nullptr);
        QCOMPARE(label->pixmap().toImage(), icon);
    }
};

ORV_REGISTER_TEST(ProgramIconTest);

}  // namespace orv::test

#include "ProgramIconTest.moc"
