#pragma once
// Picture files made in the tests through the real libraries (libjpeg, libpng, Qt) or, for
// bitmaps, byte by byte, so that the decoders meet the files other programs write.
#include <cstdint>
#include <string>
#include <vector>

#include "render/Bitmap.h"

namespace orv::test {

// Four blocks: red top-left, green top-right, blue bottom-left, white bottom-right.
Bitmap Quadrants(int width, int height);

struct JpegOptions {
    bool grey = false;  // the blue byte as grey
    bool progressive = false;
};
std::string JpegBytes(const Bitmap& picture, JpegOptions options = {});
// One colour in CMYK, written inverted with an Adobe marker as Photoshop does.
std::string AdobeCmykJpegBytes(uint8_t c, uint8_t m, uint8_t y, uint8_t k);

// A PNG of raw, unfiltered sample rows in one of libpng's colour types and bit depths.
struct PngLayout {
    int width = 0;
    int colorType = 0;
    int bitDepth = 8;
    std::vector<std::vector<uint8_t>> rows = {};
    std::vector<uint32_t> palette = {};  // 0xRRGGBB
    std::vector<uint8_t> paletteAlpha = {};
    bool interlaced = false;
};
std::string PngBytes(const PngLayout& layout);
PngLayout RgbPng(const Bitmap& picture, bool interlaced = false);

// A bitmap file: a header of `headerSize` bytes (12, 40 or 124), the masks (after a 40-byte
// header), the colour table and the pixel data as given.
struct BmpLayout {
    int32_t width = 0;
    int32_t height = 0;  // negative: top-down
    uint16_t bits = 24;
    uint32_t compression = 0;
    std::vector<uint8_t> data = {};
    std::vector<uint32_t> palette = {};  // 0xRRGGBB
    std::vector<uint32_t> masks = {};    // red, green, blue
    uint32_t headerSize = 40;
};
std::string BmpBytes(const BmpLayout& layout);
// 24-bit rows of the picture, bottom row first unless top-down, each padded to four bytes.
std::vector<uint8_t> BmpRows24(const Bitmap& picture, bool topDown = false);

// The picture written by Qt in `format` ("webp", "tiff", "png"); with `clearRed` the red pixels
// become transparent.
std::string QtImageBytes(const Bitmap& picture, const char* format, bool clearRed = false);

// Whether two colours differ by at most `tolerance` in each of red, green and blue.
bool Near(uint32_t a, uint32_t b, int tolerance);

}  // namespace orv::test
