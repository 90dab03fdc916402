#include "output/FontSubstitutes.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QSet>
#include <optional>

namespace orv {

namespace {

struct LocalisedName {
    const char* ascii;
    const char* localised;
};

// Japanese faces report their Japanese name under a Japanese locale.
constexpr LocalisedName kLocalisedNames[] = {
    {"IPAPGothic", "IPA Pゴシック"},   {"IPAGothic", "IPAゴシック"},
    {"IPAPMincho", "IPA P明朝"},       {"IPAMincho", "IPA明朝"},
    {"IPAexGothic", "IPAexゴシック"},  {"IPAexMincho", "IPAex明朝"},
    {"VL PGothic", "VL Pゴシック"},    {"VL Gothic", "VL ゴシック"},
    {"Takao PGothic", "Takao Pゴシック"}, {"Takao Gothic", "Takao ゴシック"},
};

enum class Kind { ProportionalGothic, FixedGothic, ProportionalMincho, FixedMincho };

struct WindowsFace {
    const char* name;
    Kind kind;
};

constexpr WindowsFace kWindowsFaces[] = {
    {"ＭＳ Ｐゴシック", Kind::ProportionalGothic}, {"ＭＳ ゴシック", Kind::FixedGothic},
    {"ＭＳ Ｐ明朝", Kind::ProportionalMincho},     {"ＭＳ 明朝", Kind::FixedMincho},
    {"ＭＳ ＵＩ Gothic", Kind::ProportionalGothic}, {"MS PGothic", Kind::ProportionalGothic},
    {"MS Gothic", Kind::FixedGothic},               {"MS PMincho", Kind::ProportionalMincho},
    {"MS Mincho", Kind::FixedMincho},               {"MS UI Gothic", Kind::ProportionalGothic},
    {"メイリオ", Kind::ProportionalGothic},          {"Meiryo", Kind::ProportionalGothic},
    {"Meiryo UI", Kind::ProportionalGothic},        {"游ゴシック", Kind::ProportionalGothic},
    {"Yu Gothic", Kind::ProportionalGothic},        {"游明朝", Kind::ProportionalMincho},
    {"Yu Mincho", Kind::ProportionalMincho},
};

QStringList Candidates(Kind kind) {
    switch (kind) {
        case Kind::ProportionalGothic:
            return {"IPAPGothic", "IPAexGothic", "VL PGothic", "Takao PGothic", "Noto Sans CJK JP",
                    "IPAGothic"};
        case Kind::FixedGothic:
            return {"IPAGothic", "VL Gothic", "Takao Gothic", "Noto Sans Mono CJK JP", "IPAPGothic"};
        case Kind::ProportionalMincho:
            return {"IPAPMincho", "IPAexMincho", "Noto Serif CJK JP", "IPAMincho"};
        case Kind::FixedMincho:
            return {"IPAMincho", "IPAexMincho", "Noto Serif CJK JP", "IPAPMincho"};
    }
    return {};
}

// Japanese faces from other makers (HG, DF, ...) follow the Windows naming: "P" before the kind
// marks the proportional face.
std::optional<Kind> KindFromName(const QString& face) {
    struct Marker {
        const char* text;
        bool mincho;
    };
    static const Marker kMarkers[] = {
        {"明朝", true}, {"Mincho", true}, {"ゴシック", false}, {"ｺﾞｼｯｸ", false}, {"Gothic", false}};
    for (const Marker& marker : kMarkers) {
        const QString text = QString::fromUtf8(marker.text);
        const qsizetype at = face.indexOf(text, 0, Qt::CaseInsensitive);
        if (at < 0) continue;
        const QString before = face.left(at).trimmed();
        const bool proportional =
            before.endsWith(u'P', Qt::CaseInsensitive) || before.endsWith(QString::fromUtf8("Ｐ"));
        if (marker.mincho) return proportional ? Kind::ProportionalMincho : Kind::FixedMincho;
        return proportional ? Kind::ProportionalGothic : Kind::FixedGothic;
    }
    return std::nullopt;
}

QSet<QString> InstalledAsciiFamilies() {
    QSet<QString> families;
    for (const QString& family : QFontDatabase::families()) families.insert(AsciiFamilyName(family));
    return families;
}

}  // namespace

QString AsciiFamilyName(const QString& family) {
    for (const LocalisedName& name : kLocalisedNames) {
        if (family == QString::fromUtf8(name.localised)) return QString::fromUtf8(name.ascii);
    }
    return family;
}

namespace {

const QSet<QString>& Installed() {
    static const QSet<QString> installed = InstalledAsciiFamilies();
    return installed;
}

QString FirstInstalled(Kind kind) {
    for (const QString& candidate : Candidates(kind)) {
        if (Installed().contains(candidate)) return candidate;
    }
    return {};
}

}  // namespace

QString SubstituteFamily(const QString& windowsFace) {
    for (const WindowsFace& face : kWindowsFaces) {
        if (windowsFace.compare(QString::fromUtf8(face.name), Qt::CaseInsensitive) != 0) continue;
        return FirstInstalled(face.kind);
    }
    return {};
}

QString ResolveFamily(const QString& face) {
    static QHash<QString, QString> resolved;
    const auto known = resolved.constFind(face);
    if (known != resolved.constEnd()) return *known;

    const QString name = face.isEmpty() ? QStringLiteral("ＭＳ Ｐゴシック") : face;
    QString family;
    if (Installed().contains(AsciiFamilyName(name)) || QFontDatabase::hasFamily(name)) {
        family = name;
    } else if (QString substitute = SubstituteFamily(name); !substitute.isEmpty()) {
        family = substitute;
    } else if (const std::optional<Kind> kind = KindFromName(name)) {
        family = FirstInstalled(*kind);
    }
    if (family.isEmpty()) family = name;
    resolved.insert(face, family);
    return family;
}

QStringList SubstitutedWindowsFaceNames() {
    QStringList names;
    for (const WindowsFace& face : kWindowsFaces) {
        const QString name = QString::fromUtf8(face.name);
        if (!SubstituteFamily(name).isEmpty()) names << name;
    }
    return names;
}

void RegisterWindowsFontSubstitutes() {
    static bool done = false;
    if (done) return;
    done = true;
    for (const QString& name : SubstitutedWindowsFaceNames()) {
        QFont::insertSubstitution(name, SubstituteFamily(name));
    }
}

}  // namespace orv
