#include "model/Codec.h"

#include <cerrno>
#include <iconv.h>

#include "model/Errors.h"
#include "model/Utf8.h"

namespace orv {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw Error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; returns false at an invalid or unconvertible sequence, leaving
    // `in` pointing at it.
    bool Convert(std::string_view& in, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[4096];
        while (!in.empty()) {
            char* src = const_cast<char*>(in.data());
            size_t srcLeft = in.size();
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            const size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, dst - buffer);
            in.remove_prefix(in.size() - srcLeft);
            if (rc == static_cast<size_t>(-1) && errno != E2BIG) return false;
        }
        return true;
    }

private:
    iconv_t cd_;
};

Converter& Decoder() {
    thread_local Converter converter("UTF-8", "CP932");
    return converter;
}

Converter& Encoder() {
    thread_local Converter converter("CP932", "UTF-8");
    return converter;
}

bool IsUtf8(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        const size_t length = Utf8CharLength(bytes, i);
        if (Utf8Decode(bytes, i) == U'\uFFFD' && bytes.substr(i, length) != "\xEF\xBF\xBD") {
            return false;
        }
        i += length;
    }
    return true;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    while (!Decoder().Convert(bytes, out)) {
        out += "\xEF\xBF\xBD";  // U+FFFD for the byte that does not decode
        bytes.remove_prefix(1);
    }
    return out;
}

std::string Utf8ToCp932(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::string_view rest = text;
    if (!Encoder().Convert(rest, out)) {
        throw EncodingError("「" + std::string(text) +
                            "」には Shift_JIS で保存できない文字が含まれています");
    }
    return out;
}

bool IsCp932Encodable(std::string_view text) {
    std::string out;
    return Encoder().Convert(text, out);
}

std::string Utf8OrCp932ToUtf8(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    return IsUtf8(bytes) ? std::string(bytes) : Cp932ToUtf8(bytes);
}

}  // namespace orv
