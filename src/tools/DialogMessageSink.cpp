#include "tools/DialogMessageSink.h"

#include <QMessageBox>

namespace orv {

void DialogMessageSink::Report(MessageKind kind, const std::string& text) {
    QMessageBox::Icon icon = QMessageBox::Information;
    QString caption = QStringLiteral("情報");
    switch (kind) {
        case MessageKind::Error:
            icon = QMessageBox::Critical;
            caption = QStringLiteral("エラー");
            break;
        case MessageKind::Warning:
            icon = QMessageBox::Warning;
            caption = QStringLiteral("警告");
            break;
        case MessageKind::Information:
            break;
    }
    QMessageBox box(icon, caption, QString::fromStdString(text), QMessageBox::Ok, parent_);
    box.exec();
}

}  // namespace orv
