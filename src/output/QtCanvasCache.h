#pragma once
// What a QtCanvas can reuse from one pass to the next: resolved fonts with their metrics, and the
// illustration scaled to the size it was last drawn at. The renderer switches fonts for every day
// cell and a preview repaint runs on every edit, so neither may be rebuilt each time.
//
// A canvas makes its own cache when it is given none. A caller that draws many passes — the
// preview widget across repaints, an export across its bands — keeps one and hands it to every
// canvas it makes, for the same kind of device (screen-like images, or one printer). Not shared
// between threads; only on the thread that owns the QGuiApplication.
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <tuple>

#include "render/Bitmap.h"

namespace orv {

struct CachedFont {
    QFont Font;
    int Ascent = 0;
    int CellHeight = 0;  // ascent + descent
    QFontMetrics Metrics;
    // A bold font whose face has no bold of its own is emboldened by Qt only in the glyphs it
    // keeps as bitmaps (below 64 pixels on an image) and by a thin second stroke in a PDF. Such
    // text is drawn in Plain with its outline stroked SyntheticBold pixels wide instead, as Qt's
    // own emboldening looks; 0 when the face has a bold of its own.
    QFont Plain;
    double SyntheticBold = 0;
};

class QtCanvasCache {
  public:
    // The font for a face name as a design gives it, at a pixel size, measured on `device`,
    // `widthPercent` as wide as usual. The reference stays valid as long as the cache.
    const CachedFont& Font(const QString& face, int pixelSize, bool bold, bool italic,
                           const QPaintDevice* device, int widthPercent = 100);

    // `picture` smoothly scaled to width × height; the last result is kept, so that repeated
    // passes over the same picture at the same size scale it only once.
    const QImage& Scaled(const Bitmap& picture, int width, int height);

  private:
    using FontKey =
        std::tuple<QString, int, bool, bool, int, int>;  // ..., device resolution, width
    std::map<FontKey, std::unique_ptr<CachedFont>> fonts_;

    struct ScaledKey {
        const void* pixels = nullptr;
        int sourceWidth = 0;
        int sourceHeight = 0;
        uint64_t sample = 0;
        int width = 0;
        int height = 0;
        bool operator==(const ScaledKey&) const = default;
    };
    ScaledKey scaledKey_;
    QImage scaled_;
};

// The bitmap seen as an RGB32 image, without a copy; valid while the bitmap is unchanged.
QImage WrapBitmap(const Bitmap& picture);

}  // namespace orv
