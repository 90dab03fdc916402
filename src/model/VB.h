#pragma once
// Text and number helpers in the manner of the program's edit fields and data files.
// Texts are UTF-8; positions and lengths count characters (code points) and are 1-based, so one
// Shift_JIS character is one position, as users and data files expect.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// A value that is either a text or an integer, as edit texts and numbers travel through Val.
class Variant {
public:
    Variant() = default;
    Variant(int value) : isText_(false), int_(value) {}  // NOLINT: implicit like the original
    Variant(std::string text) : isText_(true), text_(std::move(text)) {}  // NOLINT
    Variant(const char* text) : isText_(true), text_(text) {}  // NOLINT

    bool IsText() const { return isText_; }
    // The value as text (an integer in decimal).
    std::string ToText() const;
    // The value as a 32-bit integer; a text that is not a whole decimal number, or one beyond
    // 32 bits, raises ConversionError naming the text.
    int32_t ToInt() const;

    bool operator==(const Variant&) const = default;

private:
    bool isText_ = false;
    std::string text_;
    int32_t int_ = 0;
};

// Variant addition: two texts concatenate; a text and an integer add as numbers, the text
// converted first (so "0000" + 0 is 0, while "0000" + "5" is "00005").
Variant operator+(const Variant& a, const Variant& b);

// Number of characters; 0 for the empty text.
int Len(std::string_view s);
// Characters from Start (1-based) to the end; Start <= 1 gives all of S.
std::string Mid(std::string_view s, int start);
// At most Count characters from Start; Count <= 0 gives the empty text.
std::string Mid(std::string_view s, int start, int count);
std::string Left(std::string_view s, int count);
// The last Count characters; Count > Len(S) or Count <= 0 gives the empty text.
std::string Right(std::string_view s, int count);
// 1-based position of the first occurrence of Sub, 0 when none or Sub is empty.
int InStr(std::string_view s, std::string_view sub);
// As InStr, searching from character position Start; the result is a position in S.
int InStrFrom(int start, std::string_view s, std::string_view sub);
// True when S is not empty and its first character is a digit 0-9.
bool IsNumeric(std::string_view s);
// The leading, optionally "-"-signed run of digits of the trimmed text, as a text; the integer 0
// when there are no digits. "+5", "--1" and full-width digits give 0.
Variant Val(const Variant& v);
// Val converted to an integer; a digit run beyond 32 bits raises ConversionError.
int32_t ValInt(const Variant& v);
// Splits at Delim; with Quoted, a field that begins with a double quote runs to the next
// double quote followed by a comma, loses its quote and has doubled quotes reduced. With
// MaxFields, only the first MaxFields fields are made (the same as those of the full split).
std::vector<std::string> Split(std::string_view s, std::string_view delim, bool quoted,
                               size_t maxFields = SIZE_MAX);
// Every occurrence of Old replaced by New, ASCII letters compared without regard to case.
std::string ReplaceText(std::string_view s, std::string_view oldText, std::string_view newText);

template <typename T>
T IIf(bool condition, const T& a, const T& b) {
    return condition ? a : b;
}

// Blanks and control characters trimmed at both ends (ASCII, as the platform's Trim).
std::string Trim(std::string_view s);

// Decimal text of an integer.
std::string IntToStr(int64_t value);

// Parses a whole decimal integer (optional sign) or a hexadecimal one written "$5A" or "0x5A";
// false when the text is anything else or does not fit 32 bits.
bool TryStrToInt(std::string_view text, int32_t& value);
// As TryStrToInt; raises ConversionError "text は整数として読めません" on failure.
int32_t StrToInt(std::string_view text);

}  // namespace orv
