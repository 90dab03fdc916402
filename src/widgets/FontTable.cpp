#include "widgets/FontTable.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <algorithm>

#include "output/FontSubstitutes.h"

namespace orv {

namespace {

QString WithoutFoundry(const QString& family) {
    const qsizetype bracket = family.indexOf(QLatin1String(" ["));
    return bracket > 0 && family.endsWith(QLatin1Char(']')) ? family.left(bracket) : family;
}

// Japanese "fixed" faces (IPAGothic, like ＭＳ ゴシック) are dual-width: every half-width
// character is as wide as any other, and full-width ones twice that. fontconfig calls them dual
// rather than mono, and Qt then calls them proportional.
bool IsDualWidth(const QString& family) {
    QFont font;
    font.setFamilies({family});
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(QLatin1Char('i')) ==
           metrics.horizontalAdvance(QLatin1Char('W'));
}

TFontNameFilters AttributesOf(const QString& reported, const QString& name) {
    TFontNameFilters attributes;
    attributes |= QFontDatabase::isSmoothlyScalable(reported) ? fnfTrueType : fnfRaster;
    const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(reported);
    if (systems.contains(QFontDatabase::Japanese)) attributes |= fnfJapanese;
    if (QFontDatabase::isFixedPitch(reported) ||
        (attributes.testFlag(fnfJapanese) && IsDualWidth(reported))) {
        attributes |= fnfFixedPitch;
    }
    if (systems.contains(QFontDatabase::Symbol)) attributes |= fnfSymbolFont;
    if (name.startsWith(QLatin1Char('@'))) attributes |= fnfLyingFont;
    return attributes;
}

}  // namespace

std::vector<FontFamily> BuildFontTable(const QStringList& reportedFamilies,
                                       const QStringList& windowsFaces) {
    std::vector<FontFamily> table;
    QHash<QString, qsizetype> byFoldedName;
    for (const QString& reported : reportedFamilies) {
        const QString name = AsciiFamilyName(WithoutFoundry(reported));
        const QString folded = name.toCaseFolded();
        if (name.isEmpty() || byFoldedName.contains(folded)) continue;
        byFoldedName.insert(folded, static_cast<qsizetype>(table.size()));
        table.push_back({name, AttributesOf(reported, name)});
    }
    const qsizetype installed = static_cast<qsizetype>(table.size());
    for (const QString& face : windowsFaces) {
        const auto substitute = byFoldedName.constFind(SubstituteFamily(face).toCaseFolded());
        if (substitute == byFoldedName.constEnd() || *substitute >= installed) continue;
        if (byFoldedName.contains(face.toCaseFolded())) continue;
        byFoldedName.insert(face.toCaseFolded(), static_cast<qsizetype>(table.size()));
        FontFamily family = table[*substitute];
        family.name = face;
        table.push_back(family);
    }
    std::stable_sort(table.begin(), table.end(), [](const FontFamily& a, const FontFamily& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return table;
}

const std::vector<FontFamily>& InstalledFontTable() {
    static const std::vector<FontFamily> table = [] {
        RegisterWindowsFontSubstitutes();
        QStringList families;
        for (const QString& family : QFontDatabase::families()) {
            if (!QFontDatabase::isPrivateFamily(family)) families << family;
        }
        return BuildFontTable(families, SubstitutedWindowsFaceNames());
    }();
    return table;
}

}  // namespace orv
