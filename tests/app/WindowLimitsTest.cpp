// Designs at and beyond the edge of what the window lets a user enter, opened and exported through
// the window: each is drawn or refused with one message, and the window goes on working.
#include <QFile>
#include <QScrollArea>
#include <QTest>
#include <climits>
#include <functional>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/basic/BasicTab.h"
#include "ui_BasicTab.h"
#include "ui_MainWindow.h"

namespace orv::test {

namespace {

// Opens `design` through the file menu and paints what the preview shows of it.
void OpenAndPaint(TestWindow& w, const WindowFiles& files, const TData& design) {
    const QString path = files.Path("design.sav");
    SaveDesign(design, path);
    w.dialogs.openAnswers.push_back(path);
    w.window->mnuFileOpenClick();
    QWidget* box = w.window->Controls().PaintBox1;
    QVERIFY(box->width() <= QWIDGETSIZE_MAX && box->height() <= QWIDGETSIZE_MAX);
    box->repaint();
    QApplication::processEvents();
    box->repaint();  // the same failure again is not shown again
    QApplication::processEvents();
}

}  // namespace

class WindowLimitsTest : public QObject {
    Q_OBJECT
  private slots:
    void AnExportOverThirtyThousandPixelsIsRefusedAndTheNextOneSaved() {
        WindowFiles files;
        TestWindow w(files);
        // 90 x 95 mm at 10000 dpi: 35433 x 37401 pixels.
        w.dialogs.saveAnswers = {files.Path("huge.png"), files.Path("fine.png")};
        w.dialogs.saveFilterAnswer = "PNGﾌｧｲﾙ(*.png)";
        w.dialogs.textAnswers = {"10000", "100"};
        w.window->mnuPicSaveClick();
        std::vector<Message> messages = w.log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(messages[0].kind, MessageKind::Warning);
        QVERIFY(QString::fromStdString(messages[0].text)
                    .startsWith("画像が大きすぎます（35433 x 37401 ピクセル）。"));
        QVERIFY(!QFile::exists(files.Path("huge.png")));
        QCOMPARE(w.window->StatusText(), QString());

        w.window->mnuPicSaveClick();
        QCOMPARE(w.dialogs.lastTextValue, QString("300"));  // the refused 10000 is not offered
        messages = w.log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(QString::fromStdString(messages[0].text), QString("保存しました。"));
        QVERIFY(QFile::exists(files.Path("fine.png")));
    }

    void EditedFilesBeyondTheControlsLimitsOpenAndPaint() {
        const std::vector<std::pair<const char*, std::function<void(TData&)>>> designs = {
            {"huge numbers",
             [](TData& d) {
                 d.SizeIndex = -1;
                 d.SizeX = d.SizeY = INT_MAX;
                 d.LineWidth = INT_MAX;
                 d.PictureOffset = INT_MAX;
             }},
            {"counts past 99",
             [](TData& d) {
                 d.PrevNextMonthEnabled = 0;
                 d.PluralEnabled = 1;
                 d.Columns = d.Rows = INT_MAX;
             }},
            {"999 imposition entries",
             [](TData& d) {
                 d.Print = 1;
                 d.Cols = 30;
                 for (int i = 1; i <= 999; ++i) {
                     TMatrix& entry = d.Matrixs.Add();
                     entry.Number = i;
                     entry.MonthOffset = i % 12;
                 }
             }},
        };
        for (const auto& [what, edit] : designs) {
            WindowFiles files;
            TestWindow w(files);
            TData design = NewDesign();
            edit(design);
            OpenAndPaint(w, files, design);
            QTest::qWait(50);  // messages kept for after the paint are shown now
            const std::vector<Message> messages = w.log.Take();
            QVERIFY2(messages.size() <= 1, what);
            for (const Message& m : messages) {
                QVERIFY2(QString::fromStdString(m.text).startsWith("描画ｴﾗｰ"), m.text.c_str());
            }
            // The window goes on: a step of the year is drawn like any other.
            w.window->Basic().Controls().spinYear->DownButton()->click();
            w.window->Controls().PaintBox1->repaint();
            QApplication::processEvents();
            w.log.Take();
        }
    }
};

ORV_REGISTER_TEST(WindowLimitsTest);

}  // namespace orv::test

#include "WindowLimitsTest.moc"
