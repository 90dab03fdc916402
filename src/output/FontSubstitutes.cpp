#include "FontSubstitutes.h"

#include <QFont>
#include <QFontDatabase>
#include <QSet>

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

QString SubstituteFamily(const QString& windowsFace) {
    static const QSet<QString> installed = InstalledAsciiFamilies();
    for (const WindowsFace& face : kWindowsFaces) {
        if (windowsFace.compare(QString::fromUtf8(face.name), Qt::CaseInsensitive) != 0) continue;
        for (const QString& candidate : Candidates(face.kind)) {
            if (installed.contains(candidate)) return candidate;
        }
        return {};
    }
    return {};
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
