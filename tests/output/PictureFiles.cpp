#include "PictureFiles.h"

#include <png.h>

#include <QBuffer>
#include <QImageWriter>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "output/QtCanvasCache.h"

namespace orv::test {

namespace {

void Put(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Compresses rows of `components` samples each.
std::string Compress(int width, int height, int components, J_COLOR_SPACE space,
                     const std::vector<JSAMPLE>& samples, bool progressive) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    if (space == JCS_CMYK) jpeg_set_colorspace(&info, JCS_YCCK);  // with the Adobe marker
    jpeg_set_quality(&info, 95, TRUE);
    if (progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&samples[info.next_scanline * width * components]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

}  // namespace

Bitmap Quadrants(int width, int height) {
    Bitmap picture{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            picture.Pixels.push_back(y >= height / 2 ? (right ? 0xFFFFFFFF : 0xFF0000FF)
                                                     : (right ? 0xFF00FF00 : 0xFFFF0000));
        }
    }
    return picture;
}

std::string JpegBytes(const Bitmap& picture, JpegOptions options) {
    std::vector<JSAMPLE> samples;
    for (uint32_t p : picture.Pixels) {
        if (!options.grey) samples.push_back(static_cast<JSAMPLE>(p >> 16));
        if (!options.grey) samples.push_back(static_cast<JSAMPLE>(p >> 8));
        samples.push_back(static_cast<JSAMPLE>(p));
    }
    return Compress(picture.Width, picture.Height, options.grey ? 1 : 3,
                    options.grey ? JCS_GRAYSCALE : JCS_RGB, samples, options.progressive);
}

std::string AdobeCmykJpegBytes(uint8_t c, uint8_t m, uint8_t y, uint8_t k) {
    std::vector<JSAMPLE> samples;
    for (int i = 0; i < 16 * 16; ++i) {
        samples.insert(samples.end(),
                       {JSAMPLE(255 - c), JSAMPLE(255 - m), JSAMPLE(255 - y), JSAMPLE(255 - k)});
    }
    return Compress(16, 16, 4, JCS_CMYK, samples, false);
}

std::string PngBytes(const PngLayout& layout) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t length) {
            static_cast<std::string*>(png_get_io_ptr(p))
                ->append(reinterpret_cast<char*>(data), length);
        },
        nullptr);
    png_set_IHDR(png, info, layout.width, static_cast<png_uint_32>(layout.rows.size()), layout.bitDepth,
                 layout.colorType, layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (uint32_t c : layout.palette)
        palette.push_back({png_byte(c >> 16), png_byte(c >> 8), png_byte(c)});
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (!layout.paletteAlpha.empty()) {
        png_set_tRNS(png, info, layout.paletteAlpha.data(),
                     static_cast<int>(layout.paletteAlpha.size()), nullptr);
    }
    png_write_info(png, info);
    std::vector<png_bytep> rows;
    for (const auto& row : layout.rows) rows.push_back(const_cast<png_bytep>(row.data()));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

PngLayout RgbPng(const Bitmap& picture, bool interlaced) {
    PngLayout layout{.width = picture.Width, .colorType = PNG_COLOR_TYPE_RGB, .interlaced = interlaced};
    for (int y = 0; y < picture.Height; ++y) {
        std::vector<uint8_t>& row = layout.rows.emplace_back();
        for (int x = 0; x < picture.Width; ++x) {
            const uint32_t p = picture.At(x, y);
            row.insert(row.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
        }
    }
    return layout;
}

std::string BmpBytes(const BmpLayout& layout) {
    const bool core = layout.headerSize == 12;
    const size_t masks = layout.headerSize == 40 ? 4 * layout.masks.size() : 0;
    const size_t offset = 14 + layout.headerSize + masks + layout.palette.size() * (core ? 3 : 4);
    std::string out = "BM";
    Put(out, static_cast<uint32_t>(offset + layout.data.size()), 4);
    Put(out, 0, 4);
    Put(out, static_cast<uint32_t>(offset), 4);
    Put(out, layout.headerSize, 4);
    if (core) {
        for (uint32_t v : {uint32_t(layout.width), uint32_t(layout.height), 1u, uint32_t(layout.bits)}) {
            Put(out, v, 2);
        }
    } else {
        Put(out, layout.width, 4);
        Put(out, static_cast<uint32_t>(layout.height), 4);
        Put(out, 1, 2);
        Put(out, layout.bits, 2);
        for (uint32_t v : {layout.compression, uint32_t(layout.data.size()), 2835u, 2835u,
                           uint32_t(layout.palette.size()), 0u}) {
            Put(out, v, 4);
        }
        for (uint32_t mask : layout.masks) Put(out, mask, 4);
        out.resize(14 + layout.headerSize + masks, '\0');
    }
    for (uint32_t c : layout.palette) Put(out, c, core ? 3 : 4);
    return out.append(layout.data.begin(), layout.data.end());
}

std::vector<uint8_t> BmpRows24(const Bitmap& picture, bool topDown) {
    std::vector<uint8_t> data;
    for (int i = 0; i < picture.Height; ++i) {
        const int y = topDown ? i : picture.Height - 1 - i;
        for (int x = 0; x < picture.Width; ++x) {
            const uint32_t p = picture.At(x, y);
            data.insert(data.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16)});
        }
        data.resize((data.size() + 3) / 4 * 4);
    }
    return data;
}

std::string QtImageBytes(const Bitmap& picture, const char* format, bool clearRed) {
    QImage image = WrapBitmap(picture).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; clearRed && y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == 0xFFFF0000) image.setPixel(x, y, 0);
        }
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(100);  // lossless WebP
    return writer.write(image) ? buffer.data().toStdString() : std::string();
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
    for (int shift : {0, 8, 16}) {
        const int difference =
            static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(difference) > tolerance) return false;
    }
    return true;
}

}  // namespace orv::test
