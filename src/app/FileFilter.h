#pragma once
// File dialog filters are written the Windows way ("description|patterns|..."); Qt wants
// "description (patterns);;...". "*.*" becomes "*" because on Linux many files have no dot.
#include <QString>
#include <QStringList>

namespace orv {

QString QtFileFilter(const QString& windowsFilter);

// The patterns of one Qt filter entry ("PNGﾌｧｲﾙ(*.png)" gives "*.png").
QStringList FilterPatterns(const QString& qtFilterEntry);

// The file name with the extension of the chosen filter entry appended when it has none and the
// entry names exactly one extension; otherwise unchanged.
QString WithFilterExtension(const QString& fileName, const QString& qtFilterEntry);

}  // namespace orv
