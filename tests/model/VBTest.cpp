#include <gtest/gtest.h>

#include "model/Errors.h"
#include "model/VB.h"

namespace orv {
namespace {

TEST(TextPositions, CountCharactersNotBytes) {
    EXPECT_EQ(Len(""), 0);
    EXPECT_EQ(Len("ﾃﾞｰﾀ"), 4);
    EXPECT_EQ(Len("天皇誕生日"), 5);
    EXPECT_EQ(Mid("春夏秋", 2, 1), "夏");
    EXPECT_EQ(Mid("春夏秋", 2), "夏秋");
    EXPECT_EQ(Mid("abc", 0), "abc");
    EXPECT_EQ(Mid("abc", 4), "");
    EXPECT_EQ(Mid("abc", -3, 2), "ab");
    EXPECT_EQ(Mid("abc", 2, 0), "");
    EXPECT_EQ(Mid("abc", 2, 10), "bc");
    EXPECT_EQ(Left("元日", 4), "元日");
    EXPECT_EQ(Left("元日　　　　", 4), "元日　　");
}

TEST(TextPositions, RightGivesNothingWhenAskedForMoreThanThereIs) {
    EXPECT_EQ(Right("2016", 5), "");
    EXPECT_EQ(Right("00002016", 4), "2016");
    EXPECT_EQ(Right("05", 2), "05");
    EXPECT_EQ(Right("abc", 0), "");
    EXPECT_EQ(Right("  12", 3), " 12");
}

TEST(TextPositions, InStrFindsWholeCharactersOnly) {
    EXPECT_EQ(InStr("2016/1/5", "/"), 5);
    EXPECT_EQ(InStr("abc", ""), 0);
    EXPECT_EQ(InStr("abc", "d"), 0);
    EXPECT_EQ(InStr("大安¶友引", "¶"), 3);
    EXPECT_EQ(InStrFrom(6, "2016/1/5", "/"), 7);
    EXPECT_EQ(InStrFrom(8, "2016/1/5", "/"), 0);
    EXPECT_EQ(InStrFrom(30, "2016/1/5", "/"), 0);
    // The trail bytes of a multi-byte character never start a match.
    EXPECT_EQ(InStr("日", "\xA5"), 0);
}

TEST(Numbers, ValTakesTheLeadingSignedDigits) {
    EXPECT_EQ(Val("12"), Variant("12"));
    EXPECT_EQ(Val("  7 "), Variant("7"));
    EXPECT_EQ(Val("-12"), Variant("-12"));
    EXPECT_EQ(Val("12abc"), Variant("12"));
    EXPECT_EQ(Val("3.7"), Variant("3"));
    EXPECT_EQ(Val("+5"), Variant(0));
    EXPECT_EQ(Val("-"), Variant(0));
    EXPECT_EQ(Val("--1"), Variant(0));
    EXPECT_EQ(Val("abc"), Variant(0));
    EXPECT_EQ(Val(""), Variant(0));
    EXPECT_EQ(Val("１２"), Variant(0));
    EXPECT_EQ(Val("-0"), Variant("-0"));
    EXPECT_EQ(ValInt("-0"), 0);
    EXPECT_EQ(ValInt("2016年"), 2016);
    EXPECT_EQ(ValInt("150%"), 150);
    EXPECT_EQ(ValInt(Variant(42)), 42);
}

TEST(Numbers, DigitRunsBeyondThirtyTwoBitsRaiseTheConversionError) {
    EXPECT_EQ(ValInt("2147483647"), 2147483647);
    EXPECT_EQ(ValInt("-2147483648"), -2147483647 - 1);
    try {
        ValInt("99999999999");
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "99999999999 は整数として読めません");
    }
}

TEST(Numbers, VariantAdditionConcatenatesTextsAndAddsNumbers) {
    // The memorial tab pads its date parts this way: an empty year part comes out empty.
    EXPECT_EQ(Right(("0000" + Val("2016")).ToText(), 4), "2016");
    EXPECT_EQ(Right(("0000" + Val("0")).ToText(), 4), "0000");
    EXPECT_EQ(Right(("0000" + Val("")).ToText(), 4), "");
    EXPECT_EQ(Right(("0" + Val("5")).ToText(), 2), "05");
    EXPECT_EQ(Right(("0" + Val("12")).ToText(), 2), "12");
}

TEST(Numbers, StrToIntAcceptsDecimalAndHexadecimal) {
    EXPECT_EQ(StrToInt("90"), 90);
    EXPECT_EQ(StrToInt("0x5A"), 90);
    EXPECT_EQ(StrToInt("$5A"), 90);
    EXPECT_EQ(StrToInt("-$10"), -16);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    int32_t v = 7;
    EXPECT_FALSE(TryStrToInt("abc", v));
    EXPECT_FALSE(TryStrToInt("", v));
    EXPECT_FALSE(TryStrToInt("12x", v));
    EXPECT_FALSE(TryStrToInt("2147483648", v));
    EXPECT_FALSE(TryStrToInt("$100000000", v));
    EXPECT_EQ(v, 7);
}

using Fields = std::vector<std::string>;

TEST(Splitting, PlainFields) {
    EXPECT_EQ(Split("a,b", ",", false), (Fields{"a", "b"}));
    EXPECT_EQ(Split("a,,b", ",", false), (Fields{"a", "", "b"}));
    EXPECT_EQ(Split("a,", ",", false), (Fields{"a", ""}));
    EXPECT_EQ(Split(",", ",", false), (Fields{"", ""}));
    EXPECT_EQ(Split("", ",", false), Fields{});
    EXPECT_EQ(Split("abc", ",", false), Fields{"abc"});
    EXPECT_EQ(Split("2016/1/5", "/", true), (Fields{"2016", "1", "5"}));
    EXPECT_EQ(Split("大安¶友引", "¶", false), (Fields{"大安", "友引"}));
}

TEST(Splitting, QuotedFields) {
    EXPECT_EQ(Split("\"a,b\",c", ",", true), (Fields{"a,b", "c"}));
    EXPECT_EQ(Split("x,\"a,b\"", ",", true), (Fields{"x", "a,b"}));
    EXPECT_EQ(Split("\"say \"\"hi\"\"\",c", ",", true), (Fields{"say \"hi\"", "c"}));
    // An unterminated quoted field keeps its quote.
    EXPECT_EQ(Split("\"abc=def", "=", true), Fields{"\"abc=def"});
    EXPECT_EQ(Split("\"a\",", ",", true), (Fields{"a", ""}));
}

TEST(Replacing, IgnoresLetterCase) {
    EXPECT_EQ(ReplaceText("<TD>立春</td>", "<td>", ""), "立春</td>");
    EXPECT_EQ(ReplaceText("aAa", "a", "b"), "bbb");
    EXPECT_EQ(ReplaceText("abc", "", "x"), "abc");
    EXPECT_EQ(IIf(true, 1, 2), 1);
}

}  // namespace
}  // namespace orv
