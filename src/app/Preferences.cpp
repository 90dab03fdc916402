#include "app/Preferences.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace orv {

namespace {

QString FolderKey(FileKind kind) {
    switch (kind) {
        case FileKind::Designs:
            return QStringLiteral("Folders/Designs");
        case FileKind::Pictures:
            return QStringLiteral("Folders/Pictures");
        case FileKind::Exports:
            break;
    }
    return QStringLiteral("Folders/Exports");
}

}  // namespace

std::unique_ptr<QSettings> OpenPreferences(const QString& file) {
    if (file.isEmpty()) {
        return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                           QStringLiteral("orvalinden"),
                                           QStringLiteral("orvalinden"));
    }
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

QByteArray Preferences::WindowGeometry() const {
    return OpenPreferences(file_)->value(QStringLiteral("Window/Geometry")).toByteArray();
}

void Preferences::SetWindowGeometry(const QByteArray& geometry) {
    OpenPreferences(file_)->setValue(QStringLiteral("Window/Geometry"), geometry);
}

QByteArray Preferences::SplitterState() const {
    return OpenPreferences(file_)->value(QStringLiteral("Window/Splitter")).toByteArray();
}

void Preferences::SetSplitterState(const QByteArray& state) {
    OpenPreferences(file_)->setValue(QStringLiteral("Window/Splitter"), state);
}

QString Preferences::StartFolder(FileKind kind) const {
    const QString last = OpenPreferences(file_)->value(FolderKey(kind)).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
    const QString standard = QStandardPaths::writableLocation(
        kind == FileKind::Pictures ? QStandardPaths::PicturesLocation
                                   : QStandardPaths::DocumentsLocation);
    if (!standard.isEmpty() && QFileInfo(standard).isDir()) return standard;
    return QDir::homePath();
}

void Preferences::UsedFile(FileKind kind, const QString& file) {
    if (file.isEmpty()) return;
    OpenPreferences(file_)->setValue(FolderKey(kind), QFileInfo(file).absolutePath());
}

}  // namespace orv
