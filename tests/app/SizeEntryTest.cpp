// A size typed wrong is reported once, in Japanese, and stays as typed.
#include <QFocusEvent>
#include <QTest>

#include "AppTests.h"
#include "WindowTestSupport.h"
#include "app/basic/BasicTab.h"
#include "ui_BasicTab.h"

namespace orv::test {

class SizeEntryTest : public QObject {
    Q_OBJECT
  private slots:
    void AWrongSizeGivesOneMessageAndKeepsTheText() {
        WindowFiles files;
        TestWindow w(files);
        auto& basic = w.window->Basic().Controls();
        TypeOver(basic.txtCalSizeX, "21O");
        // A click into the height: the width is left, and the message box takes the focus until
        // it closes, when the window gives it to the height.
        QFocusEvent left(QEvent::FocusOut, Qt::MouseFocusReason);
        QApplication::sendEvent(basic.txtCalSizeX, &left);
        basic.txtCalSizeY->setFocus(Qt::ActiveWindowFocusReason);
        QApplication::processEvents();
        std::vector<Message> messages = w.log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(QString::fromStdString(messages[0].text), QString("「21O」は数値ではありません。"));

        // Back into the width and out again: no second box.
        MoveFocus(basic.txtCalSizeY, basic.txtCalSizeX);
        MoveFocus(basic.txtCalSizeX, basic.chkWaku);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
        QCOMPARE(basic.txtCalSizeX->text(), QString("21O"));

        // Mended, the size applies as usual.
        TypeOver(basic.txtCalSizeX, "210");
        MoveFocus(basic.txtCalSizeX, basic.chkWaku);
        QCOMPARE(w.Design().SizeX, 210);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);
    }
};

ORV_REGISTER_TEST(SizeEntryTest);

}  // namespace orv::test

#include "SizeEntryTest.moc"
