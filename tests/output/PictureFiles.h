#pragma once
// Picture files made in the tests through the real libraries (libjpeg, libpng, Qt) or, for
// bitmaps, byte by byte, so that the decoders meet the files other programs write.
#include <cstdint>
#include <string>
#include <vector>

namespace orv::test {

// Pixels as 0xRRGGBB, row-major from the top.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels = {};
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Four blocks: red top-left, green top-right, blue bottom-left, white bottom-right.
RgbPicture Quadrants(int width, int height);

struct JpegOptions {
    bool grey = false;
    bool progressive = false;
};
std::string JpegBytes(const RgbPicture& picture, JpegOptions options = {});
// A CMYK JPEG of one colour, written inverted with an Adobe marker as Photoshop does.
std::string AdobeCmykJpegBytes(int width, int height, uint8_t c, uint8_t m, uint8_t y, uint8_t k);

// A PNG of the raw, unfiltered sample rows given (libpng's colour types and bit depths).
struct PngSpec {
    int width = 0;
    int height = 0;
    int colorType = 0;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<uint32_t> palette = {};  // 0xRRGGBB
    std::vector<uint8_t> paletteAlpha = {};
    std::vector<std::vector<uint8_t>> rows = {};
};
std::string PngBytes(const PngSpec& spec);

// A bitmap file: the header of `headerSize` bytes (12, 40 or 124), then masks (for bit-field
// files with a 40-byte header), the colour table and the pixel data as given.
struct BmpSpec {
    uint32_t headerSize = 40;
    int32_t width = 0;
    int32_t height = 0;  // negative: top-down
    uint16_t bits = 24;
    uint32_t compression = 0;
    std::vector<uint32_t> palette = {};  // 0xRRGGBB
    std::vector<uint32_t> masks = {};    // red, green, blue
    std::vector<uint8_t> data = {};
};
std::string BmpBytes(const BmpSpec& spec);

// The picture written by Qt in `format` ("gif", "webp").
std::string QtImageBytes(const RgbPicture& picture, const char* format,
                         bool transparentFirst = false);

// Whether two colours differ by at most `tolerance` in each component.
bool Near(uint32_t a, uint32_t b, int tolerance);

}  // namespace orv::test
