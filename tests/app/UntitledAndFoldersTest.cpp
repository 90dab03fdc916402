// A design without a file is still the user's work: 「無題」 in the title, asked about before it is
// lost, saved under a name given then. File dialogs start where the user last was for their kind
// of file, else in the Documents or Pictures folder, never beside the program.
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTest>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/basic/BasicTab.h"
#include "ui_BasicTab.h"
#include "ui_MainWindow.h"

namespace orv::test {

class UntitledAndFoldersTest : public QObject {
    Q_OBJECT
  private slots:
    void AnUntitledDesignIsMarkedAskedAboutAndSavedUnderTheNameGiven() {
        WindowFiles files;
        TestWindow w(files);
        QVERIFY(!w.window->isWindowModified());
        w.window->Basic().Controls().chkWaku->click();
        QCoreApplication::processEvents();
        QVERIFY(w.window->isWindowModified());
        QCOMPARE(w.window->windowTitle(), QString("無題[*] - Orvalinden"));

        // Quitting asks; cancelling the name keeps the window open.
        w.dialogs.saveChangesAnswers = {SaveAnswer::Save};
        w.window->close();
        QVERIFY(w.window->isVisible());
        QCOMPARE(w.dialogs.saveQuestions, QStringList({"無題"}));
        // Saved, it takes its name.
        w.dialogs.saveChangesAnswers = {SaveAnswer::Save};
        w.dialogs.saveAnswers.push_back(files.Path("family.sav"));
        w.window->close();
        QVERIFY(!w.window->isVisible());
        QVERIFY(QFile::exists(files.Path("family.sav")));
        QVERIFY(w.dialogs.saveInitialFiles.last().endsWith("/カレンダー.sav"));
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void DialogsStartInTheLastFolderOfTheirKindElseInDocumentsOrPictures() {
        WindowFiles files;
        TestWindow w(files);
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString expected = QFileInfo(documents).isDir() ? documents : QDir::homePath();
        w.window->mnuFileOpenClick();
        QCOMPARE(w.dialogs.openInitialFiles.last(), expected);
        QVERIFY(w.dialogs.openInitialFiles.last() != QCoreApplication::applicationDirPath());

        // A picture from a folder of its own: the next picture starts there, designs do not.
        QDir().mkpath(files.Path("photos"));
        QImage(8, 8, QImage::Format_RGB32).save(files.Path("photos/a.png"));
        w.dialogs.openAnswers.push_back(files.Path("photos/a.png"));
        QVERIFY(w.window->ChoosePicture(w.window->Basic().Controls().txtPicFile));
        w.window->Basic().Controls().txtPicFile->clear();
        w.window->ChoosePicture(w.window->Basic().Controls().txtPicFile);
        QCOMPARE(w.dialogs.openInitialFiles.last(), files.Path("photos"));
        w.window->mnuFileOpenClick();
        QCOMPARE(w.dialogs.openInitialFiles.last(), expected);

        // Saved in a folder, the next save suggests the design's own name there.
        QDir().mkpath(files.Path("designs"));
        w.dialogs.saveAnswers.push_back(files.Path("designs/wall.sav"));
        w.window->mnuFileSaveClick();
        w.window->mnuFileSaveClick();
        QCOMPARE(w.dialogs.saveInitialFiles.last(), files.Path("designs/wall.sav"));
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }
};

ORV_REGISTER_TEST(UntitledAndFoldersTest);

}  // namespace orv::test

#include "UntitledAndFoldersTest.moc"
