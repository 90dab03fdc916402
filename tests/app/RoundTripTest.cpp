// A design that uses every control of the tabs comes back control for control.
#include <QAction>
#include <QImage>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <algorithm>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/basic/BasicTab.h"
#include "app/imposition/ImpositionTab.h"
#include "app/memorial/MemorialTab.h"
#include "app/style/StyleTab.h"
#include "support/CliRunner.h"
#include "ui_BasicTab.h"
#include "ui_ImpositionTab.h"
#include "ui_MainWindow.h"
#include "ui_MemorialTab.h"
#include "ui_StyleTab.h"
#include "widgets/FontNameComboBox.h"
#include "widgets/PictureButton.h"

namespace orv::test {

namespace {

// Input fields of the list tabs: they are not part of the design.
bool IsInputOnly(const QString& name) {
    return name.startsWith("txtMemorial") || name.startsWith("chkMemorial") ||
           name.startsWith("cmdMemorial") || name == "txtMatrixMonth" ||
           name == "txtMatrixImageFile" || name == "txtMatrixConfigFile";
}

// Every control of the settings tabs with its state, by name.
QStringList ControlSnapshot(TfrmMain& window) {
    QStringList lines;
    for (QWidget* widget : window.Controls().PageControl1->findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith("qt_") || IsInputOnly(name)) continue;
        QString state;
        if (auto* swatch = qobject_cast<TPictureButton*>(widget)) {
            state = QString::number(swatch->Color(), 16);
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            QStringList items;
            for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
            state = QString("%1 of [%2]").arg(combo->currentText(), items.join(","));
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            if (qobject_cast<QComboBox*>(edit->parentWidget()) != nullptr) continue;
            state = edit->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            if (!button->isCheckable()) continue;
            state = button->isChecked() ? "on" : "off";
        } else if (auto* slider = qobject_cast<QSlider*>(widget)) {
            state = QString::number(slider->value());
        } else if (auto* list = qobject_cast<QTreeWidget*>(widget)) {
            QStringList rows;
            for (int i = 0; i < list->topLevelItemCount(); ++i) {
                QStringList cells;
                for (int c = 0; c < list->columnCount(); ++c)
                    cells << list->topLevelItem(i)->text(c);
                rows << cells.join("|");
            }
            state = rows.join(" / ");
        } else if (name == "lblYear" || name == "lblMonth") {
            state = qobject_cast<QAbstractSpinBox*>(widget)->text();
        } else {
            continue;
        }
        lines << name + " = " + state;
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

void Choose(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void PickColor(TestWindow& w, TPictureButton* swatch, int32_t color) {
    w.dialogs.colorAnswers.push_back(color);
    QTest::mouseClick(swatch, Qt::LeftButton);
}

void Type(QLineEdit* edit, const QString& text, QWidget* next) {
    edit->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    edit->selectAll();
    TypeText(edit, text);
    next->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
}

QString OtherFont(TFontNameComboBox* picker, int step) {
    return picker->itemText((picker->currentIndex() + step) % picker->count());
}

// Sets every control of the three settings tabs away from its start value, as a user would.
void UseEveryControl(TestWindow& w, const WindowFiles& files) {
    auto& b = w.window->Basic().Controls();
    Choose(b.cboCalSize, 13);
    Type(b.txtCalSizeX, "123", b.chkWaku);
    Type(b.txtCalSizeY, "77", b.chkWaku);
    b.chkWaku->setChecked(false);
    PickColor(w, b.cmdBackColor, 0xE0F0FF);
    Type(b.txtPositionX, "3", b.chkWaku);
    Type(b.txtPositionY, "4", b.chkWaku);
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(QColor(200, 100, 50));
    const QString picturePath = files.Path("picture.png");
    QVERIFY(picture.save(picturePath));
    w.dialogs.openAnswers.push_back(picturePath);
    b.cmdOpenPic->click();
    Type(b.txtPicOffset, "5", b.chkWaku);
    Choose(b.cboPicPos, 3);
    Choose(b.cboPicFit, 1);
    w.window->findChild<QAction*>("mnuPngResolution")->trigger();
    b.trackPicSize->setValue(40);
    w.window->Basic().SetYearMonth(2017, 12);
    b.spinMonth->DownButton()->click();
    b.optPluralMonth->setChecked(true);
    b.optPNMonthViewNext2->setChecked(true);
    Choose(b.cboPNMonthPos1, 1);
    Choose(b.cboPNMonthPos2, 0);
    Choose(b.cboPNMonthAlign, 2);
    b.trackPNMonthSize->setValue(60);
    b.chkPNMonthWeek->setChecked(false);
    b.spinPluralColumns->UpButton()->click();
    Type(b.txtPluralRows, "4", b.chkWaku);

    auto& s = w.window->Style().Controls();
    Choose(s.cboYDStyle, 4);
    Choose(s.cboYDPosition, 1);
    Choose(s.cboYDAlignment, 2);
    s.cboYDFontName->SetValue(OtherFont(s.cboYDFontName, 1));
    s.chkYDFontI->setChecked(true);
    s.chkYDFontB->setChecked(true);
    PickColor(w, s.cmdYDBackColor, 0x112233);
    Choose(s.cboWeekStyle, 7);
    Choose(s.cboWeekSize, 0);
    s.cboWeekFontName->SetValue(OtherFont(s.cboWeekFontName, 2));
    s.chkWeekFontI->setChecked(true);
    s.chkWeekFontB->setChecked(true);
    s.chkWeekWaku->setChecked(true);
    Choose(s.cboDayPosition, 4);
    Choose(s.cboDaySize, 2);
    s.cboDayFontName->SetValue(OtherFont(s.cboDayFontName, 3));
    s.chkDayFontI->setChecked(true);
    s.chkDayFontB->setChecked(true);
    s.chkPrevNextDays->setChecked(false);
    s.chkDayWaku->setChecked(false);
    PickColor(w, s.cmdDayBackColor, 0xDDEEFF);
    s.chkHoliday->setChecked(false);
    Choose(s.cboHolidayPosition, 1);
    Choose(s.cboHolidaySize, 4);
    s.cboHolidayFontName->SetValue(OtherFont(s.cboHolidayFontName, 4));
    s.chkHolidayFontI->setChecked(true);
    s.chkHolidayFontB->setChecked(true);
    PickColor(w, s.cmdLineColor, 0x445566);
    s.spinLineWidth->UpButton()->click();
    s.spinLineWidth->UpButton()->click();
    PickColor(w, s.cmdWeekdayColor, 0x101010);
    PickColor(w, s.cmdSaturdayColor, 0xAA0000);
    PickColor(w, s.cmdHolidayColor, 0x0000AA);
    s.chkRokuyo->setChecked(true);
    PickColor(w, s.cmdRokuyoColor1, 0x202020);
    PickColor(w, s.cmdRokuyoColor2, 0x000060);
    s.chkNijusisekki->setChecked(true);
    PickColor(w, s.cmdNijusiColor, 0x303030);
    s.chkOldDate->setChecked(true);
    PickColor(w, s.cmdOldDateColor, 0x404040);
    s.chkZassetsu->setChecked(true);
    PickColor(w, s.cmdZassetsuColor, 0x005000);
    s.chkMoonPhase->setChecked(true);
    PickColor(w, s.cmdMoonPhaseColor, 0x500000);

    auto& m = w.window->Memorial().Controls();
    m.txtMemorialDayY->setText("0");
    m.txtMemorialDayM->setText("12");
    m.txtMemorialDay->setText("25");
    m.txtMemorialName->setText("聖夜¶ｸﾘｽﾏｽ");
    m.chkMemorialDayColor->setChecked(true);
    m.chkMemorialBackColor->setChecked(true);
    m.cmdAddMemorial->click();
    m.lvwMemorial->clearSelection();
    m.txtMemorialDayY->setText("2017");
    m.txtMemorialDayM->setText("12");
    m.txtMemorialDay->setText("1");
    m.txtMemorialName->setText("記念日");
    m.chkMemorialFontColor->setChecked(true);
    m.cmdAddMemorial->click();

    auto& i = w.window->Imposition().Controls();
    i.chkMatrix->click();
    Type(i.txtMatrixCol, "3", i.chkMatrix);
    Type(i.txtMatrixInterval, "2", i.chkMatrix);
    i.txtMatrixMonth->setText("1");
    i.txtMatrixImageFile->setText(picturePath);
    i.btnMatrixAdd->click();
    i.txtMatrixMonth->setText("2");
    i.txtMatrixImageFile->clear();
    i.txtMatrixConfigFile->setText(files.Path("other.sav"));
    i.btnMatrixAdd->click();
}

}  // namespace

class RoundTripTest : public QObject {
    Q_OBJECT
  private slots:
    void EveryControlComesBackAfterSaveAndOpen() {
        WindowFiles files;
        files.oldCalendarFile = std::string(ORV_PROGRAM_DIR) + "/旧暦.ini";
        QStringList before;
        TData design;
        {
            TestWindow w(files);
            const QStringList start = ControlSnapshot(*w.window);
            UseEveryControl(w, files);
            before = ControlSnapshot(*w.window);
            // Every control of the design took a value of its own (radio buttons that stay off
            // and the day background that stays on, with a colour of its own, aside).
            const QStringList allowed = {"chkDayBackColor = on", "optPNMonthViewNext = off",
                                         "optSingleMonth = off"};
            QStringList unchanged;
            for (const QString& line : before) {
                if (start.contains(line) && !allowed.contains(line)) unchanged << line;
            }
            QVERIFY2(unchanged.isEmpty(), qPrintable(unchanged.join("\n")));
            design = w.Design();
            w.dialogs.saveAnswers.push_back(files.Path("every.sav"));
            w.window->mnuFileSaveClick();
            ORV_NO_UNEXPECTED_MESSAGES(w.log);
        }
        QFile::remove(QString::fromStdString(files.AutoSave()));
        TestWindow again(files);
        again.dialogs.openAnswers.push_back(files.Path("every.sav"));
        again.window->mnuFileOpenClick();
        QCOMPARE(ControlSnapshot(*again.window), before);
        auto* pngResolution = again.window->findChild<QAction*>("mnuPngResolution");
        QVERIFY(pngResolution->isChecked());
        // Switched off again, the design takes it.
        pngResolution->trigger();
        QCOMPARE(again.Design().PngResolution, 0);
        pngResolution->trigger();
        QCOMPARE(DesignLines(again.Design()), DesignLines(design));
        ORV_NO_UNEXPECTED_MESSAGES(again.log);

        // The window's picture of the design is the command line's.
        again.dialogs.saveAnswers.push_back(files.Path("window.png"));
        again.dialogs.textAnswers.push_back("72");
        again.window->mnuPicSaveClick();
        const std::vector<Message> messages = again.log.Take();
        QCOMPARE(messages.size(), size_t{2});
        QVERIFY(QString::fromStdString(messages[0].text).startsWith("画像「picture.png」"));
        QCOMPARE(QString::fromStdString(messages[1].text), QString("保存しました。"));
        const CliResult cli = RunCli("export " + ShellQuote(files.Path("every.sav").toStdString()) +
                                         " " + ShellQuote(files.Path("cli.png").toStdString()) +
                                         " --dpi 72 --oldcal " + ShellQuote(files.oldCalendarFile),
                                     files.Path("cli.err").toStdString());
        QVERIFY2(cli.status == 0, cli.err.c_str());
        const QImage window =
            QImage(files.Path("window.png")).convertToFormat(QImage::Format_RGB32);
        QVERIFY(!window.isNull());
        QVERIFY(window == QImage(files.Path("cli.png")).convertToFormat(QImage::Format_RGB32));
    }
};

ORV_REGISTER_TEST(RoundTripTest);

}  // namespace orv::test

#include "RoundTripTest.moc"
