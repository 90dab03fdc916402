#include "output/ImageWriter.h"

#include "output/BmpWriter.h"
#include "output/JpegWriter.h"
#include "output/PngWriter.h"

namespace orv {

std::future<void> ImageWriter::FinishInBackground() {
    std::promise<void> done;
    try {
        Finish();
        done.set_value();
    } catch (...) {
        done.set_exception(std::current_exception());
    }
    return done.get_future();
}

ImageFileFormat ImageFormatOfFileName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return ImageFileFormat::Unsupported;
    }
    std::string extension = path.substr(dot);
    for (char& c : extension) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    if (extension == ".PNG") return ImageFileFormat::Png;
    if (extension == ".BMP") return ImageFileFormat::Bmp;
    if (extension == ".JPG" || extension == ".JPEG") return ImageFileFormat::Jpeg;
    return ImageFileFormat::Unsupported;
}

std::unique_ptr<ImageWriter> MakeImageWriter(ImageFileFormat format) {
    switch (format) {
        case ImageFileFormat::Png:
            return std::make_unique<PngWriter>();
        case ImageFileFormat::Bmp:
            return std::make_unique<BmpWriter>();
        case ImageFileFormat::Jpeg:
            return std::make_unique<JpegWriter>();
        case ImageFileFormat::Unsupported:
            break;
    }
    return nullptr;
}

}  // namespace orv
