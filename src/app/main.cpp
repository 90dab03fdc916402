// orvalinden: the window. `orvalinden DESIGN.sav` opens that design.
#include <QApplication>
#include <QFont>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "app/MainUnit.h"
#include "app/QtTranslations.h"
#include "model/ProgramVersion.h"
#include "output/FontSubstitutes.h"

namespace {

// Without a display Qt aborts with advice to reinstall the program; say what is wrong instead.
void SayNoDisplay() {
    std::fputs(
        "orvalinden: 画面（DISPLAY または WAYLAND_DISPLAY）に接続できないため起動できません。"
        "画面のない環境では orvalinden-cli を使ってください。\n",
        stderr);
}

bool DisplayNamed(int argc, char** argv) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    }
    return false;
}

// Qt's messages while it connects to the display: held back, and dropped when the connection
// fails (a display that is named but cannot be reached, as over ssh without forwarding).
std::vector<std::pair<QtMsgType, QString>> startMessages;

void HoldStartMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) {
        SayNoDisplay();
        std::_Exit(1);
    }
    startMessages.emplace_back(type, text);
}

}  // namespace

int main(int argc, char** argv) {
    // Answered without a display, as a terminal user asks them.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("orvalinden %s\n", orv::ProgramVersion());
        return 0;
    }
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::printf(
            "使い方: orvalinden [DESIGN.sav]\n"
            "  カレンダーをデザインするウィンドウを開きます。DESIGN.sav を付けるとそのデザインを"
            "開きます。\n"
            "  --help     この説明を表示します\n"
            "  --version  版を表示します\n"
            "画面のない環境での書き出しと印刷は orvalinden-cli --help を見てください。\n");
        return 0;
    }
    if (!DisplayNamed(argc, argv)) {
        SayNoDisplay();
        return 1;
    }
    const QtMessageHandler qtHandler = qInstallMessageHandler(HoldStartMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
    for (const auto& [type, text] : startMessages) qt_message_output(type, {}, text);
    QApplication::setApplicationName(QStringLiteral("Orvalinden"));
    orv::InstallJapaneseQtTexts();
    orv::RegisterWindowsFontSubstitutes();
    // The forms were laid out for 9-point text.
    QFont font = QApplication::font();
    font.setPointSize(9);
    QApplication::setFont(font);
    orv::TfrmMain window(orv::WindowSettings::BesideTheProgram());
    // The first argument Qt has not taken is the design to open (a file manager passes one).
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) window.OpenAtStart(arguments.at(1));
    window.show();
    return QApplication::exec();
}
