// The imposition tab: the list's numbering through add, update, moves and deletes, and the
// clamps of its edits.
#include <QTest>
#include <QToolButton>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/imposition/ImpositionTab.h"
#include "ui_ImpositionTab.h"
#include "ui_MainWindow.h"

namespace orv::test {

namespace {

struct ImpositionFixture {
    ImpositionFixture() : w(files), c(w.window->Imposition().Controls()) {}

    void Add(int months, const QString& image = {}) {
        c.txtMatrixMonth->setText(QString::number(months));
        c.txtMatrixImageFile->setText(image);
        c.btnMatrixAdd->click();
    }
    // Each row as "caption|months|image", in list order.
    QStringList Rows() const {
        QStringList rows;
        for (int i = 0; i < c.lvwMatrix->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = c.lvwMatrix->topLevelItem(i);
            rows << row->text(0) + "|" + row->text(1) + "|" + row->text(2);
        }
        return rows;
    }
    // Each entry as "number|months", in the record's order.
    QStringList Entries() {
        QStringList entries;
        const TMatrixs& list = w.window->Data().Matrixs;
        for (int i = 0; i < list.Count(); ++i) {
            entries << QString("%1|%2").arg(list.Items(i).Number).arg(list.Items(i).MonthOffset);
        }
        return entries;
    }
    void Select(int position) {
        c.lvwMatrix->clearSelection();
        c.lvwMatrix->topLevelItem(position)->setSelected(true);
    }

    WindowFiles files;
    TestWindow w;
    Ui::ImpositionTab& c;
};

}  // namespace

class ImpositionTabTest : public QObject {
    Q_OBJECT
  private slots:
    void AddNumbersInOrderAndClearsTheSelection() {
        ImpositionFixture f;
        f.Add(1);
        f.Add(2, "/pics/a.png");
        QCOMPARE(f.Rows(), QStringList({"  1|1|", "  2|2|/pics/a.png"}));
        QCOMPARE(f.Entries(), QStringList({"1|1", "2|2"}));
        QVERIFY(f.c.lvwMatrix->selectedItems().isEmpty());

        // Update right after an add has nothing selected: it says so and adds.
        f.c.txtMatrixMonth->setText("3");
        f.c.btnMatrixUpdate->click();
        const std::vector<Message> messages = f.w.log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(messages[0].kind, MessageKind::Information);
        QCOMPARE(QString::fromStdString(messages[0].text),
                 QString("面付けリストから選択されていないので追加します。"));
        QCOMPARE(f.Entries(), QStringList({"1|1", "2|2", "3|3"}));
    }

    void UpdateChangesTheSelectedEntry() {
        ImpositionFixture f;
        f.Add(1);
        f.Add(2);
        f.Select(0);
        QCOMPARE(f.c.txtMatrixMonth->text(), QString("1"));
        f.c.txtMatrixMonth->setText("7");
        f.c.txtMatrixConfigFile->setText("/designs/b.sav");
        f.c.btnMatrixUpdate->click();
        QCOMPARE(f.Entries(), QStringList({"1|7", "2|2"}));
        QCOMPARE(QString::fromStdString(f.w.window->Data().Matrixs.Items(0).ConfigFile),
                 QString("/designs/b.sav"));
        QCOMPARE(f.c.lvwMatrix->topLevelItem(0)->text(3), QString("/designs/b.sav"));
        ORV_NO_UNEXPECTED_MESSAGES(f.w.log);
    }

    void MovesSwapNeighboursAndStopAtTheEnds() {
        ImpositionFixture f;
        f.Add(1);
        f.Add(2);
        f.Add(3);
        f.Select(0);
        f.c.btnMatrixUp->click();
        QCOMPARE(f.Rows(), QStringList({"  1|1|", "  2|2|", "  3|3|"}));
        f.Select(2);
        f.c.btnMatrixDown->click();
        QCOMPARE(f.Rows(), QStringList({"  1|1|", "  2|2|", "  3|3|"}));

        f.c.btnMatrixUp->click();
        QCOMPARE(f.Rows(), QStringList({"  1|1|", "  2|3|", "  3|2|"}));
        // The moved entry stays selected and the numbers follow the order.
        QCOMPARE(f.c.lvwMatrix->selectedItems().value(0)->text(1), QString("3"));
        QCOMPARE(f.w.window->Data().Matrixs.FindByNumber(2)->MonthOffset, 3);
        QCOMPARE(f.w.window->Data().Matrixs.FindByNumber(3)->MonthOffset, 2);
    }

    void DeletingEntryTwoOfTwelveRenumbersTheRest() {
        ImpositionFixture f;
        for (int months = 1; months <= 12; ++months) f.Add(months);
        // Ten, eleven and twelve sort after nine.
        QCOMPARE(f.Rows().mid(8, 2), QStringList({"  9|9|", " 10|10|"}));
        f.Select(1);
        f.c.btnMatrixDelete->click();
        QStringList expected;
        for (int row = 1; row <= 11; ++row) {
            expected << QString("%1|%2|")
                            .arg(ImpositionTab::NumberCaption(row))
                            .arg(row == 1 ? 1 : row + 1);
        }
        QCOMPARE(f.Rows(), expected);
        for (int number = 1; number <= 11; ++number) {
            QCOMPARE(f.w.window->Data().Matrixs.FindByNumber(number)->MonthOffset,
                     number == 1 ? 1 : number + 1);
        }
        QCOMPARE(f.w.window->Data().Matrixs.Count(), 11);
    }

    void EditsAreClampedTo1Through99() {
        ImpositionFixture f;
        f.c.txtMatrixCol->setText("1");
        f.c.spinMatrixCol->DownButton()->click();
        QCOMPARE(f.c.txtMatrixCol->text(), QString("1"));
        f.c.txtMatrixCol->setText("99");
        f.c.spinMatrixCol->UpButton()->click();
        QCOMPARE(f.c.txtMatrixCol->text(), QString("99"));
        f.c.txtMatrixMonth->setText("99");
        f.c.spinMatrixMonth->UpButton()->click();
        QCOMPARE(f.c.txtMatrixMonth->text(), QString("99"));
        f.c.txtMatrixMonth->setText("1");
        f.c.spinMatrixMonth->DownButton()->click();
        QCOMPARE(f.c.txtMatrixMonth->text(), QString("1"));
        QCOMPARE(f.c.txtMatrixMonth->maxLength(), 2);

        for (QLineEdit* edit : {f.c.txtMatrixCol, f.c.txtMatrixMonth}) {
            edit->setFocus(Qt::MouseFocusReason);
            QApplication::processEvents();
            edit->selectAll();
            QTest::keyClicks(edit, "0");
            f.c.chkMatrix->setFocus(Qt::MouseFocusReason);
            QApplication::processEvents();
            QCOMPARE(edit->text(), QString("1"));
        }
    }

    void SettingsFileChoiceStartsFromTheTypedName() {
        ImpositionFixture f;
        f.c.txtMatrixConfigFile->setText("/old.sav");
        f.w.dialogs.openAnswers.push_back("/new.sav");
        f.c.cmdMatrixConfigFile->click();
        QCOMPARE(f.w.dialogs.openInitialFiles.last(), QString("/old.sav"));
        QCOMPARE(f.c.txtMatrixConfigFile->text(), QString("/new.sav"));
        f.c.cmdMatrixConfigFile->click();  // cancelled
        QCOMPARE(f.c.txtMatrixConfigFile->text(), QString("/new.sav"));
    }
};

ORV_REGISTER_TEST(ImpositionTabTest);

}  // namespace orv::test

#include "ImpositionTabTest.moc"
