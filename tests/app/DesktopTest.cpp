// What a Linux desktop user expects of the window: shortcuts in the menus, the file name and
// unsaved mark in the title with the question before changes are lost, recent files, and files
// dropped on it.
#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QScrollArea>
#include <QTest>
#include <QUrl>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/basic/BasicTab.h"
#include "app/style/StyleTab.h"
#include "ui_BasicTab.h"
#include "ui_MainWindow.h"
#include "ui_StyleTab.h"

namespace orv::test {

namespace {

QAction* Action(TestWindow& w, const char* name) {
    return w.window->findChild<QAction*>(QString::fromLatin1(name));
}

void Edit(TestWindow& w) {
    w.window->Basic().Controls().chkWaku->click();
    QApplication::processEvents();
}

// The frame setting of a design file, the one `Edit` turns.
int SavedFrame(TestWindow& w, const QString& path) {
    TData saved;
    if (!saved.LoadFromFile(path.toStdString(), w.log)) return -1;
    return saved.Frame;
}

QStringList RecentEntries(TestWindow& w) {
    auto* menu = w.window->findChild<QMenu*>(QStringLiteral("mnuRecent"));
    emit w.window->Controls().mnuFile->aboutToShow();
    QStringList names;
    for (QAction* entry : menu->actions()) {
        if (!entry->statusTip().isEmpty()) names << entry->statusTip();
    }
    return names;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Drags a file over the window and drops it; whether the window took it.
bool Drop(TestWindow& w, const QString& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at = w.window->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.window.get(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.window.get(), &drop);
    return drop.isAccepted();
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void ShortcutsAreShownAndAct() {
        WindowFiles files;
        TestWindow w(files);
        const QList<std::pair<const char*, QString>> expected{
            {"mnuFileOpen", "Ctrl+O"},       {"mnuFileOverwrite", "Ctrl+S"},
            {"mnuFileSave", "Ctrl+Shift+S"}, {"mnuPrint", "Ctrl+P"},
            {"mnuPicSave", "Ctrl+E"},        {"mnuFileExit", "Ctrl+Q"},
            {"mnuUndo", "Ctrl+Z"},           {"mnuRedo", "Ctrl+Shift+Z"},
            {"mnuZoomIn", "Ctrl++"},         {"mnuZoomOut", "Ctrl+-"},
            {"mnuZoomFit", "Ctrl+0"}};
        for (const auto& [name, keys] : expected) {
            QAction* action = Action(w, name);
            QVERIFY2(action != nullptr, name);
            QCOMPARE(action->shortcut().toString(), keys);
            // In a menu, where the shortcut is shown beside the entry.
            QVERIFY2(!action->associatedObjects().isEmpty(), name);
        }

        QComboBox* zoom = w.window->Controls().cboZoom;
        QTest::keySequence(w.window.get(), QKeySequence("Ctrl++"));
        QCOMPARE(zoom->currentText(), QString("110%"));
        QTest::keySequence(w.window.get(), QKeySequence("Ctrl+-"));
        QTest::keySequence(w.window.get(), QKeySequence("Ctrl+-"));
        QCOMPARE(zoom->currentText(), QString("90%"));
        // The whole sheet in the view.
        auto& c = w.window->Controls();
        QTest::keySequence(w.window.get(), QKeySequence("Ctrl+0"));
        QCOMPARE(zoom->currentText(), QString("ページ全体"));
        const QSize room = c.ScrollBox1->maximumViewportSize();
        QVERIFY(c.PaintBox1->width() <= room.width() && c.PaintBox1->height() <= room.height());

        Edit(w);
        QTest::keySequence(w.window.get(), QKeySequence("Ctrl+Z"));
        QCOMPARE(w.Design().Frame, NewDesign().Frame);
        QTest::keySequence(w.window.get(), QKeySequence("Ctrl+Shift+Z"));
        QCOMPARE(w.Design().Frame, 1 - NewDesign().Frame);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void TitleNamesTheFileAndMarksUnsavedChanges() {
        WindowFiles files;
        TestWindow w(files);
        QCOMPARE(w.window->windowTitle(), QString("無題[*] - Orvalinden"));
        SaveDesign(NewDesign(), files.Path("DESIGN.sav"));
        QVERIFY(w.window->OpenDesignFile(files.Path("DESIGN.sav")));
        QCOMPARE(w.window->windowTitle(), QString("DESIGN.sav[*] - Orvalinden"));
        QVERIFY(!w.window->isWindowModified());
        Edit(w);
        QVERIFY(w.window->isWindowModified());
        w.window->mnuUndoClick();
        QVERIFY(!w.window->isWindowModified());
        Edit(w);
        // Ctrl+S saves under the file's name without a dialog.
        w.window->mnuFileOverwriteClick();
        QVERIFY(w.dialogs.saveInitialFiles.isEmpty());
        QVERIFY(!w.window->isWindowModified());
        QCOMPARE(SavedFrame(w, files.Path("DESIGN.sav")), 1 - NewDesign().Frame);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void UnsavedChangesAreAskedAboutBeforeTheyAreLost() {
        WindowFiles files;
        TestWindow w(files);
        SaveDesign(NewDesign(), files.Path("a.sav"));
        SaveDesign(NewDesign(), files.Path("b.sav"));
        // An untitled design is asked about too; not saved, it is gone.
        Edit(w);
        w.dialogs.saveChangesAnswers = {SaveAnswer::Discard};
        QVERIFY(w.window->OpenDesignFile(files.Path("a.sav")));
        QCOMPARE(w.dialogs.saveQuestions, QStringList({"無題"}));
        w.dialogs.saveQuestions.clear();

        Edit(w);
        w.dialogs.saveChangesAnswers = {SaveAnswer::Cancel};
        QVERIFY(!w.window->OpenDesignFile(files.Path("b.sav")));
        w.dialogs.saveChangesAnswers = {SaveAnswer::Cancel};
        w.window->mnuFileOpenClick();
        QVERIFY(w.dialogs.openFilters.isEmpty());
        w.dialogs.saveChangesAnswers = {SaveAnswer::Cancel};
        w.window->close();
        QVERIFY(w.window->isVisible());
        QCOMPARE(w.dialogs.saveQuestions, QStringList({"a.sav", "a.sav", "a.sav"}));
        QCOMPARE(w.window->LastFileName(), files.Path("a.sav"));

        w.dialogs.saveChangesAnswers = {SaveAnswer::Discard};
        QVERIFY(w.window->OpenDesignFile(files.Path("b.sav")));
        QCOMPARE(SavedFrame(w, files.Path("a.sav")), NewDesign().Frame);

        Edit(w);
        w.dialogs.saveChangesAnswers = {SaveAnswer::Save};
        QTest::keySequence(w.window.get(), QKeySequence("Ctrl+Q"));
        QVERIFY(!w.window->isVisible());
        QCOMPARE(SavedFrame(w, files.Path("b.sav")), 1 - NewDesign().Frame);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void RecentFilesKeepTheLastTenAcrossStarts() {
        WindowFiles files;
        QStringList opened;
        {
            TestWindow w(files);
            for (int i = 0; i < 12; ++i) {
                opened.prepend(files.Path(QString("d%1.sav").arg(i)));
                SaveDesign(NewDesign(), opened.first());
                QVERIFY(w.window->OpenDesignFile(opened.first()));
            }
            // Opened again: first, and only once.
            QVERIFY(w.window->OpenDesignFile(opened[3]));
            opened.move(3, 0);
            w.dialogs.saveAnswers.push_back(files.Path("saved.sav"));
            w.window->mnuFileSaveClick();
            opened.prepend(files.Path("saved.sav"));
            QCOMPARE(RecentEntries(w), opened.mid(0, 10));
        }
        TestWindow again(files);
        QCOMPARE(RecentEntries(again), opened.mid(0, 10));
        auto* menu = again.window->findChild<QMenu*>(QStringLiteral("mnuRecent"));
        QCOMPARE(menu->actions().first()->text(), QString("&1 saved.sav"));
        menu->actions().at(1)->trigger();
        QCOMPARE(again.window->LastFileName(), opened[1]);

        // A file gone since is reported and leaves the list.
        QFile::remove(opened[2]);
        RecentEntries(again);
        menu->actions().at(2)->trigger();
        QCOMPARE(again.log.Take().size(), size_t(1));
        QVERIFY(!RecentEntries(again).contains(opened[2]));
        ORV_NO_UNEXPECTED_MESSAGES(again.log);
    }

    void DroppedPicturesAndDesignsAreTaken() {
        WindowFiles files;
        TestWindow w(files);
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(files.Path("picture.png")));
        QVERIFY(Drop(w, files.Path("picture.png")));
        QCOMPARE(w.window->Basic().Controls().txtPicFile->text(), files.Path("picture.png"));
        QApplication::processEvents();
        QVERIFY(w.window->History().Stack().canUndo());
        ORV_NO_UNEXPECTED_MESSAGES(w.log);

        // A design is recognised by its content, whatever its name.
        TData design = NewDesign();
        design.Year = 2031;
        SaveDesign(design, files.Path("design.txt"));
        QVERIFY(Drop(w, files.Path("design.txt")));
        QCOMPARE(w.window->LastFileName(), files.Path("design.txt"));
        QCOMPARE(w.Design().Year, 2031);

        WriteFile(files.Path("notes.txt"), "[About]\nSomething else\n");
        QVERIFY(!Drop(w, files.Path("notes.txt")));
        ORV_NO_UNEXPECTED_MESSAGES(w.log);

        // The picture choice's test load refuses a file that does not decode, by name.
        WriteFile(files.Path("broken.jpg"), "not a picture");
        QVERIFY(Drop(w, files.Path("broken.jpg")));
        const std::vector<Message> messages = w.log.Take();
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages[0].text, "この画像ファイルは対応できないフォーマットです。\r\n" +
                                       files.Path("broken.jpg").toStdString());
        QVERIFY(w.Design().PictureFile != files.Path("broken.jpg").toStdString());
    }

    // F1 opens the manual that came with the program, and the almanac options explain themselves.
    void HelpOpensTheManualAndTheAlmanacOptionsSayWhatTheyAre() {
        WindowFiles files;
        TestWindow w(files);
        QAction* manual = Action(w, "mnuManual");
        QVERIFY(manual != nullptr);
        QCOMPARE(manual->shortcut().toString(), QString("F1"));
        QVERIFY(w.window->Controls().mnuHelp->actions().contains(manual));
        QTest::keyClick(w.window.get(), Qt::Key_F1);
        QCOMPARE(w.dialogs.openedDocuments.size(), qsizetype(1));
        QFile page(w.dialogs.openedDocuments[0]);
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(page.readAll());
        for (const char* topic : {"id=\"basic\"", "id=\"style\"", "id=\"memorial\"",
                                  "id=\"matrix\"", "id=\"cli\"", "旧暦", "雑節", "六曜"})
            QVERIFY2(text.contains(QString::fromUtf8(topic)), topic);

        const auto& style = w.window->Style().Controls();
        for (QCheckBox* option : {style.chkRokuyo, style.chkNijusisekki, style.chkOldDate,
                                  style.chkZassetsu, style.chkMoonPhase})
            QVERIFY2(option->toolTip().count('\n') == 1, qPrintable(option->objectName()));
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }
};

ORV_REGISTER_TEST(DesktopTest);

}  // namespace orv::test

#include "DesktopTest.moc"
