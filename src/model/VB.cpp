#include "model/VB.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "model/Errors.h"
#include "model/Utf8.h"

namespace orv {

namespace {

std::string NotAnInteger(std::string_view text) {
    return std::string(text) + " は整数として読めません";
}

bool IsBlankOrControl(unsigned char c) { return c <= ' '; }

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Byte offset of character position `pos` (1-based) in `s`; s.size() when past the end.
size_t ByteOffsetOf(std::string_view s, int pos) {
    size_t offset = 0;
    for (int i = 1; i < pos && offset < s.size(); ++i) offset += Utf8CharLength(s, offset);
    return offset;
}

// Byte offset of the first occurrence of `sub` at or after `from` that begins on a character
// boundary (`from` being one); npos when none or `sub` is empty.
size_t FindFrom(std::string_view s, size_t from, std::string_view sub) {
    if (sub.empty()) return std::string_view::npos;
    for (size_t i = from; i < s.size(); i += Utf8CharLength(s, i)) {
        if (s.compare(i, sub.size(), sub) == 0) return i;
    }
    return std::string_view::npos;
}

}  // namespace

std::string Variant::ToText() const { return isText_ ? text_ : IntToStr(int_); }

int32_t Variant::ToInt() const { return isText_ ? StrToInt(Trim(text_)) : int_; }

Variant operator+(const Variant& a, const Variant& b) {
    if (a.IsText() && b.IsText()) return Variant(a.ToText() + b.ToText());
    return Variant(static_cast<int>(static_cast<int64_t>(a.ToInt()) + b.ToInt()));
}

int Len(std::string_view s) {
    int count = 0;
    for (size_t i = 0; i < s.size(); i += Utf8CharLength(s, i)) ++count;
    return count;
}

std::string Mid(std::string_view s, int start) {
    if (start < 1) start = 1;
    size_t from = ByteOffsetOf(s, start);
    return std::string(s.substr(from));
}

std::string Mid(std::string_view s, int start, int count) {
    if (count <= 0) return {};
    if (start < 1) start = 1;
    size_t from = ByteOffsetOf(s, start);
    size_t to = from;
    for (int i = 0; i < count && to < s.size(); ++i) to += Utf8CharLength(s, to);
    return std::string(s.substr(from, to - from));
}

std::string Left(std::string_view s, int count) { return Mid(s, 1, count); }

std::string Right(std::string_view s, int count) {
    int length = Len(s);
    if (count <= 0 || count > length) return {};
    return Mid(s, length - count + 1);
}

int InStrFrom(int start, std::string_view s, std::string_view sub) {
    if (sub.empty()) return 0;
    if (start < 1) start = 1;
    size_t from = ByteOffsetOf(s, start);
    // Only matches that begin on a character boundary count.
    int position = start;
    for (size_t i = from; i < s.size(); i += Utf8CharLength(s, i), ++position) {
        if (s.compare(i, sub.size(), sub) == 0) return position;
    }
    return 0;
}

int InStr(std::string_view s, std::string_view sub) { return InStrFrom(1, s, sub); }

bool IsNumeric(std::string_view s) { return !s.empty() && s[0] >= '0' && s[0] <= '9'; }

std::string Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlankOrControl(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && IsBlankOrControl(static_cast<unsigned char>(s[e - 1]))) --e;
    return std::string(s.substr(b, e - b));
}

Variant Val(const Variant& v) {
    std::string text = Trim(v.ToText());
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    size_t digitsFrom = i;
    while (i < text.size() && IsNumeric(std::string_view(text).substr(i, 1))) ++i;
    if (i == digitsFrom) return Variant(0);
    return Variant((negative ? "-" : "") + text.substr(digitsFrom, i - digitsFrom));
}

int32_t ValInt(const Variant& v) { return Val(v).ToInt(); }

std::vector<std::string> Split(std::string_view s, std::string_view delim, bool quoted,
                               size_t maxFields) {
    // One pass over byte offsets: a settings line may hold millions of fields.
    std::vector<std::string> fields;
    auto unquote = [](std::string_view field) { return ReplaceText(field, "\"\"", "\""); };
    size_t a = 0;
    while (fields.size() < maxFields) {
        const bool quotedField = quoted && a < s.size() && s[a] == '"';
        const std::string_view separator = quotedField ? std::string_view("\",") : delim;
        const size_t b = FindFrom(s, a, separator);
        if (b == std::string_view::npos) break;
        const std::string_view field = s.substr(a, b - a);
        fields.push_back(quotedField ? unquote(field.substr(field.empty() ? 0 : 1))
                                     : std::string(field));
        a = b + separator.size();
    }
    if (fields.size() >= maxFields) return fields;
    const bool endsWithDelim =
        !delim.empty() && s.size() >= delim.size() && s.substr(s.size() - delim.size()) == delim;
    if (a == s.size() && endsWithDelim) {
        fields.emplace_back();
    } else if (a < s.size()) {
        std::string_view rest = s.substr(a);
        if (quoted && rest.front() == '"' && rest.back() == '"') {
            fields.push_back(unquote(rest.size() >= 2 ? rest.substr(1, rest.size() - 2) : ""));
        } else {
            fields.emplace_back(rest);
        }
    }
    return fields;
}

std::string ReplaceText(std::string_view s, std::string_view oldText, std::string_view newText) {
    if (oldText.empty()) return std::string(s);
    auto equalsAt = [&](size_t i) {
        if (i + oldText.size() > s.size()) return false;
        for (size_t k = 0; k < oldText.size(); ++k) {
            if (AsciiUpper(s[i + k]) != AsciiUpper(oldText[k])) return false;
        }
        return true;
    };
    std::string result;
    result.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        if (equalsAt(i)) {
            result.append(newText);
            i += oldText.size();
        } else {
            size_t n = Utf8CharLength(s, i);
            result.append(s.substr(i, n));
            i += n;
        }
    }
    return result;
}

std::string IntToStr(int64_t value) { return std::to_string(value); }

bool TryStrToInt(std::string_view text, int32_t& value) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) return false;
    uint64_t magnitude = 0;
    const uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 2147483648ull : 2147483647ull);
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return false;
        magnitude = magnitude * base + digit;
        if (magnitude > limit) return false;
    }
    // Hexadecimal covers all 32 bits, so $FFFFFFFF is -1 as it was written.
    int64_t signedValue = base == 16 ? static_cast<int32_t>(static_cast<uint32_t>(magnitude))
                                     : static_cast<int64_t>(magnitude);
    value = static_cast<int32_t>(negative ? -signedValue : signedValue);
    return true;
}

int32_t StrToInt(std::string_view text) {
    int32_t value = 0;
    if (!TryStrToInt(text, value)) throw ConversionError(NotAnInteger(text));
    return value;
}

}  // namespace orv
