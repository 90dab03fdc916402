#pragma once
// Helpers to draw through a QtCanvas on an RGB32 image and look at the pixels.
#include <png.h>

#include <QImage>
#include <QPainter>
#include <QRect>
#include <cstdint>
#include <functional>
#include <string>

#include "output/QtCanvas.h"

namespace orv::test {

// An image of one colour (0xRRGGBB) with what `draw` drew on it at 96 pixels per inch.
inline QImage Drawn(int width, int height, const std::function<void(QtCanvas&)>& draw,
                    uint32_t background = 0xFFFFFF) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(0xFF000000u | background);
    QPainter painter(&image);
    QtCanvas canvas(painter, 96);
    draw(canvas);
    return image;
}

// 0xRRGGBB of a pixel.
inline uint32_t PixelAt(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

// The bounding box and count of the pixels that are `rgb` (or, with `other`, that are not).
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

// A PNG file read by libpng, independently of the program's writers and decoders; null when it
// cannot be read.
inline QImage ReadPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_BGRA;
    QImage result(int(image.width), int(image.height), QImage::Format_ARGB32);
    png_image_finish_read(&image, nullptr, result.bits(), result.bytesPerLine(), nullptr);
    return result.convertToFormat(QImage::Format_RGB32);
}

}  // namespace orv::test
