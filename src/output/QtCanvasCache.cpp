#include "output/QtCanvasCache.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <algorithm>

#include "output/FontSubstitutes.h"

namespace orv {

namespace {

// A picture is known by where its pixels live and by a spread of its pixels: a new picture
// decoded into the same memory with the same size differs in the sample unless it is the same
// picture, and then the scaled copy is right anyway.
uint64_t SamplePixels(const Bitmap& picture) {
    const size_t count = picture.Pixels.size();
    if (count == 0) return 0;
    uint64_t hash = 1469598103934665603ull;
    constexpr size_t kSamples = 257;
    for (size_t i = 0; i < kSamples; ++i) {
        hash = (hash ^ picture.Pixels[i * (count - 1) / (kSamples - 1)]) * 1099511628211ull;
    }
    return hash;
}

bool HasBoldFace(const QFont& font) {
    const QString family = QFontInfo(font).family();
    const QStringList styles = QFontDatabase::styles(family);
    return std::any_of(styles.begin(), styles.end(), [&](const QString& style) {
        return QFontDatabase::weight(family, style) >= QFont::Bold;
    });
}

}  // namespace

QImage WrapBitmap(const Bitmap& picture) {
    if (picture.Empty() ||
        picture.Pixels.size() < static_cast<size_t>(picture.Width) * picture.Height) {
        return {};
    }
    return QImage(reinterpret_cast<const uchar*>(picture.Pixels.data()), picture.Width,
                  picture.Height, static_cast<qsizetype>(picture.Width) * 4, QImage::Format_RGB32);
}

const CachedFont& QtCanvasCache::Font(const QString& face, int pixelSize, bool bold, bool italic,
                                      const QPaintDevice* device, int widthPercent) {
    FontKey key{face,        pixelSize, bold, italic, device != nullptr ? device->logicalDpiY() : 0,
                widthPercent};
    auto found = fonts_.find(key);
    if (found != fonts_.end()) return *found->second;

    QFont font(ResolveFamily(face));
    font.setPixelSize(pixelSize);
    font.setItalic(italic);
    // GDI places glyphs by their advances alone.
    font.setKerning(false);
    if (widthPercent != 100) font.setStretch(widthPercent);
    QFont plain = font;
    font.setBold(bold);
    QFontMetrics metrics(font, device);
    auto entry = std::make_unique<CachedFont>(
        CachedFont{font, metrics.ascent(), metrics.ascent() + metrics.descent(), metrics, plain});
    // The stroke that widens every outline as much as Qt's (and FreeType's) emboldening does.
    if (bold && !HasBoldFace(font)) entry->SyntheticBold = pixelSize / 24.0;
    return *fonts_.emplace(std::move(key), std::move(entry)).first->second;
}

const QImage& QtCanvasCache::Scaled(const Bitmap& picture, int width, int height) {
    const ScaledKey key{picture.Pixels.data(), picture.Width, picture.Height,
                        SamplePixels(picture), width,         height};
    if (key == scaledKey_ && !scaled_.isNull()) return scaled_;
    scaled_ =
        WrapBitmap(picture).scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaledKey_ = scaled_.isNull() ? ScaledKey{} : key;
    return scaled_;
}

}  // namespace orv
