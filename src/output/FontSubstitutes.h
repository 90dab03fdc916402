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

// A family name as fontconfig knows it in ASCII: under a Japanese locale Qt reports
// "IPA Pゴシック" for "IPAPGothic"; this gives "IPAPGothic" back for either.
QString AsciiFamilyName(const QString& family);

}  // namespace orv
