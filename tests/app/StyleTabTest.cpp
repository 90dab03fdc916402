// The calendar-style tab: line width, day background, font hints, colours.
#include <QTest>
#include <QToolButton>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/basic/BasicTab.h"
#include "app/style/StyleTab.h"
#include "ui_BasicTab.h"
#include "ui_StyleTab.h"
#include "widgets/FontNameComboBox.h"
#include "widgets/PictureButton.h"

namespace orv::test {

class StyleTabTest : public QObject {
    Q_OBJECT
  private slots:
    void LineWidthStaysWithin1And999() {
        WindowFiles files;
        TestWindow w(files);
        auto& style = w.window->Style().Controls();
        QCOMPARE(style.txtLineWidth->maxLength(), 3);
        style.txtLineWidth->setText("1");
        style.spinLineWidth->DownButton()->click();
        QCOMPARE(style.txtLineWidth->text(), QString("1"));
        style.spinLineWidth->UpButton()->click();
        QCOMPARE(style.txtLineWidth->text(), QString("2"));
        style.txtLineWidth->setText("999");
        style.spinLineWidth->UpButton()->click();
        QCOMPARE(style.txtLineWidth->text(), QString("999"));
        // A text without digits reads as 0 and the down button makes it 1.
        style.txtLineWidth->setText("x");
        style.spinLineWidth->DownButton()->click();
        QCOMPARE(style.txtLineWidth->text(), QString("1"));

        for (const char* typed : {"0", "-5"}) {
            style.txtLineWidth->setFocus(Qt::MouseFocusReason);
            QApplication::processEvents();
            style.txtLineWidth->selectAll();
            QTest::keyClicks(style.txtLineWidth, typed);
            style.chkRokuyo->setFocus(Qt::MouseFocusReason);
            QApplication::processEvents();
            QCOMPARE(style.txtLineWidth->text(), QString("1"));
        }
        QCOMPARE(w.Design().LineWidth, 1);
    }

    void DayBackgroundOffIsStoredAndReopensInTheSheetColour() {
        WindowFiles files;
        {
            TestWindow w(files);
            w.dialogs.colorAnswers.push_back(0x00CCEEFF);
            QTest::mouseClick(w.window->Basic().Controls().cmdBackColor, Qt::LeftButton);
            auto& style = w.window->Style().Controls();
            style.chkDayBackColor->setChecked(false);
            QCOMPARE(w.Design().DayBackColor, -1);
            w.dialogs.saveAnswers.push_back(files.Path("nobg.sav"));
            w.window->mnuFileSaveClick();
        }
        TestWindow again(files);
        again.dialogs.openAnswers.push_back(files.Path("nobg.sav"));
        again.window->mnuFileOpenClick();
        auto& style = again.window->Style().Controls();
        QVERIFY(!style.chkDayBackColor->isChecked());
        QCOMPARE(style.cmdDayBackColor->Color(), 0x00CCEEFF);
        QCOMPARE(again.Design().DayBackColor, -1);
        // Switched on again, the cells take the sheet colour.
        style.chkDayBackColor->setChecked(true);
        QCOMPARE(again.Design().DayBackColor, 0x00CCEEFF);
        ORV_NO_UNEXPECTED_MESSAGES(again.log);
    }

    void FontHintsNameTheChosenFacesButTheHolidayPickerKeepsItsOwn() {
        WindowFiles files;
        TestWindow w(files);
        auto& style = w.window->Style().Controls();
        QCOMPARE(style.cboWeekFontName->toolTip(), QString("曜日のフォントを変えます"));
        QVERIFY(style.cboWeekFontName->count() > 1);
        const QString other = style.cboWeekFontName->itemText(style.cboWeekFontName->count() - 1);
        style.cboWeekFontName->SetValue(other);
        QCOMPARE(style.cboWeekFontName->toolTip(), other);
        QCOMPARE(style.cboYDFontName->toolTip(), QString("ＭＳ Ｐゴシック"));
        QCOMPARE(style.cboDayFontName->toolTip(), QString("ＭＳ Ｐゴシック"));
        QCOMPARE(style.cboHolidayFontName->toolTip(), QString("祝日名のフォントを変えます"));
        QCOMPARE(QString::fromStdString(w.Design().WeekFont), other);
    }

    void SwatchesChangeOnlyWhenTheColourDialogSaysOk() {
        WindowFiles files;
        TestWindow w(files);
        auto& style = w.window->Style().Controls();
        w.dialogs.colorAnswers.push_back(std::nullopt);
        QTest::mouseClick(style.cmdSaturdayColor, Qt::LeftButton);
        QCOMPARE(w.Design().SaturdayColor, 0xFF0000);
        w.dialogs.colorAnswers.push_back(0x00FF00);
        QTest::mouseClick(style.cmdRokuyoColor2, Qt::LeftButton);
        QCOMPARE(w.dialogs.colorInitials, std::vector<int32_t>({0xFF0000, 0x000080}));
        QCOMPARE(w.Design().RokuyoColor2, 0x00FF00);
    }
};

ORV_REGISTER_TEST(StyleTabTest);

}  // namespace orv::test

#include "StyleTabTest.moc"
