// What the window prints and exports is what the command line makes of the same design.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMetaObject>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/basic/BasicTab.h"
#include "app/style/StyleTab.h"
#include "support/CliRunner.h"
#include "ui_BasicTab.h"
#include "ui_MainWindow.h"
#include "ui_StyleTab.h"

namespace orv::test {

namespace {

const std::string kOldCalendar = std::string(ORV_PROGRAM_DIR) + "/旧暦.ini";

// A design with a picture, the neighbouring months, holidays, rokuyo and solar terms.
void MakeRichDesign(TestWindow& w, const WindowFiles& files) {
    QImage picture(60, 40, QImage::Format_RGB32);
    picture.fill(QColor(90, 160, 210));
    const QString path = files.Path("picture.png");
    QVERIFY(picture.save(path));
    auto& basic = w.window->Basic().Controls();
    basic.cboCalSize->setCurrentIndex(4);
    w.window->Basic().cboCalSizeChange();
    basic.txtPicFile->setText(path);
    w.window->Basic().SetYearMonth(2026, 5);
    auto& style = w.window->Style().Controls();
    style.chkRokuyo->setChecked(true);
    style.chkNijusisekki->setChecked(true);
}

QImage Rgb(const QString& path) {
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

QImage PdfPage(const QString& pdf, const QString& prefix) {
    QProcess::execute("pdftoppm", {"-r", "72", "-png", "-singlefile", pdf, prefix});
    return Rgb(prefix + ".png");
}

std::string Quote(const QString& path) {
    return ShellQuote(path.toStdString());
}

}  // namespace

class OutputTest : public QObject {
    Q_OBJECT
  private slots:
    void WindowPngEqualsTheCommandLinesAndTakes300dpiAs300() {
        WindowFiles files;
        files.oldCalendarFile = kOldCalendar;
        TestWindow w(files);
        MakeRichDesign(w, files);
        // A name without an extension, the PNG filter, a resolution typed with its unit.
        w.dialogs.saveAnswers.push_back(files.Path("window"));
        w.dialogs.saveFilterAnswer = "PNGﾌｧｲﾙ(*.png)";
        w.dialogs.textAnswers.push_back("150dpi");
        w.window->mnuPicSaveClick();
        QCOMPARE(w.dialogs.lastCaption, QString("ｶﾚﾝﾀﾞｰを画像ﾌｧｲﾙに保存"));
        QCOMPARE(w.dialogs.lastTextValue, QString("300"));
        QVERIFY(w.dialogs.lastPrompt.startsWith("保存する解像度（DPI）を入力してください。\r\n"));
        std::vector<Message> messages = w.log.Take();
        // 60 pixels across the picture's box: the window says how coarse that prints.
        QCOMPARE(messages.size(), size_t{2});
        QCOMPARE(messages[0].kind, MessageKind::Warning);
        QVERIFY2(
            QString::fromStdString(messages[0].text)
                .contains(QRegularExpression("^画像「picture.png」は紙の上で約 \\d+ dpi です。")),
            messages[0].text.c_str());
        QCOMPARE(QString::fromStdString(messages[1].text), QString("保存しました。"));
        QCOMPARE(w.window->LastImageFileName(), files.Path("window.png"));
        // The status bar names the file written.
        QCOMPARE(w.window->StatusText(), "保存しました: " + files.Path("window.png"));

        w.dialogs.saveAnswers.push_back(files.Path("design.sav"));
        w.window->mnuFileSaveClick();
        TData saved;
        QVERIFY(saved.LoadFromFile(files.Path("design.sav").toStdString(), w.log));
        QCOMPARE(saved.PicSaveDPI, 150);

        const CliResult cli = RunCli("export " + Quote(files.Path("design.sav")) + " " +
                                         Quote(files.Path("cli.png")) + " --dpi 150 --oldcal " +
                                         ShellQuote(kOldCalendar),
                                     files.Path("cli.err").toStdString());
        QVERIFY2(cli.status == 0, cli.err.c_str());
        const QImage window = Rgb(files.Path("window.png"));
        QCOMPARE(window.size(), QSize(590, 874));  // 100 x 148 mm at 150 dpi
        QVERIFY(window == Rgb(files.Path("cli.png")));

        // The next export offers the resolution last used, then the design's name with its
        // month in the last export's folder.
        w.window->mnuPicSaveClick();
        QCOMPARE(w.dialogs.lastTextValue, QString("150"));
        w.dialogs.textAnswers.push_back("150");
        w.window->mnuPicSaveClick();
        QCOMPARE(w.dialogs.saveInitialFiles.last(), files.Path("design-2026-05.png"));
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void ACancelledExportLeavesNoFile() {
        WindowFiles files;
        TestWindow w(files);
        auto* cancel = w.window->findChild<QPushButton*>("cmdCancelExport");
        QVERIFY(cancel != nullptr);
        // The user presses the cancel button as soon as it shows, with the export begun.
        struct ClickWhenShown : QObject {
            bool eventFilter(QObject* watched, QEvent* event) override {
                if (event->type() == QEvent::Show) {
                    QMetaObject::invokeMethod(watched, "click", Qt::QueuedConnection);
                }
                return false;
            }
        } clicker;
        cancel->installEventFilter(&clicker);
        w.dialogs.saveAnswers.push_back(files.Path("big.png"));
        w.dialogs.textAnswers.push_back("300");
        w.window->mnuPicSaveClick();
        QVERIFY(!QFile::exists(files.Path("big.png")));
        QCOMPARE(QDir(files.Path("")).entryList(QDir::Files), QStringList({"orvalinden.ini"}));
        QVERIFY(!w.window->Exporting());
        QVERIFY(w.window->centralWidget()->isEnabled());
        QVERIFY(cancel->isHidden());
        QCOMPARE(w.window->LastImageFileName(), QString());
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void AnUnsupportedExtensionIsRefusedAndRemembered() {
        WindowFiles files;
        TestWindow w(files);
        w.dialogs.saveAnswers.push_back(files.Path("cal.gif"));
        w.dialogs.textAnswers.push_back("96");
        w.window->mnuPicSaveClick();
        const std::vector<Message> messages = w.log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(QString::fromStdString(messages[0].text), QString("対応していない拡張子です。"));
        QVERIFY(!QFile::exists(files.Path("cal.gif")));
        QCOMPARE(w.window->LastImageFileName(), files.Path("cal.gif"));
    }

    void WithoutAPrinterTheMarginCommandChangesNothing() {
        WindowFiles files;
        TestWindow w(files);
        auto& basic = w.window->Basic().Controls();
        basic.cmdCalSizeMargin->click();
        const std::vector<Message> messages = w.log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(messages[0].kind, MessageKind::Error);
        QCOMPARE(basic.cboCalSize->currentIndex(), 0);
        QCOMPARE(basic.txtCalSizeX->text(), QString("90"));
        QCOMPARE(basic.txtCalSizeY->text(), QString("95"));
    }

    void PrintingToAFileGivesTheCommandLinesPdf() {
        WindowFiles files;
        files.oldCalendarFile = kOldCalendar;
        TestWindow w(files);
        MakeRichDesign(w, files);
        w.dialogs.printToFileAnswers.push_back(files.Path("printed.pdf"));
        w.window->Controls().cmdPrint->click();
        std::vector<Message> messages = w.log.Take();
        QCOMPARE(messages.size(), size_t{2});
        QVERIFY(QString::fromStdString(messages[0].text).startsWith("画像「picture.png」"));
        QCOMPARE(QString::fromStdString(messages[1].text), QString("印刷しました。"));

        w.dialogs.saveAnswers.push_back(files.Path("design.sav"));
        w.window->mnuFileSaveClick();
        const CliResult cli = RunCli("export " + Quote(files.Path("design.sav")) + " " +
                                         Quote(files.Path("cli.pdf")) + " --dpi 300 --oldcal " +
                                         ShellQuote(kOldCalendar),
                                     files.Path("cli.err").toStdString());
        QVERIFY2(cli.status == 0, cli.err.c_str());
        const QImage sheet = PdfPage(files.Path("cli.pdf"), files.Path("cli-page"));
        const QImage page = PdfPage(files.Path("printed.pdf"), files.Path("printed-page"));
        QVERIFY(!sheet.isNull());
        QVERIFY(page.width() >= sheet.width() && page.height() >= sheet.height());
        QVERIFY(page.copy(QRect(QPoint(0, 0), sheet.size())) == sheet);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }
};

ORV_REGISTER_TEST(OutputTest);

}  // namespace orv::test

#include "OutputTest.moc"
