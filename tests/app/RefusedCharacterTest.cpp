// A character a settings file cannot hold is refused with a hint naming it.
#include <QLabel>
#include <QTest>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/memorial/MemorialTab.h"
#include "ui_MemorialTab.h"

namespace orv::test {

class RefusedCharacterTest : public QObject {
    Q_OBJECT
  private slots:
    void TheRefusedCharacterIsNamed() {
        WindowFiles files;
        TestWindow w(files);
        auto& memorial = w.window->Memorial().Controls();
        QLineEdit* name = memorial.txtMemorialName;
        name->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        TypeText(name, QString::fromUtf8("誕生日𠮷"));
        QCOMPARE(name->text(), QString::fromUtf8("誕生日"));
        QCOMPARE(w.window->StatusText(),
                 QString::fromUtf8("「𠮷」はShift_JISで保存できない文字のため入力できません。"));
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }

    void TheYearFieldSaysThatZeroMeansEveryYear() {
        WindowFiles files;
        TestWindow w(files);
        auto& memorial = w.window->Memorial().Controls();
        QVERIFY(memorial.txtMemorialDayY->toolTip().contains("0年"));
        QVERIFY(memorial.txtMemorialDayY->toolTip().contains("毎年"));
        auto* note = w.window->Memorial().findChild<QLabel*>("lblEveryYear");
        QVERIFY(note != nullptr);
        QVERIFY(note->text().contains("毎年"));
    }
};

ORV_REGISTER_TEST(RefusedCharacterTest);

}  // namespace orv::test

#include "RefusedCharacterTest.moc"
