#include "output/PdfPictures.h"

#include <algorithm>
#include <cmath>

#include "output/QtCanvasCache.h"

namespace orv {

namespace {

constexpr uint32_t kMarkA = 0x4F5256;  // "ORV"
constexpr uint32_t kMarkB = 0x504943;  // "PIC"
constexpr int kPlaceholderWidth = 8;

uint64_t HashPixels(const Bitmap& picture) {
    uint64_t hash = 1469598103934665603ull;
    for (uint32_t pixel : picture.Pixels) hash = (hash ^ pixel) * 1099511628211ull;
    return hash;
}

bool IsGrey(const Bitmap& picture) {
    return std::all_of(picture.Pixels.begin(), picture.Pixels.end(), [](uint32_t p) {
        return ((p >> 16) & 0xFF) == (p & 0xFF) && ((p >> 8) & 0xFF) == (p & 0xFF);
    });
}

QImage PlaceholderImage(size_t id) {
    QImage image(kPlaceholderWidth, 1, QImage::Format_RGB32);
    image.fill(0);
    const auto number = static_cast<uint32_t>(id) & 0xFFFFFF;
    const uint32_t words[] = {kMarkA, kMarkB, number, ~number & 0xFFFFFF};
    for (int x = 0; x < 4; ++x) image.setPixel(x, 0, 0xFF000000u | words[x]);
    return image;
}

}  // namespace

QImage PdfPictures::Placeholder(const Bitmap& picture, QSizeF inches) {
    int width = picture.Width;
    int height = picture.Height;
    const bool asItIs = !picture.JpegFile.empty();
    if (!asItIs && inches.width() > 0 && inches.height() > 0) {
        const double shrink = std::min({1.0, kMaxPdfPictureDpi * inches.width() / width,
                                        kMaxPdfPictureDpi * inches.height() / height});
        width = std::max(1, static_cast<int>(std::lround(width * shrink)));
        height = std::max(1, static_cast<int>(std::lround(height * shrink)));
    }
    const Key key = asItIs ? Key{picture.JpegFile, 0, width, height}
                           : Key{std::string(), HashPixels(picture), width, height};
    if (const auto found = known_.find(key); found != known_.end())
        return placeholders_[found->second];

    Picture entry;
    entry.Width = width;
    entry.Height = height;
    if (asItIs) {
        entry.JpegFile = picture.JpegFile;
        entry.Components = picture.JpegComponents;
    } else {
        auto pixels = std::make_shared<Bitmap>();
        if (width == picture.Width && height == picture.Height) {
            pixels->Width = width;
            pixels->Height = height;
            pixels->Pixels = picture.Pixels;
        } else {
            const QImage scaled = WrapBitmap(picture).scaled(width, height, Qt::IgnoreAspectRatio,
                                                             Qt::SmoothTransformation);
            pixels->Width = scaled.width();
            pixels->Height = scaled.height();
            pixels->Pixels.resize(static_cast<size_t>(pixels->Width) * pixels->Height);
            for (int y = 0; y < pixels->Height; ++y) {
                const auto* row = reinterpret_cast<const uint32_t*>(scaled.constScanLine(y));
                std::copy(row, row + pixels->Width, &pixels->At(0, y));
            }
        }
        entry.Components = IsGrey(*pixels) ? 1 : 3;
        entry.Pixels = std::move(pixels);
    }
    known_.emplace(key, pictures_.size());
    placeholders_.push_back(PlaceholderImage(pictures_.size()));
    pictures_.push_back(std::move(entry));
    return placeholders_.back();
}

const PdfPictures::Picture* PdfPictures::Named(const std::string& rgb) const {
    if (rgb.size() != kPlaceholderWidth * 3) return nullptr;
    const auto word = [&rgb](int x) {
        const auto* p = reinterpret_cast<const unsigned char*>(rgb.data()) + x * 3;
        return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    };
    if (word(0) != kMarkA || word(1) != kMarkB || word(3) != (~word(2) & 0xFFFFFF)) return nullptr;
    const size_t id = word(2);
    return id < pictures_.size() ? &pictures_[id] : nullptr;
}

}  // namespace orv
