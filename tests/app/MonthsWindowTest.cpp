// The window's month pictures and its run of months: the 月ごとの画像 dialog (choose, clear, drop,
// cancel) and the preview of the month on screen; 複数月の印刷・保存 to pictures, one PDF and the
// printer, with its cancel.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/basic/BasicTab.h"
#include "app/months/MonthPicturesDialog.h"
#include "app/months/MonthRunDialog.h"
#include "ui_BasicTab.h"
#include "ui_MainWindow.h"

namespace orv::test {

namespace {

QString Picture(const WindowFiles& files, const QString& name, QRgb color) {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(color);
    image.save(files.Path(name));
    return files.Path(name);
}

void Drop(QWidget* row, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(row, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(row, &drop);
}

int PdfPages(const QString& pdf) {
    QProcess process;
    process.start("pdfinfo", {pdf});
    process.waitForFinished();
    const QString info = QString::fromUtf8(process.readAllStandardOutput());
    const qsizetype at = info.indexOf("Pages:");
    return at < 0 ? -1 : info.mid(at + 6).section('\n', 0, 0).trimmed().toInt();
}

// The preview's colour in the middle of the picture band at the top of the sheet.
QRgb PreviewPictureColor(TestWindow& w) {
    QWidget* box = w.window->Controls().PaintBox1;
    const QImage shown = box->grab().toImage();
    return shown.pixel(shown.width() / 2, shown.height() / 5);
}

}  // namespace

class MonthsWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void MonthPicturesAreTypedOrChosenManyAtOnceOrFromAFolder() {
        WindowFiles files;
        TestWindow w(files);
        QDir().mkpath(files.Path("year"));
        QStringList twelve;
        for (int i = 1; i <= 13; ++i) {
            twelve << Picture(files, QString("year/%1.png").arg(i, 2, 10, QChar('0')),
                              0xFF000000u | (i * 0x101010u));
        }
        w.window->Basic().Controls().cmdMonthPictures->click();
        TfrmMonthPictures& dialog = w.window->MonthPicturesDialog();

        // A name typed that is no picture keeps the dialog open and is named.
        dialog.FileEdit(5)->setText(files.Path("missing.png"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(w.log.Take().size(), size_t{1});
        dialog.FileEdit(5)->setText(twelve[0]);

        // Three chosen at once from October: October, November, December.
        dialog.StartMonth()->setCurrentIndex(9);
        w.dialogs.openManyAnswers.push_back(twelve.mid(0, 3));
        dialog.ChooseManyButton()->click();
        QCOMPARE(dialog.FileEdit(10)->text(), twelve[0]);
        QCOMPARE(dialog.FileEdit(12)->text(), twelve[2]);
        QVERIFY(dialog.FileEdit(1)->text().isEmpty());
        dialog.accept();
        QCOMPARE(QString::fromStdString(w.window->Data().MonthPicture[5]), twelve[0]);
        QCOMPARE(QString::fromStdString(w.window->Data().MonthPicture[11]), twelve[1]);

        // A folder from April: its pictures by name, twelve of them, round into March.
        w.window->Basic().Controls().cmdMonthPictures->click();
        dialog.StartMonth()->setCurrentIndex(3);
        w.dialogs.folderAnswers.push_back(files.Path("year"));
        dialog.ChooseFolderButton()->click();
        QCOMPARE(dialog.FileEdit(4)->text(), twelve[0]);
        QCOMPARE(dialog.FileEdit(12)->text(), twelve[8]);
        QCOMPARE(dialog.FileEdit(3)->text(), twelve[11]);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void MonthPicturesAreChosenDroppedClearedAndTakenOnOk() {
        WindowFiles files;
        TestWindow w(files);
        const QString blue = Picture(files, "blue.png", 0xFF0000FF);
        const QString green = Picture(files, "green.png", 0xFF00FF00);
        QFile bad(files.Path("bad.png"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("no picture");
        bad.close();
        w.window->Basic().Controls().txtPicFile->setText(Picture(files, "red.png", 0xFFFF0000));
        w.window->Basic().SetYearMonth(2026, 2);

        w.window->Basic().Controls().cmdMonthPictures->click();
        TfrmMonthPictures& dialog = w.window->MonthPicturesDialog();
        QCOMPARE(w.dialogs.shownDialogs.back(), &dialog);
        w.dialogs.openAnswers.push_back(blue);
        dialog.ChooseButton(2)->click();
        QCOMPARE(dialog.FileEdit(2)->text(), blue);
        QVERIFY(!dialog.Thumbnail(2)->pixmap().isNull());
        Drop(dialog.Row(7), green);
        QCOMPARE(dialog.FileEdit(7)->text(), green);
        Drop(dialog.Row(3), files.Path("bad.png"));
        std::vector<Message> messages = w.log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(messages[0].text, "この画像ファイルは対応できないフォーマットです。\r\n" +
                                       files.Path("bad.png").toStdString());
        QVERIFY(dialog.FileEdit(3)->text().isEmpty());
        dialog.ClearButton(3)->click();
        QVERIFY(dialog.FileEdit(3)->text().isEmpty());
        dialog.accept();

        const TData& data = w.window->Data();
        QCOMPARE(QString::fromStdString(data.MonthPicture[2]), blue);
        QCOMPARE(QString::fromStdString(data.MonthPicture[7]), green);
        QCOMPARE(data.MonthPicture[3], std::string());
        // The dialog's OK is one step of the edit history.
        QApplication::processEvents();
        w.window->mnuUndoClick();
        QCOMPARE(w.window->Data().MonthPicture[2], std::string());
        QCOMPARE(w.window->Data().MonthPicture[7], std::string());
        w.window->mnuRedoClick();
        QCOMPARE(QString::fromStdString(w.window->Data().MonthPicture[7]), green);
        // The preview shows the month on screen: February's own picture, then March's none.
        QCOMPARE(PreviewPictureColor(w), QColor(Qt::blue).rgb());
        w.window->Basic().SetYearMonth(2026, 3);
        QCOMPARE(PreviewPictureColor(w), QColor(Qt::red).rgb());

        // Cancelled, the dialog changes nothing.
        w.window->Basic().Controls().cmdMonthPictures->click();
        QCOMPARE(dialog.FileEdit(7)->text(), green);
        dialog.ClearButton(7)->click();
        dialog.reject();
        QCOMPARE(QString::fromStdString(w.window->Data().MonthPicture[7]), green);

        // Saved and opened again.
        w.dialogs.saveAnswers.push_back(files.Path("months.sav"));
        w.window->mnuFileSaveClick();
        TData loaded;
        QVERIFY(loaded.LoadFromFile(files.Path("months.sav").toStdString(), w.log));
        QVERIFY(loaded.MonthPicture == w.window->Data().MonthPicture);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void LongWorkShowsAProgressThatAgreesWithItsCountAndNamesWhatItWrote() {
        WindowFiles files;
        TestWindow w(files);
        auto* bar = w.window->findChild<QProgressBar*>();
        QVERIFY(bar != nullptr);
        // Each step of the bar beside the status's count of months.
        QStringList seen;
        QObject::connect(bar, &QProgressBar::valueChanged,
                         [&] { seen << w.window->StatusText() + "|" + bar->text(); });
        w.window->Basic().SetYearMonth(2026, 1);
        w.window->mnuMonthRunClick();
        TfrmMonthRun& dialog = w.window->MonthRunDialog();
        dialog.TargetList()->setCurrentIndex(TfrmMonthRun::tgPdf);
        dialog.Resolution()->setValue(40);
        dialog.FileEdit()->setText(files.Path("year.pdf"));
        dialog.accept();
        QVERIFY2(seen.contains("印刷中... (8/12)|67%"), qPrintable(seen.join("\n")));
        for (const QString& step : seen) {
            const QString count = step.section('(', 1).section(')', 0, 0);
            if (count.isEmpty()) continue;
            const int done = count.section('/', 0, 0).toInt();
            QCOMPARE(step.section('|', 1), QString("%1%").arg(qRound(done * 100 / 12.0)));
        }
        QCOMPARE(w.window->StatusText(), "保存しました: " + files.Path("year.pdf"));

        // The resolution is asked with nothing idle behind it; the picture is named once written.
        bool barShown = true;
        w.dialogs.onInputText = [&] { barShown = bar->isVisible(); };
        w.dialogs.textAnswers.push_back("40");
        w.dialogs.saveAnswers.push_back(files.Path("one.png"));
        w.dialogs.saveFilterAnswer = "PNGﾌｧｲﾙ(*.png)";
        w.window->mnuPicSaveClick();
        QVERIFY(!barShown);
        QCOMPARE(w.window->StatusText(), "保存しました: " + files.Path("one.png"));
        w.log.Take();
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void MonthsGoToPicturesPdfOrPrinterFromTheDialog() {
        WindowFiles files;
        TestWindow w(files);
        w.window->Basic().SetYearMonth(2026, 11);
        auto* action = w.window->findChild<QAction*>("mnuMonthRun");
        QVERIFY(action != nullptr);
        QCOMPARE(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+P")));
        action->trigger();
        TfrmMonthRun& dialog = w.window->MonthRunDialog();
        QCOMPARE(w.dialogs.shownDialogs.back(), &dialog);
        QCOMPARE(dialog.Year()->value(), 2026);
        QCOMPARE(dialog.Month()->value(), 11);
        QCOMPARE(dialog.Count()->value(), 12);
        QCOMPARE(dialog.Resolution()->value(), 300);
        QVERIFY(!dialog.FileEdit()->isEnabled());

        dialog.MonthsButton(13)->click();
        QCOMPARE(dialog.Count()->value(), 13);
        dialog.MonthsButton(12)->click();
        QCOMPARE(dialog.Count()->value(), 12);

        // Three pictures at 50 DPI, named by month; the name is typed without its extension.
        dialog.TargetList()->setCurrentIndex(TfrmMonthRun::tgJpeg);
        dialog.Count()->setValue(3);
        dialog.Resolution()->setValue(50);
        dialog.FileEdit()->setText(files.Path("cal"));
        dialog.accept();
        for (const char* name : {"cal-2026-11.jpg", "cal-2026-12.jpg", "cal-2027-01.jpg"}) {
            QVERIFY2(QImage(files.Path(name)).width() > 100, name);
        }
        std::vector<Message> messages = w.log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(messages[0].text, std::string("保存しました。"));
        QCOMPARE(w.window->Data().PicSaveDPI, 50);

        // One PDF of twelve pages, chosen through the file dialog.
        action->trigger();
        QCOMPARE(dialog.Resolution()->value(), 50);
        dialog.TargetList()->setCurrentIndex(TfrmMonthRun::tgPdf);
        w.dialogs.saveAnswers.push_back(files.Path("year.pdf"));
        dialog.BrowseButton()->click();
        dialog.accept();
        QCOMPARE(PdfPages(files.Path("year.pdf")), 12);
        QCOMPARE(w.log.Take().back().text, std::string("保存しました。"));

        // With a cover in front: one page more, its title the run's years unless typed.
        action->trigger();
        QVERIFY(!dialog.CoverTitle()->isEnabled());
        dialog.CoverBox()->setChecked(true);
        QCOMPARE(dialog.CoverTitle()->placeholderText(), QString("2026–2027"));
        dialog.Count()->setValue(2);
        QCOMPARE(dialog.CoverTitle()->placeholderText(), QString("2026"));
        dialog.CoverPicture()->setText(Picture(files, "cover.png", 0xFF20C040));
        dialog.FileEdit()->setText(files.Path("covered.pdf"));
        dialog.accept();
        QCOMPARE(PdfPages(files.Path("covered.pdf")), 3);
        QCOMPARE(w.log.Take().back().text, std::string("保存しました。"));
        dialog.CoverBox()->setChecked(false);

        // Cancelled from the status bar while the third picture is being made.
        action->trigger();
        dialog.TargetList()->setCurrentIndex(TfrmMonthRun::tgBmp);
        dialog.FileEdit()->setText(files.Path("c.bmp"));
        auto* cancel = w.window->findChild<QPushButton*>("cmdCancelExport");
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (QFile::exists(files.Path("c-2026-12.bmp")) && cancel->isVisible()) cancel->click();
        });
        watch.start(0);
        dialog.accept();
        watch.stop();
        QVERIFY(QFile::exists(files.Path("c-2026-12.bmp")));
        QVERIFY(!QFile::exists(files.Path("c-2027-01.bmp")));
        messages = w.log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(messages[0].text,
                 std::string("中止しました。12 か月のうち 2 か月分の画像を保存しました。"));
        QVERIFY(w.window->centralWidget()->isEnabled());

        // The printer, through the print dialog (printing into a file here).
        action->trigger();
        dialog.TargetList()->setCurrentIndex(TfrmMonthRun::tgPrinter);
        dialog.Count()->setValue(4);
        w.dialogs.printToFileAnswers.push_back(files.Path("printed.pdf"));
        dialog.accept();
        QCOMPARE(PdfPages(files.Path("printed.pdf")), 4);
        QCOMPARE(w.log.Take().back().text, std::string("印刷しました。"));
        QCOMPARE(w.window->StatusText(), QString());
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }
};

ORV_REGISTER_TEST(MonthsWindowTest);

}  // namespace orv::test

#include "MonthsWindowTest.moc"
