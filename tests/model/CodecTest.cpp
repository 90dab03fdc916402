#include <gtest/gtest.h>

#include "model/Codec.h"
#include "model/Errors.h"

namespace orv {
namespace {

TEST(Codec, RoundTripsTheProgramsOwnTexts) {
    const char* texts[] = {"ﾃﾞｰﾀﾌｧｲﾙﾛｰﾄﾞｴﾗｰ", "¶", "～", "　", "１２３", "■", "×", "№",
                           "ＭＳ Ｐゴシック", "天皇誕生日", "ABC abc 123"};
    for (const char* text : texts) {
        EXPECT_EQ(Cp932ToUtf8(Utf8ToCp932(text)), text) << text;
    }
}

TEST(Codec, WritesTheWindowsBytes) {
    EXPECT_EQ(Utf8ToCp932("¶"), "\x81\xF7");
    EXPECT_EQ(Utf8ToCp932("～"), "\x81\x60");
    EXPECT_EQ(Utf8ToCp932("　"), "\x81\x40");
    EXPECT_EQ(Utf8ToCp932("■×№"), "\x81\xA1\x81\x7E\x87\x82");
    EXPECT_EQ(Utf8ToCp932("ﾃﾞ"), "\xC3\xDE");
    EXPECT_EQ(Cp932ToUtf8("\x82\x50"), "１");
}

TEST(Codec, RefusesWhatCodePage932CannotHold) {
    EXPECT_FALSE(IsCp932Encodable("😀"));
    EXPECT_FALSE(IsCp932Encodable("한국어"));
    EXPECT_TRUE(IsCp932Encodable("日本語ﾃｷｽﾄ"));
    try {
        Utf8ToCp932("絵文字😀");
        FAIL() << "no error";
    } catch (const EncodingError& e) {
        EXPECT_NE(std::string(e.what()).find("絵文字😀"), std::string::npos);
    }
}

TEST(Codec, ReadsDamagedBytesWithoutFailing) {
    EXPECT_EQ(Cp932ToUtf8("a\x81"), "a\xEF\xBF\xBD");
    EXPECT_EQ(Cp932ToUtf8(std::string("\xFF\x00z", 3)), std::string("\xEF\xBF\xBD\0z", 5));
}

}  // namespace
}  // namespace orv
