// Opening and saving designs through the file menu.
#include <QDir>
#include <QTest>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/basic/BasicTab.h"
#include "app/memorial/MemorialTab.h"
#include "app/style/StyleTab.h"
#include "ui_BasicTab.h"
#include "ui_MainWindow.h"
#include "ui_MemorialTab.h"
#include "ui_StyleTab.h"

namespace orv::test {

class FileMenuTest : public QObject {
    Q_OBJECT

    static TData Open(TestWindow& w, const QString& path) {
        w.dialogs.openAnswers.push_back(path);
        w.window->mnuFileOpenClick();
        return w.Design();
    }

  private slots:
    void CustomSizeIsKeptAndAPresetIndexGivesThePresetSize() {
        WindowFiles files;
        TestWindow w(files);
        TData custom = NewDesign();
        custom.SizeIndex = -1;
        custom.SizeX = 123;
        custom.SizeY = 77;
        SaveDesign(custom, files.Path("custom.sav"));
        TData preset = NewDesign();
        preset.SizeIndex = 8;  // A4縦
        preset.SizeX = 1;
        preset.SizeY = 2;
        SaveDesign(preset, files.Path("preset.sav"));

        TData shown = Open(w, files.Path("custom.sav"));
        QCOMPARE(shown.SizeIndex, -1);
        QCOMPARE(shown.SizeX, 123);
        QCOMPARE(shown.SizeY, 77);
        QCOMPARE(w.window->Basic().Controls().cboCalSize->currentText(), QString());

        shown = Open(w, files.Path("preset.sav"));
        QCOMPARE(shown.SizeIndex, 8);
        QCOMPARE(shown.SizeX, 210);
        QCOMPARE(shown.SizeY, 297);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void BothLayoutsOnShowSeveralMonthsAndSaveWithoutMiniatures() {
        WindowFiles files;
        TestWindow w(files);
        TData both = NewDesign();
        both.PrevNextMonthEnabled = 1;
        both.PluralEnabled = 1;
        SaveDesign(both, files.Path("both.sav"));
        Open(w, files.Path("both.sav"));
        QVERIFY(w.window->Basic().Controls().optPluralMonth->isChecked());
        QVERIFY(!w.window->Basic().Controls().optPNMonth->isChecked());

        w.dialogs.saveAnswers.push_back(files.Path("again.sav"));
        w.window->mnuFileSaveClick();
        TData saved;
        QVERIFY(saved.LoadFromFile(files.Path("again.sav").toStdString(), w.log));
        QCOMPARE(saved.PrevNextMonthEnabled, 0);
        QCOMPARE(saved.PluralEnabled, 1);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void SaveOffersTheFileJustOpened() {
        WindowFiles files;
        TestWindow w(files);
        SaveDesign(NewDesign(), files.Path("mine.sav"));
        Open(w, files.Path("mine.sav"));
        w.window->mnuFileSaveClick();  // cancelled
        QCOMPARE(w.dialogs.saveInitialFiles.last(), files.Path("mine.sav"));
        QCOMPARE(w.dialogs.saveFilters.last(), QString("ｾｰﾌﾞﾌｧｲﾙ(*.sav);;すべてのﾌｧｲﾙ(*)"));
        QCOMPARE(w.window->LastFileName(), files.Path("mine.sav"));
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void AFailedOpenLeavesTheDesignAndItsListsAsTheyWere() {
        WindowFiles files;
        TestWindow w(files);
        auto& memorial = w.window->Memorial().Controls();
        memorial.txtMemorialDayY->setText("2016");
        memorial.txtMemorialDayM->setText("5");
        memorial.txtMemorialDay->setText("5");
        memorial.txtMemorialName->setText("A");
        memorial.cmdAddMemorial->click();
        const QStringList before = DesignLines(w.Design());

        // A folder cannot be read as a design.
        QDir(files.Path("")).mkdir("folder.sav");
        Open(w, files.Path("folder.sav"));
        const std::vector<Message> messages = w.log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QVERIFY(QString::fromStdString(messages[0].text).startsWith("ﾃﾞｰﾀﾌｧｲﾙﾛｰﾄﾞｴﾗｰ"));
        QCOMPARE(DesignLines(w.Design()), before);
        QCOMPARE(w.window->LastFileName(), QString());
        QCOMPARE(w.window->StatusText(), QString());
    }

    void AForeignFileWarnsAndStillLoads() {
        WindowFiles files;
        TestWindow w(files);
        QFile file(files.Path("foreign.sav"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Calender]\r\nSizeIndex=-1\r\nSizeX=50\r\nSizeY=60\r\n");
        file.close();
        const TData shown = Open(w, files.Path("foreign.sav"));
        const std::vector<Message> messages = w.log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(messages[0].kind, MessageKind::Warning);
        QCOMPARE(QString::fromStdString(messages[0].text),
                 QString("本ソフトのデータファイルとして認識できません、エラーが表示される可能性が"
                         "あります。"));
        QCOMPARE(shown.SizeX, 50);
    }

    void ALoadedThirdTitleRowSurvivesAPictureThatWasBeside() {
        WindowFiles files;
        TestWindow w(files);
        // The window shows the picture on the left: two title rows.
        auto& basic = w.window->Basic().Controls();
        basic.cboPicPos->setCurrentIndex(1);
        w.window->Basic().cboPicPosClick();
        QCOMPARE(w.window->Style().Controls().cboYDPosition->count(), 2);
        basic.cboPNMonthPos2->setCurrentIndex(2);
        w.window->Basic().cboPNMonthPos2Click();
        QCOMPARE(basic.cboPNMonthAlign->itemText(0), QString("上寄せ"));

        TData design = NewDesign();
        design.PicturePosition = 0;
        design.YearPosition = 2;
        design.Position2 = 1;
        SaveDesign(design, files.Path("third-row.sav"));
        const TData shown = Open(w, files.Path("third-row.sav"));
        QCOMPARE(w.window->Style().Controls().cboYDPosition->currentText(), QString("下段"));
        QCOMPARE(shown.YearPosition, 2);
        // The alignment list reads for a side above or below.
        QCOMPARE(basic.cboPNMonthAlign->itemText(0), QString("左寄せ"));
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }
};

ORV_REGISTER_TEST(FileMenuTest);

}  // namespace orv::test

#include "FileMenuTest.moc"
