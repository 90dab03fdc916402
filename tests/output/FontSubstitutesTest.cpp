#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>

#include "output/FontSubstitutes.h"

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

TEST(FontSubstitutes, EveryFaceADesignNamesResolvesToAnInstalledOrFallbackFace) {
    EXPECT_EQ(ResolveFamily(""), "IPAPGothic");  // the default face of a new design
    EXPECT_EQ(ResolveFamily("ＭＳ 明朝"), "IPAMincho");
    EXPECT_EQ(ResolveFamily("IPAMincho"), "IPAMincho");
    EXPECT_EQ(ResolveFamily("DejaVu Serif"), "DejaVu Serif");
    // Other makers' Japanese faces by the kind their names tell.
    EXPECT_EQ(ResolveFamily("HGP明朝E"), "IPAPMincho");
    EXPECT_EQ(ResolveFamily("HGｺﾞｼｯｸE"), "IPAGothic");
    EXPECT_EQ(ResolveFamily("HGPｺﾞｼｯｸE"), "IPAPGothic");
    // Anything else is left to Qt's own fallback.
    EXPECT_EQ(ResolveFamily("Some Latin Face"), "Some Latin Face");
}

TEST(FontSubstitutes, LocalisedFamilyNamesCompareInAscii) {
    EXPECT_EQ(AsciiFamilyName("IPA Pゴシック"), "IPAPGothic");
    EXPECT_EQ(AsciiFamilyName("IPAPGothic"), "IPAPGothic");
    EXPECT_EQ(AsciiFamilyName("DejaVu Sans"), "DejaVu Sans");
}

}  // namespace
}  // namespace orv
