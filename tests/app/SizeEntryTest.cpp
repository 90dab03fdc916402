// A size typed wrong is reported once, in Japanese, naming the field and its range; the field
// shows its last value again and the design never takes a number the field did not show.
#include <QComboBox>
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
        QCOMPARE(QString::fromStdString(messages[0].text),
                 QString("カレンダーの横のサイズには 1 から 9999 までの数（mm）を入力してくださ"
                         "い。「21O」は使えません。"));
        QCOMPARE(basic.txtCalSizeX->text(), QString("90"));
        QCOMPARE(basic.cboCalSize->currentText(), QString("FDｹｰｽ"));
        QCOMPARE(w.Design().SizeX, 90);

        // Back into the width and out again: no second box.
        MoveFocus(basic.txtCalSizeY, basic.txtCalSizeX);
        MoveFocus(basic.txtCalSizeX, basic.chkWaku);
        ORV_NO_UNEXPECTED_MESSAGES(w.log);

        // While letters are being typed the design keeps the last size; too large a number is
        // refused, not cut.
        TypeOver(basic.txtCalSizeY, "abc");
        QCOMPARE(w.Design().SizeY, 95);
        MoveFocus(basic.txtCalSizeY, basic.chkWaku);
        QCOMPARE(w.log.Take().size(), size_t{1});
        basic.txtPositionX->setFocus(Qt::MouseFocusReason);
        basic.txtPositionX->selectAll();
        basic.txtPositionX->insert("99999");
        MoveFocus(basic.txtPositionX, basic.chkWaku);
        messages = w.log.Take();
        QCOMPARE(messages.size(), size_t{1});
        QCOMPARE(QString::fromStdString(messages[0].text),
                 QString("印刷位置の左からには -999 から 9999 までの数（mm）を入力してください。"
                         "「99999」は使えません。"));
        QCOMPARE(basic.txtPositionX->text(), QString("0"));

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
