#pragma once
// Walking UTF-8 text one character (code point) at a time.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// Length in bytes of the character that starts at `offset` (at least 1, never past the end).
// A malformed sequence counts each of its bytes as one character.
size_t Utf8CharLength(std::string_view s, size_t offset);

// The code point that starts at `offset`; U+FFFD for a malformed sequence.
char32_t Utf8Decode(std::string_view s, size_t offset);

std::string Utf8Encode(char32_t codePoint);

}  // namespace orv
