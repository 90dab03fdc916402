// The picture decoders on real files: written by libjpeg, libpng and Qt, or byte by byte for
// bitmaps, then damaged in the ways files arrive damaged.
#include <gtest/gtest.h>
#include <zlib.h>

#include <optional>

#include "AllocationWatch.h"
#include "BmpDecoder.h"
#include "JpegDecoder.h"
#include "PictureDecoding.h"
#include "PictureFiles.h"
#include "PngDecoder.h"
#include "QtImageDecoder.h"
#include "TempDir.h"

namespace orv {
namespace {

using test::BmpSpec;
using test::Near;
using test::PngSpec;
using test::Quadrants;
using test::TempDir;

using DecodeFunction = Bitmap (*)(const std::string&);

// The decoded picture, or nothing when the decoder refused the file as it should: with a
// PictureError, not a crash or another exception.
std::optional<Bitmap> Decode(DecodeFunction decode, const std::string& path) {
    try {
        return decode(path);
    } catch (const PictureError&) {
        return std::nullopt;
    }
}

uint32_t Rgb(const Bitmap& bitmap, int x, int y) {
    return bitmap.At(x, y) & 0xFFFFFF;
}

void ExpectOpaque(const Bitmap& bitmap) {
    for (uint32_t pixel : bitmap.Pixels) ASSERT_EQ(pixel >> 24, 0xFFu);
}

// The centre of each quadrant within `tolerance`.
void ExpectQuadrants(const Bitmap& bitmap, int width, int height, int tolerance) {
    ASSERT_EQ(bitmap.Width, width);
    ASSERT_EQ(bitmap.Height, height);
    ASSERT_EQ(bitmap.Pixels.size(), static_cast<size_t>(width) * height);
    ExpectOpaque(bitmap);
    const int left = width / 4, right = 3 * width / 4, top = height / 4, bottom = 3 * height / 4;
    EXPECT_TRUE(Near(Rgb(bitmap, left, top), 0xFF0000, tolerance))
        << std::hex << Rgb(bitmap, left, top);
    EXPECT_TRUE(Near(Rgb(bitmap, right, top), 0x00FF00, tolerance))
        << std::hex << Rgb(bitmap, right, top);
    EXPECT_TRUE(Near(Rgb(bitmap, left, bottom), 0x0000FF, tolerance))
        << std::hex << Rgb(bitmap, left, bottom);
    EXPECT_TRUE(Near(Rgb(bitmap, right, bottom), 0xFFFFFF, tolerance));
}

// ---------------------------------------------------------------------------------------------
// JPEG

TEST(JpegPictures, ColoursComeOutWhereTheyWereWritten) {
    TempDir dir;
    const auto picture = Quadrants(64, 32);
    auto decoded = Decode(DecodeJpegFile, dir.Write("a.jpg", test::JpegBytes(picture)));
    ASSERT_TRUE(decoded);
    ExpectQuadrants(*decoded, 64, 32, 12);

    decoded =
        Decode(DecodeJpegFile, dir.Write("p.jpg", test::JpegBytes(picture, {.progressive = true})));
    ASSERT_TRUE(decoded);
    ExpectQuadrants(*decoded, 64, 32, 12);

    test::RgbPicture grey{16, 16, std::vector<uint32_t>(256, 0x404040)};
    decoded = Decode(DecodeJpegFile, dir.Write("g.jpg", test::JpegBytes(grey, {.grey = true})));
    ASSERT_TRUE(decoded);
    ExpectOpaque(*decoded);
    EXPECT_TRUE(Near(Rgb(*decoded, 8, 8), 0x404040, 2)) << std::hex << Rgb(*decoded, 8, 8);
}

TEST(JpegPictures, AdobeCmykComesOutAsItsRgb) {
    TempDir dir;
    // Full magenta ink, no black: red 255, green 0, blue 255.
    auto decoded =
        Decode(DecodeJpegFile, dir.Write("m.jpg", test::AdobeCmykJpegBytes(16, 16, 0, 255, 0, 0)));
    ASSERT_TRUE(decoded);
    ExpectOpaque(*decoded);
    EXPECT_TRUE(Near(Rgb(*decoded, 8, 8), 0xFF00FF, 6)) << std::hex << Rgb(*decoded, 8, 8);
    // Half black: a mid grey.
    decoded =
        Decode(DecodeJpegFile, dir.Write("k.jpg", test::AdobeCmykJpegBytes(16, 16, 0, 0, 0, 128)));
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(Near(Rgb(*decoded, 8, 8), 0x7F7F7F, 6)) << std::hex << Rgb(*decoded, 8, 8);
}

TEST(JpegPictures, TruncatedOrCorruptFilesAreNoPicture) {
    TempDir dir;
    const std::string good = test::JpegBytes(Quadrants(64, 64));
    EXPECT_FALSE(Decode(DecodeJpegFile, dir.Write("half.jpg", good.substr(0, good.size() / 2))));
    EXPECT_FALSE(Decode(DecodeJpegFile, dir.Write("head.jpg", good.substr(0, 30))));
    EXPECT_FALSE(Decode(DecodeJpegFile, dir.Write("empty.jpg", "")));
    EXPECT_FALSE(Decode(DecodeJpegFile, dir.Write("text.jpg", "This is no picture at all.")));
    EXPECT_FALSE(Decode(DecodeJpegFile, dir.File("missing.jpg")));

    // A stray marker in the middle of the image data.
    std::string garbled = good;
    const size_t scan = garbled.find("\xFF\xDA");
    ASSERT_NE(scan, std::string::npos);
    const size_t middle = scan + (garbled.size() - scan) / 2;
    garbled[middle] = '\xFF';
    garbled[middle + 1] = '\xD3';
    EXPECT_FALSE(Decode(DecodeJpegFile, dir.Write("garbled.jpg", garbled)));

    // Still fine after all of these.
    EXPECT_TRUE(Decode(DecodeJpegFile, dir.Write("good.jpg", good)));
}

TEST(JpegPictures, AHugeAnnouncedSizeIsRefusedBeforeAllocating) {
    TempDir dir;
    std::string bytes = test::JpegBytes(Quadrants(16, 16));
    const size_t frame = bytes.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    // Height and width at offsets 5 and 7 of the frame header: 50000 × 50000.
    for (size_t at : {frame + 5, frame + 7}) {
        bytes[at] = static_cast<char>(50000 >> 8);
        bytes[at + 1] = static_cast<char>(50000 & 0xFF);
    }
    const std::string path = dir.Write("huge.jpg", bytes);
    test::AllocationWatch watch;
    EXPECT_FALSE(Decode(DecodeJpegFile, path));
    EXPECT_LT(watch.Largest(), 1u << 20);
}

// ---------------------------------------------------------------------------------------------
// PNG

PngSpec RgbPng(const test::RgbPicture& picture, bool interlaced = false) {
    PngSpec spec{picture.width, picture.height, 2 /* RGB */, 8, interlaced, {}, {}, {}};
    for (int y = 0; y < picture.height; ++y) {
        std::vector<uint8_t> row;
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t p = picture.At(x, y);
            row.insert(row.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
        }
        spec.rows.push_back(row);
    }
    return spec;
}

TEST(PngPictures, EveryColourTypeComesOutAsRgb) {
    TempDir dir;
    const auto picture = Quadrants(8, 6);
    auto decoded = Decode(DecodePngFile, dir.Write("rgb.png", test::PngBytes(RgbPng(picture))));
    ASSERT_TRUE(decoded);
    ExpectQuadrants(*decoded, 8, 6, 0);

    decoded = Decode(DecodePngFile, dir.Write("adam7.png", test::PngBytes(RgbPng(picture, true))));
    ASSERT_TRUE(decoded);
    ExpectQuadrants(*decoded, 8, 6, 0);

    // 16-bit grey without gamma information reads as its high byte, not as linear light.
    PngSpec grey16{2, 1, 0 /* grey */, 16, false, {}, {}, {{0x80, 0x80, 0x20, 0x00}}};
    decoded = Decode(DecodePngFile, dir.Write("g16.png", test::PngBytes(grey16)));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->At(0, 0), 0xFF808080u);
    EXPECT_EQ(decoded->At(1, 0), 0xFF202020u);

    // 16-bit RGB, and a 4-bit palette (two pixels a byte).
    PngSpec rgb16{1, 1, 2, 16, false, {}, {}, {{0xFF, 0xFF, 0x00, 0x00, 0x40, 0x40}}};
    decoded = Decode(DecodePngFile, dir.Write("rgb16.png", test::PngBytes(rgb16)));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->At(0, 0), 0xFFFF0040u);

    PngSpec palette{
        3, 1, 3 /* palette */, 4, false, {0x102030, 0xA0B0C0, 0x00FF00}, {}, {{0x12, 0x00}}};
    decoded = Decode(DecodePngFile, dir.Write("pal.png", test::PngBytes(palette)));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->At(0, 0), 0xFFA0B0C0u);
    EXPECT_EQ(decoded->At(1, 0), 0xFF00FF00u);
    EXPECT_EQ(decoded->At(2, 0), 0xFF102030u);
}

TEST(PngPictures, TransparencyIsLaidOnWhite) {
    TempDir dir;
    // RGBA: clear, half-covered red, opaque blue.
    PngSpec rgba{3, 1, 6, 8, false, {}, {}, {{0, 0, 0, 0, 255, 0, 0, 128, 0, 0, 255, 255}}};
    auto decoded = Decode(DecodePngFile, dir.Write("rgba.png", test::PngBytes(rgba)));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->At(0, 0), 0xFFFFFFFFu);
    EXPECT_TRUE(Near(decoded->At(1, 0), 0xFF7F7F, 1)) << std::hex << decoded->At(1, 0);
    EXPECT_EQ(decoded->At(2, 0), 0xFF0000FFu);
    ExpectOpaque(*decoded);

    // A palette whose first colour is transparent.
    PngSpec palette{2, 1, 3, 8, false, {0x000000, 0x00FF00}, {0}, {{0, 1}}};
    decoded = Decode(DecodePngFile, dir.Write("trns.png", test::PngBytes(palette)));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->At(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(decoded->At(1, 0), 0xFF00FF00u);
}

TEST(PngPictures, TruncatedOrCorruptFilesAreNoPicture) {
    TempDir dir;
    const std::string good = test::PngBytes(RgbPng(Quadrants(64, 64)));
    EXPECT_FALSE(Decode(DecodePngFile, dir.Write("half.png", good.substr(0, good.size() / 2))));
    EXPECT_FALSE(Decode(DecodePngFile, dir.Write("sig.png", good.substr(0, 8))));
    EXPECT_FALSE(Decode(DecodePngFile, dir.Write("text.png", "This is no picture at all.")));
    EXPECT_FALSE(Decode(DecodePngFile, dir.File("missing.png")));

    std::string damaged = good;
    const size_t data = damaged.find("IDAT");
    ASSERT_NE(data, std::string::npos);
    damaged[data + 20] = static_cast<char>(damaged[data + 20] ^ 0x5A);
    EXPECT_FALSE(Decode(DecodePngFile, dir.Write("crc.png", damaged)));

    EXPECT_TRUE(Decode(DecodePngFile, dir.Write("good.png", good)));
}

TEST(PngPictures, AHugeAnnouncedSizeIsRefusedBeforeAllocating) {
    TempDir dir;
    std::string bytes = test::PngBytes(RgbPng(Quadrants(2, 2)));
    // IHDR's width and height (20000 × 20000, 400 million pixels), with a correct checksum.
    const size_t header = bytes.find("IHDR");
    for (size_t at : {header + 4, header + 8}) {
        const uint32_t size = 20000;
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(size >> (24 - 8 * i));
    }
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(&bytes[header]), 17);
    for (int i = 0; i < 4; ++i) bytes[header + 17 + i] = static_cast<char>(crc >> (24 - 8 * i));
    const std::string path = dir.Write("huge.png", bytes);
    test::AllocationWatch watch;
    EXPECT_FALSE(Decode(DecodePngFile, path));
    EXPECT_LT(watch.Largest(), 1u << 20);
}

// ---------------------------------------------------------------------------------------------
// Bitmaps

// Rows of 24-bit pixels, bottom row first unless top-down, each padded to four bytes.
std::vector<uint8_t> Rows24(const test::RgbPicture& picture, bool topDown) {
    std::vector<uint8_t> data;
    for (int i = 0; i < picture.height; ++i) {
        const int y = topDown ? i : picture.height - 1 - i;
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t p = picture.At(x, y);
            data.insert(data.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16)});
        }
        while (data.size() % 4 != 0) data.push_back(0);
    }
    return data;
}

TEST(BmpPictures, BottomUpAndTopDownRowsLandTheRightWayUp) {
    TempDir dir;
    const auto picture = Quadrants(6, 4);  // 18-byte rows: padding matters
    BmpSpec spec{.width = 6, .height = 4, .data = Rows24(picture, false)};
    auto decoded = Decode(DecodeBmpFile, dir.Write("up.bmp", test::BmpBytes(spec)));
    ASSERT_TRUE(decoded);
    ExpectQuadrants(*decoded, 6, 4, 0);

    spec.height = -4;
    spec.data = Rows24(picture, true);
    decoded = Decode(DecodeBmpFile, dir.Write("down.bmp", test::BmpBytes(spec)));
    ASSERT_TRUE(decoded);
    ExpectQuadrants(*decoded, 6, 4, 0);

    spec = {.headerSize = 12, .width = 6, .height = 4, .data = Rows24(picture, false)};
    decoded = Decode(DecodeBmpFile, dir.Write("os2.bmp", test::BmpBytes(spec)));
    ASSERT_TRUE(decoded);
    ExpectQuadrants(*decoded, 6, 4, 0);
}

TEST(BmpPictures, EveryBitDepthComesOutAsRgb) {
    TempDir dir;
    const auto decode = [&](const BmpSpec& spec) {
        auto decoded = Decode(DecodeBmpFile, dir.Write("x.bmp", test::BmpBytes(spec)));
        EXPECT_TRUE(decoded);
        if (decoded) ExpectOpaque(*decoded);
        return decoded.value_or(Bitmap{});
    };
    const std::vector<uint32_t> palette{0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

    // 1 bit, 10 pixels wide: the bits run over into a second byte.
    Bitmap b = decode({.width = 10,
                       .height = 1,
                       .bits = 1,
                       .palette = {0x112233, 0xFFEEDD},
                       .data = {0b10100000, 0b01000000, 0, 0}});
    EXPECT_EQ(Rgb(b, 0, 0), 0xFFEEDDu);
    EXPECT_EQ(Rgb(b, 1, 0), 0x112233u);
    EXPECT_EQ(Rgb(b, 2, 0), 0xFFEEDDu);
    EXPECT_EQ(Rgb(b, 9, 0), 0xFFEEDDu);

    b = decode(
        {.width = 3, .height = 1, .bits = 4, .palette = palette, .data = {0x12, 0x30, 0, 0}});
    EXPECT_EQ(Rgb(b, 0, 0), 0xFF0000u);
    EXPECT_EQ(Rgb(b, 1, 0), 0x00FF00u);
    EXPECT_EQ(Rgb(b, 2, 0), 0x0000FFu);

    // 8 bits; an index past the table is black, not memory behind it.
    b = decode({.width = 2, .height = 1, .bits = 8, .palette = palette, .data = {3, 200, 0, 0}});
    EXPECT_EQ(Rgb(b, 0, 0), 0x0000FFu);
    EXPECT_EQ(Rgb(b, 1, 0), 0x000000u);

    // OS/2 colour tables have three bytes an entry.
    b = decode({.headerSize = 12,
                .width = 2,
                .height = 1,
                .bits = 1,
                .palette = {0x0000FF, 0xFF8000},
                .data = {0b01000000, 0, 0, 0}});
    EXPECT_EQ(Rgb(b, 0, 0), 0x0000FFu);
    EXPECT_EQ(Rgb(b, 1, 0), 0xFF8000u);

    // 16 bits, 5-5-5 and 5-6-5 by masks.
    b = decode({.width = 2, .height = 1, .bits = 16, .data = {0x00, 0x7C, 0x1F, 0x00}});
    EXPECT_EQ(Rgb(b, 0, 0), 0xFF0000u);
    EXPECT_EQ(Rgb(b, 1, 0), 0x0000FFu);
    b = decode({.width = 2,
                .height = 1,
                .bits = 16,
                .compression = 3,
                .masks = {0xF800, 0x07E0, 0x001F},
                .data = {0xE0, 0x07, 0x00, 0xF8}});
    EXPECT_EQ(Rgb(b, 0, 0), 0x00FF00u);
    EXPECT_EQ(Rgb(b, 1, 0), 0xFF0000u);

    // 32 bits: the fourth byte is not transparency.
    b = decode({.width = 1, .height = 1, .bits = 32, .data = {0x30, 0x20, 0x10, 0x00}});
    EXPECT_EQ(Rgb(b, 0, 0), 0x102030u);
    b = decode({.headerSize = 124,
                .width = 1,
                .height = 1,
                .bits = 32,
                .compression = 3,
                .masks = {0x0000FF00, 0x00FF0000, 0xFF000000},
                .data = {0x00, 0x11, 0x22, 0x33}});
    EXPECT_EQ(Rgb(b, 0, 0), 0x112233u);
}

TEST(BmpPictures, RunLengthFilesDecode) {
    TempDir dir;
    const std::vector<uint32_t> palette{0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    // 4 × 3, bottom row first: a run of red and the row's end; a literal green, blue, red; a
    // delta one row up; a blue pixel; the end.
    BmpSpec spec{.width = 4,
                 .height = 3,
                 .bits = 8,
                 .compression = 1,
                 .palette = palette,
                 .data = {4, 1, 0, 0, 0, 3, 2, 3, 1, 0, 0, 2, 0, 1, 1, 3, 0, 1}};
    auto decoded = Decode(DecodeBmpFile, dir.Write("rle8.bmp", test::BmpBytes(spec)));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(Rgb(*decoded, 0, 2), 0xFF0000u);
    EXPECT_EQ(Rgb(*decoded, 3, 2), 0xFF0000u);
    EXPECT_EQ(Rgb(*decoded, 0, 1), 0x00FF00u);
    EXPECT_EQ(Rgb(*decoded, 1, 1), 0x0000FFu);
    EXPECT_EQ(Rgb(*decoded, 2, 1), 0xFF0000u);
    EXPECT_EQ(Rgb(*decoded, 3, 1), 0x000000u);  // skipped: the first colour
    EXPECT_EQ(Rgb(*decoded, 2, 0), 0x000000u);
    EXPECT_EQ(Rgb(*decoded, 3, 0), 0x0000FFu);

    // RLE4: runs alternate the two nibbles.
    spec = {.width = 5,
            .height = 1,
            .bits = 4,
            .compression = 2,
            .palette = palette,
            .data = {5, 0x12, 0, 1}};
    decoded = Decode(DecodeBmpFile, dir.Write("rle4.bmp", test::BmpBytes(spec)));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(Rgb(*decoded, 0, 0), 0xFF0000u);
    EXPECT_EQ(Rgb(*decoded, 1, 0), 0x00FF00u);
    EXPECT_EQ(Rgb(*decoded, 4, 0), 0xFF0000u);

    // Data that ends before its end mark is truncated.
    spec.data = {2, 0x12, 3};
    EXPECT_FALSE(Decode(DecodeBmpFile, dir.Write("cut.bmp", test::BmpBytes(spec))));
}

TEST(BmpPictures, TruncatedOrCorruptFilesAreNoPicture) {
    TempDir dir;
    const BmpSpec good{.width = 6, .height = 4, .data = Rows24(Quadrants(6, 4), false)};
    const std::string bytes = test::BmpBytes(good);
    EXPECT_FALSE(Decode(DecodeBmpFile, dir.Write("cut.bmp", bytes.substr(0, bytes.size() - 1))));
    EXPECT_FALSE(Decode(DecodeBmpFile, dir.Write("head.bmp", bytes.substr(0, 20))));
    EXPECT_FALSE(Decode(DecodeBmpFile, dir.Write("sig.bmp", "XM" + bytes.substr(2))));
    EXPECT_FALSE(Decode(DecodeBmpFile, dir.File("missing.bmp")));

    BmpSpec odd = good;
    odd.bits = 2;  // no such depth
    EXPECT_FALSE(Decode(DecodeBmpFile, dir.Write("bits.bmp", test::BmpBytes(odd))));
    odd = good;
    odd.width = 0;
    EXPECT_FALSE(Decode(DecodeBmpFile, dir.Write("empty.bmp", test::BmpBytes(odd))));
    odd = good;
    odd.height = INT32_MIN;
    EXPECT_FALSE(Decode(DecodeBmpFile, dir.Write("min.bmp", test::BmpBytes(odd))));
    // A colour table that the file does not hold.
    const std::string palette = test::BmpBytes(
        {.width = 1, .height = 1, .bits = 8, .palette = std::vector<uint32_t>(256, 0)});
    EXPECT_FALSE(Decode(DecodeBmpFile, dir.Write("pal.bmp", palette.substr(0, 200))));

    EXPECT_TRUE(Decode(DecodeBmpFile, dir.Write("good.bmp", bytes)));
}

TEST(BmpPictures, AHugeAnnouncedSizeIsRefusedBeforeAllocating) {
    TempDir dir;
    // 20000 × 20000 × 24 bits announced, the pixels present for neither.
    const std::string plain =
        dir.Write("huge.bmp", test::BmpBytes({.width = 20000, .height = 20000}));
    const std::string rle = dir.Write("huge-rle.bmp", test::BmpBytes({.width = 20000,
                                                                      .height = -20000,
                                                                      .bits = 8,
                                                                      .compression = 1,
                                                                      .palette = {0},
                                                                      .data = {0, 1}}));
    test::AllocationWatch watch;
    EXPECT_FALSE(Decode(DecodeBmpFile, plain));
    EXPECT_FALSE(Decode(DecodeBmpFile, rle));
    EXPECT_LT(watch.Largest(), 1u << 20);
}

TEST(PictureSizes, OneHundredMillionPixelsIsTheLargestPicture) {
    EXPECT_NO_THROW(CheckPictureSize(10000, 10000));
    EXPECT_NO_THROW(CheckPictureSize(100000000, 1));
    EXPECT_THROW(CheckPictureSize(10001, 10000), PictureError);
    EXPECT_THROW(CheckPictureSize(100000001, 1), PictureError);
    EXPECT_THROW(CheckPictureSize(INT32_MAX, INT32_MAX), PictureError);
    EXPECT_THROW(CheckPictureSize(0, 5), PictureError);
}

// ---------------------------------------------------------------------------------------------
// Formats read through Qt

Bitmap DecodeWebp(const std::string& path) {
    return DecodeWithQt(path, "webp");
}
Bitmap DecodeTiff(const std::string& path) {
    return DecodeWithQt(path, "tiff");
}

TEST(QtPictures, WebpAndTiffDecodeThroughQtsPlugins) {
    TempDir dir;
    const auto picture = Quadrants(16, 8);
    auto decoded = Decode(DecodeWebp, dir.Write("q.webp", test::QtImageBytes(picture, "webp")));
    ASSERT_TRUE(decoded);
    ExpectQuadrants(*decoded, 16, 8, 0);
    decoded = Decode(DecodeTiff, dir.Write("q.tif", test::QtImageBytes(picture, "tiff")));
    ASSERT_TRUE(decoded);
    ExpectQuadrants(*decoded, 16, 8, 0);
}

TEST(QtPictures, TransparentPixelsAreLaidOnWhite) {
    TempDir dir;
    auto decoded =
        Decode(DecodeWebp, dir.Write("t.webp", test::QtImageBytes(Quadrants(8, 8), "webp", true)));
    ASSERT_TRUE(decoded);
    ExpectOpaque(*decoded);
    EXPECT_EQ(Rgb(*decoded, 0, 0), 0xFFFFFFu);  // was red, now transparent
    EXPECT_EQ(Rgb(*decoded, 6, 1), 0x00FF00u);
}

TEST(QtPictures, BrokenOrHugeFilesAreNoPicture) {
    TempDir dir;
    const std::string good = test::QtImageBytes(Quadrants(64, 64), "webp");
    EXPECT_FALSE(Decode(DecodeWebp, dir.Write("half.webp", good.substr(0, good.size() / 2))));
    EXPECT_FALSE(Decode(DecodeWebp, dir.Write("text.webp", "This is no picture at all.")));
    EXPECT_FALSE(Decode(DecodeWebp, dir.File("missing.webp")));

    // A lossless WebP whose header announces 16384 × 16384 pixels.
    std::string huge = good;
    const size_t chunk = huge.find("VP8L");
    ASSERT_NE(chunk, std::string::npos);
    const uint32_t bits = 16383u | (16383u << 14) | (uint8_t(huge[chunk + 12]) & 0xF0) << 24;
    for (int i = 0; i < 4; ++i) huge[chunk + 9 + i] = static_cast<char>(bits >> (8 * i));
    const std::string path = dir.Write("huge.webp", huge);
    test::AllocationWatch watch;
    EXPECT_FALSE(Decode(DecodeWebp, path));
    EXPECT_LT(watch.Largest(), 64u << 20);
}

}  // namespace
}  // namespace orv
