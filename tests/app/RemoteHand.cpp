// Loaded into the real program (LD_PRELOAD) by the kill test: once the window has started, acts on
// it as a user would, or reads what it shows, and writes a line about it to $ORV_HAND_OUT.
//   ORV_HAND=edit    steps the year down and types 7 into the line width, leaving the edit open
//   ORV_HAND=report  writes the year label, the line width and the title as the window shows them
// Only Qt's own types are used: the program's classes are not this library's.
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstdlib>

namespace {

QWidget* MainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("TfrmMain") && widget->isVisible()) return widget;
    }
    return nullptr;
}

void Write(const QByteArray& line) {
    QFile out(QString::fromLocal8Bit(std::getenv("ORV_HAND_OUT")));
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate)) out.write(line + "\n");
}

void Act(QWidget* window) {
    auto* lineWidth = window->findChild<QLineEdit*>(QStringLiteral("txtLineWidth"));
    auto* year = window->findChild<QAbstractSpinBox*>(QStringLiteral("lblYear"));
    auto* spinYear = window->findChild<QWidget*>(QStringLiteral("spinYear"));
    if (lineWidth == nullptr || year == nullptr || spinYear == nullptr) {
        Write("missing controls");
        return;
    }
    if (qgetenv("ORV_HAND") == "report") {
        Write("year=" + year->text().toUtf8() + " lineWidth=" + lineWidth->text().toUtf8() +
              " title=" + window->windowTitle().toUtf8());
        return;
    }
    for (QToolButton* button : spinYear->findChildren<QToolButton*>()) {
        if (button->arrowType() == Qt::DownArrow) QTest::mouseClick(button, Qt::LeftButton);
    }
    lineWidth->setFocus();
    lineWidth->selectAll();
    QTest::keyClicks(lineWidth, QStringLiteral("7"));
    Write("edited");
}

// Waits for the window and its first activation (the restore of the last design), then acts.
void Start() {
    auto* poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout, [poll] {
        QWidget* window = MainWindow();
        if (window == nullptr) return;
        poll->stop();
        QTimer::singleShot(1000, window, [window] { Act(window); });
    });
    poll->start(50);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(Start)
