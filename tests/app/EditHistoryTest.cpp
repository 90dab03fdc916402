// Undo and redo of design edits in the window, one step per user action.
#include <QAction>
#include <QApplication>
#include <QTest>
#include <functional>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/basic/BasicTab.h"
#include "app/memorial/MemorialTab.h"
#include "app/style/StyleTab.h"
#include "app/templates/TemplateGallery.h"
#include "ui_BasicTab.h"
#include "ui_MainWindow.h"
#include "ui_MemorialTab.h"
#include "ui_StyleTab.h"

namespace orv::test {

class EditHistoryTest : public QObject {
    Q_OBJECT

    static QAction* Action(TestWindow& w, const char* name) {
        return w.window->findChild<QAction*>(QString::fromLatin1(name));
    }

    // As a user picks an entry: the list reacts to the pick, not to the index.
    static void Choose(QComboBox* list, int index) {
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    // Types over a field's text and leaves it for `next`, as a user does.
    static void TypeOver(QLineEdit* field, const QString& text, QWidget* next) {
        field->setFocus(Qt::MouseFocusReason);
        field->selectAll();
        TypeText(field, text);
        QApplication::processEvents();
        MoveFocus(field, next);
    }

  private slots:
    void EveryKindOfEditIsOneStepBackAndForth() {
        WindowFiles files;
        TestWindow w(files);
        TData opened = NewDesign();
        opened.Year = 2030;
        opened.Month = 4;
        SaveDesign(opened, files.Path("opened.sav"));
        auto& basic = w.window->Basic().Controls();
        auto& memorial = w.window->Memorial().Controls();

        QList<QStringList> states{DesignLines(w.Design())};
        const auto act = [&](const std::function<void()>& edit) {
            edit();
            QApplication::processEvents();
            states << DesignLines(w.Design());
        };
        act([&] { basic.chkWaku->click(); });
        act([&] { Choose(w.window->Style().Controls().cboYDStyle, 2); });
        act([&] {
            w.dialogs.colorAnswers.push_back(0x123456);
            QTest::mouseClick(basic.cmdBackColor, Qt::LeftButton);
        });
        act([&] {
            memorial.txtMemorialDayY->setText("0");
            memorial.txtMemorialDayM->setText("5");
            memorial.txtMemorialDay->setText("5");
            memorial.txtMemorialName->setText("記念日");
            memorial.cmdAddMemorial->click();
        });
        for (int i = 1; i < states.size(); ++i) QVERIFY(states[i] != states[i - 1]);

        for (int i = states.size() - 2; i >= 0; --i) {
            QVERIFY(Action(w, "mnuUndo")->isEnabled());
            Action(w, "mnuUndo")->trigger();
            QCOMPARE(DesignLines(w.Design()), states[i]);
        }
        QVERIFY(!Action(w, "mnuUndo")->isEnabled());
        for (int i = 1; i < states.size(); ++i) {
            Action(w, "mnuRedo")->trigger();
            QCOMPARE(DesignLines(w.Design()), states[i]);
        }
        QVERIFY(!Action(w, "mnuRedo")->isEnabled());

        // Opening a file (the changes not saved) or starting a new design starts an empty
        // history: nothing of the design before comes back, and nothing is marked changed.
        w.dialogs.saveChangesAnswers = {SaveAnswer::Discard};
        w.dialogs.openAnswers.push_back(files.Path("opened.sav"));
        w.window->mnuFileOpenClick();
        QCOMPARE(w.Design().Year, 2030);
        QVERIFY(!Action(w, "mnuUndo")->isEnabled());
        QVERIFY(!Action(w, "mnuRedo")->isEnabled());
        QVERIFY(!w.window->isWindowModified());
        QTest::keySequence(w.window.get(), QKeySequence::Undo);
        QCOMPARE(w.Design().Year, 2030);
        basic.chkWaku->click();
        QApplication::processEvents();
        w.dialogs.saveChangesAnswers = {SaveAnswer::Discard};
        QTest::keySequence(w.window.get(), QKeySequence::New);
        w.window->TemplatesDialog().accept();  // 白紙, as the gallery opens
        QCOMPARE(DesignLines(w.Design()), DesignLines(NewDesign()));
        QVERIFY(!Action(w, "mnuUndo")->isEnabled());
        QCOMPARE(w.window->windowTitle(), QString("無題[*] - Orvalinden"));
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void TheEditMenuNamesTheStepItTakesBackOrDoesAgain() {
        WindowFiles files;
        TestWindow w(files);
        auto& basic = w.window->Basic().Controls();
        auto& memorial = w.window->Memorial().Controls();
        const std::pair<QString, std::function<void()>> edits[] = {
            {"枠線の変更", [&] { basic.chkWaku->click(); }},
            {"タイトルの変更", [&] { Choose(w.window->Style().Controls().cboYDStyle, 2); }},
            {"背景色の変更",
             [&] {
                 w.dialogs.colorAnswers.push_back(0x123456);
                 QTest::mouseClick(basic.cmdBackColor, Qt::LeftButton);
             }},
            {"サイズの変更",
             [&] {
                 Choose(basic.cboCalSize, 8);
                 w.window->Basic().cboCalSizeChange();
             }},
            {"記念日の変更",
             [&] {
                 memorial.txtMemorialDayY->setText("0");
                 memorial.txtMemorialDayM->setText("5");
                 memorial.txtMemorialDay->setText("5");
                 memorial.txtMemorialName->setText("記念日");
                 memorial.cmdAddMemorial->click();
             }},
        };
        for (const auto& [name, edit] : edits) {
            edit();
            QApplication::processEvents();
            QCOMPARE(Action(w, "mnuUndo")->text(), "元に戻す(&U): " + name);
        }
        Action(w, "mnuUndo")->trigger();
        QCOMPARE(Action(w, "mnuRedo")->text(), QString("やり直し(&R): 記念日の変更"));
        QCOMPARE(Action(w, "mnuUndo")->text(), QString("元に戻す(&U): サイズの変更"));
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void TypingInOneFieldAndWhatLeavingItDoesIsOneStep() {
        WindowFiles files;
        TestWindow w(files);
        auto& basic = w.window->Basic().Controls();
        const QStringList before = DesignLines(w.Design());
        TypeOver(basic.txtCalSizeX, "150", basic.chkWaku);
        // The hand-typed size dropped the named size, within the same step.
        QCOMPARE(w.Design().SizeIndex, -1);
        QCOMPARE(w.Design().SizeX, 150);
        TypeOver(basic.txtPicOffset, "12", basic.chkWaku);
        const QStringList typed = DesignLines(w.Design());

        w.window->mnuUndoClick();
        QCOMPARE(w.Design().PictureOffset, NewDesign().PictureOffset);
        QCOMPARE(w.Design().SizeX, 150);
        w.window->mnuUndoClick();
        QCOMPARE(DesignLines(w.Design()), before);
        QVERIFY(!w.window->History().Stack().canUndo());
        w.window->mnuRedoClick();
        w.window->mnuRedoClick();
        QCOMPARE(DesignLines(w.Design()), typed);

        // A change made while a field still has focus, but not by typing, is a step of its own.
        basic.txtPicFile->setFocus(Qt::MouseFocusReason);
        TypeText(basic.txtPicFile, "a");
        QApplication::processEvents();
        basic.chkWaku->click();
        QApplication::processEvents();
        TypeText(basic.txtPicFile, "b");
        QApplication::processEvents();
        w.window->mnuUndoClick();
        QCOMPARE(w.Design().PictureFile, std::string("a"));
        w.window->mnuUndoClick();
        QCOMPARE(w.Design().Frame, NewDesign().Frame);
        QCOMPARE(w.Design().PictureFile, std::string("a"));
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void AHundredStepsAreKept() {
        WindowFiles files;
        TestWindow w(files);
        auto& c = w.window->Style().Controls();
        const QStringList start = DesignLines(w.Design());
        for (int i = 0; i < 120; ++i) {
            Choose(c.cboYDStyle, i % 2 == 0 ? 1 : 2);
            QApplication::processEvents();
        }
        QCOMPARE(w.window->History().Stack().count(), 120);
        for (int i = 0; i < 100; ++i) w.window->mnuUndoClick();
        // 20 steps remain; 120 - 100 = 20 is even, so the style is the second choice again.
        QCOMPARE(c.cboYDStyle->currentIndex(), 2);
        while (w.window->History().Stack().canUndo()) w.window->mnuUndoClick();
        QCOMPARE(DesignLines(w.Design()), start);
    }
};

ORV_REGISTER_TEST(EditHistoryTest);

}  // namespace orv::test

#include "EditHistoryTest.moc"
