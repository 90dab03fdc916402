#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>

#include "FontSubstitutes.h"

namespace orv {
namespace {

TEST(FontSubstitutes, WindowsJapaneseFacesDrawInAnInstalledJapaneseFace) {
    RegisterWindowsFontSubstitutes();
    EXPECT_EQ(SubstituteFamily("ＭＳ Ｐゴシック"), "IPAPGothic");
    EXPECT_EQ(SubstituteFamily("ＭＳ ゴシック"), "IPAGothic");
    EXPECT_EQ(SubstituteFamily("ＭＳ 明朝"), "IPAMincho");
    EXPECT_EQ(SubstituteFamily("ms pgothic"), "IPAPGothic");
    EXPECT_EQ(SubstituteFamily("Arial"), "");
    EXPECT_TRUE(SubstitutedWindowsFaceNames().contains("ＭＳ Ｐ明朝"));

    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(AsciiFamilyName(QFontInfo(font).family()), "IPAPGothic");
}

TEST(FontSubstitutes, LocalisedFamilyNamesCompareInAscii) {
    EXPECT_EQ(AsciiFamilyName("IPA Pゴシック"), "IPAPGothic");
    EXPECT_EQ(AsciiFamilyName("IPAPGothic"), "IPAPGothic");
    EXPECT_EQ(AsciiFamilyName("DejaVu Sans"), "DejaVu Sans");
}

}  // namespace
}  // namespace orv
