#include "PictureChoice.h"

#include <QImageReader>
#include <QStringList>

namespace orv {

QString PictureDialogFilter() {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    }
    return QStringLiteral("画像ファイル (") + patterns.join(u' ') +
           QStringLiteral(");;すべてのファイル (*)");
}

bool TestLoadPicture(const QString& path) {
    QImageReader reader(path);
    return !reader.read().isNull();
}

}  // namespace orv
