#pragma once
// Code page 932 (Shift_JIS as Windows writes it) at the file boundaries; UTF-8 everywhere inside.
#include <string>
#include <string_view>

namespace orv {

// Decodes code page 932 bytes. A byte sequence that is not valid code page 932 becomes U+FFFD,
// so a damaged or foreign file still reads.
std::string Cp932ToUtf8(std::string_view bytes);

// Encodes UTF-8 text. A character that code page 932 cannot hold raises EncodingError naming the
// text; nothing is replaced silently.
std::string Utf8ToCp932(std::string_view text);

// Whether every character of the text has a code page 932 form.
bool IsCp932Encodable(std::string_view text);

// The text of a file another program wrote: UTF-8 (a BOM dropped) when the bytes are valid
// UTF-8, else code page 932, as Japanese Windows programs and older phones write.
std::string Utf8OrCp932ToUtf8(std::string_view bytes);

}  // namespace orv
