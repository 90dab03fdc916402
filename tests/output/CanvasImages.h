#pragma once
// Small helpers to look at what a QtCanvas drew on a QImage.
#include <QImage>
#include <QRect>
#include <cstdint>

namespace orv::test {

// A white RGB32 image.
inline QImage WhiteImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(0xFFFFFFFFu);
    return image;
}

// 0xRRGGBB of a pixel.
inline uint32_t PixelAt(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

// The bounding box and count of the pixels that are exactly `rgb` (or, with `other`, that are not).
struct Coverage {
    QRect box;
    int count = 0;
};
inline Coverage Covered(const QImage& image, uint32_t rgb, bool other = false) {
    Coverage coverage;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((PixelAt(image, x, y) == rgb) == other) continue;
            coverage.box |= QRect(x, y, 1, 1);
            ++coverage.count;
        }
    }
    return coverage;
}

}  // namespace orv::test
