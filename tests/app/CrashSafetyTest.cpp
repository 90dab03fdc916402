// The design on screen reaches the auto-save file a moment after each change, not only at close,
// so that a killed program loses at most that moment.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/basic/BasicTab.h"
#include "app/style/StyleTab.h"
#include "model/CivilDate.h"
#include "ui_BasicTab.h"
#include "ui_StyleTab.h"

namespace orv::test {

namespace {

QByteArray Bytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TData Saved(const std::string& path) {
    TData data;
    NullMessageSink quiet;
    data.LoadFromFile(path, quiet);
    return data;
}

}  // namespace

class CrashSafetyTest : public QObject {
    Q_OBJECT
  private slots:
    void EditsReachTheAutoSaveFileAMomentAfterTheLastChange() {
        WindowFiles files;
        files.autoSaveDelayMs = 200;
        TestWindow w(files);
        QTest::qWait(600);
        QVERIFY(!QFile::exists(QString::fromStdString(files.AutoSave())));  // nothing changed yet

        // A step of the year: written a moment later, without closing.
        w.window->Basic().Controls().spinYear->DownButton()->click();
        QVERIFY(!QFile::exists(QString::fromStdString(files.AutoSave())));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QString::fromStdString(files.AutoSave())), 10000);
        QCOMPARE(Saved(files.AutoSave()).Year, Today().Year - 1);

        // Typing that has not left its edit yet counts too.
        QLineEdit* lineWidth = w.window->Style().Controls().txtLineWidth;
        lineWidth->setFocus();
        lineWidth->clear();
        TypeText(lineWidth, "7");
        QTRY_COMPARE_WITH_TIMEOUT(Saved(files.AutoSave()).LineWidth, 7, 10000);
        TData shown = w.Design();
        shown.Signature = kSignature;
        shown.Version = kVersion;
        QCOMPARE(DesignLines(Saved(files.AutoSave())), DesignLines(shown));

        // A width typed over a named size's: a typed size, so that a restore keeps the width.
        QLineEdit* width = w.window->Basic().Controls().txtCalSizeX;
        width->setFocus();
        width->selectAll();
        TypeText(width, "150");
        QTRY_COMPARE_WITH_TIMEOUT(Saved(files.AutoSave()).SizeX, 150, 10000);
        QCOMPARE(Saved(files.AutoSave()).SizeIndex, -1);
        QVERIFY(width->hasFocus());
        TestWindow restored(files);
        QCOMPARE(restored.window->Basic().Controls().txtCalSizeX->text(), QString("150"));
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    // A restored file is left as it is until the user changes something: one written by a newer
    // version, or from elsewhere, keeps what this program would not write back.
    void StartingAndRestoringWriteNothing() {
        WindowFiles files;
        files.autoSaveDelayMs = 100;
        TData design = NewDesign();
        design.Year = 2016;
        SaveDesign(design, QString::fromStdString(files.AutoSave()));
        QFile file(QString::fromStdString(files.AutoSave()));
        QVERIFY(file.open(QIODevice::Append));
        file.write("[Future]\r\nKey=kept\r\n");
        file.close();
        const QByteArray before = Bytes(files.AutoSave());

        TestWindow w(files);
        QCOMPARE(w.window->Basic().Controls().lblYear->text(), QString("2016年"));
        QTest::qWait(500);
        QCOMPARE(Bytes(files.AutoSave()), before);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void AnAutoSaveThatKeepsFailingIsReportedOnce() {
        WindowFiles files;
        files.autoSaveDelayMs = 50;
        // A folder where the file should be: every write fails.
        QVERIFY(QDir().mkpath(QString::fromStdString(files.AutoSave())));
        TestWindow w(files);
        auto& basic = w.window->Basic().Controls();
        basic.spinYear->DownButton()->click();
        std::vector<Message> messages;
        const auto reported = [&] {
            for (Message& m : w.log.Take()) messages.push_back(std::move(m));
            return !messages.empty();
        };
        QTRY_VERIFY_WITH_TIMEOUT(reported(), 10000);
        QCOMPARE(messages.size(), size_t{1});
        QVERIFY(QString::fromStdString(messages[0].text).startsWith("ﾃﾞｰﾀﾌｧｲﾙｾｰﾌﾞｴﾗｰ"));
        basic.spinYear->DownButton()->click();
        QTest::qWait(400);
        basic.spinYear->UpButton()->click();
        QTest::qWait(400);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
        // Closing tries once more and says so.
        w.Close();
        messages = w.log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QVERIFY(QString::fromStdString(messages[0].text).startsWith("ﾃﾞｰﾀﾌｧｲﾙｾｰﾌﾞｴﾗｰ"));
    }
};

ORV_REGISTER_TEST(CrashSafetyTest);

}  // namespace orv::test

#include "CrashSafetyTest.moc"
