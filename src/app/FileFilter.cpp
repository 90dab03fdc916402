#include "app/FileFilter.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace orv {

QString QtFileFilter(const QString& windowsFilter) {
    const QStringList parts = windowsFilter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const qsizetype paren = description.lastIndexOf(u'(');
        if (paren > 0 && description.endsWith(u')')) description.truncate(paren);
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            if (pattern == QStringLiteral("*.*")) pattern = QStringLiteral("*");
        }
        entries << description + u'(' + patterns.join(u' ') + u')';
    }
    return entries.join(QStringLiteral(";;"));
}

QStringList FilterPatterns(const QString& qtFilterEntry) {
    static const QRegularExpression inParens(QStringLiteral("\\(([^()]*)\\)\\s*$"));
    const QRegularExpressionMatch match = inParens.match(qtFilterEntry);
    if (!match.hasMatch()) return {};
    return match.captured(1).split(u' ', Qt::SkipEmptyParts);
}

QString WithFilterExtension(const QString& fileName, const QString& qtFilterEntry) {
    if (fileName.isEmpty() || !QFileInfo(fileName).suffix().isEmpty()) return fileName;
    const QStringList patterns = FilterPatterns(qtFilterEntry);
    if (patterns.size() != 1 || !patterns[0].startsWith(QStringLiteral("*."))) return fileName;
    const QString extension = patterns[0].mid(1);
    if (extension.contains(u'*') || extension.contains(u'?')) return fileName;
    return fileName + extension;
}

}  // namespace orv
