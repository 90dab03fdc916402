// Start, first activation, close and the auto-save.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <utility>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/basic/BasicTab.h"
#include "app/memorial/MemorialTab.h"
#include "app/style/StyleTab.h"
#include "model/CivilDate.h"
#include "ui_BasicTab.h"
#include "ui_MainWindow.h"
#include "ui_MemorialTab.h"
#include "ui_StyleTab.h"

namespace orv::test {

class LifecycleTest : public QObject {
    Q_OBJECT
  private slots:
    void StartWithoutAutoSaveShowsTheNewDesign() {
        WindowFiles files;
        TestWindow w(files);
        QCOMPARE(DesignLines(w.Design()), DesignLines(NewDesign()));
        auto& basic = w.window->Basic().Controls();
        QCOMPARE(basic.cboCalSize->currentText(), QString("FDｹｰｽ"));
        QCOMPARE(w.window->Controls().cboZoom->currentText(), QString("100%"));
        QCOMPARE(w.window->StatusText(), QString());
        QCOMPARE(w.window->windowTitle(), QString("無題[*] - Orvalinden"));
        // At least the size of the forms; larger where the first tab needs it.
        QVERIFY(w.window->width() >= 800 && w.window->height() >= 614);
        // The style samples name the shown month.
        const CivilDate today = Today();
        QCOMPARE(w.window->Style().Controls().cboYDStyle->itemText(0),
                 QString("%1年%2月").arg(today.Year).arg(today.Month));
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void TheStatusBarSaysWhereTheShownYearsHolidaysComeFrom() {
        QTemporaryDir data;
        QDir(data.path()).mkpath("orvalinden");
        QFile list(data.filePath("orvalinden/syukujitsu.csv"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("2027/1/1,元日\r\n2027/12/28,新しい祝日\r\n");
        list.close();
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        WindowFiles files;
        TestWindow w(files);
        qunsetenv("XDG_DATA_HOME");
        const auto* source = w.window->findChild<QLabel*>("lblHolidaySource");
        QVERIFY(source != nullptr);
        for (const auto& [year, text] :
             {std::pair{2027, "祝日: 内閣府の一覧"}, std::pair{2026, "祝日: 本ソフトの規則"}}) {
            w.window->Basic().SetYearMonth(year, 12);
            w.window->Controls().PaintBox1->repaint();
            QCOMPARE(source->text(), QString(text));
        }
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void DesignComesBackAfterCloseAndRestart() {
        WindowFiles files;
        TData edited;
        {
            TestWindow w(files);
            auto& basic = w.window->Basic().Controls();
            basic.cboCalSize->setCurrentIndex(9);
            w.window->Basic().cboCalSizeChange();
            basic.spinYear->DownButton()->click();
            basic.optPluralMonth->setChecked(true);
            auto& memorial = w.window->Memorial().Controls();
            memorial.txtMemorialDayY->setText("0");
            memorial.txtMemorialDayM->setText("5");
            memorial.txtMemorialDay->setText("5");
            memorial.txtMemorialName->setText("こどもの日");
            memorial.cmdAddMemorial->click();
            edited = w.Design();
            w.Close();
            QVERIFY(QFile::exists(QString::fromStdString(files.AutoSave())));
            ORV_NO_UNEXPECTED_MESSAGES(w.log);
        }
        TestWindow again(files);
        QCOMPARE(DesignLines(again.Design()), DesignLines(edited));
        QCOMPARE(again.window->Memorial().Controls().lvwMemorial->topLevelItemCount(), 1);
        QCOMPARE(again.window->Basic().Controls().cboCalSize->currentText(), QString("A4横"));
        ORV_NO_UNEXPECTED_MESSAGES(again.log);
    }

    void RestoredDesignOfAnotherYearRenamesTheStyleSamples() {
        WindowFiles files;
        TData design = NewDesign();
        design.Year = 2016;
        design.Month = 1;
        SaveDesign(design, QString::fromStdString(files.AutoSave()));
        TestWindow w(files);
        QStringList samples;
        auto* list = w.window->Style().Controls().cboYDStyle;
        for (int i = 0; i < list->count(); ++i) samples << list->itemText(i);
        QCOMPARE(samples, QStringList({"2016年1月", "January, 2016", "Jan, 2016", "平成28年1月",
                                       "2016年1月（平成28年）"}));
        QCOMPARE(list->currentIndex(), 0);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void AFailedAutoSaveIsReportedAndTheWindowStillCloses() {
        WindowFiles files;
        WindowSettings settings = files.Settings();
        settings.AutoSaveFile = files.Path("missing-folder/Orvalinden.bak").toStdString();
        MessageLog log;
        TfrmMain window(settings);
        window.SetMessageSink(&log);
        window.show();
        QTRY_VERIFY(!window.FirstActivationPending());
        QVERIFY(window.close());
        QVERIFY(!window.isVisible());
        const std::vector<Message> messages = log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(messages[0].kind, MessageKind::Error);
        QVERIFY(QString::fromStdString(messages[0].text).startsWith("ﾃﾞｰﾀﾌｧｲﾙｾｰﾌﾞｴﾗｰ\r\n"));
    }

    void HiddenDataCreationEntryStaysHiddenAndOpensTheDialog() {
        WindowFiles files;
        TestWindow w(files);
        QVERIFY(!w.window->Controls().mnuRokuyo->isVisible());
        QCOMPARE(w.window->Controls().mnuRokuyo->text(), QString("六曜ﾃﾞｰﾀ作成"));
        w.window->Controls().mnuRokuyo->trigger();
        QCOMPARE(w.dialogs.shownDialogs.size(), size_t{1});
        QCOMPARE(w.dialogs.shownDialogs[0]->windowTitle(), QString("データ作成"));
        w.window->Controls().mnuAbout->trigger();
        QCOMPARE(w.dialogs.shownDialogs[1]->windowTitle(), QString("バージョン情報"));
    }
};

ORV_REGISTER_TEST(LifecycleTest);

}  // namespace orv::test

#include "LifecycleTest.moc"
