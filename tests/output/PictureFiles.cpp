#include "PictureFiles.h"

#include <png.h>

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace orv::test {

namespace {

void Put16(std::string& out, uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

struct JpegWriter {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    JpegWriter() {
        info.err = jpeg_std_error(&errors);
        jpeg_create_compress(&info);
        jpeg_mem_dest(&info, &buffer, &size);
    }
    ~JpegWriter() {
        jpeg_destroy_compress(&info);
        std::free(buffer);
    }
    std::string Bytes() const { return std::string(reinterpret_cast<char*>(buffer), size); }
};

}  // namespace

RgbPicture Quadrants(int width, int height) {
    RgbPicture picture{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            picture.pixels.push_back(bottom ? (right ? 0xFFFFFF : 0x0000FF)
                                            : (right ? 0x00FF00 : 0xFF0000));
        }
    }
    return picture;
}

std::string JpegBytes(const RgbPicture& picture, JpegOptions options) {
    JpegWriter jpeg;
    jpeg.info.image_width = picture.width;
    jpeg.info.image_height = picture.height;
    jpeg.info.input_components = options.grey ? 1 : 3;
    jpeg.info.in_color_space = options.grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&jpeg.info);
    jpeg_set_quality(&jpeg.info, 95, TRUE);
    if (options.progressive) jpeg_simple_progression(&jpeg.info);
    jpeg_start_compress(&jpeg.info, TRUE);
    std::vector<JSAMPLE> row;
    for (int y = 0; y < picture.height; ++y) {
        row.clear();
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t p = picture.At(x, y);
            if (options.grey) {
                row.push_back(static_cast<JSAMPLE>(p & 0xFF));
            } else {
                row.insert(row.end(), {static_cast<JSAMPLE>(p >> 16), static_cast<JSAMPLE>(p >> 8),
                                       static_cast<JSAMPLE>(p)});
            }
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&jpeg.info, rows, 1);
    }
    jpeg_finish_compress(&jpeg.info);
    return jpeg.Bytes();
}

std::string AdobeCmykJpegBytes(int width, int height, uint8_t c, uint8_t m, uint8_t y, uint8_t k) {
    JpegWriter jpeg;
    jpeg.info.image_width = width;
    jpeg.info.image_height = height;
    jpeg.info.input_components = 4;
    jpeg.info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&jpeg.info);
    jpeg_set_colorspace(&jpeg.info, JCS_YCCK);  // writes the Adobe marker
    jpeg_set_quality(&jpeg.info, 95, TRUE);
    jpeg_start_compress(&jpeg.info, TRUE);
    std::vector<JSAMPLE> row;
    for (int x = 0; x < width; ++x) {
        row.insert(row.end(), {static_cast<JSAMPLE>(255 - c), static_cast<JSAMPLE>(255 - m),
                               static_cast<JSAMPLE>(255 - y), static_cast<JSAMPLE>(255 - k)});
    }
    for (int line = 0; line < height; ++line) {
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&jpeg.info, rows, 1);
    }
    jpeg_finish_compress(&jpeg.info);
    return jpeg.Bytes();
}

std::string PngBytes(const PngSpec& spec) {
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
    png_set_IHDR(png, info, spec.width, spec.height, spec.bitDepth, spec.colorType,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (uint32_t c : spec.palette) {
        palette.push_back({static_cast<png_byte>(c >> 16), static_cast<png_byte>(c >> 8),
                           static_cast<png_byte>(c)});
    }
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (!spec.paletteAlpha.empty()) {
        png_set_tRNS(png, info, spec.paletteAlpha.data(),
                     static_cast<int>(spec.paletteAlpha.size()), nullptr);
    }
    png_write_info(png, info);
    std::vector<png_bytep> rows;
    for (const auto& row : spec.rows) rows.push_back(const_cast<png_bytep>(row.data()));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::string BmpBytes(const BmpSpec& spec) {
    const bool core = spec.headerSize == 12;
    const uint32_t masksSize = spec.headerSize == 40 ? 4 * spec.masks.size() : 0;
    const uint32_t paletteSize = static_cast<uint32_t>(spec.palette.size()) * (core ? 3 : 4);
    const uint32_t offset = 14 + spec.headerSize + masksSize + paletteSize;

    std::string out = "BM";
    Put32(out, offset + static_cast<uint32_t>(spec.data.size()));
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, spec.headerSize);
    if (core) {
        Put16(out, spec.width);
        Put16(out, spec.height);
        Put16(out, 1);
        Put16(out, spec.bits);
    } else {
        Put32(out, spec.width);
        Put32(out, static_cast<uint32_t>(spec.height));
        Put16(out, 1);
        Put16(out, spec.bits);
        Put32(out, spec.compression);
        Put32(out, static_cast<uint32_t>(spec.data.size()));
        Put32(out, 2835);
        Put32(out, 2835);
        Put32(out, static_cast<uint32_t>(spec.palette.size()));
        Put32(out, 0);
        std::string rest;
        for (uint32_t mask : spec.masks) Put32(rest, mask);
        if (spec.headerSize > 40) {
            rest.resize(spec.headerSize - 40, '\0');
        }
        out += rest;
    }
    for (uint32_t c : spec.palette) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>((c >> 8) & 0xFF);
        out += static_cast<char>((c >> 16) & 0xFF);
        if (!core) out += '\0';
    }
    out.append(reinterpret_cast<const char*>(spec.data.data()), spec.data.size());
    return out;
}

std::string QtImageBytes(const RgbPicture& picture, const char* format, bool transparentFirst) {
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x)
            image.setPixel(x, y, 0xFF000000u | picture.At(x, y));
    }
    if (transparentFirst) {
        const QRgb first = image.pixel(0, 0);
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                if (image.pixel(x, y) == first) image.setPixel(x, y, 0);
            }
        }
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (std::strcmp(format, "webp") == 0) writer.setQuality(100);  // lossless
    if (!writer.write(image)) return {};
    return buffer.data().toStdString();
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                     static_cast<int>((b >> shift) & 0xFF)) > tolerance) {
            return false;
        }
    }
    return true;
}

}  // namespace orv::test
