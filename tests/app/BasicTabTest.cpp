// The basic-settings tab: sizes, year and month steps, the dependent lists, the counts.
#include <QFile>
#include <QImage>
#include <QTest>
#include <QToolButton>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/basic/BasicTab.h"
#include "app/imposition/ImpositionTab.h"
#include "app/style/StyleTab.h"
#include "ui_BasicTab.h"
#include "ui_ImpositionTab.h"
#include "ui_MainWindow.h"
#include "ui_StyleTab.h"

namespace orv::test {

class BasicTabTest : public QObject {
    Q_OBJECT

    static void ChoosePreset(TestWindow& w, const QString& name) {
        auto& basic = w.window->Basic().Controls();
        basic.cboCalSize->setCurrentIndex(basic.cboCalSize->findText(name));
        w.window->Basic().cboCalSizeChange();
    }

    static QString Labels(TestWindow& w) {
        auto& basic = w.window->Basic().Controls();
        return basic.lblYear->text() + basic.lblMonth->text();
    }

  private slots:
    void SizeTypedByHandDropsThePresetButVisitingAnEditKeepsIt() {
        WindowFiles files;
        TestWindow w(files);
        auto& basic = w.window->Basic().Controls();
        ChoosePreset(w, "A4横");
        QCOMPARE(basic.txtCalSizeX->text(), QString("297"));
        QCOMPARE(basic.txtCalSizeY->text(), QString("210"));

        // Entering and leaving without typing.
        MoveFocus(basic.txtCalSizeX, basic.chkWaku);
        QCOMPARE(w.Design().SizeIndex, 9);

        // Typing a width.
        basic.txtCalSizeX->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        basic.txtCalSizeX->selectAll();
        QTest::keyClicks(basic.txtCalSizeX, "300");
        basic.chkWaku->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        QCOMPARE(w.Design().SizeIndex, -1);
        QCOMPARE(w.Design().SizeX, 300);

        // A print position typed by hand clears a preset too.
        ChoosePreset(w, "A5縦");
        basic.txtPositionX->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        QTest::keyClicks(basic.txtPositionX, "5");
        basic.chkWaku->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        QCOMPARE(w.Design().SizeIndex, -1);
        QCOMPARE(w.Design().SizeX, 148);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void SaveFromTheMenuTakesAWidthStillBeingTyped() {
        WindowFiles files;
        TestWindow w(files);
        auto& basic = w.window->Basic().Controls();
        TypeOver(basic.txtCalSizeX, "111");
        w.dialogs.saveAnswers.push_back(files.Path("typed.sav"));
        w.window->mnuFileSaveClick();
        TData saved;
        QVERIFY(saved.LoadFromFile(files.Path("typed.sav").toStdString(), w.log));
        QCOMPARE(saved.SizeIndex, -1);
        QCOMPARE(saved.SizeX, 111);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void PreviewFollowsSizeZoomAndImposition() {
        WindowFiles files;
        TestWindow w(files);
        QCOMPARE(w.window->logicalDpiX(), 96);
        ChoosePreset(w, "A4縦");
        QCOMPARE(w.window->Controls().PaintBox1->size(), QSize(793, 1122));
        auto* zoom = w.window->Controls().cboZoom;
        zoom->setCurrentIndex(zoom->findText("50%"));
        w.window->cboZoomClick();
        QCOMPARE(w.window->Controls().PaintBox1->size(), QSize(396, 561));

        zoom->setCurrentIndex(zoom->findText("100%"));
        auto& imposition = w.window->Imposition().Controls();
        imposition.txtMatrixInterval->setText("10");
        imposition.chkMatrix->click();
        // Checked, but no entry yet: one calendar.
        QCOMPARE(w.window->Controls().PaintBox1->size(), QSize(793, 1122));
        imposition.btnMatrixAdd->click();
        imposition.btnMatrixAdd->click();
        QCOMPARE(w.window->Controls().PaintBox1->size(), QSize(2 * 793 + 37, 2 * 1122 + 37));
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void ASizeThatIsNoNumberIsReportedAndThePreviewKeepsItsSize() {
        WindowFiles files;
        TestWindow w(files);
        const QSize before = w.window->Controls().PaintBox1->size();
        w.window->Basic().Controls().txtCalSizeY->setText("abc");
        w.window->ApplyCalendarSize();
        const std::vector<Message> messages = w.log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(messages[0].kind, MessageKind::Error);
        QCOMPARE(QString::fromStdString(messages[0].text),
                 QString("「abc」は数値ではありません。"));
        QCOMPARE(w.window->Controls().PaintBox1->size(), before);
    }

    void YearAndMonthCanBeTypedAndTakeEffectWithEnter() {
        WindowFiles files;
        TestWindow w(files);
        auto& basic = w.window->Basic().Controls();
        basic.lblYear->setFocus(Qt::MouseFocusReason);
        basic.lblYear->selectAll();
        QTest::keyClicks(basic.lblYear, "2031");
        QTest::keyClick(basic.lblYear, Qt::Key_Return);
        basic.lblMonth->setFocus(Qt::MouseFocusReason);
        basic.lblMonth->selectAll();
        QTest::keyClicks(basic.lblMonth, "4");
        QTest::keyClick(basic.lblMonth, Qt::Key_Return);
        QCOMPARE(Labels(w), QString("2031年4月"));
        QCOMPARE(w.Design().Year, 2031);
        QCOMPARE(w.Design().Month, 4);
        QCOMPARE(w.window->Style().Controls().cboYDStyle->itemText(0), QString("2031年4月"));
        // A month past December cannot be typed at all.
        basic.lblMonth->selectAll();
        QTest::keyClicks(basic.lblMonth, "13");
        QTest::keyClick(basic.lblMonth, Qt::Key_Return);
        QVERIFY(w.Design().Month >= 1 && w.Design().Month <= 12);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void MonthStepsStopAt1948And2099() {
        WindowFiles files;
        TestWindow w(files);
        auto& basic = w.window->Basic().Controls();
        w.window->Basic().SetYearMonth(1948, 1);
        basic.spinMonth->DownButton()->click();
        QCOMPARE(Labels(w), QString("1948年1月"));
        basic.spinYear->DownButton()->click();
        QCOMPARE(Labels(w), QString("1948年1月"));

        w.window->Basic().SetYearMonth(1949, 1);
        basic.spinMonth->DownButton()->click();
        QCOMPARE(Labels(w), QString("1948年12月"));
        // The samples follow the month that is shown, carry included.
        QCOMPARE(w.window->Style().Controls().cboYDStyle->itemText(0), QString("1948年12月"));

        w.window->Basic().SetYearMonth(2099, 12);
        basic.spinMonth->UpButton()->click();
        QCOMPARE(Labels(w), QString("2099年12月"));
        basic.spinYear->UpButton()->click();
        QCOMPARE(Labels(w), QString("2099年12月"));

        w.window->Basic().SetYearMonth(2098, 12);
        basic.spinMonth->UpButton()->click();
        QCOMPARE(Labels(w), QString("2099年1月"));
        QCOMPARE(w.Design().Year, 2099);
        QCOMPARE(w.Design().Month, 1);
    }

    void PictureOnASideLeavesTwoTitleRows() {
        WindowFiles files;
        TestWindow w(files);
        auto& basic = w.window->Basic().Controls();
        auto* rows = w.window->Style().Controls().cboYDPosition;
        rows->setCurrentIndex(2);
        basic.cboPicPos->setCurrentIndex(1);
        w.window->Basic().cboPicPosClick();
        QCOMPARE(rows->count(), 2);
        QCOMPARE(rows->itemText(1), QString("下段"));
        QCOMPARE(rows->currentIndex(), -1);
        QCOMPARE(w.Design().YearPosition, -1);

        rows->setCurrentIndex(1);
        basic.cboPicPos->setCurrentIndex(2);
        w.window->Basic().cboPicPosClick();
        QCOMPARE(rows->count(), 3);
        QCOMPARE(rows->currentText(), QString("中段"));
    }

    void MiniatureSideRelabelsTheAlignmentAndKeepsTheChoice() {
        WindowFiles files;
        TestWindow w(files);
        auto& basic = w.window->Basic().Controls();
        basic.cboPNMonthAlign->setCurrentIndex(2);
        basic.cboPNMonthPos2->setCurrentIndex(2);
        w.window->Basic().cboPNMonthPos2Click();
        QCOMPARE(basic.cboPNMonthAlign->currentText(), QString("下寄せ"));
        basic.cboPNMonthPos2->setCurrentIndex(0);
        w.window->Basic().cboPNMonthPos2Click();
        QCOMPARE(basic.cboPNMonthAlign->currentText(), QString("右寄せ"));
    }

    void MonthCountsStayWithin1And99() {
        WindowFiles files;
        TestWindow w(files);
        auto& basic = w.window->Basic().Controls();
        basic.txtPluralColumns->setText("1");
        basic.spinPluralColumns->DownButton()->click();
        QCOMPARE(basic.txtPluralColumns->text(), QString("1"));
        basic.txtPluralRows->setText("99");
        basic.spinPluralRows->UpButton()->click();
        QCOMPARE(basic.txtPluralRows->text(), QString("99"));
        basic.spinPluralRows->DownButton()->click();
        QCOMPARE(basic.txtPluralRows->text(), QString("98"));

        for (QLineEdit* edit : {basic.txtPluralColumns, basic.txtPluralRows}) {
            edit->setFocus(Qt::MouseFocusReason);
            QApplication::processEvents();
            edit->selectAll();
            QTest::keyClicks(edit, "0");
            basic.chkWaku->setFocus(Qt::MouseFocusReason);
            QApplication::processEvents();
            QCOMPARE(edit->text(), QString("1"));
        }
    }

    void ImpositionColumnsOfZeroBecomeOne() {
        WindowFiles files;
        TestWindow w(files);
        auto& imposition = w.window->Imposition().Controls();
        imposition.txtMatrixCol->setText("0");
        const TData design = w.Design();
        QCOMPARE(design.Cols, 1);
        QCOMPARE(imposition.txtMatrixCol->text(), QString("1"));
    }

    void EmptyPictureMarginBecomesZero() {
        WindowFiles files;
        TestWindow w(files);
        auto& basic = w.window->Basic().Controls();
        basic.txtPicOffset->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        basic.txtPicOffset->setText(" ");
        basic.chkWaku->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        QCOMPARE(basic.txtPicOffset->text(), QString("0"));
    }

    void EditsRefuseWhatShiftJisCannotHold() {
        WindowFiles files;
        TestWindow w(files);
        QLineEdit* path = w.window->Basic().Controls().txtPicFile;
        path->setFocus(Qt::MouseFocusReason);
        TypeText(path, "a한b");
        QCOMPARE(path->text(), QString("ab"));
        TypeText(path, "ｶﾅ漢字");
        QCOMPARE(path->text(), QString("abｶﾅ漢字"));
    }

    void APictureThatIsNoPictureIsRefusedByNameWhetherChosenOrTyped() {
        WindowFiles files;
        TestWindow w(files);
        auto& basic = w.window->Basic().Controls();
        QFile broken(files.Path("broken.png"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a picture");
        broken.close();
        w.dialogs.openAnswers.push_back(files.Path("broken.png"));
        basic.cmdOpenPic->click();
        std::vector<Message> messages = w.log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(messages[0].kind, MessageKind::Warning);
        QCOMPARE(QString::fromStdString(messages[0].text),
                 "この画像ファイルは対応できないフォーマットです。\r\n" + files.Path("broken.png"));
        QCOMPARE(basic.txtPicFile->text(), QString());
        QVERIFY(w.dialogs.openFilters.last().contains("*.jpg"));

        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(files.Path("good.png")));
        w.dialogs.openAnswers.push_back(files.Path("good.png"));
        basic.cmdOpenPic->click();
        QCOMPARE(basic.txtPicFile->text(), files.Path("good.png"));
        // Typed into the field and left, it is refused too; the field keeps its picture.
        TypeOver(basic.txtPicFile, files.Path("broken.png"));
        MoveFocus(basic.txtPicFile, basic.chkWaku);
        QCOMPARE(w.log.Take().size(), size_t{1});
        QCOMPARE(basic.txtPicFile->text(), files.Path("good.png"));
        QCOMPARE(QString::fromStdString(w.Design().PictureFile), files.Path("good.png"));
        // The refused file was never the field's: the second choice started in its folder.
        QCOMPARE(w.dialogs.openInitialFiles.last(),
                 QFileInfo(files.Path("good.png")).absolutePath());
        QCOMPARE(w.window->StatusText(), QString());
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void BackgroundColourIsChangedOnlyByOk() {
        WindowFiles files;
        TestWindow w(files);
        auto& basic = w.window->Basic().Controls();
        w.dialogs.colorAnswers.push_back(std::nullopt);
        QTest::mouseClick(basic.cmdBackColor, Qt::LeftButton);
        QCOMPARE(w.Design().CalenderBackColor, 0xFFFFFF);
        w.dialogs.colorAnswers.push_back(0x123456);
        QTest::mouseClick(basic.cmdBackColor, Qt::LeftButton);
        QCOMPARE(w.dialogs.colorInitials, std::vector<int32_t>({0xFFFFFF, 0xFFFFFF}));
        QCOMPARE(w.Design().CalenderBackColor, 0x123456);
    }
};

ORV_REGISTER_TEST(BasicTabTest);

}  // namespace orv::test

#include "BasicTabTest.moc"
