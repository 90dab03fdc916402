#include "output/PictureFormats.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <mutex>

#include "output/BmpDecoder.h"
#include "output/JpegDecoder.h"
#include "output/PictureDecoding.h"
#include "output/PngDecoder.h"
#include "output/QtImageDecoder.h"

namespace orv {

namespace {

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Qt names a few formats differently from how people know them.
std::string QtFormatDescription(const std::string& format) {
    struct Name {
        const char* format;
        const char* name;
    };
    static const Name kNames[] = {{"tif", "TIFF"},
                                  {"jfif", "JPEG"},
                                  {"svgz", "SVG"},
                                  {"webp", "WebP"},
                                  {"icns", "Apple Icon"}};
    for (const Name& name : kNames) {
        if (format == name.format) return std::string(name.name) + " イメージファイル";
    }
    return Upper(format) + " イメージファイル";
}

}  // namespace

void PictureFormats::Register(PictureFormat format) {
    format.Extension = Upper(format.Extension);
    if (!format.Extension.empty() && format.Extension.front() == '.') format.Extension.erase(0, 1);
    auto same = std::find_if(formats_.begin(), formats_.end(), [&](const PictureFormat& known) {
        return known.Extension == format.Extension;
    });
    if (same != formats_.end()) {
        *same = std::move(format);
    } else {
        formats_.push_back(std::move(format));
    }
}

void PictureFormats::RegisterBuiltIn() {
    Register({"JPG", "JPEG イメージファイル", DecodeJpegFile});
    Register({"JPEG", "JPEG イメージファイル", DecodeJpegFile});
    Register({"PNG", "PNG Format", DecodePngFile});
    Register({"BMP", "ビットマップ", DecodeBmpFile});
}

void PictureFormats::RegisterQtFormats() {
    for (const std::string& format : QtReadableFormats()) {
        if (FindRegistered(format) != nullptr) continue;
        Register({format, QtFormatDescription(format),
                  [format](const std::string& path) { return DecodeWithQt(path, format); }});
    }
}

struct PictureFormats::Pending {
    std::once_flag once;
};

void PictureFormats::RegisterQtFormatsWhenAsked() {
    pending_ = std::make_shared<Pending>();
}

void PictureFormats::RegisterAsked() const {
    if (!pending_) return;
    // Look-ups are const; the registry they fill is the one made to be filled this way.
    std::call_once(pending_->once,
                   [this] { const_cast<PictureFormats*>(this)->RegisterQtFormats(); });
}

const std::vector<PictureFormat>& PictureFormats::All() const {
    RegisterAsked();
    return formats_;
}

const PictureFormat* PictureFormats::Find(const std::string& extension) const {
    if (const PictureFormat* known = FindRegistered(extension)) return known;
    if (!pending_) return nullptr;
    RegisterAsked();
    return FindRegistered(extension);
}

const PictureFormat* PictureFormats::FindRegistered(const std::string& extension) const {
    std::string key = Upper(extension);
    if (!key.empty() && key.front() == '.') key.erase(0, 1);
    if (key.empty()) return nullptr;
    for (const PictureFormat& format : formats_) {
        if (format.Extension == key) return &format;
    }
    return nullptr;
}

const PictureFormat* PictureFormats::ForFile(const std::string& path) const {
    const std::string extension = std::filesystem::path(path).extension().string();
    return extension.empty() ? nullptr : Find(extension);
}

std::string PictureFormats::DialogFilter() const {
    RegisterAsked();
    const auto patterns = [&](const std::string* description) {
        std::string text;
        for (const PictureFormat& format : formats_) {
            if (description != nullptr && format.Description != *description) continue;
            if (!text.empty()) text += ' ';
            text += "*." + Lower(format.Extension);
        }
        return text;
    };
    std::string filter = "すべて (" + patterns(nullptr) + ")";
    std::vector<std::string> seen;
    for (const PictureFormat& format : formats_) {
        if (std::find(seen.begin(), seen.end(), format.Description) != seen.end()) continue;
        seen.push_back(format.Description);
        filter += ";;" + format.Description + " (" + patterns(&format.Description) + ")";
    }
    return filter;
}

Bitmap PictureFormats::DecodeOrThrow(const std::string& path) const {
    const PictureFormat* format = ForFile(path);
    if (format == nullptr) throw PictureError(path + ": この拡張子の画像形式には対応していません");
    // A FIFO would block the decoder and a device would never end.
    struct stat st {};
    if (stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        throw PictureError(path + ": 通常のファイルではありません");
    }
    return format->Decode(path);
}

std::optional<Bitmap> PictureFormats::Decode(const std::string& path) const noexcept {
    try {
        return DecodeOrThrow(path);
    } catch (...) {
        // A picture that cannot be used is no picture; the callers decide what to tell.
        return std::nullopt;
    }
}

bool PictureFormats::TestLoad(const std::string& path) const noexcept {
    return Decode(path).has_value();
}

const PictureFormats& StandardPictureFormats() {
    // Not const: Qt's formats are added to it at the first look-up that needs them.
    static PictureFormats formats = [] {
        PictureFormats made;
        made.RegisterBuiltIn();
        made.RegisterQtFormatsWhenAsked();
        return made;
    }();
    return formats;
}

bool TestLoadPicture(const std::string& path) {
    return StandardPictureFormats().TestLoad(path);
}

}  // namespace orv
