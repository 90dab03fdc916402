// The picture decoders on real files, written by libjpeg, libpng and Qt or byte by byte, then
// damaged in the ways files arrive damaged.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <QImage>
#include <optional>

#include "AllocationWatch.h"
#include "PictureFiles.h"
#include "output/BmpDecoder.h"
#include "output/FontSubstitutes.h"
#include "output/JpegDecoder.h"
#include "output/OutputDriver.h"
#include "output/PictureDecoding.h"
#include "output/PictureFormats.h"
#include "output/PngDecoder.h"
#include "output/QtImageDecoder.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

namespace orv {
namespace {

using test::BmpLayout;
using test::Near;
using test::PngLayout;
using test::Quadrants;

using Decoder = Bitmap (*)(const std::string&);
Bitmap DecodeWebp(const std::string& path) {
    return DecodeWithQt(path, "webp");
}
Bitmap DecodeTiff(const std::string& path) {
    return DecodeWithQt(path, "tiff");
}

// Decodes `bytes` written to a file; nothing when the decoder refused the file as it should,
// with a PictureError (not a crash or another exception).
class Decoding : public testing::Test {
  protected:
    std::optional<Bitmap> Decode(Decoder decode, const std::string& bytes) {
        try {
            return decode(dir_.Write("picture", bytes));
        } catch (const PictureError&) {
            return std::nullopt;
        }
    }
    // The pixels as 0xRRGGBB, after checking that every pixel is opaque.
    std::vector<uint32_t> Pixels(Decoder decode, const std::string& bytes) {
        const auto bitmap = Decode(decode, bytes);
        EXPECT_TRUE(bitmap);
        std::vector<uint32_t> rgb;
        for (uint32_t pixel : bitmap.value_or(Bitmap{}).Pixels) {
            EXPECT_EQ(pixel >> 24, 0xFFu);
            rgb.push_back(pixel & 0xFFFFFF);
        }
        return rgb;
    }
    // The centre of each block of test::Quadrants, within `tolerance`.
    void ExpectQuadrants(Decoder decode, const std::string& bytes, int width, int height,
                         int tolerance) {
        const auto bitmap = Decode(decode, bytes);
        ASSERT_TRUE(bitmap);
        ASSERT_EQ(bitmap->Width, width);
        ASSERT_EQ(bitmap->Height, height);
        const Bitmap expected = Quadrants(width, height);
        for (int y : {height / 4, 3 * height / 4}) {
            for (int x : {width / 4, 3 * width / 4}) {
                EXPECT_TRUE(Near(bitmap->At(x, y), expected.At(x, y), tolerance))
                    << x << "," << y << ": " << std::hex << bitmap->At(x, y);
                EXPECT_EQ(bitmap->At(x, y) >> 24, 0xFFu);
            }
        }
    }
    // A file that announces a huge picture fails without a large allocation.
    void ExpectRefusedUnallocated(Decoder decode, const std::string& bytes) {
        const std::string path = dir_.Write("huge", bytes);
        test::AllocationWatch watch;
        EXPECT_THROW(decode(path), PictureError);
        EXPECT_LT(watch.Largest(), 64u << 20);
    }
    // Broken files, and the good one still decodes after them.
    void ExpectTruncationRefused(Decoder decode, const std::string& good) {
        EXPECT_FALSE(Decode(decode, good.substr(0, good.size() / 2)));
        EXPECT_FALSE(Decode(decode, good.substr(0, 24)));
        EXPECT_FALSE(Decode(decode, ""));
        EXPECT_FALSE(Decode(decode, "This is no picture at all."));
        EXPECT_THROW(decode(dir_.File("missing")), PictureError);
        EXPECT_TRUE(Decode(decode, good));
    }
    test::TempDir dir_;
};

using JpegPictures = Decoding;
using PngPictures = Decoding;
using BmpPictures = Decoding;
using QtPictures = Decoding;

TEST_F(JpegPictures, ColoursComeOutWhereTheyWereWritten) {
    const Bitmap picture = Quadrants(64, 32);
    ExpectQuadrants(DecodeJpegFile, test::JpegBytes(picture), 64, 32, 12);
    ExpectQuadrants(DecodeJpegFile, test::JpegBytes(picture, {.progressive = true}), 64, 32, 12);
    const Bitmap grey{8, 8, std::vector<uint32_t>(64, 0xFF000040)};
    EXPECT_TRUE(
        Near(Pixels(DecodeJpegFile, test::JpegBytes(grey, {.grey = true}))[9], 0x404040, 2));
    // Adobe CMYK: full magenta ink; half black.
    EXPECT_TRUE(
        Near(Pixels(DecodeJpegFile, test::AdobeCmykJpegBytes(0, 255, 0, 0))[9], 0xFF00FF, 6));
    EXPECT_TRUE(
        Near(Pixels(DecodeJpegFile, test::AdobeCmykJpegBytes(0, 0, 0, 128))[9], 0x7F7F7F, 6));
}

TEST_F(JpegPictures, TruncatedCorruptOrHugeFilesAreNoPicture) {
    const std::string good = test::JpegBytes(Quadrants(64, 64));
    ExpectTruncationRefused(DecodeJpegFile, good);

    std::string garbled = good;  // a stray marker amid the image data
    const size_t middle = (good.find("\xFF\xDA") + good.size()) / 2;
    garbled.replace(middle, 2, "\xFF\xD3");
    EXPECT_FALSE(Decode(DecodeJpegFile, garbled));

    std::string huge = test::JpegBytes(Quadrants(16, 16));
    const size_t frame = huge.find("\xFF\xC0");
    huge.replace(frame + 5, 4, "\xC3\x50\xC3\x50");  // 50000 × 50000
    ExpectRefusedUnallocated(DecodeJpegFile, huge);
}

// A JPEG with an Exif block that holds only the orientation, in either byte order.
std::string WithOrientation(const std::string& jpeg, int orientation, bool motorola) {
    std::string exif("Exif\0\0", 6);
    const auto put = [&](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            const int shift = 8 * (motorola ? bytes - 1 - i : i);
            exif += static_cast<char>((value >> shift) & 0xFF);
        }
    };
    exif += motorola ? "MM" : "II";
    put(42, 2);
    put(8, 4);  // the first directory follows the header
    put(1, 2);  // one entry: Orientation, one SHORT
    put(0x0112, 2);
    put(3, 2);
    put(1, 4);
    put(orientation, 2);
    put(0, 2);
    put(0, 4);  // no next directory
    const size_t length = exif.size() + 2;
    const std::string marker = std::string("\xFF\xE1", 2) + static_cast<char>(length >> 8) +
                               static_cast<char>(length & 0xFF) + exif;
    return jpeg.substr(0, 2) + marker + jpeg.substr(2);
}

TEST_F(JpegPictures, ExifOrientationTurnsThePhotoUpright) {
    // Stored 64 × 32 with red at the top left; where red shows after each of the eight turns.
    const std::string stored = test::JpegBytes(Quadrants(64, 32));
    struct Shown {
        int width, height, redX, redY;
    };
    const Shown shown[] = {{64, 32, 0, 0}, {64, 32, 1, 0}, {64, 32, 1, 1}, {64, 32, 0, 1},
                           {32, 64, 0, 0}, {32, 64, 1, 0}, {32, 64, 1, 1}, {32, 64, 0, 1}};
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const auto bitmap =
            Decode(DecodeJpegFile, WithOrientation(stored, orientation, orientation % 2 == 0));
        ASSERT_TRUE(bitmap);
        const Shown& expected = shown[orientation - 1];
        EXPECT_EQ(bitmap->Width, expected.width) << orientation;
        EXPECT_EQ(bitmap->Height, expected.height) << orientation;
        const int x = expected.redX == 0 ? 4 : bitmap->Width - 5;
        const int y = expected.redY == 0 ? 4 : bitmap->Height - 5;
        EXPECT_TRUE(Near(bitmap->At(x, y), 0xFF0000, 12))
            << orientation << std::hex << " " << bitmap->At(x, y);
    }
}

// Where a picture is transparent the sheet's colour shows, as it does around the picture.
TEST(PicturesOnTheSheet, TransparentPartsShowTheSheetsColour) {
    RegisterWindowsFontSubstitutes();
    test::TempDir dir;
    QImage picture(40, 40, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 0; y < 40; ++y) {
        for (int x = 20; x < 40; ++x) picture.setPixel(x, y, qRgb(0x20, 0xC0, 0x60));
    }
    ASSERT_TRUE(picture.save(QString::fromStdString(dir.File("clear.png"))));
    TData design = NewDesign();
    design.SizeX = 100;
    design.SizeY = 148;
    design.CalenderBackColor = 0xC08040;  // 0xBBGGRR
    design.PictureFile = dir.File("clear.png");
    design.PictureSize = 50;
    class : public StatusSink {
        void ShowStatus(const std::string&) override {}
    } status;
    test::RecordingSink sink;
    sink.AllowCoarsePictures();
    RenderState state;
    const RegistryPictureDecoder decoder;
    state.Decoder = &decoder;
    OutputEnvironment env{status, sink, state};
    const QImage sheet = DrawCalendarImage(env, JobOfDesign(design), 96);
    QRect opaque;
    for (int y = 0; y < sheet.height(); ++y) {
        for (int x = 0; x < sheet.width(); ++x) {
            if ((sheet.pixel(x, y) & 0xFFFFFF) == 0x20C060) opaque |= QRect(x, y, 1, 1);
        }
    }
    ASSERT_FALSE(opaque.isEmpty());
    const QPoint clear(opaque.left() - opaque.width() / 2, opaque.center().y());
    EXPECT_EQ(sheet.pixel(clear) & 0xFFFFFF, 0x4080C0u) << std::hex << sheet.pixel(clear);
}

TEST_F(PngPictures, EveryColourTypeComesOutAsRgb) {
    const Bitmap picture = Quadrants(8, 6);
    ExpectQuadrants(DecodePngFile, test::PngBytes(test::RgbPng(picture)), 8, 6, 0);
    ExpectQuadrants(DecodePngFile, test::PngBytes(test::RgbPng(picture, true)), 8, 6, 0);
    // 16-bit grey without gamma information is its high byte, not linear light.
    EXPECT_EQ(Pixels(DecodePngFile,
                     test::PngBytes({2, PNG_COLOR_TYPE_GRAY, 16, {{0x80, 0x80, 0x20, 0}}})),
              (std::vector<uint32_t>{0x808080, 0x202020}));
    EXPECT_EQ(Pixels(DecodePngFile,
                     test::PngBytes({1, PNG_COLOR_TYPE_RGB, 16, {{255, 255, 0, 0, 64, 64}}})),
              (std::vector<uint32_t>{0xFF0040}));
    const PngLayout palette{
        3, PNG_COLOR_TYPE_PALETTE, 4, {{0x12, 0x00}}, {0x102030, 0xA0B0C0, 0xFF00}};
    EXPECT_EQ(Pixels(DecodePngFile, test::PngBytes(palette)),
              (std::vector<uint32_t>{0xA0B0C0, 0x00FF00, 0x102030}));
}

TEST_F(PngPictures, TransparencyIsLaidOnWhite) {
    // Clear, half-covered red, opaque blue.
    const auto rgba =
        Pixels(DecodePngFile,
               test::PngBytes(
                   {3, PNG_COLOR_TYPE_RGBA, 8, {{0, 0, 0, 0, 255, 0, 0, 128, 0, 0, 255, 255}}}));
    ASSERT_EQ(rgba.size(), 3u);
    EXPECT_EQ(rgba[0], 0xFFFFFFu);
    EXPECT_TRUE(Near(rgba[1], 0xFF7F7F, 1));
    EXPECT_EQ(rgba[2], 0x0000FFu);
    const PngLayout palette{2, PNG_COLOR_TYPE_PALETTE, 8, {{0, 1}}, {0x000000, 0x00FF00}, {0}};
    EXPECT_EQ(Pixels(DecodePngFile, test::PngBytes(palette)),
              (std::vector<uint32_t>{0xFFFFFF, 0x00FF00}));
}

TEST_F(PngPictures, TruncatedCorruptOrHugeFilesAreNoPicture) {
    const std::string good = test::PngBytes(test::RgbPng(Quadrants(64, 64)));
    ExpectTruncationRefused(DecodePngFile, good);
    std::string damaged = good;
    damaged[good.find("IDAT") + 20] ^= 0x5A;  // the checksum no longer matches
    EXPECT_FALSE(Decode(DecodePngFile, damaged));

    // IHDR announcing 20000 × 20000, with its checksum made right.
    std::string huge = test::PngBytes(test::RgbPng(Quadrants(2, 2)));
    const size_t header = huge.find("IHDR");
    huge.replace(header + 4, 8, std::string("\0\0\x4E\x20\0\0\x4E\x20", 8));
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(&huge[header]), 17);
    for (int i = 0; i < 4; ++i) huge[header + 17 + i] = static_cast<char>(crc >> (24 - 8 * i));
    ExpectRefusedUnallocated(DecodePngFile, huge);
}

TEST_F(BmpPictures, BottomUpAndTopDownRowsLandTheRightWayUp) {
    const Bitmap picture = Quadrants(6, 4);  // 18-byte rows: the padding counts
    ExpectQuadrants(DecodeBmpFile, test::BmpBytes({6, 4, 24, 0, test::BmpRows24(picture)}), 6, 4,
                    0);
    ExpectQuadrants(DecodeBmpFile, test::BmpBytes({6, -4, 24, 0, test::BmpRows24(picture, true)}),
                    6, 4, 0);
    BmpLayout os2{6, 4, 24, 0, test::BmpRows24(picture)};
    os2.headerSize = 12;
    ExpectQuadrants(DecodeBmpFile, test::BmpBytes(os2), 6, 4, 0);
}

TEST_F(BmpPictures, EveryBitDepthComesOutAsRgb) {
    const std::vector<uint32_t> palette{0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    struct Case {
        BmpLayout layout;
        std::vector<uint32_t> pixels;
    };
    const Case cases[] = {
        // 1 bit over two bytes.
        {{10, 1, 1, 0, {0xA0, 0x40, 0, 0}, {0x112233, 0xFFEEDD}},
         {0xFFEEDD, 0x112233, 0xFFEEDD, 0x112233, 0x112233, 0x112233, 0x112233, 0x112233, 0x112233,
          0xFFEEDD}},
        {{3, 1, 4, 0, {0x12, 0x30, 0, 0}, palette}, {0xFF0000, 0x00FF00, 0x0000FF}},
        // An index past the colour table is black, not memory behind it.
        {{2, 1, 8, 0, {3, 200, 0, 0}, palette}, {0x0000FF, 0x000000}},
        // 16 bits, 5-5-5 plain and 5-6-5 by masks.
        {{2, 1, 16, 0, {0x00, 0x7C, 0x1F, 0x00}}, {0xFF0000, 0x0000FF}},
        {{2, 1, 16, 3, {0xE0, 0x07, 0x00, 0xF8}, {}, {0xF800, 0x07E0, 0x001F}},
         {0x00FF00, 0xFF0000}},
        // 32 bits: the fourth byte is no transparency.
        {{1, 1, 32, 0, {0x30, 0x20, 0x10, 0x00}}, {0x102030}},
        {{1, 1, 32, 3, {0x00, 0x11, 0x22, 0x33}, {}, {0xFF00, 0xFF0000, 0xFF000000}, 124},
         {0x112233}},
        // OS/2 colour tables have three bytes an entry.
        {{2, 1, 1, 0, {0x40, 0, 0, 0}, {0x0000FF, 0xFF8000}, {}, 12}, {0x0000FF, 0xFF8000}},
        // RLE8, bottom row first: red run, row end; literal green, blue, red; a delta one row up;
        // one blue; the end. Skipped pixels have the first colour.
        {{4, 3, 8, 1, {4, 1, 0, 0, 0, 3, 2, 3, 1, 0, 0, 2, 0, 1, 1, 3, 0, 1}, palette},
         {0, 0, 0, 0x0000FF, 0x00FF00, 0x0000FF, 0xFF0000, 0, 0xFF0000, 0xFF0000, 0xFF0000,
          0xFF0000}},
        // RLE4 runs alternate their two nibbles.
        {{5, 1, 4, 2, {5, 0x12, 0, 1}, palette},
         {0xFF0000, 0x00FF00, 0xFF0000, 0x00FF00, 0xFF0000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.layout.bits << " bits, compression " << c.layout.compression);
        EXPECT_EQ(Pixels(DecodeBmpFile, test::BmpBytes(c.layout)), c.pixels);
    }
}

TEST_F(BmpPictures, TruncatedCorruptOrHugeFilesAreNoPicture) {
    const std::string good = test::BmpBytes({6, 4, 24, 0, test::BmpRows24(Quadrants(6, 4))});
    ExpectTruncationRefused(DecodeBmpFile, good);
    EXPECT_FALSE(Decode(DecodeBmpFile, good.substr(0, good.size() - 1)));
    EXPECT_FALSE(Decode(DecodeBmpFile, "XM" + good.substr(2)));
    for (const BmpLayout& odd : {BmpLayout{6, 4, 2}, BmpLayout{0, 4}, BmpLayout{6, INT32_MIN},
                               BmpLayout{5, 1, 4, 2, {2, 0x12, 3}},  // no end mark
                               BmpLayout{1, 1, 8, 0, {0, 0, 0, 0}, std::vector<uint32_t>(256)}}) {
        std::string bytes = test::BmpBytes(odd);
        if (odd.palette.size() == 256) bytes.resize(200);  // the colour table cut short
        EXPECT_FALSE(Decode(DecodeBmpFile, bytes)) << odd.width << " " << odd.bits;
    }
    ExpectRefusedUnallocated(DecodeBmpFile, test::BmpBytes({20000, 20000}));
    ExpectRefusedUnallocated(DecodeBmpFile, test::BmpBytes({20000, -20000, 8, 1, {0, 1}, {0}}));
}

TEST(PictureSizes, OneHundredMillionPixelsIsTheLargestPicture) {
    EXPECT_NO_THROW(CheckPictureSize(10000, 10000));
    EXPECT_NO_THROW(CheckPictureSize(100000000, 1));
    EXPECT_THROW(CheckPictureSize(10001, 10000), PictureError);
    EXPECT_THROW(CheckPictureSize(100000001, 1), PictureError);
    EXPECT_THROW(CheckPictureSize(INT32_MAX, INT32_MAX), PictureError);
    EXPECT_THROW(CheckPictureSize(0, 5), PictureError);
}

TEST_F(QtPictures, WebpAndTiffComeThroughQtsPlugins) {
    const Bitmap picture = Quadrants(16, 8);
    ExpectQuadrants(DecodeWebp, test::QtImageBytes(picture, "webp"), 16, 8, 0);
    ExpectQuadrants(DecodeTiff, test::QtImageBytes(picture, "tiff"), 16, 8, 0);
    // Transparency is laid on white.
    const auto clear = Pixels(DecodeWebp, test::QtImageBytes(picture, "webp", true));
    ASSERT_EQ(clear.size(), 128u);
    EXPECT_EQ(clear[0], 0xFFFFFFu);
    EXPECT_EQ(clear[15], 0x00FF00u);
}

TEST_F(QtPictures, TruncatedCorruptOrHugeFilesAreNoPicture) {
    const std::string good = test::QtImageBytes(Quadrants(64, 64), "webp");
    ExpectTruncationRefused(DecodeWebp, good);
    // A lossless WebP whose header announces 16384 × 16384.
    std::string huge = good;
    const size_t header = huge.find("VP8L") + 9;
    const uint32_t bits =
        16383u | (16383u << 14) | (uint32_t(uint8_t(huge[header + 3]) & 0xF0) << 24);
    for (int i = 0; i < 4; ++i) huge[header + i] = static_cast<char>(bits >> (8 * i));
    ExpectRefusedUnallocated(DecodeWebp, huge);
}

}  // namespace
}  // namespace orv
