// The hidden data-creation dialog builds both sections from source tables in a development
// folder.
#include <QDir>
#include <QFile>
#include <QTest>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "model/CivilDate.h"
#include "model/Codec.h"
#include "model/DataCreation.h"
#include "tools/RokuyoUnit.h"
#include "ui_RokuyoDialog.h"

namespace orv::test {

namespace {

const char* const kRokuyo[] = {"先勝", "友引", "先負", "仏滅", "大安", "赤口"};

void WriteCp932(const QString& path, const std::string& utf8) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    const std::string bytes = Utf8ToCp932(utf8);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// One table per year: after "start:", the line of day D holds one column per month that has a
// day D, each a "/" with the name four characters after it.
void WriteRokuyoSources(const QString& folder) {
    QDir(folder).mkpath("六曜");
    for (int year = kDataCreationFirstYear; year <= kDataCreationLastYear; ++year) {
        std::string text = "header\r\nstart:\r\n<comment>\r\n";
        for (int day = 1; day <= 31; ++day) {
            std::string line;
            for (int month = 1; month <= 12; ++month) {
                if (day > DaysInMonth(year, month)) continue;
                line += "/" + std::string(month < 10 ? "0" : "") + std::to_string(month) + " " +
                        kRokuyo[(month + day) % 6] + " ";
            }
            text += line + "\r\n";
        }
        WriteCp932(folder + "/六曜/" + QString::number(year) + ".txt", text);
    }
}

void WriteSolarTermSources(const QString& folder) {
    QDir(folder).mkpath("二十四節気");
    for (int year = kDataCreationFirstYear; year <= kDataCreationLastYear; ++year) {
        const std::string text =
            "<html><p>2/4 before the table</p>\r\n"
            "<table><tr><th>節気</th><th>日付～</th></tr>\r\n"
            "<tr align=\"center\"><td>立春</td><td>02/04</td></tr>\r\n"
            "<tr align=\"center\"><td>冬至</td><td>12/22</td></tr>\r\n"
            "</table>\r\n<p>03/03</p>\r\n";
        WriteCp932(folder + "/二十四節気/24sk" + QString::number(year) + ".htm", text);
    }
}

QString ReadCp932(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return QString::fromStdString(Cp932ToUtf8(std::string(bytes.constData(), bytes.size())));
}

}  // namespace

class DataCreationDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void BuildsBothSectionsFromTheDevelopmentFolder() {
        WindowFiles files;
        const QString folder = files.Path("dev");
        WriteRokuyoSources(folder);
        WriteSolarTermSources(folder);
        MessageLog log;
        TfrmRokuyo dialog;
        dialog.SetMessageSink(&log);
        auto& c = dialog.Controls();
        QCOMPARE(dialog.windowTitle(), QString("データ作成"));
        c.txtDevelopFolder->setText(folder);

        c.cmdRokuyo->click();
        std::vector<Message> messages = log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(messages[0].kind, MessageKind::Information);
        QCOMPARE(QString::fromStdString(messages[0].text), QString("終了。"));
        int days = 0;
        for (int year = kDataCreationFirstYear; year <= kDataCreationLastYear; ++year) {
            days += IsLeapYear(year) ? 366 : 365;
        }
        QCOMPARE(c.ListView1->topLevelItemCount(), days);
        QCOMPARE(c.ListView1->topLevelItem(0)->text(0), QString("1997/01/01"));
        QCOMPARE(c.ListView1->topLevelItem(0)->text(1), QString(kRokuyo[2]));
        const QString rokuyo = ReadCp932(folder + "/六曜/六曜.ini");
        QVERIFY(rokuyo.startsWith("[Rokuyo]\r\n1997/01/01=先負\r\n1997/01/02=仏滅\r\n"));
        QVERIFY(rokuyo.contains("2000/02/29="));

        c.cmdNijusisekki->click();
        messages = log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(QString::fromStdString(messages[0].text), QString("終了。"));
        QCOMPARE(c.ListView1->topLevelItemCount(), 2 * 14);
        QCOMPARE(c.ListView1->topLevelItem(1)->text(0), QString("1997/12/22"));
        QCOMPARE(c.ListView1->topLevelItem(1)->text(1), QString("冬至"));
        QVERIFY(ReadCp932(folder + "/二十四節気/二十四節気.ini")
                    .startsWith("[二十四節気]\r\n1997/02/04=立春\r\n1997/12/22=冬至\r\n"));
    }

    void AMissingYearStopsTheRunAndWritesNothing() {
        WindowFiles files;
        const QString folder = files.Path("dev");
        WriteSolarTermSources(folder);
        QFile::remove(folder + "/二十四節気/24sk2005.htm");
        MessageLog log;
        TfrmRokuyo dialog;
        dialog.SetMessageSink(&log);
        dialog.Controls().txtDevelopFolder->setText(folder);
        dialog.Controls().cmdNijusisekki->click();
        const std::vector<Message> messages = log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(messages[0].kind, MessageKind::Error);
        QVERIFY(QString::fromStdString(messages[0].text).startsWith("ｴﾗｰ\r\n"));
        // The rows of 1997 to 2004 stay in the list.
        QCOMPARE(dialog.Controls().ListView1->topLevelItemCount(), 2 * 8);
        QVERIFY(!QFile::exists(folder + "/二十四節気/二十四節気.ini"));
    }

    void NoFolderChosenIsSaidPlainly() {
        MessageLog log;
        TfrmRokuyo dialog;
        dialog.SetMessageSink(&log);
        dialog.Controls().cmdRokuyo->click();
        const std::vector<Message> messages = log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(messages[0].kind, MessageKind::Warning);
    }
};

ORV_REGISTER_TEST(DataCreationDialogTest);

}  // namespace orv::test

#include "DataCreationDialogTest.moc"
