// Printing through the window's print path onto a real CUPS queue (cups-pdf): the page holds the
// same calendar as the command line's PDF export. Run by window_cups_print_test.sh, which starts
// the server; skipped without it.
#include <QAction>
#include <QDir>
#include <QRegularExpression>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/basic/BasicTab.h"
#include "app/months/MonthRunDialog.h"
#include "app/style/StyleTab.h"
#include "support/CliRunner.h"
#include "ui_BasicTab.h"
#include "ui_MainWindow.h"
#include "ui_StyleTab.h"

namespace orv::test {

namespace {

QImage GreyPage(const QString& pdf, const QString& prefix) {
    QProcess::execute("pdftoppm", {"-gray", "-r", "72", "-singlefile", pdf, prefix});
    return QImage(prefix + ".pgm").convertToFormat(QImage::Format_Grayscale8);
}

QString PdfText(const QString& pdf) {
    QProcess process;
    process.start("pdftotext", {pdf, "-"});
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The bounding box of everything that is not white.
QRect Ink(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            if (row[x] < 200) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

}  // namespace

class CupsPrintTest : public QObject {
    Q_OBJECT
  private slots:
    void PrintedPageHoldsTheCommandLinesCalendar() {
        const QString out = qEnvironmentVariable("ORV_CUPS_PDF_FOLDER");
        if (out.isEmpty()) QSKIP("needs the CUPS server of window_cups_print_test.sh");
        WindowFiles files;
        files.oldCalendarFile = std::string(ORV_PROGRAM_DIR) + "/旧暦.ini";
        TestWindow w(files);
        auto& basic = w.window->Basic().Controls();
        basic.cboCalSize->setCurrentIndex(6);  // A5縦
        w.window->Basic().cboCalSizeChange();
        w.window->Basic().SetYearMonth(2026, 5);
        w.window->Style().Controls().chkRokuyo->setChecked(true);

        w.dialogs.printAnswersOk = 1;
        w.window->Controls().cmdPrint->click();
        std::vector<Message> messages = w.log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(QString::fromStdString(messages[0].text), QString("印刷しました。"));
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(out).entryList({"*.pdf"}, QDir::Files).isEmpty(), 30000);
        const QString printed = out + "/" + QDir(out).entryList({"*.pdf"}, QDir::Files).first();

        w.dialogs.saveAnswers.push_back(files.Path("design.sav"));
        w.window->mnuFileSaveClick();
        const CliResult cli =
            RunCli("export " + ShellQuote(files.Path("design.sav").toStdString()) + " " +
                       ShellQuote(files.Path("cli.pdf").toStdString()) + " --dpi 300 --oldcal " +
                       ShellQuote(files.oldCalendarFile),
                   files.Path("cli.err").toStdString());
        QVERIFY2(cli.status == 0, cli.err.c_str());

        const QImage sheet = GreyPage(files.Path("cli.pdf"), files.Path("sheet"));
        const QImage page = GreyPage(printed, files.Path("page"));
        QVERIFY(!sheet.isNull() && !page.isNull());
        // The calendar sits at the page's printable corner (no border on this queue) at its size.
        const QRect sheetInk = Ink(sheet);
        const QRect pageInk = Ink(page);
        QVERIFY2(std::abs(sheetInk.left() - pageInk.left()) <= 1 &&
                     std::abs(sheetInk.top() - pageInk.top()) <= 1 &&
                     std::abs(sheetInk.width() - pageInk.width()) <= 1 &&
                     std::abs(sheetInk.height() - pageInk.height()) <= 1,
                 qPrintable(QString("ink %1,%2 %3x%4 printed, %5,%6 %7x%8 exported")
                                .arg(pageInk.left())
                                .arg(pageInk.top())
                                .arg(pageInk.width())
                                .arg(pageInk.height())
                                .arg(sheetInk.left())
                                .arg(sheetInk.top())
                                .arg(sheetInk.width())
                                .arg(sheetInk.height())));
        // The same drawing. On its way through PostScript the text becomes outlines, whose edges
        // shade a little differently: compared at a third of the size, they agree.
        const QSize third = sheet.size() / 3;
        const QImage a = sheet.scaled(third, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage b = page.copy(QRect(QPoint(0, 0), sheet.size()))
                             .scaled(third, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        int differing = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                if (std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 64) ++differing;
            }
        }
        const double share = double(differing) / (a.width() * a.height());
        QVERIFY2(share < 0.01, qPrintable(QString("%1 of the pixels differ").arg(share)));
        // The job as the window sent it holds the calendar's texts, the same as the export's.
        const QString spool = qEnvironmentVariable("ORV_CUPS_SPOOL_FOLDER");
        const QStringList jobs = QDir(spool).entryList({"d*"}, QDir::Files, QDir::Time);
        QVERIFY(!jobs.isEmpty());
        QCOMPARE(PdfText(spool + "/" + jobs.first()), PdfText(files.Path("cli.pdf")));

        // A queue without an unprintable border: the margin command keeps the size but the size
        // no longer has a name.
        basic.cmdCalSizeMargin->click();
        QCOMPARE(basic.cboCalSize->currentIndex(), -1);
        QCOMPARE(basic.txtCalSizeX->text(), QString("148"));
        QCOMPARE(basic.txtCalSizeY->text(), QString("210"));
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    // Twelve months through 複数月の印刷・保存: one job of twelve A4 pages, January to December.
    void TwelveMonthsAreOneJobOfTwelvePages() {
        const QString spool = qEnvironmentVariable("ORV_CUPS_SPOOL_FOLDER");
        if (spool.isEmpty()) QSKIP("needs the CUPS server of window_cups_print_test.sh");
        WindowFiles files;
        TestWindow w(files);
        w.window->Basic().Controls().cboCalSize->setCurrentIndex(8);  // A4縦
        w.window->Basic().cboCalSizeChange();
        w.window->Basic().SetYearMonth(2027, 1);
        const QStringList before = QDir(spool).entryList({"d*"}, QDir::Files);
        w.window->findChild<QAction*>("mnuMonthRun")->trigger();
        w.dialogs.printAnswersOk = 1;
        w.window->MonthRunDialog().accept();
        QCOMPARE(w.log.Take().back().text, std::string("印刷しました。"));
        QStringList jobs = QDir(spool).entryList({"d*"}, QDir::Files, QDir::Time);
        for (const QString& old : before) jobs.removeAll(old);
        QCOMPARE(jobs.size(), 1);
        const QString job = spool + "/" + jobs.first();
        QProcess info;
        info.start("pdfinfo", {job});
        info.waitForFinished();
        const QString facts = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(facts.contains(QRegularExpression("Pages: +12\\n")), qPrintable(facts));
        QVERIFY2(facts.contains("595.276 x 841.89 pts (A4)") || facts.contains("595 x 842 pts (A4)"),
                 qPrintable(facts));
        for (int month = 1; month <= 12; ++month) {
            QProcess text;
            text.start("pdftotext", {"-f", QString::number(month), "-l", QString::number(month),
                                     job, "-"});
            text.waitForFinished();
            QVERIFY2(QString::fromUtf8(text.readAllStandardOutput())
                         .contains(QStringLiteral("2027年%1月").arg(month)),
                     qPrintable(QString::number(month)));
        }
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }
};

ORV_REGISTER_TEST(CupsPrintTest);

}  // namespace orv::test

#include "CupsPrintTest.moc"
