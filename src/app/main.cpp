// orvalinden: the window.
#include <QApplication>
#include <QFont>

#include "FontSubstitutes.h"
#include "MainUnit.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvalinden"));
    orv::RegisterWindowsFontSubstitutes();
    // The forms were laid out for 9-point text.
    QFont font = QApplication::font();
    font.setPointSize(9);
    QApplication::setFont(font);
    orv::TfrmMain window(orv::WindowSettings::BesideTheProgram());
    window.show();
    return QApplication::exec();
}
