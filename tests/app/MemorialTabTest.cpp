// The memorial tab: adding, updating, selecting and deleting memorial days.
#include <QAction>
#include <QButtonGroup>
#include <QFile>
#include <QTest>
#include <QToolButton>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/basic/BasicTab.h"
#include "app/memorial/MemorialImportDialog.h"
#include "app/memorial/MemorialTab.h"
#include "app/style/StyleTab.h"
#include "model/CivilDate.h"
#include "ui_MemorialTab.h"
#include "ui_StyleTab.h"
#include "widgets/PictureButton.h"

namespace orv::test {

namespace {

struct MemorialFixture {
    MemorialFixture() : w(files), c(w.window->Memorial().Controls()) {}

    void Set(const QString& year, const QString& month, const QString& day,
             const QString& name = "A") {
        c.txtMemorialDayY->setText(year);
        c.txtMemorialDayM->setText(month);
        c.txtMemorialDay->setText(day);
        c.txtMemorialName->setText(name);
        c.cmdAddMemorial->click();
    }
    QStringList Row(int index) const {
        QStringList texts;
        const QTreeWidgetItem* row = c.lvwMemorial->topLevelItem(index);
        for (int column = 0; column < 5; ++column) texts << row->text(column);
        return texts;
    }
    QStringList Captions() const {
        QStringList captions;
        for (int i = 0; i < c.lvwMemorial->topLevelItemCount(); ++i) {
            captions << c.lvwMemorial->topLevelItem(i)->text(0);
        }
        return captions;
    }
    TMemorials& List() { return w.window->Data().Memorials; }
    QString Date() const {
        return c.txtMemorialDayY->text() + "/" + c.txtMemorialDayM->text() + "/" +
               c.txtMemorialDay->text();
    }

    WindowFiles files;
    TestWindow w;
    Ui::MemorialTab& c;
};

}  // namespace

class MemorialTabTest : public QObject {
    Q_OBJECT
  private slots:
    void SetAddsAPaddedDateAndUpdatesItInPlace() {
        MemorialFixture f;
        f.Set("2016", "5", "5", "A");
        QCOMPARE(f.Row(0), QStringList({"2016/05/05", "A", "×", "×", "×"}));
        QCOMPARE(f.List().Count(), 1);
        QCOMPARE(QString::fromStdString(f.List().Items(0).GetProperty()), QString("A,-1,-1,-1"));
        // The new row is selected.
        QCOMPARE(f.c.lvwMemorial->selectedItems().size(), 1);

        // Another name on the date is asked about; replaced, the row is updated in place.
        f.c.chkMemorialDayColor->setChecked(true);
        f.w.dialogs.clashAnswers = {ClashAnswer::Replace};
        f.Set("2016", "05", "05", "B");
        QCOMPARE(f.w.dialogs.clashQuestions.size(), qsizetype(1));
        QCOMPARE(f.c.lvwMemorial->topLevelItemCount(), 1);
        QCOMPARE(f.List().Count(), 1);
        QCOMPARE(f.Row(0), QStringList({"2016/05/05", "B", "■", "×", "×"}));
        QCOMPARE(f.List().Items(0).DayColor, 0);
        ORV_NO_UNEXPECTED_MESSAGES(f.w.log);
    }

    void EveryYearDatesSortFirstAndAnEmptyYearLeavesItsPartEmpty() {
        MemorialFixture f;
        f.Set("2016", "5", "5");
        f.Set("0", "5", "5");
        f.Set("", "12", "24");
        QCOMPARE(f.Captions(), QStringList({"/12/24", "0000/05/05", "2016/05/05"}));
        QCOMPARE(f.List().Count(), 3);
        QCOMPARE(QString::fromStdString(f.List().Items(2).Date), QString("/12/24"));
    }

    void DatesThatDoNotExistAreRefusedByName() {
        MemorialFixture f;
        const std::pair<std::array<const char*, 3>, const char*> refused[] = {
            {{"2016", "0", "5"}, "2016/0/5"},   {{"2016", "5", "0"}, "2016/5/0"},
            {{"-1", "5", "5"}, "-1/5/5"},       {{"2016", "13", "1"}, "2016/13/1"},
            {{"2027", "2", "29"}, "2027/2/29"}, {{"0", "2", "30"}, "0/2/30"},
            {{"2016", "4", "31"}, "2016/4/31"},
        };
        for (const auto& [fields, date] : refused) {
            f.Set(fields[0], fields[1], fields[2]);
            const std::vector<Message> messages = f.w.log.Take();
            QCOMPARE(messages.size(), size_t{1});
            QCOMPARE(QString::fromStdString(messages[0].text),
                     QString("%1 は日付ではありません。").arg(date));
        }
        QCOMPARE(f.List().Count(), 0);
        // Year 0 is every year: 29 February of the leap years.
        f.Set("0", "2", "29");
        f.Set("2028", "2", "29");
        QCOMPARE(f.Captions(), QStringList({"0000/02/29", "2028/02/29"}));
        ORV_NO_UNEXPECTED_MESSAGES(f.w.log);
    }

    void ASecondMemorialDayOnADateAsksWhetherToReplaceOrKeepBoth() {
        MemorialFixture f;
        f.Set("0", "1", "15", "母の誕生日");
        // The row セット leaves selected is not being edited. Cancelled: the first stays.
        f.Set("0", "1", "15", "父の誕生日");
        QCOMPARE(f.w.dialogs.clashQuestions, QStringList({"0000/01/15|母の誕生日|父の誕生日"}));
        QCOMPARE(QString::fromStdString(f.List().Items(0).Name), QString("母の誕生日"));
        f.c.lvwMemorial->clearSelection();
        f.w.dialogs.clashAnswers = {ClashAnswer::KeepBoth};
        f.Set("0", "1", "15", "父の誕生日");
        QCOMPARE(f.List().Count(), 1);
        QCOMPARE(QString::fromStdString(f.List().Items(0).Name), QString("母の誕生日¶父の誕生日"));
        f.c.lvwMemorial->clearSelection();
        f.w.dialogs.clashAnswers = {ClashAnswer::Replace};
        f.Set("0", "1", "15", "祖母の誕生日");
        QCOMPARE(QString::fromStdString(f.List().Items(0).Name), QString("祖母の誕生日"));
        // A row picked from the list to edit takes its new name without a question.
        f.c.lvwMemorial->clearSelection();
        f.c.lvwMemorial->topLevelItem(0)->setSelected(true);
        f.w.dialogs.clashQuestions.clear();
        f.c.txtMemorialName->setText("祖父の誕生日");
        f.c.cmdAddMemorial->click();
        QCOMPARE(QString::fromStdString(f.List().Items(0).Name), QString("祖父の誕生日"));
        QVERIFY(f.w.dialogs.clashQuestions.isEmpty());
        ORV_NO_UNEXPECTED_MESSAGES(f.w.log);
    }

    void YearSpinsStopAt0And9999AndStartFromThisYear() {
        MemorialFixture f;
        f.c.txtMemorialDayY->setText("0");
        f.c.spinMemorialDayY->DownButton()->click();
        QCOMPARE(f.c.txtMemorialDayY->text(), QString("0"));
        f.c.txtMemorialDayY->setText("9999");
        f.c.spinMemorialDayY->UpButton()->click();
        QCOMPARE(f.c.txtMemorialDayY->text(), QString("9999"));
        f.c.txtMemorialDayY->setText(" ");
        f.c.spinMemorialDayY->UpButton()->click();
        QCOMPARE(f.c.txtMemorialDayY->text(), QString::number(Today().Year));
    }

    void DaySpinsKnowFebruaryOfEveryYearAndOf2015() {
        MemorialFixture f;
        f.c.txtMemorialDayY->setText("0");
        f.c.txtMemorialDayM->setText("2");
        f.c.txtMemorialDay->setText("28");
        f.c.spinMemorialDay->UpButton()->click();
        QCOMPARE(f.Date(), QString("0/2/29"));
        f.c.spinMemorialDay->UpButton()->click();
        QCOMPARE(f.Date(), QString("0/3/1"));

        f.c.txtMemorialDayY->setText("2015");
        f.c.spinMemorialDay->DownButton()->click();
        QCOMPARE(f.Date(), QString("2015/2/28"));

        // Months wrap into the neighbouring years.
        f.c.txtMemorialDayM->setText("12");
        f.c.txtMemorialDay->setText("31");
        f.c.spinMemorialDay->UpButton()->click();
        QCOMPARE(f.Date(), QString("2016/1/1"));
        f.c.spinMemorialDay->DownButton()->click();
        QCOMPARE(f.Date(), QString("2015/12/31"));
    }

    void DeletingSelectsTheNextRowAndNoneAfterTheLast() {
        MemorialFixture f;
        f.c.cmdDelMemorial->click();
        std::vector<Message> messages = f.w.log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(messages[0].kind, MessageKind::Warning);
        QCOMPARE(QString::fromStdString(messages[0].text),
                 QString("記念日リストから選択してください。"));

        f.Set("2016", "1", "1", "a");
        f.Set("2016", "2", "2", "b");
        f.Set("2016", "3", "3", "c");
        f.c.lvwMemorial->setCurrentItem(f.c.lvwMemorial->topLevelItem(1));
        f.c.cmdDelMemorial->click();
        QCOMPARE(f.Captions(), QStringList({"2016/01/01", "2016/03/03"}));
        QCOMPARE(f.List().Count(), 2);
        QCOMPARE(f.c.lvwMemorial->selectedItems().value(0)->text(0), QString("2016/03/03"));
        QCOMPARE(f.c.txtMemorialName->text(), QString("c"));

        f.c.cmdDelMemorial->click();
        QCOMPARE(f.Captions(), QStringList({"2016/01/01"}));
        QVERIFY(f.c.lvwMemorial->selectedItems().isEmpty());
        QCOMPARE(f.c.txtMemorialName->text(), QString());
        QCOMPARE(QString::fromStdString(f.List().Items(0).Name), QString("a"));
        ORV_NO_UNEXPECTED_MESSAGES(f.w.log);
    }

    void SelectingARowFillsTheFieldsAndColoursTheMarks() {
        MemorialFixture f;
        auto& style = f.w.window->Style().Controls();
        f.c.chkMemorialFontColor->setChecked(true);
        f.w.dialogs.colorAnswers.push_back(0x00FF00);
        QTest::mouseClick(f.c.cmdMemorialFontColor, Qt::LeftButton);
        // The check box is not touched by the colour choice.
        f.c.chkMemorialDayColor->setChecked(false);
        f.Set("0", "7", "7", "七夕");
        QTreeWidgetItem* row = f.c.lvwMemorial->topLevelItem(0);
        QCOMPARE(row->foreground(3).color(), QColor(0, 255, 0));
        QCOMPARE(row->foreground(2).color(), QColor(0, 0, 0));

        f.c.lvwMemorial->clearSelection();
        QCOMPARE(f.c.txtMemorialName->text(), QString());
        QVERIFY(!f.c.chkMemorialFontColor->isChecked());
        QCOMPARE(f.c.cmdMemorialFontColor->Color(), style.cmdHolidayColor->Color());
        QCOMPARE(f.c.cmdMemorialBackColor->Color(), style.cmdDayBackColor->Color());

        row->setSelected(true);
        QCOMPARE(f.Date(), QString("0000/07/07"));
        QCOMPARE(f.c.txtMemorialName->text(), QString("七夕"));
        QVERIFY(f.c.chkMemorialFontColor->isChecked());
        QCOMPARE(f.c.cmdMemorialFontColor->Color(), 0x00FF00);
        QVERIFY(!f.c.chkMemorialDayColor->isChecked());
        QCOMPARE(f.c.cmdMemorialDayColor->Color(), style.cmdWeekdayColor->Color());
    }

    void EnteringADateFieldFillsTheShownYearAndMonth() {
        MemorialFixture f;
        f.w.window->Basic().SetYearMonth(2020, 8);
        f.c.txtMemorialDay->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        QCOMPARE(f.c.txtMemorialDayY->text(), QString("2020"));
        QCOMPARE(f.c.txtMemorialDayM->text(), QString("8"));
    }

    void PilcrowGoesWhereTheCaretWas() {
        MemorialFixture f;
        QLineEdit* name = f.c.txtMemorialName;
        name->setText("ABC");
        name->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        name->setCursorPosition(2);
        QTest::mouseClick(f.c.cmdMemorialPilcrow, Qt::LeftButton);
        QCOMPARE(name->text(), QString("AB¶C"));
        QCOMPARE(f.w.window->Memorial().SavedCaret(), 2);

        name->setText("誕生日");
        name->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        name->setCursorPosition(0);
        QTest::mouseClick(f.c.cmdMemorialPilcrow, Qt::LeftButton);
        QCOMPARE(name->text(), QString("¶誕生日"));
        name->setText("X");
        QTest::mouseClick(f.c.cmdMemorialPilcrow, Qt::LeftButton);
        QCOMPARE(name->text(), QString("¶X"));
    }

    void EnterInTheNameAddsLikeSet() {
        MemorialFixture f;
        f.c.txtMemorialDayY->setText("2016");
        f.c.txtMemorialDayM->setText("5");
        f.c.txtMemorialDay->setText("5");
        f.c.txtMemorialName->setFocus(Qt::MouseFocusReason);
        TypeText(f.c.txtMemorialName, "誕生日");
        QTest::keyClick(f.c.txtMemorialName, Qt::Key_Return);
        QCOMPARE(f.Row(0), QStringList({"2016/05/05", "誕生日", "×", "×", "×"}));
    }

    void ImportingACalendarShowsItsDaysAndTakesThePickedOnesAsOneStep() {
        MemorialFixture f;
        f.w.window->Basic().SetYearMonth(2016, 1);
        f.Set("0", "4", "12", "父");
        QApplication::processEvents();
        const QString path = f.files.Path("family.ics");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
            "BEGIN:VEVENT\r\nUID:1\r\nSUMMARY:太郎の誕生日\r\nDTSTART;VALUE=DATE:19800412\r\n"
            "RRULE:FREQ=YEARLY\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nUID:2\r\nSUMMARY:𠮷野さんと食事\r\n"
            "DTSTART;VALUE=DATE:20160503\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nUID:3\r\nSUMMARY:歯医者\r\nDTSTART;VALUE=DATE:20160510\r\n"
            "END:VEVENT\r\nEND:VCALENDAR\r\n");
        file.close();
        const QStringList before = DesignLines(f.w.Design());

        f.w.dialogs.openAnswers.push_back(path);
        f.c.cmdImportMemorial->click();
        MemorialImportDialog* dialog = f.w.window->Memorial().ImportDialog();
        QVERIFY(dialog != nullptr);
        QTreeWidget* rows = dialog->List();
        QCOMPARE(rows->topLevelItemCount(), 3);
        const auto row = [&](int i) {
            return QStringList{rows->topLevelItem(i)->text(0), rows->topLevelItem(i)->text(1),
                               rows->topLevelItem(i)->text(2)};
        };
        // The design shows January 2016: its year's one-off events; the clash and the name the
        // settings file cannot hold are said on their rows.
        QCOMPARE(row(0), QStringList({"0000/04/12", "太郎の誕生日", "この日の記念日: 父"}));
        QCOMPARE(row(1), QStringList({"2016/05/03", "〓野さんと食事",
                                      "元は「𠮷野さんと食事」（保存できない文字は 〓 に）"}));
        QCOMPARE(row(2)[0], QString("2016/05/10"));
        rows->topLevelItem(2)->setCheckState(0, Qt::Unchecked);
        dialog->ClashChoice()->button(static_cast<int>(ClashRule::Join))->click();
        f.w.dialogs.colorAnswers.push_back(0x008000);
        QTest::mouseClick(dialog->FontColorSwatch(), Qt::LeftButton);
        dialog->accept();

        QCOMPARE(f.Captions(), QStringList({"0000/04/12", "2016/05/03"}));
        QCOMPARE(f.List().Items(0).Name, std::string("父¶太郎の誕生日"));
        QCOMPARE(f.List().Items(1).Name, std::string("〓野さんと食事"));
        QCOMPARE(f.List().Items(1).FontColor, 0x008000);
        QApplication::processEvents();
        QAction* undo = f.w.window->findChild<QAction*>("mnuUndo");
        QCOMPARE(undo->text(), QString("元に戻す(&U): 記念日の変更"));
        undo->trigger();
        QApplication::processEvents();
        QCOMPARE(DesignLines(f.w.Design()), before);
        QCOMPARE(f.Captions(), QStringList({"0000/04/12"}));

        // Cancelled, the dialog changes nothing.
        f.w.dialogs.openAnswers.push_back(path);
        f.c.cmdImportMemorial->click();
        f.w.window->Memorial().ImportDialog()->reject();
        QCOMPARE(DesignLines(f.w.Design()), before);

        // Written back for a phone calendar: the one memorial day, every year.
        f.w.dialogs.saveAnswers.push_back(f.files.Path("back.ics"));
        f.c.cmdExportMemorial->click();
        QFile back(f.files.Path("back.ics"));
        QVERIFY(back.open(QIODevice::ReadOnly));
        const QString calendar = QString::fromUtf8(back.readAll());
        QCOMPARE(calendar.count("BEGIN:VEVENT"), 1);
        QVERIFY(calendar.contains("SUMMARY:父\r\n") && calendar.contains("RRULE:FREQ=YEARLY"));
        QCOMPARE(QString::fromStdString(f.w.log.Take().at(0).text),
                 QString("記念日 1 件を書き出しました。"));
    }
};

ORV_REGISTER_TEST(MemorialTabTest);

}  // namespace orv::test

#include "MemorialTabTest.moc"
