// The colour swatch: what its face shows, when it repaints, and how it is clicked.
#include <QApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include "widgets/PictureButton.h"
#include "widgets/SystemColors.h"

namespace orv {
namespace {

constexpr QPoint kCentre(10, 8);

class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

QColor FaceOf(TPictureButton& button) {
    return button.grab().toImage().pixelColor(kCentre);
}

void SendKey(QWidget& target, QEvent::Type type, int key, bool autoRepeat = false) {
    QKeyEvent event(type, key, Qt::NoModifier, key == Qt::Key_Space ? " " : "", autoRepeat);
    QApplication::sendEvent(&target, &event);
}

}  // namespace

// A window holding one swatch as the main window uses it, with a palette whose roles are told
// apart by their colours.
class PictureButtonTest : public QObject {
    Q_OBJECT

  private:
    QWidget* host_ = nullptr;
    TPictureButton* button_ = nullptr;
    QWidget* neighbour_ = nullptr;

    static QPalette DistinctPalette() {
        QPalette palette;
        palette.setColor(QPalette::Button, QColor(0x12, 0x34, 0x56));
        palette.setColor(QPalette::Light, QColor(0xF0, 0xE0, 0xD0));
        palette.setColor(QPalette::Dark, QColor(0x40, 0x41, 0x42));
        palette.setColor(QPalette::Shadow, QColor(0x01, 0x02, 0x03));
        return palette;
    }

  private slots:
    void init() {
        host_ = new QWidget;
        host_->setPalette(DistinctPalette());
        host_->resize(200, 100);
        button_ = new TPictureButton(host_);
        button_->setGeometry(50, 40, 21, 17);
        button_->SetColorChange(false);
        neighbour_ = new QWidget(host_);
        neighbour_->setFocusPolicy(Qt::StrongFocus);
        neighbour_->setGeometry(120, 40, 20, 20);
        host_->show();
        QVERIFY(QTest::qWaitForWindowExposed(host_));
        host_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(host_));
    }

    void cleanup() {
        delete host_;
        host_ = nullptr;
    }

    void SetColorRepaintsOnlyWhenTheColourChanges() {
        button_->SetColor(0x00FFFFFF);
        QCoreApplication::processEvents();
        PaintCounter counter;
        button_->installEventFilter(&counter);

        button_->SetColor(0x00FFFFFF);
        QCoreApplication::processEvents();
        QCOMPARE(counter.paints, 0);

        button_->SetColor(0x00000080);
        QTRY_VERIFY(counter.paints > 0);
        QCOMPARE(button_->Color(), 0x00000080);
    }

    void TheFaceShowsTheColourAndSystemColoursFollowThePalette() {
        button_->SetColor(0x00000080);  // maroon: red in the low byte
        QCOMPARE(FaceOf(*button_), QColor(0x80, 0, 0));
        QCOMPARE(ColorValue(QColor(0x12, 0x34, 0x56)), 0x00563412);

        const QColor buttonFace = DistinctPalette().color(QPalette::Button);
        const int32_t basicForm = static_cast<int32_t>(0x8000000F);
        button_->SetColor(basicForm);
        QCOMPARE(FaceOf(*button_), buttonFace);
        QCOMPARE(button_->Color(), basicForm);  // kept as the constant, not its current value
        button_->SetColor(kClBtnFace);
        QCOMPARE(FaceOf(*button_), buttonFace);
        button_->SetColor(static_cast<int32_t>(0x80000014));  // button highlight
        QCOMPARE(FaceOf(*button_), DistinctPalette().color(QPalette::Light));
        button_->SetColor(static_cast<int32_t>(0x80000019));  // an index Windows leaves unused
        QCOMPARE(FaceOf(*button_), QColor(0, 0, 0));
    }

    void ALeftClickReleasedOverTheButtonClicks() {
        QSignalSpy clicks(button_, &TPictureButton::clicked);
        QTest::mouseClick(button_, Qt::LeftButton, {}, kCentre);
        QCOMPARE(clicks.count(), 1);
        QVERIFY(button_->hasFocus());

        QTest::mouseClick(button_, Qt::RightButton, {}, kCentre);
        QCOMPARE(clicks.count(), 1);

        QTest::mousePress(button_, Qt::LeftButton, {}, kCentre);
        QTest::mouseMove(button_, QPoint(60, 8));
        QTest::mouseRelease(button_, Qt::LeftButton, {}, QPoint(60, 8));
        QCOMPARE(clicks.count(), 1);
    }

    void AHeldButtonShowsThePressedColourUntilDraggedOff() {
        button_->SetColor(0x00000080);
        button_->SetInColor(0x0000FF00);
        QTest::mousePress(button_, Qt::LeftButton, {}, kCentre);
        QCOMPARE(FaceOf(*button_), QColor(0, 0xFF, 0));
        // Pressed frame: shadow colour outside, face colour inside.
        const QImage pressed = button_->grab().toImage();
        QCOMPARE(pressed.pixelColor(0, 0), DistinctPalette().color(QPalette::Dark));
        QCOMPARE(pressed.pixelColor(1, 1), DistinctPalette().color(QPalette::Button));

        QTest::mouseMove(button_, QPoint(60, 8));
        QCOMPARE(FaceOf(*button_), QColor(0x80, 0, 0));
        const QImage raised = button_->grab().toImage();
        QCOMPARE(raised.pixelColor(0, 0), DistinctPalette().color(QPalette::Light));
        QCOMPARE(raised.pixelColor(20, 16), DistinctPalette().color(QPalette::Shadow));

        QTest::mouseMove(button_, kCentre);
        QCOMPARE(FaceOf(*button_), QColor(0, 0xFF, 0));
        QTest::mouseRelease(button_, Qt::LeftButton, {}, kCentre);
        QCOMPARE(FaceOf(*button_), QColor(0x80, 0, 0));
    }

    void SpaceClicksWhenReleasedAfterBeingPressedHere() {
        QSignalSpy clicks(button_, &TPictureButton::clicked);
        button_->SetColor(0x00000080);
        button_->SetInColor(0x0000FF00);
        button_->setFocus();

        SendKey(*button_, QEvent::KeyPress, Qt::Key_Space);
        QCOMPARE(clicks.count(), 0);
        QCOMPARE(FaceOf(*button_), QColor(0, 0xFF, 0));
        SendKey(*button_, QEvent::KeyPress, Qt::Key_Space, true);
        SendKey(*button_, QEvent::KeyPress, Qt::Key_Space, true);
        SendKey(*button_, QEvent::KeyRelease, Qt::Key_Space);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(FaceOf(*button_), QColor(0x80, 0, 0));

        // Another key while held cancels the press.
        SendKey(*button_, QEvent::KeyPress, Qt::Key_Space);
        SendKey(*button_, QEvent::KeyPress, Qt::Key_A);
        QCOMPARE(FaceOf(*button_), QColor(0x80, 0, 0));
        SendKey(*button_, QEvent::KeyRelease, Qt::Key_Space);
        QCOMPARE(clicks.count(), 1);

        // A space pressed elsewhere does not click when released here.
        SendKey(*button_, QEvent::KeyRelease, Qt::Key_Space);
        QCOMPARE(clicks.count(), 1);
    }

    void LosingTheFocusWhileSpaceIsHeldLeavesTheButtonUp() {
        QSignalSpy clicks(button_, &TPictureButton::clicked);
        button_->SetColor(0x00000080);
        button_->SetInColor(0x0000FF00);
        button_->setFocus();
        SendKey(*button_, QEvent::KeyPress, Qt::Key_Space);
        neighbour_->setFocus();
        QTRY_VERIFY(!button_->hasFocus());
        QCOMPARE(FaceOf(*button_), QColor(0x80, 0, 0));
        button_->setFocus();
        SendKey(*button_, QEvent::KeyRelease, Qt::Key_Space);
        QCOMPARE(clicks.count(), 0);
    }

    void EnterAndReturnClickAtOnce() {
        QSignalSpy clicks(button_, &TPictureButton::clicked);
        button_->setFocus();
        QTest::keyClick(button_, Qt::Key_Return);
        QTest::keyClick(button_, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(clicks.count(), 2);
        button_->SetColor(0x00000080);
        QCOMPARE(FaceOf(*button_), QColor(0x80, 0, 0));  // not left down
    }

    void TheCaptionsAcceleratorClicksOnlyAShowingEnabledButton() {
        QSignalSpy clicks(button_, &TPictureButton::clicked);
        button_->SetCaption("&Colour");
        neighbour_->setFocus();
        QTest::keyClick(neighbour_, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(clicks.count(), 1);

        button_->setEnabled(false);
        QTest::keyClick(neighbour_, Qt::Key_C, Qt::AltModifier);
        button_->setEnabled(true);
        button_->hide();
        QTest::keyClick(neighbour_, Qt::Key_C, Qt::AltModifier);
        button_->show();
        button_->SetCaption("Colour");
        QTest::keyClick(neighbour_, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(clicks.count(), 1);
    }

    void HoveringShowsInColorOnlyWithColorChangeOn() {
        button_->SetColor(0x00000080);
        button_->SetInColor(0x0000FF00);
        QTest::mouseMove(host_, QPoint(5, 5));
        QTest::mouseMove(host_, QPoint(60, 48));
        QTRY_VERIFY(button_->underMouse());
        QCOMPARE(FaceOf(*button_), QColor(0x80, 0, 0));

        QTest::mouseMove(host_, QPoint(5, 5));
        QTRY_VERIFY(!button_->underMouse());
        button_->SetColorChange(true);
        QTest::mouseMove(host_, QPoint(60, 48));
        QTRY_COMPARE(FaceOf(*button_), QColor(0, 0xFF, 0));
        QTest::mouseMove(host_, QPoint(5, 5));
        QTRY_COMPARE(FaceOf(*button_), QColor(0x80, 0, 0));
    }

    void TheFocusShowsWithoutHidingTheColour() {
        button_->SetColor(0x00000000);
        button_->setFocus();
        QTRY_VERIFY(button_->hasFocus());
        const QImage focused = button_->grab().toImage();
        QCOMPARE(focused.pixelColor(4, 4), QColor(0xFF, 0xFF, 0xFF));  // inverted black
        QCOMPARE(focused.pixelColor(kCentre), QColor(0, 0, 0));

        button_->SetFocusStyle(TPictureButton::bfsInColor);
        button_->SetInColor(0x0000FF00);
        QCOMPARE(FaceOf(*button_), QColor(0, 0xFF, 0));
    }
};

}  // namespace orv

QTEST_MAIN(orv::PictureButtonTest)
#include "PictureButtonTest.moc"
