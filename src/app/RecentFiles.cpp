#include "app/RecentFiles.h"

#include <QFileInfo>

#include "app/Preferences.h"

namespace orv {

namespace {

const QString kKey = QStringLiteral("RecentFiles/Files");

}  // namespace

RecentFiles::RecentFiles(const QString& preferencesFile) : file_(preferencesFile) {}

QStringList RecentFiles::Files() const {
    return OpenPreferences(file_)->value(kKey).toStringList().mid(0, kRecentFileCount);
}

void RecentFiles::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = Files();
    files.removeAll(absolute);
    files.prepend(absolute);
    Store(files.mid(0, kRecentFileCount));
}

void RecentFiles::Remove(const QString& path) {
    QStringList files = Files();
    if (files.removeAll(QFileInfo(path).absoluteFilePath()) > 0) Store(files);
}

void RecentFiles::Clear() {
    Store({});
}

void RecentFiles::Store(const QStringList& files) {
    auto settings = OpenPreferences(file_);
    if (files.isEmpty()) {
        settings->remove(kKey);
    } else {
        settings->setValue(kKey, files);
    }
}

}  // namespace orv
