#pragma once
// Designs made on Windows name Japanese faces that Linux does not have ("ＭＳ Ｐゴシック",
// "ＭＳ 明朝", ...), and fontconfig maps none of them to a Japanese face by itself. We register
// each as a substitute of an installed Japanese face of the same kind (proportional or fixed,
// gothic or mincho), so such a design draws in Japanese and keeps its face name when saved again.
#include <QString>
#include <QStringList>

namespace orv {

// Registers the substitutes with Qt; idempotent. Needs a QGuiApplication.
void RegisterWindowsFontSubstitutes();

// The Windows face names that have an installed substitute, in a fixed order.
QStringList SubstitutedWindowsFaceNames();

// The installed family a Windows face name stands for, or an empty text when it has none.
QString SubstituteFamily(const QString& windowsFace);

// The family to ask Qt for when a design names `face`: the face itself when it is installed, its
// Windows substitute, else a Japanese face of the kind its name suggests ("HGP明朝E" → a
// proportional mincho), else the face as it is (Qt's fallback then draws it). An empty face is
// the default face of a new design, "ＭＳ Ｐゴシック". Results are remembered for the whole run.
QString ResolveFamily(const QString& face);

// A family name as fontconfig knows it in ASCII: under a Japanese locale Qt reports
// "IPA Pゴシック" for "IPAPGothic"; this gives "IPAPGothic" back for either.
QString AsciiFamilyName(const QString& family);

}  // namespace orv
