#include "output/JpegDecoder.h"

#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>
// after jpeglib.h
#include <jerror.h>

#include "output/PictureDecoding.h"

namespace orv {

namespace {

[[noreturn]] void ThrowJpegError(j_common_ptr info) {
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    throw PictureError(text);
}

// libjpeg only warns where image data is missing or garbled, and fills the rest with grey; such a
// file is broken, not a picture. Other warnings (odd markers, unknown revisions) are harmless.
void OnJpegMessage(j_common_ptr info, int level) {
    if (level >= 0) return;
    switch (info->err->msg_code) {
        case JWRN_JPEG_EOF:
        case JWRN_HIT_MARKER:
        case JWRN_HUFF_BAD_CODE:
        case JWRN_ARITH_BAD_CODE:
        case JWRN_MUST_RESYNC:
        case JWRN_NOT_SEQUENTIAL:
        case JWRN_BOGUS_PROGRESSION:
            ThrowJpegError(info);
        default:
            ++info->err->num_warnings;
    }
}

struct Decompressor {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    Decompressor() {
        info.err = jpeg_std_error(&errors);
        errors.error_exit = ThrowJpegError;
        errors.emit_message = OnJpegMessage;
        jpeg_create_decompress(&info);
    }
    ~Decompressor() { jpeg_destroy_decompress(&info); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

uint32_t FromCmyk(const JSAMPLE* cmyk, bool inverted) {
    // Adobe writes the components inverted: 255 is no ink.
    const auto ink = [inverted](JSAMPLE v) {
        return inverted ? 255u - v : static_cast<uint32_t>(v);
    };
    const uint32_t black = 255 - ink(cmyk[3]);
    const auto channel = [black](uint32_t v) { return ((255 - v) * black + 127) / 255; };
    return OpaquePixel(channel(ink(cmyk[0])), channel(ink(cmyk[1])), channel(ink(cmyk[2])));
}

// The Exif orientation (1-8) in an APP1 marker, or 1 when there is none or it cannot be read.
int ExifOrientation(const jpeg_decompress_struct& info) {
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker != nullptr;
         marker = marker->next) {
        if (marker->marker != JPEG_APP0 + 1 || marker->data_length < 14 ||
            std::memcmp(marker->data, "Exif\0\0", 6) != 0) {
            continue;
        }
        const uint8_t* tiff = marker->data + 6;
        const size_t size = marker->data_length - 6;
        const bool little = tiff[0] == 'I' && tiff[1] == 'I';
        if (!little && !(tiff[0] == 'M' && tiff[1] == 'M')) return 1;
        const auto read = [&](size_t at, int bytes) -> uint32_t {
            uint32_t value = 0;
            for (int i = 0; i < bytes; ++i) {
                const uint32_t byte = tiff[at + (little ? bytes - 1 - i : i)];
                value = (value << 8) | byte;
            }
            return value;
        };
        const uint32_t directory = read(4, 4);
        if (directory > size - 2) return 1;
        const uint32_t entries = read(directory, 2);
        for (uint32_t i = 0; i < entries; ++i) {
            const size_t entry = directory + 2 + static_cast<size_t>(i) * 12;
            if (entry + 12 > size) return 1;
            // Tag 0x0112, a SHORT.
            if (read(entry, 2) == 0x0112 && read(entry + 2, 2) == 3) {
                const uint32_t value = read(entry + 8, 2);
                return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
            }
        }
        return 1;
    }
    return 1;
}

// The picture turned and mirrored the way its Exif orientation says it is to be shown.
Bitmap Oriented(Bitmap stored, int orientation) {
    if (orientation <= 1) return stored;
    // 5 to 8 turn rows into columns; then the columns, the rows or both run backwards.
    const bool across = orientation >= 5;
    const bool backX = orientation == 2 || orientation == 3 || orientation == 7 || orientation == 8;
    const bool backY = orientation == 3 || orientation == 4 || orientation == 6 || orientation == 7;
    const int w = stored.Width;
    const int h = stored.Height;
    Bitmap shown;
    shown.Width = across ? h : w;
    shown.Height = across ? w : h;
    shown.Pixels.resize(stored.Pixels.size());
    for (int y = 0; y < shown.Height; ++y) {
        for (int x = 0; x < shown.Width; ++x) {
            const int u = across ? y : x;
            const int v = across ? x : y;
            shown.At(x, y) = stored.At(backX ? w - 1 - u : u, backY ? h - 1 - v : v);
        }
    }
    return shown;
}

}  // namespace

Bitmap DecodeJpegFile(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) throw PictureError(path + ": " + std::strerror(errno));

    Decompressor jpeg;
    jpeg_stdio_src(&jpeg.info, file.get());
    // Phones and cameras store a photo as the sensor saw it and say in Exif how to turn it.
    jpeg_save_markers(&jpeg.info, JPEG_APP0 + 1, 0xFFFF);
    if (jpeg_read_header(&jpeg.info, TRUE) != JPEG_HEADER_OK) {
        throw PictureError("The JPEG file holds no image.");
    }
    Bitmap bitmap = NewBitmap(jpeg.info.image_width, jpeg.info.image_height);
    const int orientation = ExifOrientation(jpeg.info);

    const bool cmyk =
        jpeg.info.jpeg_color_space == JCS_CMYK || jpeg.info.jpeg_color_space == JCS_YCCK;
    // Four bytes that read as one 0xFFRRGGBB word on this machine.
    constexpr J_COLOR_SPACE kWordOrder =
        std::endian::native == std::endian::little ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    jpeg.info.out_color_space = cmyk ? JCS_CMYK : kWordOrder;
    jpeg_start_decompress(&jpeg.info);
    if (jpeg.info.output_width != static_cast<JDIMENSION>(bitmap.Width) ||
        jpeg.info.output_height != static_cast<JDIMENSION>(bitmap.Height) ||
        jpeg.info.output_components != 4) {
        throw PictureError("The JPEG decoder gave an unexpected layout.");
    }

    if (!cmyk) {
        std::vector<JSAMPROW> rows(bitmap.Height);
        for (int y = 0; y < bitmap.Height; ++y) {
            rows[y] = reinterpret_cast<JSAMPROW>(&bitmap.At(0, y));
        }
        while (jpeg.info.output_scanline < jpeg.info.output_height) {
            const JDIMENSION y = jpeg.info.output_scanline;
            if (jpeg_read_scanlines(&jpeg.info, &rows[y], jpeg.info.output_height - y) == 0) {
                throw PictureError("The JPEG decoder stopped early.");
            }
        }
    } else {
        std::vector<JSAMPLE> cmykRow(static_cast<size_t>(bitmap.Width) * 4);
        const bool inverted = jpeg.info.saw_Adobe_marker;
        while (jpeg.info.output_scanline < jpeg.info.output_height) {
            const int y = static_cast<int>(jpeg.info.output_scanline);
            JSAMPROW row = cmykRow.data();
            if (jpeg_read_scanlines(&jpeg.info, &row, 1) == 0) {
                throw PictureError("The JPEG decoder stopped early.");
            }
            for (int x = 0; x < bitmap.Width; ++x) {
                bitmap.At(x, y) = FromCmyk(&cmykRow[static_cast<size_t>(x) * 4], inverted);
            }
        }
    }
    jpeg_finish_decompress(&jpeg.info);
    const int components = jpeg.info.num_components;
    if (orientation <= 1 && !cmyk && (components == 1 || components == 3)) {
        bitmap.JpegFile = path;
        bitmap.JpegComponents = components;
    }
    return Oriented(std::move(bitmap), orientation);
}

}  // namespace orv
