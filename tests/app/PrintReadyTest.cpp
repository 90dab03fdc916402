// 入稿用PDF on the real window: the dialog starts from the design, makes the print shop's PDF
// (its boxes, marks and the warning of a coarse photo), and keeps its settings in the design as
// one step to undo; a cancel changes nothing.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/months/PrintReadyDialog.h"
#include "ui_MainWindow.h"

namespace orv::test {

namespace {

QString Boxes(const QString& pdf) {
    QProcess process;
    process.start("pdfinfo", {"-box", pdf});
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class PrintReadyTest : public QObject {
    Q_OBJECT
  private slots:
    void ThePrintShopsPdfComesFromTheDesignAndItsSettingsStayInIt() {
        WindowFiles files;
        TestWindow w(files);
        // A 1200 × 800 photo 188 mm wide on A4.
        QImage photo(1200, 800, QImage::Format_RGB32);
        photo.fill(QColor(70, 130, 180));
        QVERIFY(photo.save(files.Path("photo.jpg"), "JPEG", 90));
        TData design = NewDesign();
        design.SizeIndex = 8;
        design.SizeX = 210;
        design.SizeY = 297;
        design.PictureFile = files.Path("photo.jpg").toStdString();
        design.PictureOffset = 11;
        design.PictureSize = 75;
        design.PicturePosition = 0;
        design.PrevNextMonthEnabled = 0;
        SaveDesign(design, files.Path("family.sav"));
        w.dialogs.openAnswers.push_back(files.Path("family.sav"));
        w.window->mnuFileOpenClick();
        const QStringList before = DesignLines(w.Design());

        auto* action = w.window->findChild<QAction*>("mnuPrintReady");
        QVERIFY(action != nullptr);
        QCOMPARE(action->text(), QString("入稿用PDF..."));
        TfrmPrintReady& dialog = w.window->PrintReadyDialog();
        // Cancelled: nothing written, nothing changed.
        action->trigger();
        QCOMPARE(w.dialogs.shownDialogs.back(), &dialog);
        dialog.reject();
        QVERIFY(!QFile::exists(files.Path("family-入稿.pdf")));
        QCOMPARE(DesignLines(w.Design()), before);
        QCOMPARE(w.window->Data().PdfBleed, kDefaultPdfBleed);

        action->trigger();
        {
            // The design's defaults: a 3 mm bleed and marks, RGB, its month.
            QVERIFY(dialog.BleedBox()->isChecked());
            QCOMPARE(dialog.BleedWidth()->value(), 3.0);
            QVERIFY(dialog.MarksBox()->isChecked());
            QVERIFY(!dialog.CmykBox()->isChecked());
            QCOMPARE(dialog.Count()->value(), 1);
            QVERIFY(dialog.FileEdit()->text().endsWith("family-入稿.pdf"));
            dialog.FileEdit()->setText(files.Path("family-入稿"));
            dialog.BleedWidth()->setValue(5);
            dialog.Count()->setValue(2);
            dialog.accept();
        }
        const QString pdf = files.Path("family-入稿.pdf");
        const std::vector<Message> messages = w.log.Take();
        QVERIFY(!messages.empty());
        QCOMPARE(messages[0].kind, MessageKind::Warning);
        QVERIFY2(QString::fromStdString(messages[0].text)
                     .startsWith("画像「photo.jpg」は紙の上で約 162 dpi です。200 dpi 未満"),
                 messages[0].text.c_str());
        const QString boxes = Boxes(pdf);
        double l = 0, b = 0, r = 0, t = 0, bl = 0, bb = 0, br = 0, bt = 0;
        const QByteArray bytes = boxes.toUtf8();
        sscanf(bytes.constData() + bytes.indexOf("TrimBox:") + 8, "%lf %lf %lf %lf", &l, &b, &r,
               &t);
        sscanf(bytes.constData() + bytes.indexOf("BleedBox:") + 9, "%lf %lf %lf %lf", &bl, &bb, &br,
               &bt);
        QVERIFY(std::abs(r - l - 595.28) < 0.011);
        QVERIFY(std::abs(l - bl - 5 * 72 / 25.4) < 0.011);
        QVERIFY(boxes.contains("Pages:           2"));

        // Kept in the design, one step to undo; saved only because they changed.
        QCOMPARE(w.window->Data().PdfBleed, 50);
        auto* undo = w.window->findChild<QAction*>("mnuUndo");
        QCOMPARE(undo->text(), QString("元に戻す(&U): 入稿用PDFの設定の変更"));
        undo->trigger();
        QCOMPARE(w.window->Data().PdfBleed, kDefaultPdfBleed);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    // Ghostscript's part of a CMYK file is the long one: it says so, and 中止 stops it.
    void TheCmykConversionShowsItselfAndStopsOnCancelLeavingNoFile() {
        WindowFiles files;
        TestWindow w(files);
        TfrmPrintReady& dialog = w.window->PrintReadyDialog();
        w.window->findChild<QAction*>("mnuPrintReady")->trigger();
        dialog.CmykBox()->setChecked(true);
        dialog.Count()->setValue(2);
        dialog.FileEdit()->setText(files.Path("cmyk.pdf"));
        QString seen;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            if (w.window->StatusText() != "CMYK に変換中...") return;
            seen = w.window->StatusText();
            w.window->findChild<QPushButton*>("cmdCancelExport")->click();
        });
        watch.start(5);
        dialog.accept();
        QCOMPARE(seen, QString("CMYK に変換中..."));
        QCOMPARE(w.window->StatusText(), QString());
        const std::vector<Message> messages = w.log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(messages[0].text,
                 std::string("保存を中止しました。ファイルは作成されていません。"));
        QCOMPARE(QDir(files.Path("")).entryList({"cmyk*"}, QDir::Files), QStringList());
        // Left alone, the same run is written.
        watch.stop();
        w.window->findChild<QAction*>("mnuPrintReady")->trigger();
        QVERIFY(dialog.CmykBox()->isChecked());
        dialog.FileEdit()->setText(files.Path("cmyk.pdf"));
        dialog.accept();
        QVERIFY(Boxes(files.Path("cmyk.pdf")).contains("PDF/X-3:2002"));
        QCOMPARE(w.window->StatusText(), "保存しました: " + files.Path("cmyk.pdf"));
        QCOMPARE(w.log.Take().back().text, std::string("保存しました。"));
    }

    void ThePreviewShowsTheTrimAndTheSafeLineOnRequest() {
        WindowFiles files;
        TestWindow w(files);
        auto* guides = w.window->findChild<QAction*>("mnuCutGuides");
        QVERIFY(guides != nullptr && !guides->isChecked());
        QWidget* box = w.window->Controls().PaintBox1;
        const auto count = [&](QRgb colour) {
            const QImage shown = box->grab().toImage();
            int n = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x) n += shown.pixel(x, y) == colour;
            return n;
        };
        const QRgb trim = qRgb(0, 160, 220), safe = qRgb(230, 60, 140);
        QCOMPARE(count(safe), 0);
        guides->trigger();
        // Dashed lines round the sheet (90 × 95 mm) and 3 mm inside it.
        const double px = w.window->logicalDpiX() / 25.4 * w.window->Zoom() / 100.0;
        QVERIFY2(count(trim) > 90 * px, qPrintable(QString::number(count(trim))));
        QVERIFY(count(safe) > 80 * px);
        guides->trigger();
        QCOMPARE(count(safe), 0);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }
};

ORV_REGISTER_TEST(PrintReadyTest);

}  // namespace orv::test

#include "PrintReadyTest.moc"
