#include "model/Utf8.h"

namespace orv {

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

}  // namespace

size_t Utf8CharLength(std::string_view s, size_t offset) {
    const size_t n = SequenceLength(static_cast<unsigned char>(s[offset]));
    if (n <= 1 || offset + n > s.size()) return 1;
    for (size_t k = 1; k < n; ++k) {
        if (!IsContinuation(static_cast<unsigned char>(s[offset + k]))) return 1;
    }
    return n;
}

char32_t Utf8Decode(std::string_view s, size_t offset) {
    const unsigned char lead = static_cast<unsigned char>(s[offset]);
    const size_t n = Utf8CharLength(s, offset);
    if (n == 1) return lead < 0x80 ? lead : U'\uFFFD';
    char32_t cp = lead & (0x7F >> n);
    for (size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[offset + k]) & 0x3F);
    return cp;
}

std::string Utf8Encode(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

}  // namespace orv
